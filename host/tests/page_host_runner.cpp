#include "page_host_runner.h"

#include "module_path.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

const wchar_t kClsid[] = L"{d4d43952-57fc-40e5-ace5-7ef522b19e73}";

HostRun RunHost(const std::wstring& folder, const std::string& script) {
    HostRun run;
    // Wine's own helper processes may inherit the output handle and keep the
    // file open after the host ends: every run writes a file of its own.
    static int runs = 0;
    const std::wstring number = std::to_wstring(++runs);
    const std::wstring scriptPath = folder + L"\\page" + number + L".txt";
    const std::wstring outputPath = folder + L"\\output" + number + L".txt";
    EXPECT_TRUE(WriteFileBytes(scriptPath, script));

    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, output);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::wstring command = L"\"" + ModuleFolder(GetModuleHandleW(nullptr)) +
                           L"\\pagehost.exe\" \"" + scriptPath + L"\"";
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &process);
    CloseHandle(output);
    EXPECT_TRUE(started);
    if (!started)
        return run;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 90000));
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.output = ReadFileBytes(outputPath).value_or("");
    return run;
}

std::string Narrow(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text)
        bytes += static_cast<char>(c); // paths and addresses here are ASCII
    return bytes;
}

std::string Preamble() {
    const std::string dll = Narrow(ModuleFolder(GetModuleHandleW(nullptr)) + L"\\ResultPane.dll");
    std::string escaped;
    for (char c : dll)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return "timeout 60\nwindow 714 586\nregister \"" + escaped + "\"\ncreate pane " +
           Narrow(kClsid) + " 0 0 714 586\n";
}

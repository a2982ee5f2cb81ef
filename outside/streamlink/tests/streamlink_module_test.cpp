// StreamLink.dll as a file: its exports by name, and how its threads keep it
// loaded. Each test loads a copy of its own, so the copy that the test
// program imports stays out of the count.
#include "message_wait.h"
#include "module_path.h"
#include "proc_address.h"
#include "stream_harness.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

using OpenPlayerFn = SC_PLAYER (*)(UINT, HWND);
using ConnectFn = int (*)(SC_PLAYER, const char*, unsigned short, const char*, const char*);
using ClosePlayerFn = int (*)(SC_PLAYER);

std::wstring CopyOfTheLibrary(const std::string& name) {
    const std::wstring folder = MakeLocalScratchFolder(name);
    const std::wstring copy = folder + L"\\StreamLinkCopy.dll";
    EXPECT_TRUE(CopyFileW((ModuleFolder(GetModuleHandleW(nullptr)) + L"\\StreamLink.dll").c_str(),
                          copy.c_str(), FALSE));
    return copy;
}

TEST(StreamLinkModule, ExportsEveryFunctionByName) {
    const HMODULE module = GetModuleHandleW(L"StreamLink.dll");
    ASSERT_NE(nullptr, module);
    for (const char* name :
         {"SC_OpenPlayer", "SC_ConnectServer", "SC_OpenMedia", "SC_CloseMedia", "SC_Play",
          "SC_Pause", "SC_SeekFrame", "SC_ClosePlayer", "SC_GetStatus", "SC_GetTotalFrames",
          "SC_GetTotalTime", "SC_GetVideoWidth", "SC_GetVideoHeight", "SC_GetCurrentFrameNo",
          "SC_GetCurrentTime", "SC_RigisterDrawFun", "SC_MaintainImage", "SC_GetOriginalImage"})
        EXPECT_NE(nullptr, GetProcAddress(module, name)) << name;
}

TEST(StreamLinkModule, UnloadsOnceItsPlayersAreClosed) {
    const std::wstring path = CopyOfTheLibrary("unload_after_close");
    NotifiedWindows windows(64, 48);
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, module);
    const auto open = GetProc<OpenPlayerFn>(module, "SC_OpenPlayer");
    const auto connect = GetProc<ConnectFn>(module, "SC_ConnectServer");
    const auto close = GetProc<ClosePlayerFn>(module, "SC_ClosePlayer");
    const SC_PLAYER player = open(kNotifyMessage, windows.Notify());
    ASSERT_NE(nullptr, player);
    ASSERT_EQ(1, connect(player, FixtureHost().c_str(), 1980, "kerbo", "kerbo"));
    ASSERT_TRUE(windows.WaitForStatus(SC_STATUS_CONNECTED, 5000));
    ASSERT_EQ(1, close(player));
    FreeLibrary(module);
    EXPECT_EQ(nullptr, GetModuleHandleW(path.c_str())) << "no thread of it is left";
}

TEST(StreamLinkModule, RunningPlayersKeepItLoadedUntilTheyAreClosed) {
    const std::wstring path = CopyOfTheLibrary("loaded_while_running");
    NotifiedWindows windows(64, 48);
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, module);
    const SC_PLAYER player =
        GetProc<OpenPlayerFn>(module, "SC_OpenPlayer")(kNotifyMessage, windows.Notify());
    ASSERT_EQ(1, GetProc<ConnectFn>(module, "SC_ConnectServer")(player, FixtureHost().c_str(), 1980,
                                                                "kerbo", "kerbo"));
    FreeLibrary(module);
    // The player's threads still run the library's code: it stays.
    ASSERT_EQ(module, GetModuleHandleW(path.c_str()));
    EXPECT_TRUE(windows.WaitForStatus(SC_STATUS_CONNECTED, 5000)) << "and keeps working";

    module = LoadLibraryW(path.c_str());
    ASSERT_EQ(1, GetProc<ClosePlayerFn>(module, "SC_ClosePlayer")(player));
    FreeLibrary(module);
    EXPECT_EQ(nullptr, GetModuleHandleW(path.c_str()));
}

} // namespace

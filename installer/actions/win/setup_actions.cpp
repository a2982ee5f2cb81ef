// setup_actions.dll: custom actions the package runs from its Binary table.
//
// RemoveRunTimeFiles (deferred, at uninstall): removes what the controls made
// beside themselves while they ran, which the installer's own file removal
// does not reach: folders with everything in them, and files by name pattern.
// The list comes as the action's CustomActionData (see removal_list.h).
#include "file_tree.h"
#include "removal_list.h"

#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

namespace {

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
    DWORD length = 0;
    wchar_t empty[1] = L"";
    if (MsiGetPropertyW(install, name, empty, &length) != ERROR_MORE_DATA)
        return std::wstring();
    std::wstring value(length + 1, L'\0');
    ++length;
    if (MsiGetPropertyW(install, name, value.data(), &length) != ERROR_SUCCESS)
        return std::wstring();
    value.resize(length);
    return value;
}

class MsiRecord {
public:
    explicit MsiRecord(UINT fields) : m_handle(MsiCreateRecord(fields)) {}
    ~MsiRecord() {
        if (m_handle != 0)
            MsiCloseHandle(m_handle);
    }
    MsiRecord(const MsiRecord&) = delete;
    MsiRecord& operator=(const MsiRecord&) = delete;
    MSIHANDLE Get() const { return m_handle; }

private:
    MSIHANDLE m_handle;
};

// One line in the installation log.
void Log(MSIHANDLE install, const std::wstring& text) {
    MsiRecord record(1);
    if (record.Get() == 0)
        return;
    MsiRecordSetStringW(record.Get(), 0, text.c_str());
    MsiProcessMessage(install, INSTALLMESSAGE_INFO, record.Get());
}

} // namespace

extern "C" UINT __stdcall RemoveRunTimeFiles(MSIHANDLE install) {
    const std::wstring data = Property(install, L"CustomActionData");
    const std::optional<RemovalList> list = ParseRemovalList(data);
    if (!list) {
        Log(install, L"RemoveRunTimeFiles: refusing the removal list \"" + data + L"\"");
        return ERROR_INSTALL_FAILURE;
    }
    for (const std::wstring& folder : list->folders) {
        const std::wstring path = list->programFolder + L"\\" + folder;
        Log(install, L"RemoveRunTimeFiles: " + path +
                         (DeleteFolderTree(path) ? L" removed" : L" could not be removed"));
    }
    for (const std::wstring& pattern : list->filePatterns) {
        const int deleted = DeleteMatchingFiles(list->programFolder, pattern);
        Log(install, L"RemoveRunTimeFiles: " + std::to_wstring(deleted) + L" files " +
                         list->programFolder + L"\\" + pattern);
    }
    return ERROR_SUCCESS;
}

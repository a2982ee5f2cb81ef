// Search by picture from the snapshot panel: the operator outlines a target
// in the region picker, and the panel submits a new task that searches the
// shown task's source video for it, then shows the new task's snapshots.
#include "snapshot_dlg.h"

#include "base64.h"
#include "debug_output.h"
#include "http_client.h"
#include "module_path.h"
#include "proc_address.h"
#include "search_task_request.h"
#include "text_number.h"
#include "thread_codepage.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

using ShowSearchPictureDlg2Function = int(__cdecl*)(wchar_t*, uint32_t, wchar_t*, uint32_t);
constexpr uint32_t kPathBufferSize = 260;

// The picker library beside the viewer, loaded once for the life of the
// process (it is never let go).
ShowSearchPictureDlg2Function RegionPicker() {
    static HMODULE library = LoadLibraryExW((ModuleFolder() + L"\\RegionPickUI.dll").c_str(),
                                            nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return GetProc<ShowSearchPictureDlg2Function>(library, "ShowSearchPictureDlg2");
}

// A whole file's bytes as Base64; nothing when it cannot be read.
std::optional<std::string> FileAsBase64(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return Base64Encode(bytes.str());
}

} // namespace

int CSnapShotDlg::SearchByPicture() {
    const int picked = ShowRegionPicker(m_strObjPicFile, m_strMaskPicFile);
    m_btnSearchByImg.SetToolTipText(L"以图搜图");
    if (picked == 0)
        return 0;
    return SubmitSearchByPicTask();
}

int CSnapShotDlg::ShowRegionPicker(std::wstring& objPath, std::wstring& maskPath) {
    const ShowSearchPictureDlg2Function show = RegionPicker();
    if (show == nullptr)
        return 0;
    wchar_t obj[kPathBufferSize] = {};
    wchar_t mask[kPathBufferSize] = {};
    if (show(obj, kPathBufferSize, mask, kPathBufferSize) == 0)
        return 0;
    // The picker fills whole buffers; a path that fills one is cut at its end.
    objPath.assign(obj, wcsnlen(obj, kPathBufferSize));
    maskPath.assign(mask, wcsnlen(mask, kPathBufferSize));
    return 1;
}

int CSnapShotDlg::SubmitSearchByPicTask() {
    if (m_strObjPicFile.empty() || m_strMaskPicFile.empty())
        return 0;
    const std::wstring detailUrl = SearchTaskDetailUrl(m_strSvrIP, m_nTaskID);
    std::wstring detail;
    // The client answers an unreachable server with an empty reply.
    if (!HttpGetText(detailUrl.c_str(), detail) || detail.empty()) {
        DebugLine(L"%ls", detailUrl.c_str());
        return 0;
    }
    DebugLine(L"SubmintSearchByPicTask succ");
    const std::optional<SearchTaskSource> source = ReadSearchTaskSource(detail);
    if (!source)
        return 0;
    const std::optional<std::string> objData = FileAsBase64(m_strObjPicFile);
    if (!objData)
        return 0;
    const std::optional<std::string> maskData = FileAsBase64(m_strMaskPicFile);
    if (!maskData)
        return 0;
    const std::wstring body = SearchTaskBody(*source, m_nObjType, *objData, *maskData);

    std::wstring reply;
    if (!HttpPostForm(SubmitTaskUrl(m_strSvrIP).c_str(), body, reply))
        return 0;
    const std::optional<std::wstring> flowNumber = CutReplyValue(reply, L"flowNumber");
    if (!flowNumber)
        return 0;
    SetPage(m_strSvrIP, ParseDecimalInt(WideToThreadAnsi(*flowNumber)), 1);
    return 1;
}

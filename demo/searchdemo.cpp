// searchdemo SERVER OUTDIR
// Search by picture as an operator does it, in the snapshot panel of the
// result viewer: task 12's object snapshots are shown, "搜索人" is chosen from
// the panel's menu, the region picker opens, a snapshot picture of the task
// is imported and a target outlined, and the panel submits the new task and
// shows its objects. The picker is driven from a helper thread with posted
// messages. Saves OUTDIR\demo-7-picker.png and OUTDIR\demo-8-search-panel.png
// and prints "new task N". Exit code 0 when the server took the task.
#include "console_output.h"
#include "control_site.h"
#include "http_client.h"
#include "image.h"
#include "message_wait.h"
#include "module_path.h"
#include "picker_driver.h"
#include "picker_steps.h"
#include "snapshot_dlg.h"

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        PrintLine(L"usage: searchdemo SERVER[:PORT] OUTDIR");
        return 2;
    }
    const std::wstring server = argv[1], out = argv[2];
    Watchdog watchdog(120);
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    int code = 1;
    {
        TestParentWindow page;
        page.Create(714, 586);
        CSnapShotDlg panel;
        panel.SetPage(server, 12, 1);
        panel.Create(page.Hwnd(), ThisModule());
        MoveWindow(panel.Hwnd(), 0, 0, 714, 586, TRUE);
        ShowWindow(panel.Hwnd(), SW_SHOW);

        // One of the task's own snapshot pictures is the picture searched by.
        std::wstring pageText;
        HttpGetText((L"http://" + server + L"/snapshot1pagedb.php?id=12&class=obj").c_str(),
                    pageText);
        const std::wstring picture = out + L"\\demo-search-target.jpg";
        DeleteFileW(picture.c_str());
        if (!HttpDownloadFile((L"http://" + server + L"/snapshot/12/obj/1_1.jpg").c_str(),
                              picture.c_str())) {
            PrintLine(L"cannot fetch the sample picture");
            return 1;
        }
        Image target;
        target.Load(picture);
        const int w = target.Width(), h = target.Height();
        PrintLine(L"searching task 12 for the person in " + picture);

        const std::string failure = DriveWhile(
            [&](PickerDriver& picker) {
                picker.Import(picture);
                MakeRoomForNaturalSize(picker);
                const PixelRect shown = picker.PictureRect(w, h);
                picker.Press(11001); // outline the target
                ClickOutline(picker, shown,
                             {{6, 6}, {w - 6, 6}, {w - 6, h - 6}, {6, h - 6}, {6, 6}});
                SavePng(CaptureWindow(picker.Dialog()), out + L"\\demo-7-picker.png");
                picker.PostPress(IDOK);
            },
            [&] {
                SendMessageW(panel.Hwnd(), WM_COMMAND, MAKEWPARAM(CSnapShotDlg::kSearchPerson, 0),
                             0);
            });
        if (!failure.empty())
            PrintLine(L"picker: " + std::wstring(failure.begin(), failure.end()));
        PumpMessagesFor(300);
        SavePng(CaptureWindow(panel.Hwnd()), out + L"\\demo-8-search-panel.png");
        if (panel.TaskId() != 12) {
            PrintLine(L"new task " + std::to_wstring(panel.TaskId()));
            PrintLine(L"the panel shows " + panel.Url());
            code = 0;
        } else {
            PrintLine(L"the search was not submitted");
        }
    }
    OleUninitialize();
    return code;
}

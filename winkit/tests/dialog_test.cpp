// Dialog objects see their window's messages from its creation on, nested
// creations included, and modal dialogs built on message tables end on
// OK and Cancel.
#include "dialog.h"
#include "dialog_test_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr LONG kMinWidth = 480;
constexpr LONG kMinHeight = 360;

// Records every message; answers the size request with a minimum; on
// WM_INITDIALOG makes a child panel of the same kind when asked to.
class RecordingDialog : public Dialog {
public:
    RecordingDialog(WORD id, bool withChild) : Dialog(id), m_withChild(withChild) {}
    ~RecordingDialog() override { Destroy(); }

    std::vector<UINT> seen;
    std::unique_ptr<RecordingDialog> child;

    size_t IndexOf(UINT message) const {
        return static_cast<size_t>(std::find(seen.begin(), seen.end(), message) - seen.begin());
    }

protected:
    bool OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        seen.push_back(message);
        if (message == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{kMinWidth, kMinHeight};
            result = 0;
            return true;
        }
        if (message == WM_INITDIALOG && m_withChild) {
            child = std::make_unique<RecordingDialog>(IDD_CHILD_PANEL, false);
            child->Create(m_hWnd, GetModuleHandleW(nullptr));
        }
        return false;
    }

private:
    bool m_withChild;
};

TEST(DialogCreation, HandlersSeeTheMessagesSentWhileTheWindowIsMade) {
    RecordingDialog dialog(IDD_THICK_FRAME, true);
    ASSERT_NE(nullptr, dialog.Create(nullptr, GetModuleHandleW(nullptr)));
    EXPECT_LT(dialog.IndexOf(WM_GETMINMAXINFO), dialog.IndexOf(WM_NCCREATE));
    EXPECT_LT(dialog.IndexOf(WM_NCCREATE), dialog.IndexOf(WM_CREATE));
    EXPECT_LT(dialog.IndexOf(WM_CREATE), dialog.IndexOf(WM_INITDIALOG));
    EXPECT_LT(dialog.IndexOf(WM_INITDIALOG), dialog.seen.size());
    // The minimum asked for during creation holds from the start.
    RECT bounds = {};
    GetWindowRect(dialog.Hwnd(), &bounds);
    EXPECT_GE(bounds.right - bounds.left, kMinWidth);
    EXPECT_GE(bounds.bottom - bounds.top, kMinHeight);

    // A dialog made by a handler of another gets its own creation messages.
    ASSERT_TRUE(dialog.child && dialog.child->Exists());
    EXPECT_EQ(GetParent(dialog.child->Hwnd()), dialog.Hwnd());
    EXPECT_LT(dialog.child->IndexOf(WM_CREATE), dialog.child->IndexOf(WM_INITDIALOG));
    EXPECT_LT(dialog.child->IndexOf(WM_INITDIALOG), dialog.child->seen.size());

    ASSERT_TRUE(DestroyWindow(dialog.Hwnd()));
    EXPECT_EQ(nullptr, dialog.Hwnd());
    EXPECT_EQ(nullptr, dialog.child->Hwnd());
}

// A dialog that keeps Dialog's message handling and lists its own table.
class TableDialog : public Dialog {
public:
    explicit TableDialog(WORD button) : Dialog(IDD_THICK_FRAME, nullptr), m_button(button) {}

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool&) {
        PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED), 0);
        return TRUE;
    }
    static const MessageEntry<TableDialog> kMessages[];
    static const MessageMap messageMap;
    WORD m_button;
};

const MessageEntry<TableDialog> TableDialog::kMessages[] = {
    {WM_INITDIALOG, &TableDialog::OnInitDialog},
};
const MessageMap TableDialog::messageMap =
    ChainMessageTable<TableDialog, TableDialog::kMessages>(&Dialog::messageMap);

TEST(DialogCreation, ModalDialogsWithATableEndOnOkAndCancel) {
    for (const WORD button : {WORD{IDOK}, WORD{IDCANCEL}}) {
        TableDialog dialog(button);
        EXPECT_EQ(button, dialog.RunModal());
        EXPECT_FALSE(dialog.IsModal());
    }
}

} // namespace

// The slider hands the focus to its parent; a parent that hands it back (a
// dialog whose first tab stop is the slider) must not make them bounce it
// between them until the stack runs out.
#include "slider_ctrl_ex.h"
#include "widget_test_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TEST(SliderFocus, AParentThatHandsTheFocusBackEndsTheExchange) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    WidgetTestWindow parent;
    ASSERT_TRUE(parent.Create(300, 60, RGB(255, 255, 255)));
    HWND trackbar = CreateWindowW(TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 20,
                                  300, 17, parent.Hwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, trackbar);
    CSliderCtrlEx slider;
    ASSERT_TRUE(slider.Subclass(trackbar));
    int handedBack = 0;
    parent.extraHandler = [&](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_SETFOCUS)
            return false;
        ++handedBack;
        SetFocus(trackbar); // as a dialog gives the focus to its first tab stop
        result = 0;
        return true;
    };
    SetFocus(trackbar);
    EXPECT_GE(handedBack, 1);
    EXPECT_LE(handedBack, 3);
    EXPECT_EQ(trackbar, GetFocus());
    slider.Unsubclass();
}

} // namespace

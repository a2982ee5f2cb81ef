// Window objects let go of their window when it is destroyed, whether or not
// a handler of theirs takes the last message.
#include "subclassed_window.h"
#include "window.h"

#include <gtest/gtest.h>

namespace {

// Takes WM_NCDESTROY when told to and counts the final-message calls.
template <class Base> class LastMessageWindow : public Base {
public:
    explicit LastMessageWindow(bool takeLastMessage) : m_takeLastMessage(takeLastMessage) {}
    int finalMessages = 0;

protected:
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_NCDESTROY || !m_takeLastMessage)
            return false;
        result = 0;
        return true;
    }
    void OnFinalMessage() override { ++finalMessages; }

private:
    bool m_takeLastMessage;
};

HWND MakePlainWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(WindowObjects, OwnWindowIsLetGoWhetherOrNotTheLastMessageIsTaken) {
    for (const bool take : {false, true}) {
        LastMessageWindow<CustomWindow> window(take);
        ASSERT_NE(nullptr, window.Create(L"WinkitLastMessageTest", WS_POPUP, 0, RECT{0, 0, 40, 30},
                                         nullptr));
        const HWND handle = window.Hwnd();
        ASSERT_TRUE(DestroyWindow(handle));
        EXPECT_EQ(nullptr, window.Hwnd()) << "handler takes WM_NCDESTROY: " << take;
        EXPECT_EQ(1, window.finalMessages);
    }
}

TEST(WindowObjects, SubclassedWindowIsLetGoWhetherOrNotTheLastMessageIsTaken) {
    for (const bool take : {false, true}) {
        LastMessageWindow<SubclassedWindow> window(take);
        const HWND handle = MakePlainWindow();
        ASSERT_NE(nullptr, handle);
        ASSERT_TRUE(window.Subclass(handle));
        ASSERT_TRUE(DestroyWindow(handle));
        EXPECT_FALSE(window.IsSubclassed()) << "handler takes WM_NCDESTROY: " << take;
        EXPECT_EQ(1, window.finalMessages);
    }
}

} // namespace

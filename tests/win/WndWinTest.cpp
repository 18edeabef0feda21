#include <gtest/gtest.h>

#include "framework/Wnd.h"

namespace {

// A window that counts its own deletion, and can refuse to be created.
class CountedWnd : public CWnd {
public:
    CountedWnd(int& deleted, bool refuseCreate) : deleted_(deleted), refuse_(refuseCreate) {}
    ~CountedWnd() override { ++deleted_; }

    bool Create() {
        const char* cls = RegisterWndClass(0, nullptr, nullptr, nullptr);
        return CreateEx(0, cls, "Counted", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE && refuse_) return -1;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    int& deleted_;
    bool refuse_;
};

TEST(WndAutoDelete, AnAutoDeletingObjectGoesWithItsWindow) {
    int deleted = 0;
    auto* wnd = new CountedWnd(deleted, false);
    wnd->SetAutoDelete(true);
    ASSERT_TRUE(wnd->Create());
    HWND handle = wnd->GetSafeHwnd();
    EXPECT_EQ(deleted, 0);
    DestroyWindow(handle);
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(IsWindow(handle));
}

TEST(WndAutoDelete, AFailedCreationLeavesTheObjectToItsCreator) {
    int deleted = 0;
    auto* wnd = new CountedWnd(deleted, true);
    wnd->SetAutoDelete(true);
    EXPECT_FALSE(wnd->Create());
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(wnd->GetSafeHwnd(), nullptr);
    delete wnd;
    EXPECT_EQ(deleted, 1);
}

TEST(WndAutoDelete, WithoutAutoDeleteTheCreatorKeepsTheObject) {
    int deleted = 0;
    {
        CountedWnd wnd(deleted, false);
        ASSERT_TRUE(wnd.Create());
        wnd.DestroyWindow();
        EXPECT_EQ(deleted, 0);
        EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    }
    EXPECT_EQ(deleted, 1);
}

}  // namespace

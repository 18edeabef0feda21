#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "tests/win/DialogTestResource.h"
#include "tests/win/support/DialogWatcher.h"
#include "tests/win/support/Pump.h"

namespace {

const char kApp[] = "DialogTest";
const UINT kRunScript = WM_APP + 1;
const UINT kAsk = WM_APP + 2;

// One control of each kind the data exchange knows, bound to members.
class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(IDD_EXCHANGE_TEST) {}

    int check = 0;
    int check3 = 0;
    int radio = -1;
    int combo = -1;
    std::string text;
    uint32_t number = 0;
    uint32_t ranged = 5;
    std::string after;

    int textChanges = 0;
    // Run inside the modal loop, once the dialog is up.
    std::function<void(ExchangeDialog&)> script;

    HWND Item(int id) const { return GetDlgItem(id); }
    void SetText(int id, const char* value) const { SetDlgItemTextA(m_hWnd, id, value); }
    void Click(int id) const {
        SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }

protected:
    BOOL OnInitDialog() override {
        for (const char* choice : {"Zero", "One", "Two"}) {
            SendDlgItemMessageA(m_hWnd, IDC_T_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
        }
        CDialog::OnInitDialog();
        if (script) PostMessage(kRunScript);
        return TRUE;
    }

    void DoDataExchange(CDataExchange& dx) override {
        DDX_Check(dx, IDC_T_CHECK, check);
        DDX_Check3(dx, IDC_T_CHECK3, check3);
        DDX_Radio(dx, IDC_T_RADIO_A, radio);
        DDX_CBIndex(dx, IDC_T_COMBO, combo);
        DDX_Text(dx, IDC_T_TEXT, text);
        DDX_Text(dx, IDC_T_NUMBER, number);
        DDX_Text(dx, IDC_T_RANGED, ranged);
        DDV_MinMaxUInt(dx, ranged, 1, 60);
        DDX_Text(dx, IDC_T_AFTER, after);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        static const MessageEntry<ExchangeDialog> kHandlers[] = {
            {IDC_T_TEXT, EN_CHANGE, &ExchangeDialog::OnTextChange},
            {IDC_T_THROW, BN_CLICKED, &ExchangeDialog::OnThrow},
            {kRunScript, &ExchangeDialog::OnRunScript},
            {kAsk, &ExchangeDialog::OnAsk},
        };
        LRESULT result = 0;
        if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    void OnTextChange() { ++textChanges; }
    void OnThrow() { throw std::runtime_error("handler failed"); }
    LRESULT OnRunScript(const Msg&) {
        script(*this);
        return 0;
    }
    LRESULT OnAsk(const Msg& msg) { return static_cast<LRESULT>(msg.wParam * 2); }
};

std::string TextOf(HWND wnd) {
    char text[256] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

LRESULT Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0); }

class DialogLayer : public testing::Test {
protected:
    CWinApp app{kApp};
};

TEST_F(DialogLayer, EachExchangerWritesTheMembersAndReadsThemBack) {
    ExchangeDialog dialog;
    dialog.check = 1;
    dialog.check3 = 2;
    dialog.radio = 1;
    dialog.combo = 2;
    dialog.text = "Title text";
    dialog.number = 4294967295u;
    dialog.ranged = 60;
    dialog.after = "after";
    ASSERT_TRUE(dialog.Create());
    // OnInitDialog wrote the members.
    EXPECT_EQ(Checked(dialog.Item(IDC_T_CHECK)), BST_CHECKED);
    EXPECT_EQ(Checked(dialog.Item(IDC_T_CHECK3)), BST_INDETERMINATE);
    EXPECT_EQ(Checked(dialog.Item(IDC_T_RADIO_A)), BST_UNCHECKED);
    EXPECT_EQ(Checked(dialog.Item(IDC_T_RADIO_B)), BST_CHECKED);
    EXPECT_EQ(Checked(dialog.Item(IDC_T_RADIO_C)), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(dialog.Item(IDC_T_COMBO), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(dialog.Item(IDC_T_TEXT)), "Title text");
    EXPECT_EQ(TextOf(dialog.Item(IDC_T_NUMBER)), "4294967295");
    EXPECT_EQ(TextOf(dialog.Item(IDC_T_RANGED)), "60");

    // The user's changes come back into the members.
    SendMessageA(dialog.Item(IDC_T_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(dialog.Item(IDC_T_CHECK3), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(dialog.Item(IDC_T_RADIO_B), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(dialog.Item(IDC_T_RADIO_C), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(dialog.Item(IDC_T_COMBO), CB_SETCURSEL, 0, 0);
    dialog.SetText(IDC_T_TEXT, "Another");
    dialog.SetText(IDC_T_NUMBER, " 17 ");
    dialog.SetText(IDC_T_RANGED, "1");
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.check3, 1);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_EQ(dialog.combo, 0);
    EXPECT_EQ(dialog.text, "Another");
    EXPECT_EQ(dialog.number, 17u);
    EXPECT_EQ(dialog.ranged, 1u);

    // Nothing pressed or selected reads as -1; three states read as 0, 1, 2.
    SendMessageA(dialog.Item(IDC_T_RADIO_C), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(dialog.Item(IDC_T_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(dialog.Item(IDC_T_CHECK3), BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.radio, -1);
    EXPECT_EQ(dialog.combo, -1);
    EXPECT_EQ(dialog.check3, 0);

    // -1 written presses no radio button.
    dialog.UpdateData(false);
    for (int id : {IDC_T_RADIO_A, IDC_T_RADIO_B, IDC_T_RADIO_C}) EXPECT_EQ(Checked(dialog.Item(id)), BST_UNCHECKED);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogLayer, NotificationsDuringTheDialogsOwnWritingReachNoHandler) {
    ExchangeDialog dialog;
    dialog.text = "written by init";
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.textChanges, 0);
    dialog.text = "written again";
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.textChanges, 0);
    EXPECT_FALSE(dialog.IsWritingControls());
    // The same change made by anyone else is delivered to the command row.
    dialog.SetText(IDC_T_TEXT, "typed");
    EXPECT_EQ(dialog.textChanges, 1);
}

TEST_F(DialogLayer, AFieldThatIsNoNumberStopsTheReadingAndKeepsItsMember) {
    ExchangeDialog dialog;
    dialog.number = 7;
    dialog.after = "kept";
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog.m_hWnd, SW_SHOW);
    for (const char* bad : {"", "12x", "-3", "4294967296", "1 2"}) {
        dialog.SetText(IDC_T_NUMBER, bad);
        dialog.SetText(IDC_T_AFTER, "changed");
        DialogWatcher watcher(IDOK, kApp);
        EXPECT_FALSE(dialog.UpdateData(true)) << bad;
        ASSERT_TRUE(PumpUntil([&] { return !watcher.seen().empty(); }, 3000));
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].text, "Please enter a positive integer.") << bad;
        EXPECT_EQ(dialog.number, 7u) << bad;
        EXPECT_EQ(dialog.after, "kept") << "the reading went on past the failed field";
        EXPECT_EQ(GetFocus(), dialog.Item(IDC_T_NUMBER));
        DWORD start = 99, end = 99;
        SendMessageA(dialog.Item(IDC_T_NUMBER), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, std::string(bad).size());
    }
}

TEST_F(DialogLayer, ANumberOutsideItsRangeNamesTheBoundsAndKeepsItsMember) {
    ExchangeDialog dialog;
    dialog.ranged = 30;
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog.m_hWnd, SW_SHOW);
    for (const char* bad : {"0", "61"}) {
        dialog.SetText(IDC_T_RANGED, bad);
        DialogWatcher watcher(IDOK, kApp);
        EXPECT_FALSE(dialog.UpdateData(true));
        ASSERT_TRUE(PumpUntil([&] { return !watcher.seen().empty(); }, 3000));
        EXPECT_EQ(watcher.seen()[0].text, "Please enter an integer between 1 and 60.");
        EXPECT_EQ(dialog.ranged, 30u) << bad;
        EXPECT_EQ(GetFocus(), dialog.Item(IDC_T_RANGED));
    }
}

TEST_F(DialogLayer, OkStaysOpenOnAFailedFieldAndEndsOnceItReads) {
    ExchangeDialog dialog;
    dialog.number = 3;
    bool openAfterBadOk = false;
    uint32_t memberAfterBadOk = 0;
    dialog.script = [&](ExchangeDialog& d) {
        // EndDialog hides the dialog: visible afterwards means it stayed open.
        ShowWindow(d.m_hWnd, SW_SHOW);
        d.SetText(IDC_T_NUMBER, "many");
        {
            DialogWatcher watcher(IDOK, kApp);
            d.Click(IDOK);
        }
        openAfterBadOk = IsWindow(d.m_hWnd) && IsWindowVisible(d.m_hWnd);
        memberAfterBadOk = d.number;
        d.SetText(IDC_T_NUMBER, "12");
        d.Click(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(openAfterBadOk);
    EXPECT_EQ(memberAfterBadOk, 3u);
    EXPECT_EQ(dialog.number, 12u);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogLayer, CancelLeavesEveryMemberAsItCameIn) {
    ExchangeDialog dialog;
    dialog.check = 1;
    dialog.radio = 0;
    dialog.text = "original";
    dialog.number = 9;
    dialog.script = [](ExchangeDialog& d) {
        SendMessageA(d.Item(IDC_T_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(d.Item(IDC_T_RADIO_C), BM_SETCHECK, BST_CHECKED, 0);
        d.SetText(IDC_T_TEXT, "edited");
        d.SetText(IDC_T_NUMBER, "nonsense");
        d.Click(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.check, 1);
    EXPECT_EQ(dialog.radio, 0);
    EXPECT_EQ(dialog.text, "original");
    EXPECT_EQ(dialog.number, 9u);
}

TEST_F(DialogLayer, AHandlerThatThrowsEndsTheDialogAsCancelled) {
    ExchangeDialog dialog;
    dialog.script = [](ExchangeDialog& d) { d.Click(IDC_T_THROW); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    ExchangeDialog modeless;
    ASSERT_TRUE(modeless.Create());
    modeless.Click(IDC_T_THROW);
    EXPECT_EQ(modeless.GetSafeHwnd(), nullptr);
}

TEST_F(DialogLayer, MessageRowsAnswerThroughTheDialogAndOwnerIsTheMainWindow) {
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, CWnd::RegisterWndClass(0, nullptr, nullptr, nullptr), "Main",
                              WS_POPUP, RECT{0, 0, 50, 50}, nullptr, nullptr));
    app.m_pMainWnd = &main;
    ExchangeDialog dialog;
    HWND owner = nullptr;
    LRESULT answer = 0;
    dialog.script = [&](ExchangeDialog& d) {
        owner = GetWindow(d.m_hWnd, GW_OWNER);
        answer = SendMessageA(d.m_hWnd, kAsk, 21, 0);
        d.EndDialog(1234);
    };
    EXPECT_EQ(dialog.DoModal(), 1234);
    EXPECT_EQ(owner, main.GetSafeHwnd());
    EXPECT_EQ(answer, 42);
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}

TEST_F(DialogLayer, TheSaversStringTableHoldsTheValidationMessages) {
    // The test program links the saver's resources, as PELOR.SCR does.
    char text[128] = {};
    LoadStringA(GetModuleHandleA(nullptr), 61719, text, sizeof text);
    EXPECT_STREQ(text, "Please enter a positive integer.");
    LoadStringA(GetModuleHandleA(nullptr), 61714, text, sizeof text);
    EXPECT_STREQ(text, "Please enter an integer between %1 and %2.");
}

TEST_F(DialogLayer, AMissingTemplateGivesMinusOneAndFalse) {
    CDialog missing(4321);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());
}

}  // namespace

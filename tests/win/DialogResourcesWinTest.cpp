// The dialog templates, the menu and the strings of the configuration
// dialogs as the system builds them from the program's resources: every
// control where it belongs, with its class, text and the styles that matter.
#include <gtest/gtest.h>

#include "framework/Win32.h"

#include <commctrl.h>

#include <string>

#include "saver/dialogs/BounceSpeedDialog.h"
#include "saver/resources/resource.h"

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A template made modeless and hidden, with no handlers.
class Made {
public:
    explicit Made(int id) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        wnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, &PlainProc, 0);
    }
    ~Made() {
        if (wnd != nullptr) DestroyWindow(wnd);
    }
    HWND wnd;
};

std::string Text(HWND wnd) {
    char text[512] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND wnd) {
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

struct Control {
    int id;
    const char* cls;
    const char* text;  // null: not checked
    RECT units;        // x, y, w, h in dialog units
    LONG styleBits;    // every one of these must be set
};

void ExpectControls(HWND dialog, const Control* controls, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Control& c = controls[i];
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(ClassOf(control).c_str(), c.cls);
        if (c.text != nullptr) {
            EXPECT_EQ(Text(control), c.text);
        }
        // The system maps the origin and the size each on its own.
        RECT origin{c.units.left, c.units.top, 0, 0};
        MapDialogRect(dialog, &origin);
        RECT size{0, 0, c.units.right, c.units.bottom};
        MapDialogRect(dialog, &size);
        const RECT expected{origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
        RECT actual{};
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        if (c.units.right > 0 && lstrcmpiA(c.cls, "ComboBox") != 0) {
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.right - actual.left, expected.right - expected.left);
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top);
        }
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & c.styleBits, c.styleBits);
    }
}

// A dialog draws an edit's border as a sunken client edge.
bool HasBorder(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & WS_BORDER) != 0 ||
           (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

TEST(DialogResources, ConfigurationDialogTemplate) {
    Made made(IDD_CONFIG);
    ASSERT_NE(made.wnd, nullptr);
    EXPECT_EQ(Text(made.wnd), "Pelorama");
    EXPECT_TRUE(GetWindowLongA(made.wnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const LONG style = GetWindowLongA(made.wnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    const Control controls[] = {
        {IDOK, "Button", "OK", {157, 214, 50, 14}, BS_DEFPUSHBUTTON},
        {IDCANCEL, "Button", "Cancel", {215, 214, 50, 14}, 0},
        {IDC_PLAYLIST, "ListBox", nullptr, {5, 16, 202, 90},
         LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP},
        {IDC_ADD, "Button", "&Add...", {215, 16, 50, 14}, WS_TABSTOP},
        {IDC_REMOVE, "Button", "&Remove", {215, 33, 50, 14}, WS_TABSTOP},
        {IDC_SELECT_ALL, "Button", "&Select All", {215, 75, 50, 14}, WS_TABSTOP},
        {IDC_PROPERTIES, "Button", "&Properties...", {215, 92, 50, 14}, WS_TABSTOP},
        {IDC_SCALE_LABEL, "Static", "Scalin&g:", {13, 125, 26, 8}, 0},
        {IDC_SCALE, "ComboBox", nullptr, {13, 135, 102, 61}, CBS_DROPDOWNLIST},
        {IDC_MUTE, "Button", "&Mute", {125, 121, 32, 10}, BS_AUTOCHECKBOX},
        {IDC_RANDOM, "Button", "Ra&ndom Order", {125, 133, 62, 10}, BS_AUTOCHECKBOX},
        {IDC_TITLES, "Button", "Show &Titles", {125, 145, 53, 10}, BS_AUTOCHECKBOX},
        {IDC_KEYS_TEXT, "Static",
         "While the screen saver is running:\n'M'\t\tMute/Unmute\nUp/Down\tVolume Up/Down.\nLeft/Right\tPrevious/Next movie",
         {5, 194, 147, 34}, 0},
        {IDC_UP, "Button", "&Up", {215, 55, 23, 14}, 0},
        {IDC_DOWN, "Button", "&Down", {242, 55, 23, 14}, 0},
        {IDC_LETTERBOX, "Button", "Letter&box", {201, 133, 45, 10}, BS_AUTOCHECKBOX},
        // The window fills in the label's text.
        {IDC_MONITORS_LABEL, "Static", "", {13, 161, 54, 8}, 0},
        {IDC_MONITORS, "ComboBox", nullptr, {67, 159, 102, 61}, CBS_DROPDOWNLIST | WS_TABSTOP},
    };
    ExpectControls(made.wnd, controls, sizeof controls / sizeof controls[0]);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(made.wnd, IDC_PLAYLIST), GWL_STYLE) & LBS_SORT);

    // The tab order runs as the template lists the controls; the monitors'
    // choice, the group's lowest row, comes after Letterbox, with its label
    // just before it so that its mnemonic reaches it.
    HWND first = GetWindow(made.wnd, GW_CHILD);
    EXPECT_EQ(GetDlgCtrlID(first), IDOK);
    HWND last = GetWindow(first, GW_HWNDLAST);
    EXPECT_EQ(GetDlgCtrlID(last), IDC_MONITORS);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(last, GW_HWNDPREV)), IDC_MONITORS_LABEL);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(GetWindow(last, GW_HWNDPREV), GW_HWNDPREV)), IDC_LETTERBOX);

    // The static texts without ids.
    std::string statics;
    for (HWND child = first; child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == 0xFFFF || GetDlgCtrlID(child) == -1) statics += Text(child) + "|";
    }
    EXPECT_EQ(statics,
              "|Drag files into the Play&list or use the Add button.|Global Options|"
              "Be sure to consult the menu above for more options.|");
}

TEST(DialogResources, ConfigurationMenu) {
    Made made(IDD_CONFIG);
    HMENU bar = GetMenu(made.wnd);
    ASSERT_NE(bar, nullptr);
    struct Item {
        int menu;
        int position;
        const char* text;
        UINT id;  // 0: a separator
    };
    const Item items[] = {
        {0, 0, "&Open Playlist...", IDC_OPEN_PLAYLIST}, {0, 1, "&Save Playlist...", IDC_SAVE_PLAYLIST},
        {0, 2, "", 0}, {0, 3, "&Scan Media Devices", IDC_SCAN_DEVICES}, {0, 4, "", 0},
        {0, 5, "&About Pelorama...", IDC_ABOUT},
        {1, 0, "&Add...", IDC_ADD}, {1, 1, "Add &Folder...", IDC_ADD_FOLDER}, {1, 2, "&Remove", IDC_REMOVE},
        {1, 3, "", 0}, {1, 4, "&Up", IDC_UP}, {1, 5, "&Down", IDC_DOWN}, {1, 6, "", 0},
        {1, 7, "&Select All", IDC_SELECT_ALL}, {1, 8, "", 0}, {1, 9, "&Properties...", IDC_PROPERTIES},
        {2, 0, "&Bounce Speed...", IDC_BOUNCE_SPEED}, {2, 1, "&Power Settings...", IDC_POWER_SETTINGS},
    };
    const char* menus[] = {"&File", "Pla&ylist", "&Options"};
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    for (int m = 0; m < 3; ++m) {
        char text[64] = {};
        GetMenuStringA(bar, static_cast<UINT>(m), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, menus[m]);
    }
    const int counts[] = {6, 10, 2};
    for (int m = 0; m < 3; ++m) EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, m)), counts[m]);
    for (const Item& item : items) {
        SCOPED_TRACE(item.text);
        HMENU sub = GetSubMenu(bar, item.menu);
        char text[64] = {};
        GetMenuStringA(sub, static_cast<UINT>(item.position), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, item.text);
        const UINT state = GetMenuState(sub, static_cast<UINT>(item.position), MF_BYPOSITION);
        if (item.id == 0) {
            EXPECT_TRUE(state & MF_SEPARATOR);
        } else {
            EXPECT_EQ(GetMenuItemID(sub, item.position), item.id);
            EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED | MF_CHECKED), 0u);
        }
    }
}

TEST(DialogResources, OptionDialogTemplates) {
    {
        Made made(IDD_POWER);
        ASSERT_NE(made.wnd, nullptr);
        EXPECT_EQ(Text(made.wnd), "Power Settings");
        const Control controls[] = {
            {IDOK, "Button", "OK", {51, 52, 50, 14}, BS_DEFPUSHBUTTON},
            {IDCANCEL, "Button", "Cancel", {107, 52, 50, 14}, 0},
            {IDC_DELAY, "Button", "&Stop playing in", {7, 12, 62, 10}, BS_AUTOCHECKBOX},
            {IDC_DELAY_MINUTES, "Edit", "", {70, 10, 40, 14}, ES_NUMBER},
            {IDC_POWER, "Button", "Start &Power Saver in", {7, 30, 81, 10}, BS_AUTOCHECKBOX},
            {IDC_POWER_MINUTES, "Edit", "", {89, 28, 40, 14}, ES_NUMBER},
        };
        ExpectControls(made.wnd, controls, sizeof controls / sizeof controls[0]);
        EXPECT_TRUE(HasBorder(GetDlgItem(made.wnd, IDC_DELAY_MINUTES)));
        EXPECT_TRUE(HasBorder(GetDlgItem(made.wnd, IDC_POWER_MINUTES)));
    }
    {
        Made made(IDD_BOUNCE_SPEED);
        ASSERT_NE(made.wnd, nullptr);
        EXPECT_EQ(Text(made.wnd), "Bounce Speed");
        const Control controls[] = {
            {IDOK, "Button", "OK", {129, 55, 50, 14}, BS_DEFPUSHBUTTON},
            {IDCANCEL, "Button", "Cancel", {129, 74, 50, 14}, 0},
            {IDC_SPEED_SLIDER, "msctls_trackbar32", nullptr, {17, 7, 24, 81}, TBS_VERT | TBS_BOTH | WS_TABSTOP},
        };
        ExpectControls(made.wnd, controls, sizeof controls / sizeof controls[0]);
    }
    {
        Made made(IDD_ABOUT);
        ASSERT_NE(made.wnd, nullptr);
        EXPECT_EQ(Text(made.wnd), "About Pelorama");
        const Control controls[] = {
            {IDOK, "Button", "OK", {166, 143, 56, 14}, BS_DEFPUSHBUTTON},
            {IDC_UPDATES_ADDRESS, "Edit", nullptr, {34, 54, 188, 12}, ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP},
            {IDC_BUGS_ADDRESS, "Edit", nullptr, {34, 77, 188, 12}, ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP},
            {IDC_EMAIL_ADDRESS, "Edit", nullptr, {34, 100, 188, 12}, ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP},
        };
        ExpectControls(made.wnd, controls, sizeof controls / sizeof controls[0]);
        for (int id : {IDC_UPDATES_ADDRESS, IDC_BUGS_ADDRESS, IDC_EMAIL_ADDRESS}) {
            EXPECT_FALSE(HasBorder(GetDlgItem(made.wnd, id))) << id;
        }
    }
}

TEST(DialogResources, Strings) {
    auto text = [](UINT id) {
        char buffer[512] = {};
        LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(text(IDS_LOOP_FOREVER),
              "You have chosen to loop indefinitely. As a result, you will not be able to view other videos in "
              "your list. Are you sure you want to keep this option?");
    EXPECT_EQ(text(IDS_ERROR_CAPTION), "Error");
    EXPECT_EQ(text(IDS_NOT_A_PLAYLIST), "The file you have selected is not a playlist.");
    for (UINT id : {IDS_UPDATES_ADDRESS, IDS_BUGS_ADDRESS, IDS_EMAIL_ADDRESS}) EXPECT_FALSE(text(id).empty()) << id;
    EXPECT_NE(text(IDS_EMAIL_ADDRESS).find('@'), std::string::npos);
}

// The trackbar class on a comctl32 without InitCommonControlsEx (the first
// Windows 95's) or one that refuses the bar classes: InitCommonControls.
struct InitCalls {
    static int extended;
    static int plain;
    static BOOL extendedResult;
    static DWORD classesAsked;
    static BOOL WINAPI Extended(const INITCOMMONCONTROLSEX* classes) {
        ++extended;
        classesAsked = classes->dwICC;
        return extendedResult;
    }
    static void WINAPI Plain() { ++plain; }
    static void Reset(BOOL result) {
        extended = plain = 0;
        extendedResult = result;
        classesAsked = 0;
    }
};
int InitCalls::extended = 0;
int InitCalls::plain = 0;
BOOL InitCalls::extendedResult = TRUE;
DWORD InitCalls::classesAsked = 0;

TEST(DialogResources, TrackbarClassFallsBackToInitCommonControls) {
    InitCalls::Reset(TRUE);
    RegisterTrackbarClass({&InitCalls::Extended, &InitCalls::Plain});
    EXPECT_EQ(InitCalls::extended, 1);
    EXPECT_EQ(InitCalls::classesAsked, static_cast<DWORD>(ICC_BAR_CLASSES));
    EXPECT_EQ(InitCalls::plain, 0) << "InitCommonControlsEx did it";

    InitCalls::Reset(FALSE);
    RegisterTrackbarClass({&InitCalls::Extended, &InitCalls::Plain});
    EXPECT_EQ(InitCalls::plain, 1) << "InitCommonControlsEx refused";

    InitCalls::Reset(TRUE);
    RegisterTrackbarClass({nullptr, &InitCalls::Plain});
    EXPECT_EQ(InitCalls::plain, 1) << "comctl32 without InitCommonControlsEx";

    InitCalls::Reset(TRUE);
    RegisterTrackbarClass({nullptr, nullptr});  // no comctl32 at all: nothing to call, no crash
    EXPECT_EQ(InitCalls::extended + InitCalls::plain, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/MediaDeviceQuery.h"
#include "core/ScanUi.h"
#include "framework/Win32.h"
#include "framework/WinApp.h"
#include "saver/dialogs/AlignPictures.h"
#include "saver/dialogs/DialogInitResource.h"
#include "saver/dialogs/PropertiesDialog.h"
#include "saver/dialogs/TitleFontChoice.h"
#include "saver/resources/resource.h"
#include "saver/settings/DeviceCatalogue.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/NoMediaDevices.h"
#include "tests/win/support/DialogTemplate.h"
#include "tests/win/support/DialogWatcher.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/TestThread.h"

namespace {

constexpr int kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kCombo = 0x85;

// One control of template 131 as designed, in tab order. `kind` is the
// control's type bits (masked by `kindMask`); `flags` must all be set.
struct Control {
    int id;
    int atom;
    const char* text;
    int x, y, cx, cy;
    DWORD kindMask;
    DWORD kind;
    DWORD flags;
};

constexpr DWORD kAlignButton = BS_PUSHLIKE | BS_BITMAP;
constexpr DWORD kNoFlags = 0;

const Control kControls[] = {
    {IDOK, kButton, "OK", 118, 197, 50, 14, BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP},
    {IDCANCEL, kButton, "Cancel", 182, 197, 50, 14, BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    {1016, kButton, "&Mute", 14, 199, 32, 10, BS_TYPEMASK, BS_AUTO3STATE, WS_TABSTOP},
    {-1, kButton, "&Scaling", 7, 7, 128, 37, BS_TYPEMASK, BS_GROUPBOX, kNoFlags},
    {1003, kCombo, "", 14, 22, 113, 61, 3, CBS_DROPDOWNLIST, WS_VSCROLL | WS_TABSTOP},
    {-1, kButton, "Media &Player", 7, 48, 128, 35, BS_TYPEMASK, BS_GROUPBOX, kNoFlags},
    {1039, kCombo, "", 14, 62, 113, 71, 3, CBS_DROPDOWNLIST, WS_VSCROLL | WS_TABSTOP},
    {-1, kButton, "Looping", 7, 87, 128, 40, BS_TYPEMASK, BS_GROUPBOX, kNoFlags},
    {1027, kStatic, "&Number of Loops:", 14, 100, 57, 8, SS_TYPEMASK, SS_RIGHT, kNoFlags},
    {1000, kEdit, "", 73, 97, 25, 14, 0, 0, ES_NUMBER | WS_BORDER | WS_TABSTOP},
    {1026, kButton, "&Loop Indefinitely", 14, 113, 65, 10, BS_TYPEMASK, BS_AUTO3STATE, WS_TABSTOP},
    {-1, kButton, "Alignment", 143, 7, 89, 120, BS_TYPEMASK, BS_GROUPBOX, kNoFlags},
    {1067, kButton, "Boun&ce", 149, 111, 41, 10, BS_TYPEMASK, BS_AUTO3STATE, WS_TABSTOP},
    {1070, kButton, "Center", 175, 48, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_CENTER | BS_VCENTER, kAlignButton | WS_GROUP | WS_TABSTOP},
    {1078, kButton, "UL", 146, 23, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_LEFT | BS_TOP, kAlignButton},
    {1073, kButton, "Top", 175, 23, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_TOP, kAlignButton},
    {1079, kButton, "UR", 204, 23, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_RIGHT | BS_TOP, kAlignButton},
    {1074, kButton, "Left", 146, 48, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_LEFT, kAlignButton},
    {1075, kButton, "Right", 204, 48, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_RIGHT, kAlignButton},
    {1076, kButton, "LL", 146, 73, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_LEFT | BS_BOTTOM, kAlignButton},
    {1072, kButton, "Bottom", 175, 73, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_BOTTOM, kAlignButton},
    {1077, kButton, "LR", 204, 73, 26, 22, BS_TYPEMASK | BS_CENTER | BS_VCENTER,
     BS_AUTORADIOBUTTON | BS_RIGHT | BS_BOTTOM, kAlignButton},
    // Ends the radio group.
    {-1, kButton, "&Title", 7, 130, 225, 63, BS_TYPEMASK, BS_GROUPBOX, WS_GROUP},
    {1043, kEdit, "", 14, 142, 149, 14, 0, 0, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {1047, kButton, "&Remove", 173, 142, 50, 14, BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    {1045, kButton, "&Use Filename as Title", 14, 160, 83, 10, BS_TYPEMASK, BS_AUTOCHECKBOX,
     WS_TABSTOP},
    {1059, kButton, "Show Title &Before Movie", 118, 160, 93, 10, BS_TYPEMASK, BS_AUTO3STATE,
     WS_TABSTOP},
    {1058, kButton, "Show Title &During Movie", 118, 172, 93, 10, BS_TYPEMASK, BS_AUTO3STATE,
     WS_TABSTOP},
    {1084, kButton, "Set &Font", 14, 174, 50, 14, BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
};

TEST(PropertiesTemplate, EveryControlAsDesignedInTabOrder) {
    const DialogTemplate t = DialogTemplate::Load(IDD_PROPERTIES);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.caption, "Properties");
    EXPECT_EQ(t.face, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 239);
    EXPECT_EQ(t.cy, 218);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(t.style & frame, frame);
    EXPECT_EQ(t.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN), 0u);  // opens where placed

    ASSERT_EQ(t.items.size(), sizeof kControls / sizeof kControls[0]);
    for (size_t i = 0; i < t.items.size(); ++i) {
        const Control& want = kControls[i];
        const DialogTemplate::Item& got = t.items[i];
        SCOPED_TRACE(std::to_string(i) + ": " + want.text + " " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.classAtom, want.atom);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        EXPECT_EQ(got.style & want.kindMask, want.kind);
        EXPECT_EQ(got.style & want.flags, want.flags);
        EXPECT_TRUE(got.style & WS_VISIBLE);
        // Nothing starts disabled: the dialog decides that when it opens.
        EXPECT_FALSE(got.style & WS_DISABLED);
        // Exactly one radio group: the nine alignment buttons.
        const bool alignButton = want.id >= 1070 && want.id <= 1079;
        EXPECT_EQ((got.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && got.classAtom == kButton,
                  alignButton);
    }
}

// Bounding box of the black pixels of a bitmap resource, and how its other
// pixels are coloured.
struct Picture {
    bool loaded = false;
    int width = 0, height = 0, bits = 0;
    RECT black = {16, 16, -1, -1};
    bool frameGrey = true;       // the outermost pixels are all dark grey
    bool screenSilver = true;    // every other pixel not black is silver
};

Picture ReadPicture(int id) {
    Picture pic;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) return pic;
    DIBSECTION dib = {};
    if (GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib) {
        pic.loaded = true;
        pic.width = dib.dsBmih.biWidth;
        pic.height = dib.dsBmih.biHeight;
        pic.bits = dib.dsBmih.biBitCount;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(16 * 16);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, 16, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (rows != 16) {
        pic.loaded = false;
        return pic;
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const DWORD rgb = pixels[y * 16 + x] & 0xFFFFFF;
            const bool edge = x == 0 || y == 0 || x == 15 || y == 15;
            if (edge) {
                pic.frameGrey = pic.frameGrey && rgb == 0x808080;
            } else if (rgb == 0) {
                pic.black.left = std::min<LONG>(pic.black.left, x);
                pic.black.top = std::min<LONG>(pic.black.top, y);
                pic.black.right = std::max<LONG>(pic.black.right, x + 1);
                pic.black.bottom = std::max<LONG>(pic.black.bottom, y + 1);
            } else {
                pic.screenSilver = pic.screenSilver && rgb == 0xC0C0C0;
            }
        }
    }
    return pic;
}

TEST(PropertiesTemplate, AlignmentPicturesShowTheBlockAtTheButtonsPlace) {
    // Column and row of the block: 0 left/top, 1 middle, 2 right/bottom.
    struct Case {
        int id;
        int column, row;
    } cases[] = {
        {146, 1, 1}, {147, 1, 0}, {148, 1, 2}, {149, 0, 1}, {150, 2, 1},
        {151, 0, 0}, {152, 2, 0}, {153, 0, 2}, {154, 2, 2},
    };
    const int left[3] = {2, 5, 8}, top[3] = {2, 6, 10};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const Picture pic = ReadPicture(c.id);
        ASSERT_TRUE(pic.loaded);
        EXPECT_EQ(pic.width, 16);
        EXPECT_EQ(pic.height, 16);
        EXPECT_EQ(pic.bits, 4);
        EXPECT_TRUE(pic.frameGrey);
        EXPECT_TRUE(pic.screenSilver);
        EXPECT_EQ(pic.black.left, left[c.column]);
        EXPECT_EQ(pic.black.right, left[c.column] + 6);
        EXPECT_EQ(pic.black.top, top[c.row]);
        EXPECT_EQ(pic.black.bottom, top[c.row] + 4);
    }
}

INT_PTR CALLBACK BareProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::vector<std::string> ComboTexts(HWND combo) {
    std::vector<std::string> out;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}

TEST(PropertiesTemplate, CombosAreFilledFromTheTemplatesStrings) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROPERTIES),
                                     nullptr, &BareProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ApplyDialogInit(dialog, IDD_PROPERTIES), 12);
    EXPECT_EQ(ComboTexts(GetDlgItem(dialog, IDC_PROP_SCALE)),
              (std::vector<std::string>{"Use Global Options", "Original size",
                                        "Double original size", "Half original size",
                                        "Full screen size", "3/4 of screen size",
                                        "1/2 of screen size", "1/4 of screen size",
                                        "Don't change"}));
    EXPECT_EQ(ComboTexts(GetDlgItem(dialog, IDC_PROP_PLAYER)),
              (std::vector<std::string>{"Auto Detect", "Don't change", "QuickTime 3"}));
    // A template without such strings adds nothing.
    EXPECT_EQ(ApplyDialogInit(dialog, IDD_SCAN), 0);
    DestroyWindow(dialog);
}

// Where the black of a window's picture lies: the centre of its black
// pixels relative to the window's middle, in pixels (x right, y down).
struct BlackCentre {
    bool found = false;
    int dx = 0, dy = 0;
};

BlackCentre BlackCentreOf(HWND wnd) {
    RECT client;
    GetClientRect(wnd, &client);
    HDC dc = GetDC(wnd);
    long sumX = 0, sumY = 0, count = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0) {
                sumX += x;
                sumY += y;
                ++count;
            }
        }
    }
    ReleaseDC(wnd, dc);
    BlackCentre c;
    if (count < 20) return c;  // the block has 24 pixels; a focus dot or two is not it
    c.found = true;
    c.dx = static_cast<int>(sumX / count) - client.right / 2;
    c.dy = static_cast<int>(sumY / count) - client.bottom / 2;
    return c;
}

TEST(PropertiesTemplate, EachButtonShowsItsPicturePushedTowardItsPlace) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROPERTIES),
                                     nullptr, &BareProc, 0);
    ASSERT_NE(dialog, nullptr);
    AlignPictures pictures;
    EXPECT_EQ(pictures.AttachTo(dialog), 9);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(dialog);
    PumpFor(300);
    // Column and row of the place each button stands for, in radio order.
    const int place[9][2] = {{1, 1}, {0, 0}, {1, 0}, {2, 0}, {0, 1},
                             {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(AlignPictures::kButtonIds[i]);
        HWND button = GetDlgItem(dialog, AlignPictures::kButtonIds[i]);
        EXPECT_NE(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        const BlackCentre c = BlackCentreOf(button);
        ASSERT_TRUE(c.found);
        const int where[2] = {c.dx, c.dy};
        for (int axis = 0; axis < 2; ++axis) {
            switch (place[i][axis]) {
            case 0: EXPECT_LT(where[axis], -4) << "axis " << axis; break;
            case 1: EXPECT_LE(std::abs(where[axis]), 2) << "axis " << axis; break;
            default: EXPECT_GT(where[axis], 4) << "axis " << axis; break;
            }
        }
    }
    DestroyWindow(dialog);
}

// Answers the system's font dialog from another thread: notes its owner and
// the sizes it offers, then presses `answer`.
class FontDialogAnswer {
public:
    explicit FontDialogAnswer(int answer) : thread_([this, answer] { Run(answer); }) {}
    ~FontDialogAnswer() {
        stop_ = true;
        thread_.Join();
    }
    HWND owner = nullptr;
    std::vector<std::string> sizes;
    std::atomic<bool> answered{false};

private:
    void Run(int answer) {
        for (int tries = 0; tries < 500 && !stop_; ++tries) {
            HWND dialog = FindWindowA("#32770", "Font");
            if (dialog != nullptr && IsWindowVisible(dialog)) {
                owner = GetWindow(dialog, GW_OWNER);
                HWND sizeBox = GetDlgItem(dialog, 0x472);  // the size combo
                sizes = ComboTexts(sizeBox);
                PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                answered = true;
                return;
            }
            Sleep(20);
        }
    }
    std::atomic<bool> stop_{false};
    TestThread thread_;
};

TEST(TitleFontChoice, OffersOnlyTwelvePointsAndReturnsTheChoiceOnOk) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    LogFont font;
    font.lfHeight = -16;
    std::strcpy(font.lfFaceName, "Arial");
    font.lfWeight = 700;
    {
        FontDialogAnswer watcher(IDOK);
        EXPECT_TRUE(ChooseTitleFont(owner, font));
        EXPECT_TRUE(watcher.answered);
        EXPECT_EQ(watcher.owner, owner);
        EXPECT_EQ(watcher.sizes, std::vector<std::string>{"12"});
    }
    EXPECT_STRNE(font.lfFaceName, "");
    EXPECT_EQ(font.lfWeight, 700);  // started from the given font
    const LogFont before = font;
    {
        FontDialogAnswer watcher(IDCANCEL);
        EXPECT_FALSE(ChooseTitleFont(owner, font));
        EXPECT_TRUE(watcher.answered);
    }
    EXPECT_EQ(0, std::memcmp(&font, &before, sizeof font));
    DestroyWindow(owner);
}

// --- the dialog at work, control by control ---

const char kApp[] = "PropertiesTest";

// The script a test runs inside the dialog's modal loop, once it is up.
std::function<void(HWND)> g_script;
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "Properties");
    if (dialog == nullptr || !g_script) return;
    KillTimer(nullptr, timer);
    auto script = std::move(g_script);
    g_script = nullptr;
    script(dialog);
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
LRESULT State(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0); }
int Selected(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}
std::string Text(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool ReadOnly(HWND dialog, int id) {
    return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}
void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

class PropertiesWin : public ::testing::Test {
protected:
    PropertiesWin() {
        store_.SetNumber("ReadMCI", 1, "MCI");
        store_.SetNumber("NumDevices", 2, "MCI");
        store_.SetText("MCIDevice0", "waveaudio", "MCI");
        store_.SetText("MCIName0", "Wave Player", "MCI");
        store_.SetText("MCIDevice1", "avivideo", "MCI");
        store_.SetText("MCIName1", "Video Player", "MCI");
        catalogue_.Load();
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 60, 40, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
        values.Mute = 0;
        values.Loops = 1;
        values.Scale = ScaleNatural;
        values.Player = 0;
        values.Align = AlignCenter;
        values.Title = "Intro";
        values.FileNameTitle = "Intro";
    }
    ~PropertiesWin() override { DestroyWindow(owner_); }

    // Runs the dialog over `values` with `script`; false when the script did
    // not get to run or the dialog ended other than with OK.
    bool Run(std::function<void(HWND)> script) {
        bool ran = false;
        g_script = [&ran, script](HWND dialog) {
            ran = true;
            script(dialog);
        };
        SetTimer(nullptr, 0, 50, &RunScript);
        const bool ok = RunPropertiesDialog(owner_, catalogue_, values);
        g_script = nullptr;
        EXPECT_TRUE(ran);
        return ok;
    }

    CWinApp app_{kApp};
    MemoryProfileStore store_;
    NoDevices devices_;
    NoScanUi ui_;
    DeviceCatalogue catalogue_{store_, devices_, ui_};
    HWND owner_ = nullptr;
    PropertyValues values;
};

TEST_F(PropertiesWin, MixedValuesAsShownAndLeftAsTheyWere) {
    values.MultiSelect = 1;
    values.SeveralInList = 1;
    values.Mute = values.TitleMovie = values.TitleBefore = values.Bounce = 2;
    values.LoopInfinite = 2;
    values.Loops = 0;
    values.Scale = ScaleDontChange;
    values.Player = PropertyValues::kPlayerDontChange;
    values.Align = -1;
    DialogWatcher warnings(IDOK, "Warning");
    const PropertyValues before = values;
    EXPECT_TRUE(Run([&](HWND dialog) {
        // Where it opened: its client area starts at the owner's, not centred.
        POINT mine = {0, 0}, origin = {0, 0};
        ClientToScreen(dialog, &mine);
        ClientToScreen(owner_, &origin);
        EXPECT_EQ(mine.x, origin.x);
        EXPECT_EQ(mine.y, origin.y);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
        for (int id : {IDC_PROP_MUTE, IDC_PROP_TITLE_MOVIE, IDC_PROP_TITLE_BEFORE, IDC_PROP_BOUNCE,
                       IDC_PROP_LOOP_INFINITE}) {
            EXPECT_EQ(State(dialog, id), BST_INDETERMINATE) << id;
        }
        EXPECT_EQ(Text(dialog, IDC_PROP_LOOPS), "0");
        EXPECT_EQ(Text(dialog, IDC_PROP_SCALE), "Don't change");
        EXPECT_EQ(Text(dialog, IDC_PROP_PLAYER), "Don't change");
        EXPECT_EQ(ComboTexts(GetDlgItem(dialog, IDC_PROP_PLAYER)),
                  (std::vector<std::string>{"Auto Detect", "Don't change", "QuickTime 3",
                                            "Wave Player", "Video Player"}));
        for (int id : AlignPictures::kButtonIds) EXPECT_EQ(State(dialog, id), BST_UNCHECKED) << id;
        // Loops are disabled while Loop Indefinitely is mixed, and the title
        // field for several items.
        EXPECT_FALSE(Enabled(dialog, IDC_PROP_LOOPS));
        EXPECT_FALSE(Enabled(dialog, IDC_PROP_LOOPS_LABEL));
        EXPECT_FALSE(Enabled(dialog, IDC_PROP_TITLE));
        EXPECT_EQ(State(dialog, IDC_PROP_USE_FILENAME), BST_UNCHECKED);
        // Bounce leaves the alignment buttons usable.
        EXPECT_TRUE(Enabled(dialog, IDC_PROP_ALIGN_RIGHT));
        Press(dialog, IDOK);
    }));
    EXPECT_TRUE(warnings.seen().empty());  // the dialog's own "0" warns nobody
    EXPECT_EQ(values.Mute, 2);
    EXPECT_EQ(values.Bounce, 2);
    EXPECT_EQ(values.Loops, 0u);
    EXPECT_EQ(values.Scale, ScaleDontChange);
    EXPECT_EQ(values.Player, 1);
    EXPECT_EQ(values.Align, -1);
    EXPECT_EQ(values.UseFileName, 0);
    EXPECT_EQ(before.Title, values.Title);
}

TEST_F(PropertiesWin, MixedBoxesBecomeTwoStateAtTheFirstClick) {
    values.Mute = 2;
    values.Bounce = 2;
    values.TitleBefore = 2;
    values.TitleMovie = 1;
    EXPECT_TRUE(Run([&](HWND dialog) {
        Click(dialog, IDC_PROP_MUTE);
        EXPECT_EQ(State(dialog, IDC_PROP_MUTE), BST_UNCHECKED);
        Click(dialog, IDC_PROP_MUTE);
        EXPECT_EQ(State(dialog, IDC_PROP_MUTE), BST_CHECKED);
        Click(dialog, IDC_PROP_MUTE);
        EXPECT_EQ(State(dialog, IDC_PROP_MUTE), BST_UNCHECKED);
        Click(dialog, IDC_PROP_BOUNCE);
        Click(dialog, IDC_PROP_BOUNCE);
        EXPECT_EQ(State(dialog, IDC_PROP_BOUNCE), BST_CHECKED);
        Click(dialog, IDC_PROP_TITLE_BEFORE);
        Click(dialog, IDC_PROP_TITLE_MOVIE);  // set -> would be mixed: clear
        EXPECT_EQ(State(dialog, IDC_PROP_TITLE_MOVIE), BST_UNCHECKED);
        Press(dialog, IDOK);
    }));
    EXPECT_EQ(values.Mute, 0);
    EXPECT_EQ(values.Bounce, 1);
    EXPECT_EQ(values.TitleBefore, 0);
    EXPECT_EQ(values.TitleMovie, 0);
}

TEST_F(PropertiesWin, LoopIndefinitelyAsksWhenTheListHoldsSeveral) {
    values.SeveralInList = 1;
    {
        DialogWatcher confirm(IDNO, "Confirm");
        EXPECT_TRUE(Run([&](HWND dialog) {
            EXPECT_TRUE(Enabled(dialog, IDC_PROP_LOOPS));
            Click(dialog, IDC_PROP_LOOP_INFINITE);
            EXPECT_EQ(State(dialog, IDC_PROP_LOOP_INFINITE), BST_UNCHECKED);
            EXPECT_TRUE(Enabled(dialog, IDC_PROP_LOOPS));
            Press(dialog, IDOK);
        }));
        const auto seen = confirm.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text,
                  "You have chosen to loop indefinitely. As a result, you will not be able to "
                  "view other videos in your list. Are you sure you want to keep this option?");
        EXPECT_EQ(values.LoopInfinite, 0);
    }
    {
        DialogWatcher confirm(IDYES, "Confirm");
        EXPECT_TRUE(Run([&](HWND dialog) {
            Click(dialog, IDC_PROP_LOOP_INFINITE);
            EXPECT_EQ(State(dialog, IDC_PROP_LOOP_INFINITE), BST_CHECKED);
            EXPECT_FALSE(Enabled(dialog, IDC_PROP_LOOPS));
            EXPECT_FALSE(Enabled(dialog, IDC_PROP_LOOPS_LABEL));
            Press(dialog, IDOK);
        }));
        EXPECT_EQ(confirm.seen().size(), 1u);
        EXPECT_EQ(values.LoopInfinite, 1);
    }
    values.SeveralInList = 0;
    values.LoopInfinite = 0;
    DialogWatcher confirm(IDNO, "Confirm");
    EXPECT_TRUE(Run([&](HWND dialog) {
        Click(dialog, IDC_PROP_LOOP_INFINITE);
        EXPECT_EQ(State(dialog, IDC_PROP_LOOP_INFINITE), BST_CHECKED);
        Press(dialog, IDOK);
    }));
    EXPECT_TRUE(confirm.seen().empty());
    EXPECT_EQ(values.LoopInfinite, 1);
}

TEST_F(PropertiesWin, LoopsFieldWarnsAtZeroAndRefusesEmpty) {
    DialogWatcher warning(IDOK, "Warning");
    DialogWatcher invalid(IDOK, kApp);
    EXPECT_TRUE(Run([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_PROP_LOOPS, "0");
        SetDlgItemTextA(dialog, IDC_PROP_LOOPS, "");
        // OK with the field empty: refused, the dialog stays, the focus on it.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PROP_LOOPS));
        SetDlgItemTextA(dialog, IDC_PROP_LOOPS, "5");
        Press(dialog, IDOK);
    }));
    auto seen = warning.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "You have specified 0 loops. The field will not be updated.");
    seen = invalid.seen();
    ASSERT_GE(seen.size(), 1u);
    for (const auto& one : seen) EXPECT_EQ(one.text, "Please enter a positive integer.");
    EXPECT_EQ(values.Loops, 5u);
}

// With the loops field emptied, a click on a mixed box, Loop Indefinitely,
// Use Filename or Remove is answered by the field's message, and what the
// user typed elsewhere since stays as typed.
TEST_F(PropertiesWin, AClickWhileTheLoopsFieldIsEmptyKeepsWhatWasTyped) {
    values.Title = "Old";
    values.Mute = PropertyValues::kMixedFlag;
    DialogWatcher invalid(IDOK, kApp);
    EXPECT_TRUE(Run([&](HWND dialog) {
        for (int button : {IDC_PROP_MUTE, IDC_PROP_LOOP_INFINITE, IDC_PROP_USE_FILENAME, IDC_PROP_REMOVE_TITLE}) {
            SCOPED_TRACE(button);
            SetDlgItemTextA(dialog, IDC_PROP_TITLE, "Typed title");
            SetDlgItemTextA(dialog, IDC_PROP_LOOPS, "");
            Click(dialog, button);
            EXPECT_EQ(Text(dialog, IDC_PROP_TITLE), "Typed title");
            EXPECT_EQ(Text(dialog, IDC_PROP_LOOPS), "");
        }
        SetDlgItemTextA(dialog, IDC_PROP_TITLE, "Typed title");
        SetDlgItemTextA(dialog, IDC_PROP_LOOPS, "4");
        Press(dialog, IDOK);
    }));
    EXPECT_GE(invalid.seen().size(), 4u);
    EXPECT_EQ(values.Title, "Typed title");
    EXPECT_EQ(values.Loops, 4u);
}

TEST_F(PropertiesWin, TitleFieldFollowsUseFilenameAndRemove) {
    values.FileNameTitle = "Intro";
    values.Title = "Intro";
    EXPECT_TRUE(Run([&](HWND dialog) {
        EXPECT_EQ(State(dialog, IDC_PROP_USE_FILENAME), BST_CHECKED);
        EXPECT_TRUE(ReadOnly(dialog, IDC_PROP_TITLE));
        Click(dialog, IDC_PROP_USE_FILENAME);
        EXPECT_FALSE(ReadOnly(dialog, IDC_PROP_TITLE));
        EXPECT_EQ(Text(dialog, IDC_PROP_TITLE), "Intro");
        SetDlgItemTextA(dialog, IDC_PROP_TITLE, "Typed");
        Click(dialog, IDC_PROP_REMOVE_TITLE);
        EXPECT_EQ(Text(dialog, IDC_PROP_TITLE), "");
        EXPECT_FALSE(ReadOnly(dialog, IDC_PROP_TITLE));
        SetDlgItemTextA(dialog, IDC_PROP_TITLE, "My title");
        Press(dialog, IDOK);
    }));
    EXPECT_EQ(values.Title, "My title");
    EXPECT_EQ(values.TitleRemoved, 1);
    EXPECT_EQ(values.UseFileName, 0);

    values.Title = "Other";
    values.TitleRemoved = 0;
    EXPECT_TRUE(Run([&](HWND dialog) {
        EXPECT_EQ(State(dialog, IDC_PROP_USE_FILENAME), BST_UNCHECKED);
        EXPECT_FALSE(ReadOnly(dialog, IDC_PROP_TITLE));
        Click(dialog, IDC_PROP_USE_FILENAME);
        EXPECT_EQ(Text(dialog, IDC_PROP_TITLE), "Intro");
        EXPECT_TRUE(ReadOnly(dialog, IDC_PROP_TITLE));
        Press(dialog, IDOK);
    }));
    EXPECT_EQ(values.Title, "Intro");
    EXPECT_EQ(values.UseFileName, 1);
}

TEST_F(PropertiesWin, PlayerScaleAndAlignment) {
    values.Player = 4;  // the second catalogue entry
    values.Scale = ScaleDouble;
    values.Align = AlignUpperLeft;
    EXPECT_TRUE(Run([&](HWND dialog) {
        EXPECT_EQ(Text(dialog, IDC_PROP_PLAYER), "Video Player");
        EXPECT_EQ(Selected(dialog, IDC_PROP_SCALE), ScaleDouble);
        EXPECT_EQ(State(dialog, IDC_PROP_ALIGN_UPPERLEFT), BST_CHECKED);
        for (int id : AlignPictures::kButtonIds) {
            EXPECT_NE(SendDlgItemMessageA(dialog, id, BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << id;
        }
        Click(dialog, IDC_PROP_ALIGN_RIGHT);
        EXPECT_EQ(State(dialog, IDC_PROP_ALIGN_UPPERLEFT), BST_UNCHECKED);
        SendDlgItemMessageA(dialog, IDC_PROP_SCALE, CB_SETCURSEL, ScaleHalf, 0);
        SendDlgItemMessageA(dialog, IDC_PROP_PLAYER, CB_SETCURSEL, 2, 0);
        Press(dialog, IDOK);
    }));
    EXPECT_EQ(values.Align, AlignRight);
    EXPECT_EQ(values.Scale, ScaleHalf);
    EXPECT_EQ(values.Player, PropertyValues::kPlayerQuickTime);
}

TEST_F(PropertiesWin, SetFontKeepsTheChoiceAndCancelKeepsEverything) {
    std::strcpy(values.TitleFontCopy.lfFaceName, "Arial");
    values.TitleFontCopy.lfHeight = -16;
    {
        FontDialogAnswer font(IDOK);
        EXPECT_TRUE(Run([&](HWND dialog) {
            Click(dialog, IDC_PROP_SET_FONT);
            EXPECT_TRUE(font.answered);
            EXPECT_EQ(font.owner, dialog);
            Press(dialog, IDOK);
        }));
    }
    EXPECT_EQ(values.FontChanged, 1);
    EXPECT_STRNE(values.TitleFontCopy.lfFaceName, "");

    const PropertyValues before = values;
    EXPECT_FALSE(Run([&](HWND dialog) {
        Click(dialog, IDC_PROP_MUTE);
        SetDlgItemTextA(dialog, IDC_PROP_TITLE, "changed");
        Press(dialog, IDCANCEL);
    }));
    EXPECT_EQ(values.Mute, before.Mute);
    EXPECT_EQ(values.Title, before.Title);
}

}  // namespace

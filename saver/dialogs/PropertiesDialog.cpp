#include "saver/dialogs/PropertiesDialog.h"

#include "framework/DataExchange.h"
#include "saver/dialogs/DialogInitResource.h"
#include "saver/dialogs/PropertyRules.h"
#include "saver/dialogs/TitleFontChoice.h"
#include "saver/resources/resource.h"
#include "saver/settings/DeviceCatalogue.h"

PropertiesDialog::PropertiesDialog(HWND owner, const DeviceCatalogue& catalogue)
    : CDialog(IDD_PROPERTIES, owner), Catalogue(catalogue) {}

void PropertiesDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_PROP_TITLE, titleEdit_);
    DDX_Control(dx, IDC_PROP_PLAYER, playerCombo_);
    DDX_Control(dx, IDC_PROP_LOOPS, loopsEdit_);
    DDX_Control(dx, IDC_PROP_LOOPS_LABEL, loopsLabel_);
    DDX_Check3(dx, IDC_PROP_MUTE, Mute);
    DDX_Text(dx, IDC_PROP_LOOPS, Loops);
    DDV_MinMaxUInt(dx, Loops, 0, 4294967295u);
    DDX_Check3(dx, IDC_PROP_LOOP_INFINITE, LoopInfinite);
    DDX_CBIndex(dx, IDC_PROP_SCALE, Scale);
    DDX_CBIndex(dx, IDC_PROP_PLAYER, Player);
    DDX_Text(dx, IDC_PROP_TITLE, Title);
    DDX_Check(dx, IDC_PROP_USE_FILENAME, UseFileName);
    DDX_Check3(dx, IDC_PROP_TITLE_MOVIE, TitleMovie);
    DDX_Check3(dx, IDC_PROP_TITLE_BEFORE, TitleBefore);
    DDX_Radio(dx, IDC_PROP_ALIGN_CENTER, Align);
    DDX_Check3(dx, IDC_PROP_BOUNCE, Bounce);
}

LRESULT PropertiesDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<PropertiesDialog> kHandlers[] = {
        {IDC_PROP_LOOP_INFINITE, BN_CLICKED, &PropertiesDialog::OnLoopInfinite},
        {IDC_PROP_MUTE, BN_CLICKED, &PropertiesDialog::OnMute},
        {IDC_PROP_LOOPS, EN_CHANGE, &PropertiesDialog::OnLoopsChanged},
        {IDC_PROP_USE_FILENAME, BN_CLICKED, &PropertiesDialog::OnUseFileName},
        {IDC_PROP_REMOVE_TITLE, BN_CLICKED, &PropertiesDialog::OnRemoveTitle},
        {IDC_PROP_TITLE_MOVIE, BN_CLICKED, &PropertiesDialog::OnTitleMovie},
        {IDC_PROP_TITLE_BEFORE, BN_CLICKED, &PropertiesDialog::OnTitleBefore},
        {IDC_PROP_BOUNCE, BN_CLICKED, &PropertiesDialog::OnBounce},
        {IDC_PROP_SET_FONT, BN_CLICKED, &PropertiesDialog::OnSetFont},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL PropertiesDialog::OnInitDialog() {
    // The combo strings kept beside the template go in first, as the
    // template's own.
    ApplyDialogInit(m_hWnd, IDD_PROPERTIES);
    // The player list holds only its three fixed entries here, so a device
    // position selects nothing until step 4.
    CDialog::OnInitDialog();
    EnableLoops();
    switch (StartTitle(*this)) {
    case TitleField::Disabled: EnableWindow(titleEdit_, FALSE); break;
    case TitleField::ReadOnly: SetTitleReadOnly(true); break;
    case TitleField::Writable: break;
    }
    for (uint32_t i = 0; i < Catalogue.Count(); ++i) {
        const MciDevice* entry = Catalogue.GetAt(i);
        if (entry == nullptr) break;
        SendMessageA(playerCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry->Name.c_str()));
    }
    SendMessageA(playerCombo_, CB_SETCURSEL, static_cast<WPARAM>(Player), 0);
    pictures_ = std::make_unique<AlignPictures>();
    pictures_->AttachTo(m_hWnd);
    UpdateData(false);
    return TRUE;
}

void PropertiesDialog::EnableLoops() {
    const BOOL enable = LoopsEnabled(*this) ? TRUE : FALSE;
    EnableWindow(loopsLabel_, enable);
    EnableWindow(loopsEdit_, enable);
}

void PropertiesDialog::SetTitleReadOnly(bool readOnly) {
    SendMessageA(titleEdit_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

// Each click rule starts from the controls as read. When the loops field
// does not read as a number the framework has said so and focused it; the
// rule is then left undone, so that nothing the user typed elsewhere is
// written over with the values of the last good read.
void PropertiesDialog::OnLoopInfinite() {
    if (!UpdateData(true)) return;
    LoopInfiniteClicked(*this, [this] {
        return ShowMessage(IDS_LOOP_FOREVER, IDS_CONFIRM_CAPTION, MB_YESNO | MB_ICONQUESTION) == IDYES;
    });
    UpdateData(false);
    EnableLoops();
}

void PropertiesDialog::ClearMixedOnClick(int32_t& flag) {
    if (!UpdateData(true)) return;
    if (ClearMixedAfterClick(flag)) UpdateData(false);
}

void PropertiesDialog::OnLoopsChanged() {
    // A field that does not read as a number has been answered by the
    // framework's own message; the count kept from before is not the user's.
    if (UpdateData(true) && WarnZeroLoops(*this)) ShowMessage(IDS_ZERO_LOOPS, IDS_WARNING_CAPTION, MB_ICONINFORMATION);
}

void PropertiesDialog::OnUseFileName() {
    if (!UpdateData(true)) return;
    SetTitleReadOnly(UseFileNameClicked(*this) == TitleField::ReadOnly);
    UpdateData(false);
}

void PropertiesDialog::OnRemoveTitle() {
    if (!UpdateData(true)) return;
    SetTitleReadOnly(RemoveTitleClicked(*this) == TitleField::ReadOnly);
    UpdateData(false);
}

void PropertiesDialog::OnSetFont() {
    LogFont font = TitleFontCopy;
    if (!ChooseTitleFont(m_hWnd, font)) return;
    FontChanged = 1;
    TitleFontCopy = font;
}

bool RunPropertiesDialog(HWND owner, const DeviceCatalogue& catalogue, PropertyValues& values) {
    PropertiesDialog dialog(owner, catalogue);
    static_cast<PropertyValues&>(dialog) = values;
    if (dialog.DoModal() != IDOK) return false;
    values = dialog;
    return true;
}

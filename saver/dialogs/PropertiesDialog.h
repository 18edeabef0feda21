#pragma once
#include <memory>

#include "framework/Dialog.h"
#include "saver/dialogs/AlignPictures.h"
#include "saver/dialogs/PropertyValues.h"

class DeviceCatalogue;

// The per-item properties of one or several playlist entries (template
// 131). Its members are the values of PropertyValues: filled by the caller
// before the run, read back by it after OK. It opens at the top-left corner
// of its owner's client area.
class PropertiesDialog : public CDialog, public PropertyValues {
public:
    PropertiesDialog(HWND owner, const DeviceCatalogue& catalogue);

    // Its entries follow the three fixed ones of the player list.
    const DeviceCatalogue& Catalogue;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnLoopInfinite();
    void OnMute() { ClearMixedOnClick(Mute); }
    void OnTitleMovie() { ClearMixedOnClick(TitleMovie); }
    void OnTitleBefore() { ClearMixedOnClick(TitleBefore); }
    void OnBounce() { ClearMixedOnClick(Bounce); }
    void OnLoopsChanged();
    void OnUseFileName();
    void OnRemoveTitle();
    void OnSetFont();

    void ClearMixedOnClick(int32_t& flag);
    void EnableLoops();
    void SetTitleReadOnly(bool readOnly);

    HWND titleEdit_ = nullptr;
    HWND playerCombo_ = nullptr;
    HWND loopsEdit_ = nullptr;
    HWND loopsLabel_ = nullptr;
    std::unique_ptr<AlignPictures> pictures_;
};

// Runs the dialog modally over `values`, owned by `owner`; true and the
// edited values on OK, false and `values` untouched otherwise.
bool RunPropertiesDialog(HWND owner, const DeviceCatalogue& catalogue, PropertyValues& values);

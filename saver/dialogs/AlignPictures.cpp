#include "saver/dialogs/AlignPictures.h"

#include "saver/resources/resource.h"

// Center, UL, Top, UR, Left, Right, LL, Bottom, LR: the radio group's order.
const int AlignPictures::kButtonIds[kButtons] = {
    IDC_PROP_ALIGN_CENTER, IDC_PROP_ALIGN_UPPERLEFT, IDC_PROP_ALIGN_TOP,
    IDC_PROP_ALIGN_UPPERRIGHT, IDC_PROP_ALIGN_LEFT, IDC_PROP_ALIGN_RIGHT,
    IDC_PROP_ALIGN_LOWERLEFT, IDC_PROP_ALIGN_BOTTOM, IDC_PROP_ALIGN_LOWERRIGHT,
};
const int AlignPictures::kBitmapIds[kButtons] = {
    IDB_ALIGN_CENTER, IDB_ALIGN_UPPERLEFT, IDB_ALIGN_TOP,
    IDB_ALIGN_UPPERRIGHT, IDB_ALIGN_LEFT, IDB_ALIGN_RIGHT,
    IDB_ALIGN_LOWERLEFT, IDB_ALIGN_BOTTOM, IDB_ALIGN_LOWERRIGHT,
};

AlignPictures::AlignPictures() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (int i = 0; i < kButtons; ++i) {
        pictures_[i].reset(static_cast<HBITMAP>(
            LoadImageA(module, MAKEINTRESOURCEA(kBitmapIds[i]), IMAGE_BITMAP, 0, 0, 0)));
    }
}

int AlignPictures::AttachTo(HWND dialog) const {
    int attached = 0;
    for (int i = 0; i < kButtons; ++i) {
        if (!pictures_[i]) continue;
        SendDlgItemMessageA(dialog, kButtonIds[i], BM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(pictures_[i].get()));
        ++attached;
    }
    return attached;
}

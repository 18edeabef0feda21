#pragma once
#include "framework/Handles.h"
#include "framework/Win32.h"

// The pictures of the properties dialog's nine alignment buttons (bitmaps
// 146 to 154). A button does not own the picture it shows, so this object
// keeps them until the dialog is gone.
class AlignPictures {
public:
    // The button ids and their pictures, in the order of the alignment numbers.
    static constexpr int kButtons = 9;
    static const int kButtonIds[kButtons];
    static const int kBitmapIds[kButtons];

    // Loads the nine bitmaps from the program's resources.
    AlignPictures();
    // Puts each loaded picture on its button of `dialog`; returns how many
    // buttons got one.
    int AttachTo(HWND dialog) const;

private:
    Bitmap pictures_[kButtons];
};

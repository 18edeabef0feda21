#pragma once
#include <cstdint>

#include "saver/dialogs/PropertyValues.h"

// What the properties dialog's buttons do to its values, apart from the
// controls. Each rule runs after the controls have been read into `values`;
// the dialog then writes the values back into the controls.

// Whether the loops label and field can be used: only when Loop
// Indefinitely is clear (not when it is set, nor when it is mixed).
bool LoopsEnabled(const PropertyValues& values);

// How the title field starts: disabled for several items, read-only when a
// single item's title is its file-name title (Use Filename as Title then
// starts checked).
enum class TitleField { Writable, ReadOnly, Disabled };
TitleField StartTitle(PropertyValues& values);

// Loop Indefinitely clicked. A mixed box becomes clear; a box just set while
// the playlist holds more than one entry asks `confirm` first (it plays the
// one movie for ever), and No clears it again.
template <typename Confirm>
void LoopInfiniteClicked(PropertyValues& values, Confirm confirm) {
    if (values.LoopInfinite == PropertyValues::kMixedFlag) {
        values.LoopInfinite = 0;
    } else if (values.SeveralInList != 0 && values.LoopInfinite == 1 && !confirm()) {
        values.LoopInfinite = 0;
    }
}

// A three-state box that was mixed becomes clear at its first click, so the
// user only ever steps it between set and clear. true when `flag` changed.
bool ClearMixedAfterClick(int32_t& flag);

// Use Filename as Title clicked: the field shows the file-name title and a
// earlier Remove is forgotten; the field is read-only while the box is set.
TitleField UseFileNameClicked(PropertyValues& values);

// Remove clicked: no title, Use Filename as Title cleared; for several items
// the field stays read-only, for one it can be typed into again.
TitleField RemoveTitleClicked(PropertyValues& values);

// The loops field was edited by the user: a count of 0 earns the warning
// that nothing will be written.
bool WarnZeroLoops(const PropertyValues& values);

#include "saver/dialogs/PropertyRules.h"

bool LoopsEnabled(const PropertyValues& values) { return values.LoopInfinite == 0; }

TitleField StartTitle(PropertyValues& values) {
    if (values.MultiSelect != 0) {
        values.UseFileName = 0;
        return TitleField::Disabled;
    }
    if (values.FileNameTitle == values.Title) {
        values.UseFileName = 1;
        return TitleField::ReadOnly;
    }
    return TitleField::Writable;
}

bool ClearMixedAfterClick(int32_t& flag) {
    if (flag != PropertyValues::kMixedFlag) return false;
    flag = 0;
    return true;
}

TitleField UseFileNameClicked(PropertyValues& values) {
    values.Title = values.FileNameTitle;
    values.TitleRemoved = 0;
    return values.UseFileName == 1 ? TitleField::ReadOnly : TitleField::Writable;
}

TitleField RemoveTitleClicked(PropertyValues& values) {
    values.TitleRemoved = 1;
    values.UseFileName = 0;
    values.Title.clear();
    return values.MultiSelect != 0 ? TitleField::ReadOnly : TitleField::Writable;
}

bool WarnZeroLoops(const PropertyValues& values) { return values.Loops == 0; }

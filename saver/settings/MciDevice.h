#pragma once
#include <string>

#include "saver/settings/ObjectList.h"

// One entry of the device catalogue.
class MciDevice : public ListElement {
public:
    void Release() override {}

    // The MCI device type name, as MCI lists it; what an item's MCI holds.
    std::string Device;
    // The product description shown to the user: a copy of Device when the
    // device could not be opened, empty when it gave none or was skipped.
    std::string Name;
};

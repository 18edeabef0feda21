#pragma once
#include "core/MediaDeviceQuery.h"

// The installed devices as MCI reports them, every request with MCI_WAIT:
// MCI_SYSINFO for the count and the names, MCI_OPEN by type, MCI_INFO for
// the product description, MCI_CLOSE.
class MciDeviceQuery : public MediaDeviceQuery {
public:
    bool CountDevices(uint32_t& count) override;
    bool DeviceName(uint32_t number, std::string& name) override;
    bool OpenDevice(const std::string& type, uint32_t& device) override;
    bool ProductName(uint32_t device, std::string& product) override;
    void CloseDevice(uint32_t device) override;
};

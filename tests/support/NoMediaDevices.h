#pragma once
#include <cstdint>
#include <string>

#include "core/MediaDeviceQuery.h"
#include "core/ScanUi.h"

// A machine with no media devices, and a scan nobody answers: for tests that
// need a device catalogue but never a scan.
class NoDevices : public MediaDeviceQuery {
public:
    bool CountDevices(uint32_t&) override { return false; }
    bool DeviceName(uint32_t, std::string&) override { return false; }
    bool OpenDevice(const std::string&, uint32_t&) override { return false; }
    bool ProductName(uint32_t, std::string&) override { return false; }
    void CloseDevice(uint32_t) override {}
};

class NoScanUi : public ScanUi {
public:
    bool AskRetryScan() override { return false; }
    bool ShowScanWindow() override { return false; }
    void HideScanWindow() override {}
};

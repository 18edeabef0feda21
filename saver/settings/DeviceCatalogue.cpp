#include "saver/settings/DeviceCatalogue.h"

#include <memory>

#include "core/MediaDeviceQuery.h"
#include "core/ProfileStore.h"
#include "core/SameIgnoringCase.h"
#include "core/ScanUi.h"
#include "saver/settings/MciDeviceType.h"
#include "saver/settings/SettingsNames.h"

using namespace names;

namespace {


std::string Numbered(const char* name, uint32_t i) { return name + std::to_string(i); }

// Keeps the scanning window up for as long as the probing runs, and takes
// it down also when a seam throws.
class ScanWindow {
public:
    explicit ScanWindow(ScanUi& ui) : ui_(ui), shown_(ui.ShowScanWindow()) {}
    ~ScanWindow() { Close(); }
    ScanWindow(const ScanWindow&) = delete;
    ScanWindow& operator=(const ScanWindow&) = delete;
    void Close() {
        if (shown_) ui_.HideScanWindow();
        shown_ = false;
    }

private:
    ScanUi& ui_;
    bool shown_;
};

}  // namespace

DeviceCatalogue::DeviceCatalogue(ProfileStore& store, MediaDeviceQuery& devices, ScanUi& ui)
    : store_(store), devices_(devices), ui_(ui) {}

MciDevice* DeviceCatalogue::GetAt(uint32_t i) const {
    return static_cast<MciDevice*>(list_.GetAt(i));
}

uint32_t DeviceCatalogue::QueryDeviceCount() {
    uint32_t count = 0;
    return devices_.CountDevices(count) ? count : 0;
}

bool DeviceCatalogue::QueryDeviceName(uint32_t i, std::string& device) {
    if (devices_.DeviceName(i + 1, device)) return true;
    device.clear();
    return false;
}

bool DeviceCatalogue::IsSkippedDevice(const std::string& device) {
    return device.empty() || !IsPossibleMciDeviceType(device) || SameIgnoringCase(device, kSkippedLiveAudio) ||
           SameIgnoringCase(device, kSkippedLiveAudioMeta);
}

bool DeviceCatalogue::ProbeDevice(const std::string& device, std::string& name) {
    if (IsSkippedDevice(device)) return false;
    uint32_t id = 0;
    if (!devices_.OpenDevice(device, id)) {
        name = device;
        return false;
    }
    const OpenedDevice opened(devices_, id);
    std::string product;
    const bool described = devices_.ProductName(opened.id(), product);
    name = described ? product : std::string();
    return described;
}

void DeviceCatalogue::Save() {
    ProfileBatch batch(store_, kMciSection);
    const uint32_t count = Count();
    store_.WriteProfileInt(kMciSection, kNumDevices, count);
    for (uint32_t i = 0; i < count; ++i) {
        const MciDevice* entry = GetAt(i);
        store_.WriteProfileString(kMciSection, Numbered(kMciDevice, i).c_str(),
                                  entry->Device.c_str());
        store_.WriteProfileString(kMciSection, Numbered(kMciName, i).c_str(), entry->Name.c_str());
    }
}

void DeviceCatalogue::Scan() { ScanIfAllowed(); }

bool DeviceCatalogue::ScanIfAllowed() {
    if (store_.GetProfileInt(kMciSection, kAttemptMCI, 0) != 0 && !ui_.AskRetryScan()) {
        store_.WriteProfileInt(kMciSection, kAttemptMCI, 0);
        store_.WriteProfileInt(kMciSection, kReadMCI, 1);
        return false;
    }
    // From here until the scan has stored its list, a crash leaves both
    // flags at 1 and the next openings keep away from the devices.
    store_.WriteProfileInt(kMciSection, kAttemptMCI, 1);
    store_.WriteProfileInt(kMciSection, kReadMCI, 1);
    {
        ScanWindow window(ui_);
        list_.RemoveAll();
        const uint32_t installed = QueryDeviceCount();
        for (uint32_t i = 0; i < installed; ++i) {
            auto entry = std::make_unique<MciDevice>();
            if (!QueryDeviceName(i, entry->Device)) continue;
            ProbeDevice(entry->Device, entry->Name);
            if (list_.Add(entry.get()) < 0) break;
            entry.release();
        }
        Save();
        window.Close();
    }
    store_.WriteProfileInt(kMciSection, kAttemptMCI, 0);
    store_.WriteProfileInt(kMciSection, kReadMCI, 0);
    return true;
}

void DeviceCatalogue::Load() {
    list_.RemoveAll();
    const uint32_t stored = store_.GetProfileInt(kMciSection, kNumDevices, 0);
    if (store_.GetProfileInt(kMciSection, kReadMCI, 0) == 0 && QueryDeviceCount() != stored) {
        // A scan that was declined leaves "ReadMCI" at 1: the stored list
        // is what this opening offers, as the next one would.
        if (ScanIfAllowed()) return;
    }
    ReadStoredList(stored);
}

void DeviceCatalogue::ReadStoredList(uint32_t stored) {
    ProfileBatch batch(store_, kMciSection);
    // A damaged "NumDevices" promises more than is stored; the empty
    // entries past the real ones stop at kMaxStoredDevices.
    for (uint32_t i = 0; i < stored && i < kMaxStoredDevices; ++i) {
        auto entry = std::make_unique<MciDevice>();
        entry->Device = store_.GetProfileString(kMciSection, Numbered(kMciDevice, i).c_str(), "");
        entry->Name = store_.GetProfileString(kMciSection, Numbered(kMciName, i).c_str(), "");
        if (list_.Add(entry.get()) < 0) break;
        entry.release();
    }
}

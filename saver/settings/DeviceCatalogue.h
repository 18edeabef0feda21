#pragma once
#include <cstdint>
#include <string>

#include "saver/settings/MciDevice.h"
#include "saver/settings/ObjectList.h"

class MediaDeviceQuery;
class ProfileStore;
class ScanUi;

// The installed MCI devices with their product descriptions, cached in the
// "MCI" section of the profile. Opening a device to ask for its description
// can bring a bad driver down with the program, so a scan runs rarely and
// under two flags that survive a crash: "AttemptMCI" is 1 while a scan runs,
// "ReadMCI" 1 means "take the stored list as it is".
class DeviceCatalogue {
public:
    // Load reads at most this many stored entries, whatever "NumDevices" says.
    static constexpr uint32_t kMaxStoredDevices = 1024;

    DeviceCatalogue(ProfileStore& store, MediaDeviceQuery& devices, ScanUi& ui);
    virtual ~DeviceCatalogue() = default;
    DeviceCatalogue(const DeviceCatalogue&) = delete;
    DeviceCatalogue& operator=(const DeviceCatalogue&) = delete;

    // Fills the list from the stored one, or scans when the last scan
    // finished ("ReadMCI" 0) and the number of installed devices changed.
    // When that scan is declined (No after an unfinished one), the stored
    // list is taken, as every later opening will take it.
    void Load();
    // Probes every installed device and stores the list. After a scan that
    // never finished it first asks the user; No clears "AttemptMCI", keeps
    // "ReadMCI" at 1 and changes no list. Exceptions from the seams pass and
    // leave both flags at 1, as a crash would.
    void Scan();
    // Always the number of entries the list holds, whatever the registry
    // promised and however a scan ended.
    uint32_t Count() const { return list_.Count(); }
    // nullptr when i is out of range.
    MciDevice* GetAt(uint32_t i) const;
    // Writes "NumDevices" and every entry.
    void Save();

    // The number of installed devices, 0 when the system refuses.
    uint32_t QueryDeviceCount();
    // The type name of device i (0-based); "" and false when it has none.
    bool QueryDeviceName(uint32_t i, std::string& device);
    // True for "", "LiveAudiofile" and "LiveAudioMetafile" in any case:
    // devices that are never opened.
    static bool IsSkippedDevice(const std::string& device);
    // Opens the device to read its product description into `name`. A
    // skipped device is not opened and leaves `name` empty; one that cannot
    // be opened gets its type name. true only when a description came.
    bool ProbeDevice(const std::string& device, std::string& name);

private:
    // Scan's work; false when the user declined it and nothing was scanned.
    bool ScanIfAllowed();
    // Appends the first `stored` entries of the stored list.
    void ReadStoredList(uint32_t stored);

    ObjectList list_;
    ProfileStore& store_;
    MediaDeviceQuery& devices_;
    ScanUi& ui_;
};

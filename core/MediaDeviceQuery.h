#pragma once
#include <cstdint>
#include <string>

// The installed media devices as the device catalogue asks about them. The
// Windows layer answers through MCI; tests answer from a script.
class MediaDeviceQuery {
public:
    virtual ~MediaDeviceQuery() = default;
    // false when the system refuses to count.
    virtual bool CountDevices(uint32_t& count) = 0;
    // The type name of device `number`, counted from 1, at most 255
    // characters; false when the system has no name for it.
    virtual bool DeviceName(uint32_t number, std::string& name) = 0;
    // Opens a device by its type name, with no element; false when it
    // cannot be opened. `device` identifies it to the two calls below.
    virtual bool OpenDevice(const std::string& type, uint32_t& device) = 0;
    // The product description, at most 255 characters; false when the
    // device gives none.
    virtual bool ProductName(uint32_t device, std::string& product) = 0;
    virtual void CloseDevice(uint32_t device) = 0;
};

// A device opened through a MediaDeviceQuery, closed when the owner goes
// however its scope is left, a driver's exception included.
class OpenedDevice {
public:
    OpenedDevice(MediaDeviceQuery& devices, uint32_t device) : devices_(devices), device_(device) {}
    ~OpenedDevice() { devices_.CloseDevice(device_); }
    OpenedDevice(const OpenedDevice&) = delete;
    OpenedDevice& operator=(const OpenedDevice&) = delete;

    uint32_t id() const { return device_; }

private:
    MediaDeviceQuery& devices_;
    uint32_t device_;
};

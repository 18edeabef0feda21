#include "saver/settings/win32/MciDeviceQuery.h"

#include "framework/Win32.h"

#include "framework/Multimedia.h"

#include <cstring>

#include "saver/settings/MciDeviceType.h"

namespace {

// The size of every MCI return buffer here.
constexpr DWORD kReturnSize = 256;

std::string Terminated(const char (&buffer)[kReturnSize]) {
    return std::string(buffer, strnlen(buffer, kReturnSize - 1));
}

}  // namespace

bool MciDeviceQuery::CountDevices(uint32_t& count) {
    char buffer[kReturnSize] = {};
    MCI_SYSINFO_PARMSA parms{};
    parms.lpstrReturn = buffer;
    parms.dwRetSize = kReturnSize;
    parms.wDeviceType = MCI_ALL_DEVICE_ID;
    if (SendMciCommand(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&parms)) != 0) {
        return false;
    }
    DWORD quantity = 0;
    std::memcpy(&quantity, buffer, sizeof quantity);
    count = quantity;
    return true;
}

bool MciDeviceQuery::DeviceName(uint32_t number, std::string& name) {
    char buffer[kReturnSize] = {};
    MCI_SYSINFO_PARMSA parms{};
    parms.lpstrReturn = buffer;
    parms.dwRetSize = kReturnSize;
    parms.dwNumber = number;
    parms.wDeviceType = MCI_ALL_DEVICE_ID;
    if (SendMciCommand(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_NAME | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&parms)) != 0) {
        return false;
    }
    name = Terminated(buffer);
    return true;
}

bool MciDeviceQuery::OpenDevice(const std::string& type, uint32_t& device) {
    if (!IsPossibleMciDeviceType(type)) return false;
    MCI_OPEN_PARMSA parms{};
    parms.lpstrDeviceType = type.c_str();
    if (SendMciCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&parms)) != 0) {
        return false;
    }
    device = parms.wDeviceID;
    return true;
}

bool MciDeviceQuery::ProductName(uint32_t device, std::string& product) {
    char buffer[kReturnSize] = {};
    MCI_INFO_PARMSA parms{};
    parms.lpstrReturn = buffer;
    parms.dwRetSize = kReturnSize;
    if (SendMciCommand(device, MCI_INFO, MCI_INFO_PRODUCT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&parms)) != 0) {
        return false;
    }
    product = Terminated(buffer);
    return true;
}

void MciDeviceQuery::CloseDevice(uint32_t device) {
    SendMciCommand(device, MCI_CLOSE, MCI_WAIT, 0);
}

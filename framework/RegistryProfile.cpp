#include "framework/RegistryProfile.h"

#include <cstring>
#include <utility>

RegistryProfileStore::RegistryProfileStore(std::string company, std::string application)
    : root_("Software\\" + company + "\\" + application) {}

std::string RegistryProfileStore::SectionPath(const char* section) const {
    return root_ + "\\" + section;
}

void RegistryProfileStore::BeginBatch(const char* section) {
    if (batchDepth_++ > 0) return;
    batchSection_ = section;
    batchKey_ = RegistryKey::Create(HKEY_CURRENT_USER, SectionPath(section));
}

void RegistryProfileStore::EndBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    batchKey_ = RegistryKey();
    batchSection_.clear();
}

const RegistryKey& RegistryProfileStore::SectionKey(const char* section, RegistryKey& scratch) {
    if (batchDepth_ > 0 && batchKey_.IsOpen() && batchSection_ == section) return batchKey_;
    scratch = RegistryKey::Create(HKEY_CURRENT_USER, SectionPath(section));
    return scratch;
}

uint32_t RegistryProfileStore::GetProfileInt(const char* section, const char* entry,
                                             uint32_t def) {
    RegistryKey scratch;
    return SectionKey(section, scratch).GetDword(entry, def);
}

std::string RegistryProfileStore::GetProfileString(const char* section, const char* entry,
                                                   const char* def) {
    RegistryKey scratch;
    return SectionKey(section, scratch).GetString(entry, def != nullptr ? def : "");
}

bool RegistryProfileStore::WriteProfileInt(const char* section, const char* entry,
                                           uint32_t value) {
    RegistryKey scratch;
    return SectionKey(section, scratch).SetDword(entry, value);
}

bool RegistryProfileStore::WriteProfileString(const char* section, const char* entry,
                                              const char* value) {
    RegistryKey scratch;
    return SectionKey(section, scratch).SetString(entry, value != nullptr ? value : "");
}

RegistryMachineDefaults::RegistryMachineDefaults(std::string path, HKEY root)
    : root_(root), path_(std::move(path)) {}

bool RegistryMachineDefaults::Read(std::vector<MachineValue>& values) {
    RegistryKey key = RegistryKey::Open(root_, path_, KEY_READ);
    if (!key.IsOpen()) return false;
    for (DWORD index = 0;; ++index) {
        // Both buffers are offered 256 bytes anew for every value; a value
        // whose name or data does not fit ends the copy.
        char name[256];
        BYTE data[256];
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        MachineValue value;
        value.name.assign(name, strnlen(name, nameSize < sizeof name ? nameSize : sizeof name));
        if (type == REG_SZ) {
            value.kind = MachineValue::Text;
            value.text.assign(reinterpret_cast<const char*>(data),
                              strnlen(reinterpret_cast<const char*>(data), dataSize));
        } else if (type == REG_DWORD && dataSize == sizeof(DWORD)) {
            value.kind = MachineValue::Number;
            std::memcpy(&value.number, data, sizeof value.number);
        }
        values.push_back(std::move(value));
    }
    return true;
}

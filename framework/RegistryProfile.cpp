#include "framework/RegistryProfile.h"

#include <algorithm>
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
    values.clear();
    RegistryKey key = RegistryKey::Open(root_, path_, KEY_READ);
    if (!key.IsOpen()) return false;
    // Buffers as long as the key's longest name and value, whatever they
    // are: a deep network path in a File is copied whole like the rest.
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<char> name(longestName + 1);
    std::vector<BYTE> data(longestData + 1);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG result = RegEnumValueA(key.get(), index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) return true;
        // A value that cannot be read (one grown since the key was asked)
        // means none is copied: the user's list is never made of a part.
        if (result != ERROR_SUCCESS) {
            values.clear();
            return false;
        }
        MachineValue value;
        value.name.assign(name.data(), strnlen(name.data(), std::min<size_t>(nameSize, name.size())));
        if (type == REG_SZ) {
            value.kind = MachineValue::Text;
            value.text.assign(reinterpret_cast<const char*>(data.data()),
                              strnlen(reinterpret_cast<const char*>(data.data()), dataSize));
        } else if (type == REG_DWORD && dataSize == sizeof(DWORD)) {
            value.kind = MachineValue::Number;
            std::memcpy(&value.number, data.data(), sizeof value.number);
        }
        values.push_back(std::move(value));
    }
}

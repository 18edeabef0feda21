#pragma once
#include <string>
#include <vector>

#include "core/ProfileStore.h"
#include "framework/RegistryKey.h"

// The per-user profile under HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
// Sections are created on the way, for reading as well as for writing.
class RegistryProfileStore : public ProfileStore {
public:
    RegistryProfileStore(std::string company, std::string application);

    uint32_t GetProfileInt(const char* section, const char* entry, uint32_t def) override;
    std::string GetProfileString(const char* section, const char* entry,
                                 const char* def) override;
    bool WriteProfileInt(const char* section, const char* entry, uint32_t value) override;
    bool WriteProfileString(const char* section, const char* entry, const char* value) override;
    void BeginBatch(const char* section) override;
    void EndBatch() override;

    // HKEY_CURRENT_USER-relative path of `section`.
    std::string SectionPath(const char* section) const;

private:
    // The batch key when `section` is the batch's, else a freshly opened one
    // kept in `scratch`.
    const RegistryKey& SectionKey(const char* section, RegistryKey& scratch);

    std::string root_;
    std::string batchSection_;
    RegistryKey batchKey_;
    int batchDepth_ = 0;
};

// The machine-wide defaults key, every value read whole whatever its length.
class RegistryMachineDefaults : public MachineDefaults {
public:
    explicit RegistryMachineDefaults(std::string path, HKEY root = HKEY_LOCAL_MACHINE);
    bool Read(std::vector<MachineValue>& values) override;

private:
    HKEY root_;
    std::string path_;
};

#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The per-user settings store: named values in named sections. The Windows
// layer keeps them under HKEY_CURRENT_USER\Software\<company>\<application>.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The stored number, or `def` when the value is missing or is not a
    // 4-byte number.
    virtual uint32_t GetProfileInt(const char* section, const char* entry, uint32_t def) = 0;
    // The stored text, or `def` when the value is missing or is not text.
    virtual std::string GetProfileString(const char* section, const char* entry,
                                         const char* def) = 0;
    // false when the store refused the value.
    virtual bool WriteProfileInt(const char* section, const char* entry, uint32_t value) = 0;
    virtual bool WriteProfileString(const char* section, const char* entry,
                                    const char* value) = 0;

    // A store may keep `section` open between BeginBatch and EndBatch so
    // that reading or writing thousands of values costs one open.
    virtual void BeginBatch(const char* /*section*/) {}
    virtual void EndBatch() {}
};

// Keeps one section open for the lifetime of the object.
class ProfileBatch {
public:
    ProfileBatch(ProfileStore& store, const char* section) : store_(store) {
        store_.BeginBatch(section);
    }
    ~ProfileBatch() { store_.EndBatch(); }
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

private:
    ProfileStore& store_;
};

// One value of the machine-wide defaults key.
struct MachineValue {
    enum Kind { Text, Number, Other };
    std::string name;
    Kind kind = Other;
    std::string text;
    uint32_t number = 0;
};

// The read-only machine-wide defaults that seed a user's first run.
class MachineDefaults {
public:
    virtual ~MachineDefaults() = default;
    // Fills `values` with every value in enumeration order; false, with
    // `values` empty, when the key cannot be opened or a value cannot be read.
    virtual bool Read(std::vector<MachineValue>& values) = 0;
};

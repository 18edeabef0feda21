#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/ProfileStore.h"

// An in-memory profile with the registry's typing: a value is a number or a
// text, and reading it as the other kind yields the default. Every access is
// logged so tests can check the order values are read and written in.
// `capacity` and `valueLimit` make it a key that fills up, as one on
// Windows 95 does (about 64 KB of names and data, 16,300 bytes of data in
// one value): a write that would pass either is refused and changes nothing.
class MemoryProfileStore : public ProfileStore {
public:
    struct Value {
        bool isText = false;
        uint32_t number = 0;
        std::string text;
    };

    uint32_t GetProfileInt(const char* section, const char* entry, uint32_t def) override {
        reads.push_back(entry);
        auto it = values.find(Key(section, entry));
        return it != values.end() && !it->second.isText ? it->second.number : def;
    }
    std::string GetProfileString(const char* section, const char* entry,
                                 const char* def) override {
        reads.push_back(entry);
        auto it = values.find(Key(section, entry));
        return it != values.end() && it->second.isText ? it->second.text : std::string(def);
    }
    bool WriteProfileInt(const char* section, const char* entry, uint32_t value) override {
        writes.push_back(entry);
        return Put(Key(section, entry), Value{false, value, {}}, true);
    }
    bool WriteProfileString(const char* section, const char* entry, const char* value) override {
        writes.push_back(entry);
        return Put(Key(section, entry), Value{true, 0, value}, true);
    }
    void BeginBatch(const char*) override { ++batches; }

    void SetNumber(const std::string& entry, uint32_t v, const std::string& section = "Config") {
        Put(Key(section, entry), Value{false, v, {}}, false);
    }
    void SetText(const std::string& entry, const std::string& v,
                 const std::string& section = "Config") {
        Put(Key(section, entry), Value{true, 0, v}, false);
    }
    // The bytes of names and data that `section` holds.
    size_t Used(const std::string& section = "Config") const {
        auto it = used_.find(section);
        return it != used_.end() ? it->second : 0;
    }
    bool Has(const std::string& entry, const std::string& section = "Config") const {
        return values.count(Key(section, entry)) != 0;
    }
    const Value& At(const std::string& entry, const std::string& section = "Config") const {
        return values.at(Key(section, entry));
    }

    static std::pair<std::string, std::string> Key(const std::string& section,
                                                   const std::string& entry) {
        return {section, entry};
    }

    std::map<std::pair<std::string, std::string>, Value> values;
    std::vector<std::string> reads;
    std::vector<std::string> writes;
    int batches = 0;
    size_t capacity = 0;    // 0: no limit
    size_t valueLimit = 0;  // 0: no limit

private:
    static size_t DataSize(const Value& v) { return v.isText ? v.text.size() + 1 : 4; }
    bool Put(const std::pair<std::string, std::string>& key, const Value& value, bool limited) {
        auto it = values.find(key);
        const size_t old = it != values.end() ? key.second.size() + DataSize(it->second) : 0;
        const size_t now = key.second.size() + DataSize(value);
        size_t& used = used_[key.first];
        if (limited && ((valueLimit != 0 && DataSize(value) > valueLimit) ||
                        (capacity != 0 && used - old + now > capacity))) {
            return false;
        }
        used = used - old + now;
        values[key] = value;
        return true;
    }
    std::map<std::string, size_t> used_;
};

class FakeMachineDefaults : public MachineDefaults {
public:
    bool Read(std::vector<MachineValue>& out) override {
        if (!present) return false;
        out = values;
        return true;
    }
    bool present = true;
    std::vector<MachineValue> values;
};

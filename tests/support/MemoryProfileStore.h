#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/ProfileStore.h"

// An in-memory profile with the registry's typing: a value is a number or a
// text, and reading it as the other kind yields the default. Every access is
// logged so tests can check the order values are read and written in.
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
        values[Key(section, entry)] = Value{false, value, {}};
        return true;
    }
    bool WriteProfileString(const char* section, const char* entry, const char* value) override {
        writes.push_back(entry);
        values[Key(section, entry)] = Value{true, 0, value};
        return true;
    }
    void BeginBatch(const char*) override { ++batches; }

    void SetNumber(const std::string& entry, uint32_t v, const std::string& section = "Config") {
        values[Key(section, entry)] = Value{false, v, {}};
    }
    void SetText(const std::string& entry, const std::string& v,
                 const std::string& section = "Config") {
        values[Key(section, entry)] = Value{true, 0, v};
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

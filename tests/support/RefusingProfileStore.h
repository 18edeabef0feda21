#pragma once
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "core/ProfileStore.h"

// Another store, here the real registry, with the 16,300-byte limit of one
// value that Windows 95 has and later systems do not: a text longer than
// `textLimit` is refused and changes nothing. Every other call goes through.
class RefusingProfileStore : public ProfileStore {
public:
    RefusingProfileStore(std::unique_ptr<ProfileStore> inner, size_t textLimit)
        : inner_(std::move(inner)), textLimit_(textLimit) {}

    uint32_t GetProfileInt(const char* section, const char* entry, uint32_t def) override {
        return inner_->GetProfileInt(section, entry, def);
    }
    std::string GetProfileString(const char* section, const char* entry, const char* def) override {
        return inner_->GetProfileString(section, entry, def);
    }
    bool WriteProfileInt(const char* section, const char* entry, uint32_t value) override {
        return inner_->WriteProfileInt(section, entry, value);
    }
    bool WriteProfileString(const char* section, const char* entry, const char* value) override {
        if (value != nullptr && std::strlen(value) > textLimit_) {
            ++refused;
            return false;
        }
        return inner_->WriteProfileString(section, entry, value);
    }
    void BeginBatch(const char* section) override { inner_->BeginBatch(section); }
    void EndBatch() override { inner_->EndBatch(); }

    int refused = 0;

private:
    std::unique_ptr<ProfileStore> inner_;
    size_t textLimit_;
};

#include "password/PasswordVerifier.h"

#include <cstring>

#include "password/Sha256.h"

namespace {
// HMAC-SHA256 with its key already reduced to one 64-byte block.
class HmacSha256 {
public:
    explicit HmacSha256(const std::string& key) {
        uint8_t block[64] = {};
        if (key.size() > sizeof block) {
            const Sha256::Digest digest =
                Sha256::Of(reinterpret_cast<const uint8_t*>(key.data()), key.size());
            std::memcpy(block, digest.data(), digest.size());
        } else {
            std::memcpy(block, key.data(), key.size());
        }
        for (int i = 0; i < 64; ++i) {
            inner_[i] = static_cast<uint8_t>(block[i] ^ 0x36);
            outer_[i] = static_cast<uint8_t>(block[i] ^ 0x5c);
        }
        std::memset(block, 0, sizeof block);
    }
    ~HmacSha256() {
        std::memset(inner_, 0, sizeof inner_);
        std::memset(outer_, 0, sizeof outer_);
    }
    HmacSha256(const HmacSha256&) = delete;
    HmacSha256& operator=(const HmacSha256&) = delete;

    Sha256::Digest Mac(const uint8_t* data, size_t size, const uint8_t* more = nullptr,
                       size_t moreSize = 0) const {
        Sha256 in;
        in.Update(inner_, sizeof inner_);
        in.Update(data, size);
        if (moreSize > 0) in.Update(more, moreSize);
        const Sha256::Digest innerDigest = in.Final();
        Sha256 out;
        out.Update(outer_, sizeof outer_);
        out.Update(innerDigest.data(), innerDigest.size());
        return out.Final();
    }

private:
    uint8_t inner_[64];
    uint8_t outer_[64];
};
}  // namespace

Bytes Pbkdf2HmacSha256(const std::string& password, const Bytes& salt, uint32_t iterations,
                       size_t keySize) {
    const HmacSha256 hmac(password);
    Bytes key;
    for (uint32_t blockIndex = 1; key.size() < keySize; ++blockIndex) {
        const uint8_t counter[4] = {static_cast<uint8_t>(blockIndex >> 24), static_cast<uint8_t>(blockIndex >> 16),
                                    static_cast<uint8_t>(blockIndex >> 8), static_cast<uint8_t>(blockIndex)};
        Sha256::Digest u = hmac.Mac(salt.data(), salt.size(), counter, sizeof counter);
        Sha256::Digest t = u;
        for (uint32_t i = 1; i < iterations; ++i) {
            u = hmac.Mac(u.data(), u.size());
            for (size_t b = 0; b < t.size(); ++b) t[b] ^= u[b];
        }
        for (size_t b = 0; b < t.size() && key.size() < keySize; ++b) key.push_back(t[b]);
    }
    return key;
}

Bytes MakeVerifier(const std::string& password, const Bytes& salt) {
    if (salt.size() != kSaltSize) return {};
    Bytes record = salt;
    const Bytes key = Pbkdf2HmacSha256(password, salt, kIterations, kKeySize);
    record.insert(record.end(), key.begin(), key.end());
    return record;
}

bool MatchesVerifier(const Bytes& record, const std::string& password) {
    if (record.size() != kVerifierSize) return false;
    const Bytes salt(record.begin(), record.begin() + kSaltSize);
    const Bytes key = Pbkdf2HmacSha256(password, salt, kIterations, kKeySize);
    return ConstantTimeEqual(key.data(), record.data() + kSaltSize, kKeySize);
}

bool ConstantTimeEqual(const uint8_t* a, const uint8_t* b, size_t size) {
    volatile uint8_t difference = 0;
    for (size_t i = 0; i < size; ++i) difference = static_cast<uint8_t>(difference | (a[i] ^ b[i]));
    return difference == 0;
}

ChangeVerdict JudgeChange(bool oldMatches, const std::string& newPassword, const std::string& confirmation) {
    if (!oldMatches) return ChangeVerdict::WrongOldPassword;
    if (newPassword != confirmation) return ChangeVerdict::Mismatch;
    if (newPassword.empty()) return ChangeVerdict::ConfirmEmpty;
    return ChangeVerdict::Accept;
}

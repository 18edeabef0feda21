#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// SHA-256 (FIPS 180-4), fed in pieces.
class Sha256 {
public:
    using Digest = std::array<uint8_t, 32>;

    Sha256();
    void Update(const uint8_t* data, size_t size);
    // The digest of everything fed so far; the object is then spent.
    Digest Final();

    static Digest Of(const uint8_t* data, size_t size);

private:
    void Block(const uint8_t* block);

    uint32_t state_[8];
    uint8_t buffer_[64];
    size_t buffered_ = 0;
    uint64_t length_ = 0;
};

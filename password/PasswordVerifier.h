#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the password component stores instead of the password: a random
// salt followed by PBKDF2-HMAC-SHA256 of the password with that salt.
using Bytes = std::vector<uint8_t>;

constexpr size_t kSaltSize = 16;
constexpr size_t kKeySize = 32;
constexpr size_t kVerifierSize = kSaltSize + kKeySize;
constexpr uint32_t kIterations = 10000;

// PBKDF2 with HMAC-SHA256; `keySize` bytes of output.
Bytes Pbkdf2HmacSha256(const std::string& password, const Bytes& salt, uint32_t iterations, size_t keySize);

// The record to store for `password`; `salt` must hold kSaltSize bytes
// (an empty record otherwise).
Bytes MakeVerifier(const std::string& password, const Bytes& salt);

// true when `password` is the one `record` was made from. A record of any
// other size matches nothing. The key comparison takes the same time
// wherever the first difference lies.
bool MatchesVerifier(const Bytes& record, const std::string& password);

// Compares `size` bytes without stopping at the first difference.
bool ConstantTimeEqual(const uint8_t* a, const uint8_t* b, size_t size);

// How a change request is judged: the old password must match when one is
// set, the new one must be typed the same twice, and an empty new password
// needs the user's explicit confirmation.
enum class ChangeVerdict { Accept, WrongOldPassword, Mismatch, ConfirmEmpty };
ChangeVerdict JudgeChange(bool oldMatches, const std::string& newPassword, const std::string& confirmation);

#include "password/PasswordStore.h"

#include "framework/Win32.h"

#include <wincrypt.h>

#include "framework/Handles.h"

const char PasswordStore::kKeyPath[] = "Software\\Tolvane Arts\\Password";
const char PasswordStore::kValueName[] = "Verifier";

namespace {
struct CryptProviderTraits {
    using Handle = HCRYPTPROV;
    static HCRYPTPROV Empty() { return 0; }
    static void Close(HCRYPTPROV h) { CryptReleaseContext(h, 0); }
};
using CryptProvider = UniqueHandle<CryptProviderTraits>;

bool RandomSalt(Bytes& salt) {
    HCRYPTPROV raw = 0;
    if (!CryptAcquireContextA(&raw, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
        return false;
    }
    CryptProvider provider(raw);
    salt.assign(kSaltSize, 0);
    return CryptGenRandom(provider.get(), static_cast<DWORD>(salt.size()), salt.data()) != FALSE;
}

// The stored record; false when there is no value at all.
bool ReadRecord(Bytes& record) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PasswordStore::kKeyPath, 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        return false;
    }
    RegKeyHandle key(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), PasswordStore::kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    record.assign(size, 0);
    if (size > 0 && RegQueryValueExA(key.get(), PasswordStore::kValueName, nullptr, &type, record.data(),
                                     &size) != ERROR_SUCCESS) {
        record.clear();
        return true;
    }
    record.resize(size);
    if (type != REG_BINARY) record.clear();
    return true;
}
}  // namespace

PasswordStore::State PasswordStore::Current() {
    Bytes record;
    if (!ReadRecord(record)) return State::None;
    return record.size() == kVerifierSize ? State::Set : State::Damaged;
}

bool PasswordStore::Matches(const std::string& password) {
    Bytes record;
    if (!ReadRecord(record)) return password.empty();
    return MatchesVerifier(record, password);
}

bool PasswordStore::Save(const std::string& password) {
    Bytes salt;
    if (!RandomSalt(salt)) return false;
    const Bytes record = MakeVerifier(password, salt);
    if (record.size() != kVerifierSize) return false;
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegKeyHandle key(raw);
    return RegSetValueExA(key.get(), kValueName, 0, REG_BINARY, record.data(),
                          static_cast<DWORD>(record.size())) == ERROR_SUCCESS;
}

#pragma once
#include <string>

#include "password/PasswordVerifier.h"

// Where the component keeps its verifier: the binary value "Verifier" under
// HKEY_CURRENT_USER\Software\Tolvane Arts\Password. Only the salted key is
// stored, never the password.
class PasswordStore {
public:
    static const char kKeyPath[];
    static const char kValueName[];

    enum class State { None, Set, Damaged };

    // None when no verifier is stored (the empty password is then the
    // password); Damaged when the value is not a verifier.
    static State Current();
    // true when `password` is the password. A damaged verifier refuses every
    // answer: the lock stays shut rather than open on a broken record.
    static bool Matches(const std::string& password);
    // Stores a verifier of `password` with a fresh random salt; false when
    // no random salt can be had or the registry refuses.
    static bool Save(const std::string& password);
};

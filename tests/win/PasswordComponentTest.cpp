#include <gtest/gtest.h>

#include <string>

#include "framework/Handles.h"
#include "framework/RegistryKey.h"
#include "saver/shell/PasswordCheck.h"
#include "saver/shell/SaverApp.h"
#include "tests/win/support/DialogScript.h"
#include "tests/win/support/TestRegistry.h"

// The component's own ids, as its dialogs are built.
#include "password/resource.h"

namespace {

using ChangeFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
using Step = DialogScript::Step;

const char kComponentKey[] = "Software\\Tolvane Arts\\Password";
const char kVerify[] = "Screen Saver Password";
const char kChange[] = "Change Password";
const char kSecret[] = "Zq7#Lw9!";

// PASSWORD.CPL from beside this program, as the saver finds it.
struct Component {
    Component() : library(LoadLibraryA("PASSWORD.CPL")) {
        if (library) {
            verify = reinterpret_cast<VerifyScreenSavePwdFn>(
                reinterpret_cast<void*>(GetProcAddress(library.get(), "VerifyScreenSavePwd")));
            change = reinterpret_cast<ChangeFn>(
                reinterpret_cast<void*>(GetProcAddress(library.get(), "PwdChangePasswordA")));
        }
    }
    Module library;
    VerifyScreenSavePwdFn verify = nullptr;
    ChangeFn change = nullptr;
};

class PasswordComponent : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(cpl.verify != nullptr && cpl.change != nullptr); }

    // Answers the verify dialog with `typed`, by `command`.
    BOOL Verify(const std::string& typed, int command = IDOK) {
        DialogScript script({Step{kVerify, "password", {{IDC_PASSWORD, typed}}, command}});
        const BOOL answer = cpl.verify(nullptr);
        EXPECT_TRUE(script.Join()) << "verify dialog not met";
        return answer;
    }
    // Sets the password through the change dialog, as a user would.
    void SetPassword(const std::string& old, const std::string& password) {
        DialogScript script({Step{kChange, "New password",
                                  {{IDC_OLD_PASSWORD, old}, {IDC_NEW_PASSWORD, password}, {IDC_CONFIRM_PASSWORD, password}}},
                             Step{kChange, "has been changed"}});
        EXPECT_EQ(cpl.change("SCRSAVE", nullptr, 0, 0), 0u);
        EXPECT_TRUE(script.Join());
    }
    std::string StoredBytes() {
        RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kComponentKey);
        std::string all;
        char name[256];
        BYTE data[1024];
        for (DWORD i = 0;; ++i) {
            DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
            if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
            all += std::string(name, nameSize) + std::string(reinterpret_cast<char*>(data), dataSize);
        }
        return all;
    }

    ScratchKey scratch{HKEY_CURRENT_USER, kComponentKey};
    Component cpl;
};

TEST_F(PasswordComponent, ChangeThenVerifyAndTheStoreHoldsNoPassword) {
    // No password yet: there is no old one to ask for.
    {
        DialogScript script({Step{kChange, "New password",
                                  {{IDC_NEW_PASSWORD, kSecret}, {IDC_CONFIRM_PASSWORD, kSecret}}, IDOK, IDC_OLD_PASSWORD},
                             Step{kChange, "has been changed"}});
        EXPECT_EQ(cpl.change("SCRSAVE", nullptr, 0, 0), 0u);
        ASSERT_TRUE(script.Join());
        ASSERT_EQ(script.probes().size(), 1u);
        EXPECT_FALSE(script.probes()[0]);
    }
    const std::string stored = StoredBytes();
    EXPECT_EQ(stored.size(), std::string("Verifier").size() + 48);
    EXPECT_EQ(stored.find(kSecret), std::string::npos);
    EXPECT_EQ(stored.find("Zq7"), std::string::npos);

    EXPECT_TRUE(Verify(kSecret));
    for (const char* wrong : {"", "zq7#lw9!", "Zq7#Lw9", "Zq7#Lw9!x"}) EXPECT_FALSE(Verify(wrong)) << wrong;
    EXPECT_FALSE(Verify(kSecret, IDCANCEL));

    // A new salt each time: the same password gives a different record.
    SetPassword(kSecret, kSecret);
    EXPECT_NE(StoredBytes(), stored);
    EXPECT_TRUE(Verify(kSecret));
}

TEST_F(PasswordComponent, ChangeRefusesWrongOldPasswordAndMismatchAndKeepsTheDialogOpen) {
    SetPassword("", kSecret);
    {
        DialogScript script({
            Step{kChange, "New password", {{IDC_OLD_PASSWORD, "wrong"}, {IDC_NEW_PASSWORD, "a1"}, {IDC_CONFIRM_PASSWORD, "a1"}}, IDOK, IDC_OLD_PASSWORD},
            Step{kChange, "old password is not correct"},
            Step{kChange, "New password", {{IDC_OLD_PASSWORD, kSecret}, {IDC_NEW_PASSWORD, "a1"}, {IDC_CONFIRM_PASSWORD, "a2"}}},
            Step{kChange, "do not match"},
            Step{kChange, "New password", {}, IDCANCEL},
        });
        EXPECT_EQ(cpl.change("SCRSAVE", nullptr, 0, 0), static_cast<DWORD>(ERROR_CANCELLED));
        EXPECT_TRUE(script.Join()) << script.done();
        ASSERT_EQ(script.probes().size(), 1u);
        EXPECT_TRUE(script.probes()[0]);
    }
    EXPECT_TRUE(Verify(kSecret));
    EXPECT_FALSE(Verify("a1"));
}

TEST_F(PasswordComponent, EmptyNewPasswordOnlyWhenTheUserConfirmsIt) {
    SetPassword("", kSecret);
    {
        DialogScript script({
            Step{kChange, "New password", {{IDC_OLD_PASSWORD, kSecret}}},
            Step{kChange, "empty password", {}, IDNO},
            Step{kChange, "New password", {}, IDCANCEL},
        });
        EXPECT_EQ(cpl.change("SCRSAVE", nullptr, 0, 0), static_cast<DWORD>(ERROR_CANCELLED));
        EXPECT_TRUE(script.Join()) << script.done();
    }
    EXPECT_FALSE(Verify(""));
    EXPECT_TRUE(Verify(kSecret));
    {
        DialogScript script({
            Step{kChange, "New password", {{IDC_OLD_PASSWORD, kSecret}}},
            Step{kChange, "empty password", {}, IDYES},
            Step{kChange, "has been changed"},
        });
        EXPECT_EQ(cpl.change("SCRSAVE", nullptr, 0, 0), 0u);
        EXPECT_TRUE(script.Join()) << script.done();
    }
    EXPECT_TRUE(Verify(""));
    EXPECT_FALSE(Verify(kSecret));
}

TEST_F(PasswordComponent, DamagedRecordRefusesEveryAnswerAndOtherProvidersAreRefused) {
    const BYTE shortRecord[10] = {1, 2, 3};
    scratch.SetRaw("", "Verifier", REG_BINARY, shortRecord, sizeof shortRecord);
    EXPECT_FALSE(Verify(""));
    EXPECT_FALSE(Verify(kSecret));
    EXPECT_EQ(cpl.change("OTHER", nullptr, 0, 0), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(cpl.change(nullptr, nullptr, 0, 0), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// The saver's side: when it asks, and whom.
TEST(PasswordCheck, AsksOnlyWhenTheDesktopSettingSaysSoAndTheComponentIsThere) {
    RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    ASSERT_TRUE(key.IsOpen());
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;  // empty with REG_NONE: value absent
        bool asks;
    } cases[] = {
        {"absent", REG_NONE, "", false},
        {"zero", REG_DWORD, std::string("\0\0\0\0", 4), false},
        {"one", REG_DWORD, std::string("\1\0\0\0", 4), true},
        {"text 1, type not examined", REG_SZ, std::string("1\0", 2), true},
        {"five bytes", REG_BINARY, std::string("\1\0\0\0\0", 5), false},
        {"high byte", REG_BINARY, std::string("\0\0\0\1", 4), true},
    };
    for (const Case& c : cases) {
        RegDeleteValueA(key.get(), "ScreenSaveUsePassword");
        if (c.type != REG_NONE) {
            RegSetValueExA(key.get(), "ScreenSaveUsePassword", 0, c.type,
                           reinterpret_cast<const BYTE*>(c.bytes.data()), static_cast<DWORD>(c.bytes.size()));
        }
        Module library;
        const VerifyScreenSavePwdFn found = FindPasswordCheck(library);
        EXPECT_EQ(found != nullptr, c.asks) << c.name;
        EXPECT_EQ(static_cast<bool>(library), c.asks) << c.name;
        if (found != nullptr) {
            EXPECT_EQ(reinterpret_cast<void*>(found),
                      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("PASSWORD.CPL"), "VerifyScreenSavePwd")));
        }
    }
    RegDeleteValueA(key.get(), "ScreenSaveUsePassword");
}

// Run with our MPR.DLL preferred to Wine's (WINEDLLOVERRIDES=mpr=n,b): the
// saver's /a reaches the component's change dialog through it, and the new
// password is the one the verify dialog then takes.
class SaverAppChangePasswordStandIn : public PasswordComponent {};

TEST_F(SaverAppChangePasswordStandIn, SlashAChangesThePasswordThroughOurMpr) {
    const char fresh[] = "New#Pass42";
    {
        DialogScript script({Step{kChange, "New password",
                                  {{IDC_NEW_PASSWORD, fresh}, {IDC_CONFIRM_PASSWORD, fresh}}},
                             Step{kChange, "has been changed"}});
        SaverApp app;
        app.SetArguments({"/a"});
        EXPECT_FALSE(app.StartUp());
        app.ShutDown();
        EXPECT_TRUE(script.Join()) << "the change dialog was not met";
    }
    HMODULE mpr = GetModuleHandleA("MPR.DLL");
    ASSERT_NE(mpr, nullptr);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(mpr, path, sizeof path);
    EXPECT_EQ(std::string(path).find("system32"), std::string::npos) << path;
    EXPECT_FALSE(Verify("not it"));
    EXPECT_TRUE(Verify(fresh));

    // Another provider's key is not ours to hand on.
    using ChangeFnIn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    const auto change = reinterpret_cast<ChangeFnIn>(
        reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change("NETWORK", nullptr, 0, 0), static_cast<DWORD>(ERROR_BAD_PROVIDER));
}

}  // namespace

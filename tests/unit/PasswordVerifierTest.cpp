#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "password/PasswordVerifier.h"
#include "password/Sha256.h"

namespace {

std::string Hex(const uint8_t* data, size_t size) {
    std::string out;
    char two[3];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(two, sizeof two, "%02x", data[i]);
        out += two;
    }
    return out;
}
std::string Hex(const Bytes& b) { return Hex(b.data(), b.size()); }
Bytes BytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(Sha256, KnownDigests) {
    struct Case {
        std::string input;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const Case& c : cases) {
        const auto whole = Sha256::Of(reinterpret_cast<const uint8_t*>(c.input.data()), c.input.size());
        EXPECT_EQ(Hex(whole.data(), whole.size()), c.digest) << c.input.size();
        // Fed in uneven pieces, across block boundaries.
        Sha256 pieces;
        for (size_t at = 0; at < c.input.size(); at += 7) {
            const size_t n = std::min<size_t>(7, c.input.size() - at);
            pieces.Update(reinterpret_cast<const uint8_t*>(c.input.data()) + at, n);
        }
        const auto fed = pieces.Final();
        EXPECT_EQ(Hex(fed.data(), fed.size()), c.digest);
    }
}

TEST(Pbkdf2, KnownKeys) {
    EXPECT_EQ(Hex(Pbkdf2HmacSha256("password", BytesOf("salt"), 1, 32)),
              "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_EQ(Hex(Pbkdf2HmacSha256("password", BytesOf("salt"), 4096, 32)),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
    // Two output blocks, long salt.
    EXPECT_EQ(Hex(Pbkdf2HmacSha256("passwordPASSWORDpassword", BytesOf("saltSALTsaltSALTsaltSALTsaltSALTsalt"),
                                   4096, 40)),
              "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9");
}

TEST(PasswordVerifier, RecordIsSaltThenKeyAndHoldsNoPassword) {
    Bytes salt;
    for (uint8_t i = 0; i < 16; ++i) salt.push_back(i);
    const std::string password(100, 'k');
    const Bytes record = MakeVerifier(password, salt);
    ASSERT_EQ(record.size(), kVerifierSize);
    EXPECT_EQ(Bytes(record.begin(), record.begin() + 16), salt);
    EXPECT_EQ(Hex(record.data() + 16, 32), "3cc675cffd4f919e5c41a46da1dc629fbca24b286b8c319b8999b1ca50db56f3");
    EXPECT_EQ(std::string(record.begin(), record.end()).find("kkkk"), std::string::npos);
    EXPECT_TRUE(MakeVerifier("x", Bytes(15, 0)).empty());
}

TEST(PasswordVerifier, OnlyTheRightPasswordMatches) {
    const Bytes record = MakeVerifier("Zq7#Lw9!", Bytes(16, 0xA5));
    EXPECT_TRUE(MatchesVerifier(record, "Zq7#Lw9!"));
    for (const char* wrong : {"", "zq7#Lw9!", "Zq7#Lw9", "Zq7#Lw9!!", " Zq7#Lw9!"}) {
        EXPECT_FALSE(MatchesVerifier(record, wrong)) << wrong;
    }
    // A different salt gives a different record for the same password.
    EXPECT_NE(MakeVerifier("Zq7#Lw9!", Bytes(16, 0x5A)), record);
    // A damaged record matches nothing, not even the empty password.
    for (size_t size : {0u, 1u, 47u, 49u}) {
        Bytes damaged = record;
        damaged.resize(size);
        EXPECT_FALSE(MatchesVerifier(damaged, "Zq7#Lw9!")) << size;
        EXPECT_FALSE(MatchesVerifier(damaged, "")) << size;
    }
    const Bytes empty = MakeVerifier("", Bytes(16, 1));
    EXPECT_TRUE(MatchesVerifier(empty, ""));
    EXPECT_FALSE(MatchesVerifier(empty, " "));
}

TEST(PasswordVerifier, ConstantTimeEqualSeesADifferenceAnywhere) {
    const uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (size_t i = 0; i < 8; ++i) {
        uint8_t b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        EXPECT_TRUE(ConstantTimeEqual(a, b, 8));
        b[i] ^= 0x80;
        EXPECT_FALSE(ConstantTimeEqual(a, b, 8)) << i;
    }
    EXPECT_TRUE(ConstantTimeEqual(a, a, 0));
}

TEST(PasswordVerifier, ChangeRules) {
    struct Case {
        bool oldMatches;
        const char* newPassword;
        const char* confirmation;
        ChangeVerdict verdict;
    } cases[] = {
        {true, "abc", "abc", ChangeVerdict::Accept},
        {false, "abc", "abc", ChangeVerdict::WrongOldPassword},
        {false, "abc", "abd", ChangeVerdict::WrongOldPassword},
        {true, "abc", "abd", ChangeVerdict::Mismatch},
        {true, "", "x", ChangeVerdict::Mismatch},
        {true, "", "", ChangeVerdict::ConfirmEmpty},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JudgeChange(c.oldMatches, c.newPassword, c.confirmation), c.verdict)
            << c.oldMatches << " '" << c.newPassword << "' '" << c.confirmation << "'";
    }
}

}  // namespace

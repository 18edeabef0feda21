#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/RegistryProfile.h"
#include "saver/settings/SaverSettings.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Pelorama Tests";

// A user section and a machine-wide key of this test's own.
class RegistrySettings : public ::testing::Test {
protected:
    RegistrySettings()
        : app_(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          user_(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + app_),
          machine_(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\") + kCompany + "\\" + app_),
          store_(kCompany, app_),
          machineDefaults_(machine_.path() + "\\Config") {}

    std::unique_ptr<SaverSettings> Loaded() {
        auto settings = std::make_unique<SaverSettings>(store_, &machineDefaults_);
        settings->Load(true);
        return settings;
    }
    RegistryKey Config() const { return user_.Open("Config"); }

    std::string app_;
    ScratchKey user_;
    ScratchKey machine_;
    RegistryProfileStore store_;
    RegistryMachineDefaults machineDefaults_;
};

void AddItem(SaverSettings& settings, const std::string& file) {
    auto item = std::make_unique<MediaItem>();
    item->File = file;
    if (settings.AddItem(item.get()) >= 0) item.release();
}

TEST_F(RegistrySettings, SaveThenLoadThroughTheRealRegistry) {
    {
        SaverSettings out(store_, &machineDefaults_);
        out.Random = 1;
        out.BounceSpeed = 55;
        out.Letterbox = 0;
        AddItem(out, "C:\\movies\\one.avi");
        AddItem(out, "C:\\movies\\two.mpg");
        out.GetItem(1)->Title = "Second";
        out.GetItem(1)->SetFont("Liberation Sans", 700, 1);
        out.GetItem(1)->Loops = 4;
        out.Save();
    }
    // What a Windows user would find with regedit.
    RegistryKey config = Config();
    EXPECT_EQ(config.GetDword("NumAVI", 99), 2u);
    EXPECT_EQ(config.GetString("AVI1.File", ""), "C:\\movies\\two.mpg");
    EXPECT_EQ(config.GetString("AVI0.FontFace", ""), "Times New Roman");
    EXPECT_EQ(config.GetDword("AVI1.FontItalic", 99), 1u);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(config.get(), "AVI0.File", nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof "C:\\movies\\one.avi") << "texts are stored with their zero";
    ASSERT_EQ(RegQueryValueExA(config.get(), "Random", nullptr, &type, nullptr, &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);

    auto in = Loaded();
    EXPECT_EQ(in->Random, 1);
    EXPECT_EQ(in->BounceSpeed, 55u);
    EXPECT_EQ(in->Letterbox, 0);
    ASSERT_EQ(in->GetCount(), 2u);
    EXPECT_EQ(in->GetItem(1)->Title, "Second");
    EXPECT_EQ(in->GetItem(1)->Loops, 4u);
    EXPECT_STREQ(in->GetItem(1)->TitleFont.lfFaceName, "Liberation Sans");
    EXPECT_EQ(in->GetItem(1)->TitleFont.lfWeight, 700);
    EXPECT_EQ(in->GetItem(1)->TitleFont.lfItalic, 1);
}

TEST_F(RegistrySettings, NothingStoredGivesDefaultsAndCreatesTheSection) {
    auto in = Loaded();
    EXPECT_EQ(in->GetCount(), 0u);
    EXPECT_EQ(in->DelayMinutes, 1u);
    EXPECT_EQ(in->PowerMinutes, 1u);
    EXPECT_EQ(in->BounceSpeed, 100u);
    EXPECT_EQ(in->Letterbox, 1);
    EXPECT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, user_.path() + "\\Config").IsOpen())
        << "reading creates the keys on the way";
}

TEST_F(RegistrySettings, CountPromisingMoreThanStoredAndStaleValues) {
    {
        RegistryKey config = Config();
        config.SetDword("NumAVI", 3);
        config.SetString("AVI0.File", "a.avi");
        config.SetString("AVI2.File", "c.avi");
    }
    EXPECT_EQ(Loaded()->GetCount(), 1u);

    {
        SaverSettings five(store_, nullptr);
        for (int i = 0; i < 5; ++i) AddItem(five, "f" + std::to_string(i) + ".avi");
        five.Save();
        for (int i = 4; i >= 2; --i) delete five.RemoveItem(static_cast<uint32_t>(i));
        five.Save();
    }
    RegistryKey config = Config();
    EXPECT_EQ(config.GetDword("NumAVI", 0), 2u);
    EXPECT_EQ(config.GetString("AVI4.File", ""), "f4.avi") << "values of removed items stay";
    EXPECT_EQ(Loaded()->GetCount(), 2u);
}

TEST_F(RegistrySettings, WrongTypesAndSizesYieldDefaults) {
    const std::string sub = "Config";
    user_.SetRaw(sub, "NumAVI", REG_DWORD, "\x01\0\0\0", 4);
    user_.SetRaw(sub, "AVI0.File", REG_SZ, "x.avi", 6);
    user_.SetRaw(sub, "BounceSpeed", REG_SZ, "300", 4);                     // text for a number
    user_.SetRaw(sub, "DelayMinutes", REG_BINARY, "\x05\0\0\0", 4);         // binary for a number
    user_.SetRaw(sub, "PowerMinutes", REG_QWORD, "\x05\0\0\0\0\0\0\0", 8);  // 8 bytes
    user_.SetRaw(sub, "Letterbox", REG_DWORD, "\x00\0", 2);                 // short
    user_.SetRaw(sub, "AVI0.Title", REG_DWORD, "\x07\0\0\0", 4);             // number for a text
    user_.SetRaw(sub, "AVI0.MCI", REG_BINARY, "avivideo", 8);
    user_.SetRaw(sub, "AVI0.FontFace", REG_SZ, "Arial", 5);                 // no terminating zero
    const DWORD italic = 257;
    user_.SetRaw(sub, "AVI0.FontItalic", REG_DWORD, &italic, 4);
    auto in = Loaded();
    EXPECT_EQ(in->BounceSpeed, 100u);
    EXPECT_EQ(in->DelayMinutes, 1u);
    EXPECT_EQ(in->PowerMinutes, 1u);
    EXPECT_EQ(in->Letterbox, 1);
    ASSERT_EQ(in->GetCount(), 1u);
    EXPECT_EQ(in->GetItem(0)->Title, "");
    EXPECT_EQ(in->GetItem(0)->MCI, "");
    EXPECT_STREQ(in->GetItem(0)->TitleFont.lfFaceName, "Arial");
    EXPECT_EQ(in->GetItem(0)->TitleFont.lfItalic, 1);
}

TEST_F(RegistrySettings, OverlongTextsAreCutOrRefusedNotFatal) {
    RegistryKey config = Config();
    config.SetDword("NumAVI", 1);
    const std::string longPath = "C:\\" + std::string(5000, 'p') + ".avi";
    config.SetString("AVI0.File", longPath);
    config.SetString("AVI0.FontFace", std::string(300, 'F'));
    auto in = Loaded();
    ASSERT_EQ(in->GetCount(), 1u);
    EXPECT_EQ(in->GetItem(0)->File, longPath);
    EXPECT_EQ(std::string(in->GetItem(0)->TitleFont.lfFaceName), std::string(31, 'F'));
}

TEST_F(RegistrySettings, FirstRunSeedsFromTheMachineKey) {
    {
        RegistryKey machine = machine_.Open("Config");
        machine.SetDword("NumAVI", 2);
        machine.SetString("AVI0.File", "C:\\shared\\one.avi");
        machine.SetString("AVI1.File", "C:\\shared\\two.avi");
        RegSetValueExA(machine.get(), "Blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>("zz"), 2);
        machine.SetDword("Random", 1);
    }
    auto in = Loaded();
    ASSERT_EQ(in->GetCount(), 2u);
    EXPECT_EQ(in->Random, 1);
    RegistryKey config = Config();
    EXPECT_EQ(config.GetString("AVI1.File", ""), "C:\\shared\\two.avi") << "the copy stays";
    DWORD type = 0;
    EXPECT_NE(RegQueryValueExA(config.get(), "Blob", nullptr, &type, nullptr, nullptr), 0)
        << "values of other types are skipped";
}

// A deep network path in a machine default is copied whole, with every
// value after it: the user's first list is never a part of the machine's.
TEST_F(RegistrySettings, MachineValuesOfAnyLengthAreCopiedWhole) {
    const std::string deep = "\\\\server\\share\\" + std::string(1200, 'd') + "\\two.avi";
    const std::string longName = "AVI1." + std::string(300, 'n');
    {
        RegistryKey machine = machine_.Open("Config");
        machine.SetDword("NumAVI", 2);
        machine.SetString("AVI0.File", "C:\\shared\\one.avi");
        machine.SetString("AVI1.File", deep);
        machine.SetString(longName.c_str(), "a value with a long name");
        machine.SetString("Scale", std::string(256, 's'));  // text where a number belongs: kept, read as the default
        machine.SetDword("Titles", 1);
    }
    auto in = Loaded();
    ASSERT_EQ(in->GetCount(), 2u);
    EXPECT_EQ(in->GetItem(1)->File, deep);
    EXPECT_EQ(in->Titles, 1);
    EXPECT_EQ(Config().GetString(longName.c_str(), ""), "a value with a long name");
    EXPECT_EQ(Config().GetDword("NumAVI", 0), 2u);
}

}  // namespace

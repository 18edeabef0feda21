#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "framework/RegistryProfile.h"
#include "saver/dialogs/win32/DialogScanUi.h"
#include "saver/settings/DeviceCatalogue.h"
#include "saver/settings/win32/MciDeviceQuery.h"
#include "tests/win/support/DialogWatcher.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Pelorama Tests";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What the scanning window showed, looked at while the devices are counted.
struct ScanWindowSeen {
    bool visible = false;
    bool captionless = false;
    std::string text;
    bool icon = false;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<ScanWindowSeen*>(param);
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (_stricmp(cls, "Static") != 0) return TRUE;
    if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        seen->icon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
    } else {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        seen->text = text;
    }
    return TRUE;
}

// The real MCI devices, with a look at the screen when the scan counts them.
class WatchedMci : public MciDeviceQuery {
public:
    explicit WatchedMci(const DialogScanUi& ui) : ui_(ui) {}
    bool CountDevices(uint32_t& count) override {
        HWND scan = ui_.ScanWindow();
        if (scan != nullptr) {
            ScanWindowSeen one;
            one.visible = IsWindowVisible(scan) != FALSE;
            one.captionless = (GetWindowLongPtrA(scan, GWL_STYLE) & WS_CAPTION) != WS_CAPTION;
            EnumChildWindows(scan, &CollectChild, reinterpret_cast<LPARAM>(&one));
            seen.push_back(one);
        }
        return MciDeviceQuery::CountDevices(count);
    }
    bool OpenDevice(const std::string& type, uint32_t& device) override {
        const bool opened = MciDeviceQuery::OpenDevice(type, device);
        (opened ? opened_ : refused).push_back(type);
        return opened;
    }
    std::vector<ScanWindowSeen> seen;
    std::vector<std::string> refused;

private:
    const DialogScanUi& ui_;
    std::vector<std::string> opened_;
};

class WineCatalogue : public ::testing::Test {
protected:
    WineCatalogue()
        : app_(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          user_(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + app_),
          store_(kCompany, app_) {}

    RegistryKey Mci() const { return user_.Open("MCI"); }

    std::string app_;
    ScratchKey user_;
    RegistryProfileStore store_;
    DialogScanUi ui_;
    WatchedMci mci_{ui_};
};

TEST_F(WineCatalogue, FirstLoadListsTheInstalledDevicesWithTheirProducts) {
    DeviceCatalogue catalogue(store_, mci_, ui_);
    catalogue.Load();

    std::vector<std::string> devices;
    for (uint32_t i = 0; i < catalogue.Count(); ++i) {
        const MciDevice* entry = catalogue.GetAt(i);
        ASSERT_NE(entry, nullptr);
        devices.push_back(Lower(entry->Device));
        std::printf("  %s = \"%s\"\n", entry->Device.c_str(), entry->Name.c_str());
    }
    for (const char* expected : {"avivideo", "cdaudio", "sequencer", "waveaudio", "mpegvideo"}) {
        EXPECT_NE(std::find(devices.begin(), devices.end(), expected), devices.end()) << expected;
    }
    // Devices that would not open are listed under their type names; the
    // ones that did carry the driver's own description.
    EXPECT_FALSE(mci_.refused.empty()) << "Wine has devices that do not open";
    for (uint32_t i = 0; i < catalogue.Count(); ++i) {
        const MciDevice& entry = *catalogue.GetAt(i);
        const bool refused = std::find(mci_.refused.begin(), mci_.refused.end(), entry.Device) !=
                             mci_.refused.end();
        if (refused) {
            EXPECT_EQ(entry.Name, entry.Device);
        } else {
            EXPECT_FALSE(entry.Name.empty()) << entry.Device;
            EXPECT_NE(entry.Name, entry.Device);
        }
    }
    uint32_t count = 0;
    ASSERT_TRUE(mci_.MciDeviceQuery::CountDevices(count));
    EXPECT_EQ(catalogue.Count(), count);

    RegistryKey key = Mci();
    EXPECT_EQ(key.GetDword("NumDevices", 999), catalogue.Count());
    EXPECT_EQ(key.GetDword("AttemptMCI", 9), 0u);
    EXPECT_EQ(key.GetDword("ReadMCI", 9), 0u);
    for (uint32_t i = 0; i < catalogue.Count(); ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(key.GetString(("MCIDevice" + n).c_str(), "?"), catalogue.GetAt(i)->Device);
        EXPECT_EQ(key.GetString(("MCIName" + n).c_str(), "?"), catalogue.GetAt(i)->Name);
    }

    // The scanning window was up, as designed, and is gone.
    ASSERT_EQ(mci_.seen.size(), 1u) << "counted twice: once by Load, once by the scan";
    EXPECT_TRUE(mci_.seen[0].visible);
    EXPECT_TRUE(mci_.seen[0].captionless);
    EXPECT_TRUE(mci_.seen[0].icon);
    EXPECT_EQ(mci_.seen[0].text, "Scanning for MCI Devices...");
    EXPECT_EQ(ui_.ScanWindow(), nullptr);
}

// Three devices from a script, so the question's tests need no real probing.
class ThreeDevices : public MediaDeviceQuery {
public:
    bool CountDevices(uint32_t& count) override {
        ++asked;
        count = 3;
        return true;
    }
    bool DeviceName(uint32_t number, std::string& name) override {
        ++asked;
        name = "dev" + std::to_string(number);
        return true;
    }
    bool OpenDevice(const std::string&, uint32_t& device) override {
        ++asked;
        device = 1;
        return true;
    }
    bool ProductName(uint32_t, std::string& product) override {
        product = "Product";
        return true;
    }
    void CloseDevice(uint32_t) override {}
    int asked = 0;
};

TEST_F(WineCatalogue, AfterAnUnfinishedScanTheScanCommandAsksFirst) {
    const char question[] = "A previous scan failed. Do you wish to try again?";
    ThreeDevices devices;
    RegistryKey key = Mci();
    key.SetDword("AttemptMCI", 1);
    key.SetDword("ReadMCI", 1);
    {
        DeviceCatalogue catalogue(store_, devices, ui_);
        DialogWatcher no(IDNO);
        catalogue.Scan();
        const auto seen = no.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "MCI Scan");
        EXPECT_EQ(seen[0].text, question);
        EXPECT_EQ(catalogue.Count(), 0u);
    }
    EXPECT_EQ(devices.asked, 0);
    EXPECT_EQ(key.GetDword("AttemptMCI", 9), 0u);
    EXPECT_EQ(key.GetDword("ReadMCI", 9), 1u);
    EXPECT_EQ(key.GetDword("NumDevices", 9), 9u) << "no list was stored";

    key.SetDword("AttemptMCI", 1);
    DeviceCatalogue catalogue(store_, devices, ui_);
    DialogWatcher yes(IDYES);
    catalogue.Scan();
    ASSERT_GE(yes.seen().size(), 1u);
    EXPECT_EQ(yes.seen()[0].text, question);
    EXPECT_EQ(catalogue.Count(), 3u);
    EXPECT_EQ(key.GetDword("NumDevices", 9), 3u);
    EXPECT_EQ(key.GetString("MCIDevice2", ""), "dev3");
    EXPECT_EQ(key.GetString("MCIName2", ""), "Product");
    EXPECT_EQ(key.GetDword("AttemptMCI", 9), 0u);
    EXPECT_EQ(key.GetDword("ReadMCI", 9), 0u);
}

// A scan that died between its two flag writes, met when the dialog opens:
// No to the question offers the stored list, every promised entry present.
TEST_F(WineCatalogue, DecliningTheRetryOnOpeningOffersTheStoredList) {
    ThreeDevices devices;
    RegistryKey key = Mci();
    key.SetDword("AttemptMCI", 1);
    key.SetDword("ReadMCI", 0);
    key.SetDword("NumDevices", 2);
    key.SetString("MCIDevice0", "waveaudio");
    key.SetString("MCIName0", "Wave");
    key.SetString("MCIDevice1", "avivideo");
    key.SetString("MCIName1", "Video");
    DeviceCatalogue catalogue(store_, devices, ui_);
    DialogWatcher no(IDNO);
    catalogue.Load();
    ASSERT_EQ(no.seen().size(), 1u);
    EXPECT_EQ(no.seen()[0].caption, "MCI Scan");
    ASSERT_EQ(catalogue.Count(), 2u);
    ASSERT_NE(catalogue.GetAt(1), nullptr);
    EXPECT_EQ(catalogue.GetAt(1)->Name, "Video");
    EXPECT_EQ(catalogue.GetAt(2), nullptr);
    EXPECT_EQ(devices.asked, 1) << "only counted";
    EXPECT_EQ(key.GetDword("AttemptMCI", 9), 0u);
    EXPECT_EQ(key.GetDword("ReadMCI", 9), 1u);
}

}  // namespace

#pragma once
#include <string>
#include <vector>

#include "core/MediaDeviceQuery.h"
#include "core/ScanUi.h"
#include "tests/support/MemoryProfileStore.h"

// Installed media devices from a script. Every call is logged ("count",
// "name 2", "open cdaudio", "info 1", "close 1") so tests can check what was
// asked of the system, and in which order.
class ScriptedMediaDevices : public MediaDeviceQuery {
public:
    struct Device {
        std::string type;  // what the name request returns
        bool named = true;
        bool opens = true;
        bool described = true;
        std::string product;
    };

    bool CountDevices(uint32_t& count) override {
        log.push_back("count");
        if (refuseCount) return false;
        count = static_cast<uint32_t>(devices.size());
        return true;
    }
    bool DeviceName(uint32_t number, std::string& name) override {
        log.push_back("name " + std::to_string(number));
        if (number == crashAtName) throw Crash{};
        if (number < 1 || number > devices.size() || !devices[number - 1].named) return false;
        name = devices[number - 1].type;
        return true;
    }
    bool OpenDevice(const std::string& type, uint32_t& id) override {
        log.push_back("open " + type);
        for (size_t i = 0; i < devices.size(); ++i) {
            if (devices[i].type == type && devices[i].opens) {
                id = static_cast<uint32_t>(i + 1);
                ++openNow;
                return true;
            }
        }
        return false;
    }
    bool ProductName(uint32_t id, std::string& product) override {
        log.push_back("info " + std::to_string(id));
        if (id == crashAtInfo) throw Crash{};
        if (!devices[id - 1].described) return false;
        product = devices[id - 1].product;
        return true;
    }
    void CloseDevice(uint32_t id) override {
        log.push_back("close " + std::to_string(id));
        --openNow;
    }

    bool Logged(const std::string& call) const {
        for (const std::string& line : log) {
            if (line == call) return true;
        }
        return false;
    }

    struct Crash {};
    std::vector<Device> devices;
    bool refuseCount = false;
    uint32_t crashAtName = 0;  // a driver that takes the program down
    uint32_t crashAtInfo = 0;  // the same, asked for its description while open
    int openNow = 0;
    std::vector<std::string> log;
};

// Answers question 9103 as told and watches the scanning window; while the
// window is up it notes the crash-guard flags as stored at that moment.
class ScriptedScanUi : public ScanUi {
public:
    explicit ScriptedScanUi(MemoryProfileStore& store) : store_(store) {}

    bool AskRetryScan() override {
        ++asked;
        return answerYes;
    }
    bool ShowScanWindow() override {
        ++shown;
        flagsWhileShown = Flags();
        windowUp = true;
        return true;
    }
    void HideScanWindow() override {
        ++hidden;
        windowUp = false;
    }
    std::string Flags() const {
        auto flag = [&](const char* name) {
            return store_.Has(name, "MCI") ? std::to_string(store_.At(name, "MCI").number) : "-";
        };
        return flag("AttemptMCI") + "/" + flag("ReadMCI");
    }

    bool answerYes = true;
    int asked = 0;
    int shown = 0;
    int hidden = 0;
    bool windowUp = false;
    std::string flagsWhileShown;

private:
    MemoryProfileStore& store_;
};

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "saver/playback/WaveVolume.h"

namespace {

// Devices in memory: which answer the capability query, which have volume
// control, their volumes, and every write in order. The test owns them, so
// they can be read after the WaveVolume is gone.
struct FakeWaves {
    struct Device {
        bool queryOk = true;
        bool hasVolume = true;
        bool readOk = true;
        uint32_t volume = 0;
    };
    std::vector<Device> devices;
    std::vector<std::pair<uint32_t, uint32_t>> writes;
};

struct FakeWaveDevice : WaveDevice {
    explicit FakeWaveDevice(FakeWaves& waves) : w(waves) {}
    FakeWaves& w;

    uint32_t DeviceCount() override { return static_cast<uint32_t>(w.devices.size()); }
    bool QueryVolumeSupport(uint32_t id, bool& hasVolume) override {
        if (!w.devices.at(id).queryOk) return false;
        hasVolume = w.devices.at(id).hasVolume;
        return true;
    }
    bool ReadVolume(uint32_t id, uint32_t& volume) override {
        if (!w.devices.at(id).readOk) return false;
        volume = w.devices.at(id).volume;
        return true;
    }
    bool WriteVolume(uint32_t id, uint32_t volume) override {
        w.writes.emplace_back(id, volume);
        w.devices.at(id).volume = volume;
        return true;
    }
};

uint32_t Stereo(uint16_t left, uint16_t right) { return (static_cast<uint32_t>(right) << 16) | left; }

// A WaveVolume over one device with volume control at `volume`.
struct OneDevice {
    explicit OneDevice(uint32_t volume) {
        waves.devices.push_back({true, true, true, volume});
        wave = std::make_unique<WaveVolume>(std::make_unique<FakeWaveDevice>(waves));
    }
    FakeWaves waves;
    FakeWaves* fake = &waves;
    std::unique_ptr<WaveVolume> wave;
};

TEST(WaveVolume, PicksTheFirstDeviceWhoseQuerySucceedsWithVolumeControl) {
    struct Case {
        std::vector<FakeWaves::Device> devices;
        bool available;
        uint32_t id;
    } cases[] = {
        {{}, false, 0},
        {{{true, false, true, 1}}, false, 0},
        {{{false, true, true, 1}, {true, false, true, 2}, {true, true, true, 3}, {true, true, true, 4}}, true, 2},
        {{{true, true, true, 7}, {true, true, true, 8}}, true, 0},
        // A device whose volume cannot be read is one we could not restore.
        {{{true, true, false, 7}}, false, 0},
    };
    for (const Case& c : cases) {
        FakeWaves waves;
        waves.devices = c.devices;
        WaveVolume wave(std::make_unique<FakeWaveDevice>(waves));
        EXPECT_EQ(wave.available, c.available) << c.devices.size();
        if (c.available) {
            EXPECT_EQ(wave.deviceId, c.id);
            EXPECT_EQ(wave.startVolume, c.devices[c.id].volume);
            EXPECT_EQ(wave.currentVolume, wave.startVolume);
            EXPECT_EQ(wave.previousVolume, wave.startVolume);
        }
    }
}

TEST(WaveVolume, WithoutADeviceNothingIsWrittenAndVolumeIsZero) {
    FakeWaves waves;
    waves.devices.push_back({true, false, true, 1234});
    FakeWaves* fake = &waves;
    {
        WaveVolume wave(std::make_unique<FakeWaveDevice>(waves));
        wave.SetLevel(100);
        wave.SetMuted(true);
        wave.SetMuted(false);
        wave.VolumeUp();
        wave.VolumeDown();
        EXPECT_EQ(wave.GetVolume(), 0u);
        EXPECT_TRUE(fake->writes.empty());
    }
    EXPECT_TRUE(fake->writes.empty());
}

TEST(WaveVolume, UpAndDownStepTheLeftLevelOnBothChannelsAndStopShortOfTheEnds) {
    struct Case {
        uint32_t start;
        bool up;
        uint32_t expected;
    } cases[] = {
        {Stereo(30000, 50000), true, Stereo(32048, 32048)},
        {Stereo(30000, 50000), false, Stereo(27952, 27952)},
        {Stereo(64000, 64000), true, Stereo(64000, 64000)},   // 64000 + 2048 is not below 65535
        {Stereo(63486, 0), true, Stereo(65534, 65534)},       // 63486 + 2048 = 65534 < 65535
        {Stereo(63487, 0), true, Stereo(63487, 0)},           // reaching 65535 is not taken
        {Stereo(1000, 1000), false, Stereo(1000, 1000)},
        {Stereo(2048, 9), false, Stereo(2048, 9)},            // 2048 is not above 0 + 2048
        {Stereo(2049, 9), false, Stereo(1, 1)},
        {Stereo(0, 65535), true, Stereo(2048, 2048)},
    };
    for (const Case& c : cases) {
        OneDevice one(c.start);
        if (c.up) one.wave->VolumeUp(); else one.wave->VolumeDown();
        EXPECT_EQ(one.fake->devices[0].volume, c.expected) << std::hex << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(one.wave->GetVolume(), c.expected);
    }
}

TEST(WaveVolume, SetLevelClampsToTheLevelsAndKeepsThePreviousVolume) {
    OneDevice one(Stereo(100, 200));
    one.wave->minLevel = 1000;
    one.wave->maxLevel = 40000;
    one.wave->SetLevel(5);
    EXPECT_EQ(one.fake->devices[0].volume, Stereo(1000, 1000));
    EXPECT_EQ(one.wave->previousVolume, Stereo(100, 200));
    one.wave->SetLevel(65535);
    EXPECT_EQ(one.wave->currentVolume, Stereo(40000, 40000));
    EXPECT_EQ(one.wave->previousVolume, Stereo(1000, 1000));
}

TEST(WaveVolume, MuteThenUnmuteGivesBackTheLevelBeforeTheMute) {
    OneDevice one(Stereo(30000, 50000));
    one.wave->SetMuted(true);
    EXPECT_TRUE(one.wave->muted);
    EXPECT_EQ(one.fake->devices[0].volume, 0u);
    // Asking again only writes the present volume once more.
    one.wave->SetMuted(true);
    EXPECT_EQ(one.fake->writes.size(), 2u);
    EXPECT_EQ(one.fake->writes.back().second, 0u);
    one.wave->SetMuted(false);
    EXPECT_FALSE(one.wave->muted);
    EXPECT_EQ(one.fake->devices[0].volume, Stereo(30000, 30000));
    one.wave->VolumeUp();
    EXPECT_EQ(one.fake->devices[0].volume, Stereo(32048, 32048));
}

TEST(WaveVolume, DestructionPutsBackTheWholeStereoVolumeFoundAtStart) {
    OneDevice one(Stereo(20000, 40000));
    FakeWaves* fake = one.fake;
    one.wave->VolumeUp();
    one.wave->SetMuted(true);
    ASSERT_EQ(fake->devices[0].volume, 0u);
    one.wave.reset();
    EXPECT_EQ(fake->devices[0].volume, Stereo(20000, 40000));
}

}  // namespace

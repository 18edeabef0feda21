// The option dialogs' and the configuration dialog's small decisions: the
// bounce speed slider's scale, the keys text by platform and the title a
// file name suggests.
#include <gtest/gtest.h>

#include "saver/settings/FileTitle.h"
#include "saver/dialogs/KeysText.h"
#include "saver/dialogs/SliderScale.h"

TEST(SliderScale, SpeedToSliderSampleValues) {
    const struct {
        uint32_t speed;
        int position;
    } cases[] = {{2, 14}, {10, 99}, {100, 461}, {500, 831}};
    for (const auto& c : cases) EXPECT_EQ(SpeedToSlider(c.speed), c.position) << c.speed;
    // The ends of the scale may lose their last digit to the truncation.
    EXPECT_GE(SpeedToSlider(1), 0);
    EXPECT_LE(SpeedToSlider(1), 1);
    EXPECT_GE(SpeedToSlider(1000), 999);
    EXPECT_LE(SpeedToSlider(1000), 1000);
}

TEST(SliderScale, SliderToSpeedSampleValues) {
    for (int p = 1; p <= 14; ++p) EXPECT_EQ(SliderToSpeed(p), 1u) << p;
    EXPECT_EQ(SliderToSpeed(15), 2u);
    EXPECT_EQ(SliderToSpeed(461), 99u);
    EXPECT_EQ(SliderToSpeed(831), 499u);
    EXPECT_GE(SliderToSpeed(1000), 999u);
    EXPECT_LE(SliderToSpeed(1000), 1000u);
}

TEST(SliderScale, ARoundTripNeverGrowsAndTheScaleRises) {
    for (uint32_t s = 1; s <= 1000; ++s) EXPECT_LE(SliderToSpeed(SpeedToSlider(s)), s) << s;
    for (int p = 2; p <= 1000; ++p) EXPECT_GE(SliderToSpeed(p), SliderToSpeed(p - 1)) << p;
    for (uint32_t s = 2; s <= 1000; ++s) EXPECT_GE(SpeedToSlider(s), SpeedToSlider(s - 1)) << s;
}

TEST(KeysText, ChosenByPlatformAndVersion) {
    const struct {
        uint32_t platform;
        uint32_t major;
        unsigned id;
    } cases[] = {
        {2, 3, 9003}, {2, 4, 9003}, {2, 5, 9004}, {2, 6, 9004}, {2, 10, 9004},
        {1, 4, 9002}, {0, 3, 9002}, {3, 6, 9002},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeysTextId(c.platform, c.major), c.id) << c.platform << " " << c.major;
    }
}

TEST(FileTitle, ExamplesFromFileNames) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Movies\\Intro.mpeg", "Intro"},
        {"C:\\Movies\\Clip.backup", "Clip.backup"},
        {"Intro", "Intro"},
        {"C:\\a.b\\x", "a"},
        {"C:\\Movies\\Clip.avi", "Clip"},
        {"C:\\Movies\\Clip.", "Clip"},
        {"C:\\Movies\\", ""},
        {"Clip.avi", "Clip"},
        {"C:\\Movies.longer\\Clip", "Clip"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TitleFromFileName(c.path), c.title) << c.path;
}

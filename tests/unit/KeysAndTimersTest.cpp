#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "saver/playback/SaverKeys.h"
#include "saver/shell/PowerEvent.h"
#include "saver/shell/TimerPeriod.h"

namespace {

TEST(SaverKeys, ExactlyTheEightControlKeysKeepTheSaverRunning) {
    const uint32_t controls[] = {0x25, 0x26, 0x27, 0x28, 0x4D, 0x4E, 0x6D, 0x6E};
    int count = 0;
    for (uint32_t vk = 0; vk < 0x200; ++vk) {
        const bool expected = std::find(std::begin(controls), std::end(controls), vk) != std::end(controls);
        EXPECT_EQ(IsControlKey(vk), expected) << std::hex << vk;
        count += IsControlKey(vk);
    }
    EXPECT_EQ(count, 8);
    EXPECT_FALSE(IsControlKey(0x10004D));
}

TEST(SaverKeys, DisplayWindowPlans) {
    struct Case {
        uint32_t vk;
        bool mute;
        bool movie;
        DisplayKeyPlan plan;  // flipMute, applyMute, skip, stepBacks, volumeUp, volumeDown
    } cases[] = {
        {kKeyM, false, false, {true, true, false, 0, false, false}},
        {kKeyM, true, false, {true, true, false, 0, false, false}},
        {kKeyM, false, true, {false, true, false, 0, false, false}},
        {kKeyPadMinus, false, false, {true, true, false, 0, false, false}},
        {kKeyUp, true, false, {true, true, false, 0, false, false}},   // unmutes, no step
        {kKeyUp, true, true, {false, true, false, 0, false, false}},
        {kKeyUp, false, false, {false, false, false, 0, true, false}},
        {kKeyUp, false, true, {false, false, false, 0, true, false}},  // items keep their own mute
        {kKeyDown, false, false, {false, false, false, 0, false, true}},
        {kKeyDown, true, false, {false, false, false, 0, false, false}},
        {kKeyN, false, false, {false, false, true, 0, false, false}},
        {kKeyPadDecimal, true, false, {false, false, true, 0, false, false}},
        {kKeyRight, false, false, {false, false, true, 0, false, false}},
        {kKeyLeft, false, false, {false, false, true, 2, false, false}},
        {kKeyN, false, true, {false, false, false, 0, false, false}},
        {kKeyLeft, false, true, {false, false, false, 0, false, false}},
        {0x1B, false, false, {false, false, false, 0, false, false}},
        {0x20, true, true, {false, false, false, 0, false, false}},
    };
    for (const Case& c : cases) {
        const DisplayKeyPlan p = PlanDisplayKey(c.vk, c.mute, c.movie);
        SCOPED_TRACE(testing::Message() << std::hex << c.vk << " mute " << c.mute << " movie " << c.movie);
        EXPECT_EQ(p.flipMute, c.plan.flipMute);
        EXPECT_EQ(p.applyMute, c.plan.applyMute);
        EXPECT_EQ(p.skip, c.plan.skip);
        EXPECT_EQ(p.stepBacks, c.plan.stepBacks);
        EXPECT_EQ(p.volumeUp, c.plan.volumeUp);
        EXPECT_EQ(p.volumeDown, c.plan.volumeDown);
    }
}

TEST(SaverKeys, MovieWindowPlans) {
    struct Case {
        uint32_t vk;
        bool mute;
        MovieKeyPlan plan;  // toggleMute, applyGlobals, destroy, stepBacks, forward
    } cases[] = {
        {kKeyM, false, {true, false, false, 0, true}},
        {kKeyPadMinus, true, {true, false, false, 0, true}},
        {kKeyUp, true, {true, true, false, 0, true}},  // the unmute reaches the items
        {kKeyUp, false, {false, false, false, 0, true}},
        {kKeyDown, true, {false, false, false, 0, true}},
        {kKeyN, false, {false, false, true, 0, false}},
        {kKeyPadDecimal, false, {false, false, true, 0, false}},
        {kKeyRight, false, {false, false, true, 0, false}},
        {kKeyLeft, false, {false, false, true, 2, false}},
        {0x41, false, {false, false, false, 0, true}},
        {0x10, true, {false, false, false, 0, true}},
    };
    for (const Case& c : cases) {
        const MovieKeyPlan p = PlanMovieKey(c.vk, c.mute);
        SCOPED_TRACE(testing::Message() << std::hex << c.vk << " mute " << c.mute);
        EXPECT_EQ(p.toggleMute, c.plan.toggleMute);
        EXPECT_EQ(p.applyGlobals, c.plan.applyGlobals);
        EXPECT_EQ(p.destroy, c.plan.destroy);
        EXPECT_EQ(p.stepBacks, c.plan.stepBacks);
        EXPECT_EQ(p.forward, c.plan.forward);
    }
}

TEST(SaverKeys, ForwardedParameterPacksRepeatCountAndFlagsAsSixteenBitsEach) {
    EXPECT_EQ(PackKeyParam(1, 0x0032), 0x00320001u);
    EXPECT_EQ(PackKeyParam(3, 0x4032), 0x40320003u);
    EXPECT_EQ(PackKeyParam(0x12345, 0xABCDE), 0xBCDE2345u);
    EXPECT_EQ(PackKeyParam(0xFFFF, 0xFFFF), 0xFFFFFFFFu);
}

TEST(TimerPeriod, MinutesBecomeMillisecondsWithinWhatSetTimerAccepts) {
    struct Case {
        uint32_t minutes;
        uint32_t ms;
    } cases[] = {
        {1, 60000},
        {60, 3600000},
        {35791, 2147460000},     // the largest that fits
        {35792, 0x7FFFFFFFu},    // 2147520000 is past the maximum
        {71583, 0x7FFFFFFFu},    // 32-bit product would wrap to a small number
        {71583 * 2, 0x7FFFFFFFu},
        {0xFFFFFFFFu, 0x7FFFFFFFu},
        {0, 60000},  // a damaged 0 must not stop the saver at once
    };
    for (const Case& c : cases) EXPECT_EQ(MinutesToTimerPeriod(c.minutes), c.ms) << c.minutes;
}

TEST(PowerEvent, EightEventsAndUnknownValues) {
    const PowerAction expected[] = {PowerAction::StopPlayback,  PowerAction::None,
                                    PowerAction::ResumePlayback, PowerAction::None,
                                    PowerAction::StopPlayback,  PowerAction::None,
                                    PowerAction::Close,         PowerAction::Close};
    for (uint32_t event = 0; event < 8; ++event) EXPECT_EQ(PlanPowerEvent(event), expected[event]) << event;
    for (uint32_t event : {8u, 9u, 10u, 0x12u, 0x8013u, 0xFFFFFFFFu}) EXPECT_EQ(PlanPowerEvent(event), PowerAction::None);
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "main/ColorPulse.h"

using mainwin::ClampedRgb;
using mainwin::PulseColorsFor;
using mainwin::PulseState;
using mainwin::StepPulse;

TEST(ColorPulse, LevelClimbsPastTheTopFallsToZeroAndClimbsAgain) {
    PulseState state;
    std::vector<short> levels;
    for (int tick = 0; tick < 14; ++tick) {
        StepPulse(state);
        levels.push_back(state.PulseLevel);
    }
    EXPECT_EQ(levels, (std::vector<short>{50, 100, 150, 200, 250, 300, 250, 200, 150, 100, 50, 0, 50, 100}));
}

TEST(ColorPulse, ColoursOfTheFirstSixthAndSeventhTick) {
    PulseState state;
    StepPulse(state);
    EXPECT_EQ(PulseColorsFor(state.PulseLevel).heading, RGB(50, 100, 50));
    for (int tick = 2; tick <= 6; ++tick) StepPulse(state);
    const auto peak = PulseColorsFor(state.PulseLevel);
    EXPECT_EQ(peak.heading, RGB(255, 100, 255)) << "300 counts as 255";
    EXPECT_EQ(peak.label4, RGB(255, 0, 150));
    EXPECT_EQ(peak.label5, RGB(200, 0, 255));
    EXPECT_EQ(peak.label6, RGB(255, 50, 100));
    StepPulse(state);
    EXPECT_EQ(state.PulseLevel, 250);
    EXPECT_EQ(PulseColorsFor(state.PulseLevel).heading, RGB(250, 100, 250));
}

TEST(ColorPulse, RgbClampsEachComponent) {
    EXPECT_EQ(ClampedRgb(256, 300, 1000), 0x00FFFFFFu);
    EXPECT_EQ(ClampedRgb(1, 2, 3), static_cast<OLE_COLOR>(1 + 2 * 256 + 3 * 65536));
    EXPECT_EQ(ClampedRgb(-5, 0, 0), 0u);
}

#include "banner/GradientBands.h"

#include <gtest/gtest.h>

namespace {

void ExpectBand(const banner::GradientBand& band, int y1, int y2, long r, long g, long b) {
    EXPECT_EQ(band.y1, y1);
    EXPECT_EQ(band.y2, y2);
    EXPECT_EQ(band.red, r);
    EXPECT_EQ(band.green, g);
    EXPECT_EQ(band.blue, b);
}

TEST(GradientBands, WorkedExampleBothWays) {
    const auto down = banner::PlanGradient(1000, 2000, 255, 128, 0, true);
    ASSERT_EQ(down.bands.size(), 63u);
    ExpectBand(down.bands[0], 0, 16, 255, 128, 0);
    ExpectBand(down.bands[1], 16, 32, 251, 124, 0);
    ExpectBand(down.bands[32], 512, 528, 127, 0, 0);
    ExpectBand(down.bands[62], 992, 1008, 7, 0, 0);
    EXPECT_EQ(down.bands[62].x2, 2000);
    EXPECT_EQ(down.red, 3);  // the caller's variables end 252 lower, never below 0
    EXPECT_EQ(down.green, 0);
    const auto up = banner::PlanGradient(1000, 2000, 255, 128, 0, false);
    ExpectBand(up.bands[0], 984, 1000, 255, 128, 0);
    ExpectBand(up.bands[62], -8, 8, 7, 0, 0);
}

TEST(GradientBands, StepsPositionsBeyondSixteenBitsAndColours) {
    EXPECT_EQ(banner::GradientStep(990), 16);
    EXPECT_EQ(banner::GradientStep(945), 15);
    EXPECT_EQ(banner::PlanGradient(945, 10, 0, 0, 0, true).bands[62].y2, 945);
    const auto wide = banner::PlanGradient(50400, 40000, 255, 255, 255, false);
    EXPECT_EQ(wide.bands[0].x2, 40000);
    EXPECT_EQ(wide.bands[0].y1, 49600);
    ExpectBand(banner::PlanGradient(630, 10, 4, 3, 300, true).bands[1], 10, 20, 0, 0, 296);
    EXPECT_EQ(banner::BandColor(300, -5, 128), 0x008000FFu);
}

}  // namespace

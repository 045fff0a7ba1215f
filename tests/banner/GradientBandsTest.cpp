#include "banner/GradientBands.h"

#include <gtest/gtest.h>

namespace {

using banner::GradientBand;
using banner::PlanGradient;

void ExpectBand(const GradientBand& band, int y1, int y2, long r, long g, long b) {
    EXPECT_EQ(band.x1, 0);
    EXPECT_EQ(band.y1, y1);
    EXPECT_EQ(band.y2, y2);
    EXPECT_EQ(band.red, r);
    EXPECT_EQ(band.green, g);
    EXPECT_EQ(band.blue, b);
}

TEST(GradientBands, WorkedExampleTopDownRunsSixtyThreeBandsDarkeningByFour) {
    const auto plan = PlanGradient(1000, 2000, 255, 128, 0, true);
    ASSERT_EQ(plan.bands.size(), 63u);
    ExpectBand(plan.bands[0], 0, 16, 255, 128, 0);
    ExpectBand(plan.bands[1], 16, 32, 251, 124, 0);
    ExpectBand(plan.bands[32], 512, 528, 127, 0, 0);
    ExpectBand(plan.bands[62], 992, 1008, 7, 0, 0);
    EXPECT_EQ(plan.bands[62].x2, 2000);
    // The caller's variables end 252 lower, never below 0.
    EXPECT_EQ(plan.red, 3);
    EXPECT_EQ(plan.green, 0);
    EXPECT_EQ(plan.blue, 0);
}

TEST(GradientBands, WorkedExampleBottomUpStartsAtTheBottomAndRunsPastTheTop) {
    const auto plan = PlanGradient(1000, 2000, 255, 128, 0, false);
    ExpectBand(plan.bands[0], 984, 1000, 255, 128, 0);
    ExpectBand(plan.bands[1], 968, 984, 251, 124, 0);
    ExpectBand(plan.bands[62], -8, 8, 7, 0, 0);
}

TEST(GradientBands, StepIsTheHeightOverSixtyThreeToTheNearest) {
    EXPECT_EQ(banner::GradientStep(1000), 16);
    EXPECT_EQ(banner::GradientStep(990), 16);  // 15.71...
    EXPECT_EQ(banner::GradientStep(945), 15);  // exact: the bands cover it
    EXPECT_EQ(PlanGradient(945, 100, 0, 0, 0, true).bands[62].y2, 945);
    EXPECT_EQ(PlanGradient(990, 100, 0, 0, 0, true).bands[62].y2, 1008);
}

TEST(GradientBands, PositionsBeyondSixteenBitsStayExact) {
    const auto plan = PlanGradient(50400, 40000, 255, 255, 255, true);
    EXPECT_EQ(plan.bands[0].x2, 40000);
    EXPECT_EQ(plan.bands[62].y1, 62 * 800);
    EXPECT_EQ(plan.bands[62].y2, 63 * 800);
    const auto up = PlanGradient(50400, 40000, 255, 255, 255, false);
    EXPECT_EQ(up.bands[0].y1, 49600);
}

TEST(GradientBands, SmallStartsReachZeroAndColoursClampToAByte) {
    const auto plan = PlanGradient(630, 10, 4, 3, 300, true);
    ExpectBand(plan.bands[1], 10, 20, 0, 0, 296);
    EXPECT_EQ(banner::BandColor(300, -5, 128), 0x008000FFu);
    EXPECT_EQ(banner::BandColor(7, 7, 7), 0x00070707u);
}

}  // namespace

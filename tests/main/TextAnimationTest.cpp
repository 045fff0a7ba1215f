#include <gtest/gtest.h>

#include <vector>

#include "main/TextAnimation.h"

using mainwin::SpacingSchedule;

namespace {
std::vector<long> Frames(long start, long final) {
    SpacingSchedule s(start, final);
    std::vector<long> frames;
    while (!s.Finished()) frames.push_back(s.NextFrame());
    return frames;
}
}  // namespace

TEST(SpacingSchedule, FallsFromJustBelowTheStartOvershootsAndEasesBackHoldingEachStepLonger) {
    const auto frames = Frames(128, 0);
    ASSERT_EQ(frames.size(), 141u);
    EXPECT_EQ(frames.front(), 127);
    // 127 down to -4: one frame each.
    for (long i = 0; i < 132; ++i) EXPECT_EQ(frames[static_cast<size_t>(i)], 127 - i) << "frame " << i;
    const std::vector<long> tail(frames.begin() + 132, frames.end());
    EXPECT_EQ(tail, (std::vector<long>{-4, -3, -2, -2, -1, -1, -1, 0, 0}));
}

TEST(SpacingSchedule, FrameCountsForTheStatementsFinalSpacings) {
    EXPECT_EQ(mainwin::FrameCount(128, -2), 136);
    EXPECT_EQ(mainwin::FrameCount(128, -1), 138);
    EXPECT_EQ(mainwin::FrameCount(128, 0), 141);
    const auto frames = Frames(128, -2);
    EXPECT_EQ(frames[frames.size() - 1], -2);
    EXPECT_EQ(frames[frames.size() - 2], -2) << "the final spacing is drawn twice";
    EXPECT_EQ(frames[frames.size() - 3], -3);
}

TEST(EraseRectangle, AddsFourPixelsButNeverPassesTheClientWidth) {
    EXPECT_EQ(mainwin::EraseRight(300, 711), 304);
    EXPECT_EQ(mainwin::EraseRight(707, 711), 711);
    EXPECT_EQ(mainwin::EraseRight(708, 711), 711);
    EXPECT_EQ(mainwin::EraseRight(5000, 711), 711);
}

TEST(EraseRectangle, ClientWidthFromTheScaleRoundsEachPartThenDividesAsIntegers) {
    EXPECT_EQ(mainwin::ClientWidthPixels(10665, 15), 711);
    EXPECT_EQ(mainwin::ClientWidthPixels(10679.6, 15), 712);  // 10680 / 15
    EXPECT_EQ(mainwin::ClientWidthPixels(10664.4, 15), 710);  // 10664 / 15, truncated
    EXPECT_EQ(mainwin::ClientWidthPixels(1000.5, 12.5), 83);  // 1000 / 12: halves go to even
}

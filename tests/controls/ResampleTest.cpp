// Smooth resampling: shrinking averages, enlarging interpolates, transparency lends no colour.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/Resample.h"

namespace {
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kRed = 0xFFFF0000u;

int Red(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
int Alpha(uint32_t p) { return static_cast<int>(p >> 24); }
}  // namespace

TEST(Resample, ShrinkingAveragesEverySourcePixel) {
    std::vector<uint32_t> board(8 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) board[y * 8 + x] = (x + y) % 2 ? kWhite : kBlack;
    for (int size : {4, 3, 1}) {
        const auto out = ctl::ResampleArgb(board, 8, 8, size, size);
        ASSERT_EQ(out.size(), static_cast<size_t>(size * size));
        for (uint32_t p : out) {
            EXPECT_NEAR(Red(p), 128, 16) << size;
            EXPECT_EQ(Alpha(p), 255);
        }
    }
    // A single bright pixel in a large dark area still counts.
    std::vector<uint32_t> dark(100, kBlack);
    dark[55] = kWhite;
    EXPECT_NEAR(Red(ctl::ResampleArgb(dark, 10, 10, 1, 1)[0]), 255 / 100, 1);
}

TEST(Resample, EnlargingInterpolatesAndKeepsFlatAreasExact) {
    const std::vector<uint32_t> two = {kBlack, kWhite};
    const auto out = ctl::ResampleArgb(two, 2, 1, 8, 1);
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(out.front(), kBlack);
    EXPECT_EQ(out.back(), kWhite);
    for (size_t i = 1; i < out.size(); ++i) EXPECT_GE(Red(out[i]), Red(out[i - 1]));
    EXPECT_GT(Red(out[4]), 20);
    EXPECT_LT(Red(out[3]), 235);
    const auto flat = ctl::ResampleArgb(std::vector<uint32_t>(12, kRed), 4, 3, 13, 7);
    for (uint32_t p : flat) EXPECT_EQ(p, kRed);
    EXPECT_TRUE(ctl::ResampleArgb(two, 2, 1, 0, 5).empty());
}

TEST(Resample, TransparentPixelsLendNoColour) {
    // Red beside fully transparent white: the average is half-transparent pure red.
    const std::vector<uint32_t> edge = {kRed, 0x00FFFFFFu};
    const auto out = ctl::ResampleArgb(edge, 2, 1, 1, 1);
    EXPECT_NEAR(Alpha(out[0]), 128, 1);
    EXPECT_EQ(out[0] & 0x00FFFFFFu, 0x00FF0000u);
}

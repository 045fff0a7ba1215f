#include "frame/NCHitZone.h"

#include <gtest/gtest.h>

namespace {

constexpr long kCaption = 18;
const RECT kWindow = {0, 0, 300, 200};
const NCMargins kMargins = {4, 50, 5, 6};

long Zone(long x, long y, bool sizable) { return NCHitZone(POINT{x, y}, kWindow, kMargins, sizable, kCaption); }

}  // namespace

TEST(NCHitZone, SizableFrameZones) {
    EXPECT_EQ(Zone(4, 6, true), HTTOPLEFT);  // x = left margin, y = bottom margin
    EXPECT_EQ(Zone(0, 100, true), HTLEFT);
    EXPECT_EQ(Zone(2, 194, true), HTBOTTOMLEFT);
    EXPECT_EQ(Zone(295, 0, true), HTTOPRIGHT);
    EXPECT_EQ(Zone(299, 100, true), HTRIGHT);
    EXPECT_EQ(Zone(296, 199, true), HTBOTTOMRIGHT);
    EXPECT_EQ(Zone(150, 6, true), HTTOP);  // the top zone is as thick as the bottom margin
    EXPECT_EQ(Zone(150, 194, true), HTBOTTOM);
    EXPECT_EQ(Zone(150, 7, true), HTCAPTION);
    EXPECT_EQ(Zone(150, 6 + kCaption, true), HTCAPTION);  // last caption row
    EXPECT_EQ(Zone(150, 6 + kCaption + 1, true), HTCLIENT);  // menu band
    EXPECT_EQ(Zone(150, 50, true), HTCLIENT);
    EXPECT_EQ(Zone(kCaption, 10, true), HTSYSMENU);
    EXPECT_EQ(Zone(kCaption + 1, 10, true), HTCAPTION);
    EXPECT_EQ(Zone(150, 120, true), HTCLIENT);
    EXPECT_EQ(Zone(300, 100, true), HTCLIENT);  // outside the window rectangle
}

TEST(NCHitZone, FixedFrameHasNoResizeZones) {
    for (POINT p : {POINT{4, 6}, POINT{0, 100}, POINT{2, 194}, POINT{295, 0}, POINT{299, 100},
                    POINT{296, 199}, POINT{150, 6}, POINT{150, 0}, POINT{150, 194}, POINT{2, 10}}) {
        EXPECT_EQ(Zone(p.x, p.y, false), HTCLIENT) << p.x << "," << p.y;
    }
    EXPECT_EQ(Zone(150, 10, false), HTCAPTION);
    EXPECT_EQ(Zone(10, 10, false), HTSYSMENU);
    EXPECT_EQ(Zone(150, 30, false), HTCLIENT);
}

TEST(NCHitZone, CaptionBandEndsAtTheTopMargin) {
    const NCMargins shallow = {4, 15, 5, 6};
    EXPECT_EQ(NCHitZone(POINT{150, 15}, kWindow, shallow, true, kCaption), HTCAPTION);
    EXPECT_EQ(NCHitZone(POINT{150, 16}, kWindow, shallow, true, kCaption), HTCLIENT);
}

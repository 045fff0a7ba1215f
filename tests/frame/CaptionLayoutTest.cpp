// The skinned frame's arithmetic: strip pieces, buttons, title, menu band, edges and tiles,
// with the main window's lengths (18, 20, 90, 140, 230, 400; caption 55 high, border 10).
#include <gtest/gtest.h>

#include "frame/CaptionLayout.h"

using namespace CaptionLayout;

namespace {

const CaptionPictureMetrics kMain = {18, 20, 90, 140, 230, 400};
constexpr long kCapH = 55;
constexpr long kB = 10;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(CaptionLayout, Strip800WideActiveMatchesTheWorkedCase) {
    const CaptionStrip s = LayOutCaptionStrip(kMain, 0, 800, true, kB);
    EXPECT_EQ(s.variantOffset, 0);
    EXPECT_EQ(s.leftSlice.destX, 0);
    EXPECT_EQ(s.leftSlice.width, 90);
    EXPECT_EQ(s.leftSlice.sourceX, 0);
    EXPECT_EQ(s.rightWidth, 91);
    EXPECT_EQ(s.rightX, 710);
    EXPECT_EQ(s.rightSlice.sourceX, 140);
    EXPECT_EQ(s.rightSlice.width, 91);
    EXPECT_TRUE(s.titleFits);
    EXPECT_EQ(s.buttonAnchor, 795);
    ASSERT_EQ(s.middle.size(), 12u);
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(s.middle[i].destX, 90 + 52 * static_cast<long>(i));
        EXPECT_EQ(s.middle[i].width, 52);
        EXPECT_EQ(s.middle[i].sourceX, 91);
    }
    EXPECT_EQ(s.middle[11].destX, 662);
    EXPECT_EQ(s.middle[11].width, 48);
    // The middle covers exactly the columns between the slices.
    EXPECT_EQ(s.middle.back().destX + s.middle.back().width, s.rightX);
}

TEST(CaptionLayout, InactiveStripReadsTheOffsetVariant) {
    const CaptionStrip s = LayOutCaptionStrip(kMain, 0, 800, false, kB);
    EXPECT_EQ(s.variantOffset, 400);
    EXPECT_EQ(s.leftSlice.sourceX, 400);
    EXPECT_EQ(s.rightSlice.sourceX, 540);
    for (const StripCopy& piece : s.middle) EXPECT_EQ(piece.sourceX, 491);
    // Layout does not move with the variant.
    EXPECT_EQ(s.rightX, 710);
    EXPECT_EQ(s.buttonAnchor, 795);
}

TEST(CaptionLayout, NarrowWindowsLoseTheTitleAt180) {
    const CaptionStrip at180 = LayOutCaptionStrip(kMain, 0, 180, true, kB);
    EXPECT_EQ(at180.rightX, 91);  // raised from 90
    EXPECT_FALSE(at180.titleFits);
    ASSERT_EQ(at180.middle.size(), 1u);
    EXPECT_EQ(at180.middle[0].destX, 90);
    EXPECT_EQ(at180.middle[0].width, 1);

    const CaptionStrip at181 = LayOutCaptionStrip(kMain, 0, 181, true, kB);
    EXPECT_EQ(at181.rightX, 91);
    EXPECT_TRUE(at181.titleFits);

    const CaptionStrip tiny = LayOutCaptionStrip(kMain, 0, 40, true, kB);
    EXPECT_EQ(tiny.rightX, 91);
    EXPECT_FALSE(tiny.titleFits);
}

TEST(CaptionLayout, ButtonsLayOutRightToLeftAndAbsentOnesTakeNoRoom) {
    const long anchor = 795;
    RECT b[kButtonCount] = {};
    LayOutCaptionButtons(b, PresenceFromStyle(WS_OVERLAPPEDWINDOW), anchor, kButtonTop, 18, 20);
    EXPECT_TRUE(SameRect(b[kCloseButton], {776, 5, 795, 25}));
    EXPECT_TRUE(SameRect(b[kMaxRestoreButton], {757, 5, 776, 25}));
    EXPECT_TRUE(SameRect(b[kMinButton], {738, 5, 757, 25}));

    // No WS_SYSMENU: maximise takes the close button's place, minimise the maximise place.
    RECT n[kButtonCount] = {{1, 2, 3, 4}, {}, {}};
    const ButtonPresence noClose = PresenceFromStyle(WS_OVERLAPPEDWINDOW & ~WS_SYSMENU);
    EXPECT_FALSE(noClose.close);
    LayOutCaptionButtons(n, noClose, anchor, kButtonTop, 18, 20);
    EXPECT_EQ(n[kCloseButton].left, 795);
    EXPECT_EQ(n[kCloseButton].top, 2);  // left as it was
    EXPECT_TRUE(SameRect(n[kMaxRestoreButton], {776, 5, 795, 25}));
    EXPECT_TRUE(SameRect(n[kMinButton], {757, 5, 776, 25}));

    // No maximise box: minimise moves into its place; no minimise box changes nothing else.
    RECT m[kButtonCount] = {};
    LayOutCaptionButtons(m, PresenceFromStyle(WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX), anchor, kButtonTop, 18,
                         20);
    EXPECT_TRUE(SameRect(m[kCloseButton], {776, 5, 795, 25}));
    EXPECT_TRUE(SameRect(m[kMinButton], {757, 5, 776, 25}));
    RECT k[kButtonCount] = {};
    LayOutCaptionButtons(k, PresenceFromStyle(WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX), anchor, kButtonTop, 18,
                         20);
    EXPECT_TRUE(SameRect(k[kMaxRestoreButton], {757, 5, 776, 25}));
    EXPECT_FALSE(PresenceFromStyle(WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX).Present(kMinButton));
}

TEST(CaptionLayout, GlyphSourcesFollowStateAndPressing) {
    POINT p = {};
    ASSERT_TRUE(GlyphSource(kCloseButton, false, false, 18, 20, p));
    EXPECT_EQ(p.x, 241);
    EXPECT_EQ(p.y, 0);
    ASSERT_TRUE(GlyphSource(kCloseButton, true, false, 18, 20, p));
    EXPECT_EQ(p.x, 241);
    EXPECT_EQ(p.y, 20);
    ASSERT_TRUE(GlyphSource(kMaxRestoreButton, false, false, 18, 20, p));
    EXPECT_EQ(p.x, 276);
    ASSERT_TRUE(GlyphSource(kMaxRestoreButton, false, true, 18, 20, p));
    EXPECT_EQ(p.x, 258);
    ASSERT_TRUE(GlyphSource(kMinButton, true, true, 18, 20, p));
    EXPECT_EQ(p.x, 294);
    EXPECT_EQ(p.y, 20);
    EXPECT_FALSE(GlyphSource(3, false, false, 18, 20, p));
    EXPECT_FALSE(GlyphSource(-1, false, false, 18, 20, p));
}

TEST(CaptionLayout, TitleAndMenuBandRectangles) {
    EXPECT_TRUE(SameRect(TitleRect(0, 800, kB, kCapH), {92, 11, 704, 32}));
    const MenuBand band = MenuBandFor(90, 710, kCapH);
    EXPECT_EQ(band.left, 90);
    EXPECT_EQ(band.top, 27);
    EXPECT_EQ(band.width, 620);
    EXPECT_EQ(band.height, 27);
    EXPECT_EQ(band.yOffset, -25);
    EXPECT_EQ(Half(-3), -1);  // truncated toward zero
}

TEST(CaptionLayout, SideEdgesDoubleUntilTheBottomIsCovered) {
    const long bottom = 600;
    const std::vector<EdgeCopy> copies = SideEdgeCopies(0, bottom, kCapH, kB);
    ASSERT_GE(copies.size(), 2u);
    EXPECT_TRUE(copies[0].fromBorder);
    EXPECT_EQ(copies[0].destY, 55);
    EXPECT_EQ(copies[0].height, 10);
    EXPECT_EQ(copies[0].sourceRightX, 40);
    // Every later copy repeats rows already laid, doubling, and together they reach the
    // bottom edge without a gap.
    long laidTo = copies[0].destY + copies[0].height;
    for (size_t i = 1; i < copies.size(); ++i) {
        EXPECT_FALSE(copies[i].fromBorder);
        EXPECT_EQ(copies[i].destY, laidTo);
        EXPECT_EQ(copies[i].sourceY, 55);
        EXPECT_EQ(copies[i].sourceRightX, kB);
        EXPECT_LE(copies[i].sourceY + copies[i].height, laidTo);  // reads only laid rows
        laidTo += copies[i].height;
    }
    EXPECT_GE(laidTo, bottom - kB);
    EXPECT_LE(copies.size(), 8u);  // about log2((600 - 55) / 10) passes

    // A window no taller than the caption plus two tiles gets the one tile.
    EXPECT_EQ(SideEdgeCopies(0, 70, kCapH, kB).size(), 1u);
}

TEST(CaptionLayout, BorderTilesAndBottomEdge) {
    EXPECT_EQ(LeftEdgeTileX(kB), 0);
    EXPECT_EQ(BottomLeftCornerX(kB), 20);
    EXPECT_EQ(BottomTileX(kB), 30);
    EXPECT_EQ(RightEdgeTileX(kB), 40);
    EXPECT_EQ(BottomRightCornerX(kB), 60);

    const BottomTiles tiles = LayOutBottomTiles(0, 800, kB);
    EXPECT_EQ(tiles.firstX, 10);
    ASSERT_FALSE(tiles.copies.empty());
    EXPECT_EQ(tiles.copies.front(), 20);
    EXPECT_EQ(tiles.copies.back(), 790);  // reaches under the right corner
    for (size_t i = 1; i < tiles.copies.size(); ++i) EXPECT_EQ(tiles.copies[i], tiles.copies[i - 1] + kB);

    EXPECT_EQ(BottomEdgeY(600, kB, kCapH), 590);
    EXPECT_EQ(BottomEdgeY(60, kB, kCapH), 55);  // never above the caption band's bottom
}

TEST(CaptionLayout, CopiesAreClippedToTheirPicture) {
    EXPECT_EQ(ClippedWidth(540, 91, 600), 60);  // inactive right slice
    EXPECT_EQ(ClippedWidth(140, 91, 600), 91);
    EXPECT_EQ(ClippedWidth(60, 10, 65), 5);  // bottom-right corner
    EXPECT_EQ(ClippedWidth(600, 10, 600), 0);
    EXPECT_EQ(ClippedWidth(0, 0, 600), 0);
}

TEST(CaptionLayout, IconZoneIsHalfOpen) {
    const POINT inside = {12, 11};
    const POINT right = {42, 43};
    const POINT leftOf = {11, 11};
    const POINT above = {12, 10};
    EXPECT_TRUE(PtInRect(&kIconRect, inside));
    EXPECT_FALSE(PtInRect(&kIconRect, right));
    EXPECT_FALSE(PtInRect(&kIconRect, leftOf));
    EXPECT_FALSE(PtInRect(&kIconRect, above));
}

TEST(CaptionLayout, SmallestFrameKeepsBothSlicesTheBandAndTheEdgesWhole) {
    const SIZE bare = SmallestFrame(kMain, 55, kB, 0);
    EXPECT_EQ(bare.cx, 181);  // the width from which the right slice is no longer raised
    EXPECT_EQ(bare.cy, 55 + kB);
    EXPECT_TRUE(LayOutCaptionStrip(kMain, 0, bare.cx, true, kB).titleFits);
    const SIZE withBand = SmallestFrame(kMain, 55, kB, 150);
    EXPECT_EQ(withBand.cx, 90 + 150 + 91 - 1);
    const CaptionStrip s = LayOutCaptionStrip(kMain, 0, withBand.cx, true, kB);
    EXPECT_EQ(MenuBandFor(90, s.rightX, 55).width, 150);
    RECT buttons[kButtonCount] = {};
    LayOutCaptionButtons(buttons, ButtonPresence{true, true, true}, s.buttonAnchor, kButtonTop, 18, 20);
    EXPECT_GE(buttons[kMinButton].left, s.rightX);
    EXPECT_LE(buttons[kCloseButton].right, withBand.cx);
}

TEST(CaptionLayout, MinimisedPieceKeepsTheButtonsWholeAtTheRightEdge) {
    const CaptionStrip s = LayOutIconicStrip(kMain, 0, 160, true, kB);
    EXPECT_EQ(s.rightX, 160 - 91 + 1);
    EXPECT_TRUE(s.middle.empty());
    RECT buttons[kButtonCount] = {};
    LayOutCaptionButtons(buttons, ButtonPresence{true, true, true}, s.buttonAnchor, kButtonTop, 18, 20);
    EXPECT_GE(buttons[kMinButton].left, s.rightX);
    EXPECT_LE(buttons[kCloseButton].right, 160);
    // A wide enough window keeps its ordinary strip.
    EXPECT_EQ(LayOutIconicStrip(kMain, 0, 800, true, kB).rightX, LayOutCaptionStrip(kMain, 0, 800, true, kB).rightX);
    // 24 rows show the glyph rows 5..24 centred; a window as high as the caption shows it from the top.
    EXPECT_EQ(IconicSourceTop(20, 24, kCapH), 3);
    EXPECT_EQ(IconicSourceTop(20, kCapH, kCapH), 0);
}

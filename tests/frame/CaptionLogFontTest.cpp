// The caption painter's font and colour conversions.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/CaptionColor.h"
#include "frame/CaptionLogFont.h"
#include "runtime/gdi/Gdi.h"

using namespace CaptionLogFont;

TEST(CaptionLogFont, SizesRoundHalfToEvenBeforeScaling) {
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
    EXPECT_EQ(RoundHalfEven(8.25), 8);
    EXPECT_EQ(RoundHalfEven(8.75), 9);
    EXPECT_EQ(RoundHalfEven(9.0), 9);
    EXPECT_EQ(HeightForPoints(11, 96), -15);    // MulDiv rounds 14.67 up
    EXPECT_EQ(HeightForPoints(10.5, 96), -13);  // 10 points, not 10.5
    EXPECT_EQ(HeightForPoints(11.5, 96), -16);  // 12 points
    EXPECT_EQ(HeightForPoints(9, 120), -15);
}

TEST(CaptionLogFont, LogFontCarriesTheFaceAsCodePage936Bytes) {
    rt::StdFont font;
    font.SetName(L"宋体");
    font.SetSize(11);
    LOGFONTA lf = {};
    FillLogFont(font, 96, lf);
    const unsigned char expected[] = {0xCB, 0xCE, 0xCC, 0xE5, 0x00};
    EXPECT_EQ(std::memcmp(lf.lfFaceName, expected, sizeof(expected)), 0);
    EXPECT_EQ(lf.lfHeight, -15);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfCharSet, static_cast<BYTE>(font.Charset()));

    font.SetBold(true);
    font.SetItalic(true);
    font.SetUnderline(true);
    font.SetStrikethrough(true);
    font.SetCharset(GB2312_CHARSET);
    LOGFONTA styled = {};
    FillLogFont(font, 96, styled);
    EXPECT_EQ(styled.lfWeight, FW_BOLD);
    EXPECT_NE(styled.lfItalic, 0);
    EXPECT_NE(styled.lfUnderline, 0);
    EXPECT_NE(styled.lfStrikeOut, 0);
    EXPECT_EQ(styled.lfCharSet, GB2312_CHARSET);
}

TEST(CaptionLogFont, OverlongFaceNamesStopAtACharacterBoundary) {
    rt::StdFont font;
    font.SetName(L"A宋宋宋宋宋宋宋宋宋宋宋宋宋宋宋宋");  // 1 + 32 bytes
    LOGFONTA lf = {};
    FillLogFont(font, 96, lf);
    EXPECT_EQ(std::strlen(lf.lfFaceName), 31u);  // 'A' and fifteen whole characters
    font.SetName(L"宋宋宋宋宋宋宋宋宋宋宋宋宋宋宋宋宋");
    LOGFONTA even = {};
    FillLogFont(font, 96, even);
    EXPECT_EQ(std::strlen(even.lfFaceName), 30u);  // never half a character
}

TEST(CaptionLogFont, DeviceResolutionComesFromTheDC) {
    rt::StdFont font;
    font.SetName(L"宋体");
    font.SetSize(9);
    rt::WindowDC screen(nullptr);
    LOGFONTA lf = {};
    OLEFontToLogFont(font, screen.get(), lf);
    EXPECT_EQ(lf.lfHeight, -MulDiv(9, GetDeviceCaps(screen.get(), LOGPIXELSY), 72));
}

TEST(CaptionColor, DirectAndSystemColoursTranslate) {
    using CaptionColor::TranslateColor;
    EXPECT_EQ(TranslateColor(0x0080FFFF), 0x0080FFFFu);
    EXPECT_EQ(TranslateColor(0x00FF8080), 0x00FF8080u);
    EXPECT_EQ(TranslateColor(0x80000000 | COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(TranslateColor(0x80000000 | COLOR_ACTIVECAPTION), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(TranslateColor(0x80000FFF), CLR_INVALID);  // no such system colour
}

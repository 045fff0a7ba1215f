#include "banner/LogFontRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

rt::StdFont Arial18() {
    rt::StdFont font(L"Arial", 18);
    font.SetCharset(0);
    return font;
}

TEST(LogFontRecord, TurnedMeansTheNearestWholeDegreeIsNoMultipleOf360) {
    EXPECT_FALSE(banner::IsTurned(0.0f));
    EXPECT_FALSE(banner::IsTurned(0.4f));
    EXPECT_FALSE(banner::IsTurned(359.6f));
    EXPECT_FALSE(banner::IsTurned(360.0f));
    EXPECT_FALSE(banner::IsTurned(-720.0f));
    EXPECT_FALSE(banner::IsTurned(0.5f));  // halves go to the even neighbour, 0
    EXPECT_TRUE(banner::IsTurned(1.5f));
    EXPECT_TRUE(banner::IsTurned(0.6f));
    EXPECT_TRUE(banner::IsTurned(90.0f));
    EXPECT_TRUE(banner::IsTurned(-15.0f));
}

TEST(LogFontRecord, EscapementIsTenthsRoundedHalvesToEven) {
    EXPECT_EQ(banner::EscapementFor(12.25f), 122);
    EXPECT_EQ(banner::EscapementFor(12.75f), 128);
    EXPECT_EQ(banner::EscapementFor(90.0f), 900);
    EXPECT_EQ(banner::EscapementFor(-45.0f), -450);
}

TEST(LogFontRecord, Arial18UnturnedIsFilledAsTheTableSays) {
    const LOGFONTA lf = banner::BuildLogFont(Arial18(), 0.0f, 96);
    EXPECT_EQ(lf.lfHeight, -24);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 0);
    EXPECT_EQ(lf.lfClipPrecision, 0);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 0);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(banner::BuildLogFont(Arial18(), 0.0f, 120).lfHeight, -30);
    EXPECT_EQ(banner::BuildLogFont(rt::StdFont(L"宋体", 9), 0.0f, 96).lfHeight, -12);
}

TEST(LogFontRecord, TurningSetsPrecisionAndTurnsTheOemCharsetToAnsi) {
    EXPECT_EQ(banner::BuildLogFont(Arial18(), 90.0f, 96).lfOutPrecision, 7);
    rt::StdFont oem(L"Terminal", 9);
    oem.SetCharset(255);
    EXPECT_EQ(banner::BuildLogFont(oem, 45.0f, 96).lfCharSet, 0);
    const LOGFONTA full = banner::BuildLogFont(oem, 360.0f, 96);
    EXPECT_EQ(full.lfCharSet, 255);
    EXPECT_EQ(full.lfOutPrecision, 0);
    rt::StdFont styled = Arial18();
    styled.SetItalic(true);
    styled.SetUnderline(true);
    styled.SetStrikethrough(true);
    styled.SetWeight(-100);  // sign-extended as it stands
    const LOGFONTA lf = banner::BuildLogFont(styled, 0.0f, 96);
    EXPECT_EQ(lf.lfItalic, 255);
    EXPECT_EQ(lf.lfUnderline, 255);
    EXPECT_EQ(lf.lfStrikeOut, 255);
    EXPECT_EQ(lf.lfWeight, -100);
}

TEST(LogFontRecord, FaceNameIsCodePage936CutOnAWholeCharacter) {
    EXPECT_EQ(banner::FaceNameBytes(L"宋体"), std::string("\xCB\xCE\xCC\xE5"));
    // 15 Chinese characters are 30 bytes; a 16th would pass the 31 the field leaves.
    const std::wstring chinese(16, L'宋');
    EXPECT_EQ(banner::FaceNameBytes(chinese).size(), 30u);
    EXPECT_EQ(banner::FaceNameBytes(L"a" + chinese).size(), 31u);
    EXPECT_EQ(banner::FaceNameBytes(std::wstring(40, L'x')), std::string(31, 'x'));
    const LOGFONTA lf = banner::BuildLogFont(rt::StdFont(L"a" + chinese, 9), 0.0f, 96);
    EXPECT_EQ(lf.lfFaceName[31], '\0');
    const LOGFONTW wide = banner::WidenLogFont(lf);
    EXPECT_EQ(std::wstring(wide.lfFaceName), L"a" + std::wstring(15, L'宋'));
    EXPECT_EQ(wide.lfQuality, 2);
}

}  // namespace

// The rotated font: its record's rules, and the GDI font read back with GetObject.
#include "banner/CLogFont.h"

#include <gtest/gtest.h>

#include "banner/LogFontRecord.h"
#include "tests/support/GdiCount.h"

namespace {

rt::FontRef Arial18() {
    auto font = std::make_shared<rt::StdFont>(L"Arial", 18);
    font->SetCharset(0);
    return font;
}

int ScreenHeightOf(double points) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return rt::FontHeightForDpi(points, dpi);
}

LOGFONTW ReadBack(HFONT font) {
    LOGFONTW lf = {};
    EXPECT_EQ(GetObjectW(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    return lf;
}

TEST(LogFontRecord, TurnedRuleEscapementHeightAndFaceBytes) {
    for (float notTurned : {0.0f, 0.4f, 0.5f, 359.6f, 360.0f, -720.0f}) EXPECT_FALSE(banner::IsTurned(notTurned));
    for (float turned : {0.6f, 1.5f, 90.0f, -15.0f}) EXPECT_TRUE(banner::IsTurned(turned));
    EXPECT_EQ(banner::EscapementFor(12.25f), 122);
    EXPECT_EQ(banner::EscapementFor(12.75f), 128);
    EXPECT_EQ(banner::BuildLogFont(*Arial18(), 0, 96).lfHeight, -24);
    EXPECT_EQ(banner::BuildLogFont(*Arial18(), 0, 120).lfHeight, -30);
    EXPECT_EQ(banner::BuildLogFont(rt::StdFont(L"宋体", 9), 0, 96).lfHeight, -12);
    EXPECT_EQ(banner::FaceNameBytes(L"宋体"), std::string("\xCB\xCE\xCC\xE5"));
    // 31 bytes leave room for the NUL; a double-byte character is never split.
    EXPECT_EQ(banner::FaceNameBytes(std::wstring(16, L'宋')).size(), 30u);
    EXPECT_EQ(banner::FaceNameBytes(L"a" + std::wstring(16, L'宋')).size(), 31u);
    EXPECT_EQ(banner::FaceNameBytes(std::wstring(40, L'x')), std::string(31, 'x'));
}

TEST(CLogFont, NewInstanceIsEmptyAndAnAngleBeforeTheFontIsKept) {
    CLogFont font;
    EXPECT_EQ(font.Handle(), nullptr);
    EXPECT_EQ(font.Rotation(), 0.0f);
    EXPECT_EQ(font.LogFont(), nullptr);
    font.Rotation(30);
    EXPECT_EQ(font.Handle(), nullptr);
    font.LogFont(Arial18());
    ASSERT_NE(font.Handle(), nullptr);
    EXPECT_EQ(ReadBack(font.Handle()).lfEscapement, 300);
    EXPECT_EQ(ReadBack(font.Handle()).lfOrientation, 300);
}

TEST(CLogFont, Arial18ReadsBackAsBuiltAndTurnsWithPrecisionSeven) {
    CLogFont font;
    font.LogFont(Arial18());
    LOGFONTW lf = ReadBack(font.Handle());
    EXPECT_EQ(lf.lfHeight, ScreenHeightOf(18));
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 0);
    EXPECT_EQ(lf.lfClipPrecision, 0);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 0);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    font.Rotation(90);
    lf = ReadBack(font.Handle());
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfOrientation, 900);
    EXPECT_EQ(lf.lfOutPrecision, 7);
    font.Rotation(12.25f);
    EXPECT_EQ(ReadBack(font.Handle()).lfEscapement, 122);
    font.Rotation(12.75f);
    EXPECT_EQ(ReadBack(font.Handle()).lfEscapement, 128);
}

TEST(CLogFont, OemCharsetStylesAndChineseFaceReachGdi) {
    auto song = std::make_shared<rt::StdFont>(L"宋体", 9, false, true);
    song->SetUnderline(true);
    song->SetCharset(255);
    CLogFont font;
    font.LogFont(song);
    LOGFONTW lf = ReadBack(font.Handle());
    EXPECT_STREQ(lf.lfFaceName, L"宋体");
    EXPECT_EQ(lf.lfItalic, 255);
    EXPECT_EQ(lf.lfUnderline, 255);
    EXPECT_EQ(lf.lfCharSet, 255);
    font.Rotation(45);
    EXPECT_EQ(ReadBack(font.Handle()).lfCharSet, 0);
    font.Rotation(360);
    lf = ReadBack(font.Handle());
    EXPECT_EQ(lf.lfCharSet, 255);
    EXPECT_EQ(lf.lfOutPrecision, 0);
}

TEST(CLogFont, OwnsOneGdiFontKeepsItsOwnCopyAndLeaksNothing) {
    auto source = Arial18();
    CLogFont font;
    font.LogFont(source);
    source->SetName(L"Courier New");
    EXPECT_EQ(font.LogFont()->Name(), L"Arial");
    font.Rotation(15);
    const HFONT at15 = font.Handle();
    font.Rotation(15);
    EXPECT_EQ(font.Handle(), at15);
    font.Rotation(30);
    EXPECT_NE(font.Handle(), at15);
    EXPECT_EQ(GetObjectType(at15), 0u);

    const unsigned long before = testing_support::GdiObjectCount();
    for (int i = 1; i <= 10000; ++i) font.Rotation(static_cast<float>(i % 720));
    EXPECT_EQ(testing_support::GdiObjectCount(), before);

    const HFONT last = font.Handle();
    font.LogFont(nullptr);
    EXPECT_EQ(font.Handle(), nullptr);
    EXPECT_EQ(GetObjectType(last), 0u);
    font.Rotation(45);
    EXPECT_EQ(font.Handle(), nullptr);
}

}  // namespace

#include "banner/CLogFont.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/GdiCount.h"

namespace {

rt::FontRef Arial18() {
    auto font = std::make_shared<rt::StdFont>(L"Arial", 18);
    font->SetCharset(0);
    return font;
}

int ScreenDpiY() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

LOGFONTW ReadBack(HFONT font) {
    LOGFONTW lf = {};
    EXPECT_EQ(GetObjectW(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    return lf;
}

TEST(CLogFont, NewInstanceHoldsNothing) {
    CLogFont font;
    EXPECT_EQ(font.Handle(), nullptr);
    EXPECT_EQ(font.Rotation(), 0.0f);
    EXPECT_EQ(font.LogFont(), nullptr);
}

TEST(CLogFont, AngleBeforeFontIsRememberedAndUsedByTheFont) {
    CLogFont font;
    font.Rotation(30);
    EXPECT_EQ(font.Handle(), nullptr);
    font.LogFont(Arial18());
    ASSERT_NE(font.Handle(), nullptr);
    const LOGFONTW lf = ReadBack(font.Handle());
    EXPECT_EQ(lf.lfEscapement, 300);
    EXPECT_EQ(lf.lfOrientation, 300);
}

TEST(CLogFont, Arial18AtTheScreensResolutionReadsBackAsBuilt) {
    CLogFont font;
    font.LogFont(Arial18());
    const LOGFONTW lf = ReadBack(font.Handle());
    EXPECT_EQ(lf.lfHeight, rt::FontHeightForDpi(18, ScreenDpiY()));
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfOutPrecision, 0);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    font.Rotation(90);
    const LOGFONTW turned = ReadBack(font.Handle());
    EXPECT_EQ(turned.lfEscapement, 900);
    EXPECT_EQ(turned.lfOrientation, 900);
    EXPECT_EQ(turned.lfOutPrecision, 7);
}

TEST(CLogFont, ChineseFaceAndStylesReachGdi) {
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
    font.Rotation(12.25f);
    EXPECT_EQ(ReadBack(font.Handle()).lfEscapement, 122);
    font.Rotation(12.75f);
    EXPECT_EQ(ReadBack(font.Handle()).lfEscapement, 128);
}

TEST(CLogFont, OwnsOneGdiFontAndDeletesTheOneItReplaces) {
    CLogFont font;
    font.LogFont(Arial18());
    font.Rotation(15);
    const HFONT at15 = font.Handle();
    font.Rotation(15);
    EXPECT_EQ(font.Handle(), at15);
    font.Rotation(30);
    EXPECT_NE(font.Handle(), nullptr);
    EXPECT_EQ(GetObjectType(at15), 0u);
    const HFONT at30 = font.Handle();
    font.LogFont(nullptr);
    EXPECT_EQ(font.Handle(), nullptr);
    EXPECT_EQ(GetObjectType(at30), 0u);
    font.Rotation(45);
    EXPECT_EQ(font.Handle(), nullptr);
}

TEST(CLogFont, KeepsItsOwnCopyOfTheDescription) {
    auto source = Arial18();
    source->SetBold(true);
    source->SetWeight(600);
    CLogFont font;
    font.LogFont(source);
    source->SetName(L"Courier New");
    EXPECT_NE(font.LogFont(), source);
    EXPECT_EQ(font.LogFont()->Name(), L"Arial");
    EXPECT_EQ(font.LogFont()->Weight(), 600);  // the weight is copied last
    EXPECT_STREQ(ReadBack(font.Handle()).lfFaceName, L"Arial");
    // Changing the copy reaches GDI at the next rebuild only.
    font.LogFont()->SetSize(36);
    EXPECT_EQ(ReadBack(font.Handle()).lfHeight, rt::FontHeightForDpi(18, ScreenDpiY()));
    font.Rotation(1);
    EXPECT_EQ(ReadBack(font.Handle()).lfHeight, rt::FontHeightForDpi(36, ScreenDpiY()));
}

TEST(CLogFont, TenThousandAngleChangesLeaveTheGdiCountUnchanged) {
    CLogFont font;
    font.LogFont(Arial18());
    const unsigned long before = testing_support::GdiObjectCount();
    for (int i = 1; i <= 10000; ++i) font.Rotation(static_cast<float>(i % 720));
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
    {
        CLogFont second;
        second.LogFont(Arial18());
        EXPECT_EQ(testing_support::GdiObjectCount(), before + 1);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace

// The font object: attributes kept as the automation font keeps them, in-place changes seen
// through the revision, and the GDI font made from it.
#include "runtime/gdi/StdFont.h"

#include <gtest/gtest.h>

#include "runtime/core/RuntimeError.h"
#include "tests/support/GdiCount.h"

TEST(StdFont, KeepsBoldAndWeightConsistent) {
    rt::StdFont font;
    EXPECT_EQ(font.Name(), L"MS Sans Serif");
    EXPECT_DOUBLE_EQ(font.Size(), 8.25);
    EXPECT_FALSE(font.Bold());
    EXPECT_EQ(font.Weight(), 400);

    font.SetBold(true);
    EXPECT_EQ(font.Weight(), 700);
    font.SetWeight(600);
    EXPECT_TRUE(font.Bold());
    font.SetWeight(550);
    EXPECT_FALSE(font.Bold());
    font.SetWeight(900);
    font.SetBold(false);
    EXPECT_EQ(font.Weight(), 400);
}

TEST(StdFont, SizeIsACurrencyValueAndMustBePositive) {
    rt::StdFont font(L"Arial", 18);
    font.SetSize(9.123456);
    EXPECT_DOUBLE_EQ(font.Size(), 9.1235);
    font.SetSize(21.75);
    EXPECT_DOUBLE_EQ(font.Size(), 21.75);
    try {
        font.SetSize(0);
        ADD_FAILURE() << "a size of 0 was taken";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 380);
    }
    EXPECT_DOUBLE_EQ(font.Size(), 21.75);
}

TEST(StdFont, SharedObjectsSeeChangesInPlaceAndClonesDoNot) {
    auto font = std::make_shared<rt::StdFont>(L"Arial", 18, true);
    rt::FontRef holder = font;
    const unsigned revision = holder->Revision();
    rt::FontRef copy = font->Clone();
    font->SetName(L"Tahoma");
    font->SetItalic(true);
    font->SetUnderline(true);
    font->SetStrikethrough(true);
    font->SetCharset(134);
    EXPECT_EQ(holder->Name(), L"Tahoma");
    EXPECT_GT(holder->Revision(), revision);
    EXPECT_EQ(copy->Name(), L"Arial");
    EXPECT_TRUE(copy->Bold());
    EXPECT_FALSE(copy->Italic());
}

TEST(StdFont, BuildsTheGdiFontForTheDevice) {
    EXPECT_EQ(rt::FontHeightForDpi(18, 96), -24);
    EXPECT_EQ(rt::FontHeightForDpi(18, 120), -30);
    EXPECT_EQ(rt::FontHeightForDpi(9, 96), -12);
    EXPECT_EQ(rt::FontHeightForDpi(8.25, 96), -11);
    // 10.5 points at 96 dpi is exactly 14; 9.375 points is 12.5 pixels, which goes to 12.
    EXPECT_EQ(rt::FontHeightForDpi(10.5, 96), -14);
    EXPECT_EQ(rt::FontHeightForDpi(9.375, 96), -12);

    rt::StdFont font(L"\u5B8B\u4F53", 9, true, true);
    font.SetUnderline(true);
    font.SetCharset(134);
    const LOGFONTW lf = rt::LogFontFor(font, 96);
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
    EXPECT_EQ(lf.lfCharSet, 134);
    EXPECT_STREQ(lf.lfFaceName, L"\u5B8B\u4F53");

    const rt::StdFont longName(std::wstring(40, L'x'), 9);
    EXPECT_EQ(wcslen(rt::LogFontFor(longName, 96).lfFaceName), 31u);

    HDC screen = GetDC(nullptr);
    rt::CreateGdiFont(font, screen);  // the first font sets up the font machinery's own objects
    const unsigned long before = testing_support::GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        rt::Font gdi = rt::CreateGdiFont(font, screen);
        ASSERT_TRUE(gdi);
        LOGFONTW made = {};
        GetObjectW(gdi.get(), sizeof(made), &made);
        EXPECT_EQ(made.lfHeight, rt::FontHeightForDpi(9, GetDeviceCaps(screen, LOGPIXELSY)));
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

// Chinese text: the code page conversions, and that the faces the windows ask for draw real
// glyphs in this environment (the prefix maps them to installed CJK fonts).
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/core/Text.h"
#include "tests/support/Pixels.h"

using namespace testing_support;

TEST(ChineseText, CodePage936RoundTrip) {
    EXPECT_EQ(GetACP(), 936u);
    const std::string bytes = rt::AnsiFromWide(L"宋体");
    ASSERT_EQ(bytes.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xCB);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xCE);
    EXPECT_EQ(rt::WideFromAnsi(bytes), L"宋体");
    EXPECT_EQ(rt::WideFromUtf8(rt::Utf8FromWide(L"图片资料阅览")), L"图片资料阅览");
}

namespace {

struct Rendered {
    SIZE extent{};
    Pixels pixels;
    bool allGlyphsPresent = false;
};

// Draws text black on white in a 120 x 40 surface with the given face, 11 pt.
Rendered Render(const wchar_t* face, const std::wstring& text) {
    Rendered out;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 40);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(11, GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfCharSet = GB2312_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, 120, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &out.extent);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    out.allGlyphsPresent = true;
    for (WORD g : glyphs) out.allGlyphsPresent &= (g != 0xFFFF);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    out.pixels = CaptureBitmap(bitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return out;
}

int DarkPixels(const Pixels& p) {
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) n += GetRValue(p.At(x, y)) < 128;
    return n;
}

}  // namespace

TEST(ChineseText, SongFaceDrawsRealGlyphs) {
    const Rendered song = Render(L"宋体", L"图片");
    EXPECT_TRUE(song.allGlyphsPresent) << "the Song face has no glyphs for 图片";
    EXPECT_GT(song.extent.cx, 10);
    EXPECT_GT(DarkPixels(song.pixels), 20);
    // Missing glyphs all draw as the same box; real ones differ from each other.
    const Rendered first = Render(L"宋体", L"图");
    const Rendered second = Render(L"宋体", L"片");
    EXPECT_NE(first.pixels.bgra, second.pixels.bgra);
    // And the same text in a face without CJK glyphs looks different.
    const Rendered symbol = Render(L"Marlett", L"图片");
    EXPECT_NE(song.pixels.bgra, symbol.pixels.bgra);
}

TEST(ChineseText, KaiFaceDrawsRealGlyphs) {
    const Rendered kai = Render(L"楷体_GB2312", L"图片");
    EXPECT_TRUE(kai.allGlyphsPresent);
    const Rendered song = Render(L"宋体", L"图片");
    EXPECT_NE(kai.pixels.bgra, song.pixels.bgra) << "Kai and Song should be different faces";
}

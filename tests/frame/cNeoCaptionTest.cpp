// The skinned caption painter on real windows: the frame read back as pixels against the
// pictures it was made from, the title, the caption-button logic, attaching and detaching.
// The test pictures give every pixel its own colour, so each frame pixel names its source.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "frame/CaptionLayout.h"
#include "frame/CaptionLogFont.h"
#include "frame/MSubclass.h"
#include "frame/cNCCalcSize.h"
#include "frame/cNeoCaption.h"
#include "runtime/gdi/Gdi.h"
#include "tests/support/FramePictures.h"
#include "tests/support/GdiCount.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"
#include "tests/frame/SkinnedTestWindow.h"

using namespace testing_support;

namespace {

constexpr int kCapH = 55;
constexpr OLE_COLOR kActiveTitle = 0x0080FFFF;
constexpr OLE_COLOR kInactiveTitle = 0x00FF8080;
constexpr OLE_COLOR kMenuText = 0x00C0FFFF;

WindowOptions Options(int width, int height, std::wstring caption = L"", DWORD style = WS_OVERLAPPEDWINDOW) {
    WindowOptions o;
    o.caption = std::move(caption);
    o.style = style;
    o.x = 40;
    o.y = 40;
    o.width = width;
    o.height = height;
    return o;
}

// The main window's configuration of a painter.
void ConfigureLikeMainWindow(cNeoCaption& p) {
    p.ActiveCaptionColor(kActiveTitle);
    p.InActiveCaptionColor(kInactiveTitle);
    p.ActiveMenuColor(kMenuText);
    p.ActiveMenuColorOver(0x000000FF);
    p.InActiveMenuColor(0x00404000);
    p.MenuBackgroundColor(0x00CF6796);
    p.CaptionFont()->SetName(L"宋体");
    p.CaptionFont()->SetSize(11);
    p.MenuFont()->SetName(L"宋体");
    p.MenuFont()->SetSize(9);
}

// Sets the engine's active state and paints the frame at once, with no message pumping in
// between (other test processes share the desktop and its activation).
Pixels PaintAndCapture(HWND hwnd, bool active) {
    SendMessageW(hwnd, WM_NCACTIVATE, active ? TRUE : FALSE, 0);
    SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    return CaptureWindowFrame(hwnd);
}

SIZE WindowSize(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

int CaptionSourceColumn(int x, int width, bool active, long rightEnd = kRE) {
    return MainWindowCaptionColumn(x, width, active, static_cast<int>(rightEnd));
}

struct Mismatch {
    int count = 0;
    std::string first;
};

Mismatch Compare(const Pixels& frame, int x0, int y0, int x1, int y1, const std::function<COLORREF(int, int)>& want,
                 const std::function<bool(int, int)>& skip = {}) {
    Mismatch m;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (skip && skip(x, y)) continue;
            const COLORREF got = frame.At(x, y);
            const COLORREF expected = want(x, y);
            if (got == expected) continue;
            if (m.count++ == 0) {
                char text[96];
                snprintf(text, sizeof(text), "(%d,%d) got %06lX want %06lX", x, y, got, expected);
                m.first = text;
            }
        }
    }
    return m;
}

::testing::AssertionResult NoMismatch(const Mismatch& m) {
    if (m.count == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << m.count << " pixels differ, first " << m.first;
}

#define EXPECT_NO_MISMATCH(m) EXPECT_TRUE(NoMismatch(m))

bool InRect(int x, int y, int l, int t, int r, int b) { return x >= l && x < r && y >= t && y < b; }

// Glyph areas of the three buttons of a full-style window of the given width.
bool InGlyphs(int x, int y, int width) {
    const int a = width - 5;
    for (int k = 1; k <= 3; ++k) {
        const int left = a - k * 19;
        if (InRect(x, y, left, 5, left + 18, 25)) return true;
    }
    return false;
}

long PropertyValue(HWND hwnd, const std::wstring& name) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(hwnd, name.c_str())));
}

// Pixels of the menu band (rows 29..54, right of the left slice) that are not the picture's.
int MenuBandMarks(const Pixels& frame, int width) {
    return Compare(frame, 90, 29, width - 90, kCapH,
                   [&](int x, int y) { return CaptionTestColour(CaptionSourceColumn(x, width, true), y); })
        .count;
}

bool TakeSysCommand(HWND hwnd, WPARAM& command) {
    MSG msg;
    if (!PeekMessageW(&msg, hwnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) return false;
    command = msg.wParam & 0xFFF0;
    return true;
}

}  // namespace

TEST(cNeoCaption, DefaultsAndMarginsFollowThePictures) {
    auto p = std::make_shared<cNeoCaption>();
    EXPECT_EQ(p->ActiveCaptionColor(), 0x00CCCCCCu);
    EXPECT_EQ(p->InActiveCaptionColor(), 0x00999999u);
    EXPECT_EQ(p->ActiveMenuColor(), 0x00000000u);
    EXPECT_EQ(p->ActiveMenuColorOver(), 0x00000000u);
    EXPECT_EQ(p->InActiveMenuColor(), 0x00808080u);
    EXPECT_EQ(p->MenuBackgroundColor(), 0x00FFFFFFu);
    ASSERT_TRUE(p->CaptionFont());
    ASSERT_TRUE(p->MenuFont());
    EXPECT_EQ(p->CaptionFont()->Name(), L"MS Sans Serif");
    EXPECT_EQ(p->MenuFont()->Name(), L"MS Sans Serif");
    EXPECT_NE(p->CaptionFont(), p->MenuFont());  // two objects
    // Fonts are shared, not copied: the caller's changes reach the painter.
    auto font = std::make_shared<rt::StdFont>();
    p->CaptionFont(font);
    font->SetSize(20);
    EXPECT_EQ(p->CaptionFont()->Size(), 20);
    p->Detach();  // never attached: nothing happens

    TestWindow window(Options(400, 300));
    TestPictures pics;
    AttachTestPictures(*p, window.hwnd(), pics);
    EXPECT_EQ(p->hWnd(), window.hwnd());
    long top = 0, left = 0, right = 0, bottom = 0;
    p->GetTopMarginHeight(top);
    p->GetLeftMarginWidth(left);
    p->GetRightMarginWidth(right);
    p->GetBottomMarginHeight(bottom);
    EXPECT_EQ(top, 55);
    EXPECT_EQ(left, 10);
    EXPECT_EQ(right, 10);
    EXPECT_EQ(bottom, 10);
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, 400 - 20);
    EXPECT_EQ(client.bottom, 300 - 65);
}

TEST(cNeoCaption, WorkedCaseAt800PixelsActive) {
    SkinnedTestWindow window(Options(800, 600));
    ASSERT_EQ(WindowSize(window.hwnd()).cx, 800);
    const Pixels f = PaintAndCapture(window.hwnd(), true);
    ASSERT_EQ(f.width, 800);

    // Caption strip: left slice, twelve middle pieces, right slice from 710, outside the glyphs.
    EXPECT_NO_MISMATCH(Compare(
        f, 0, 0, 800, kCapH, [](int x, int y) { return CaptionTestColour(CaptionSourceColumn(x, 800, true), y); },
        [](int x, int y) { return InGlyphs(x, y, 800); }));
    // Spot checks of the worked figures themselves.
    EXPECT_EQ(f.At(89, 3), CaptionTestColour(89, 3));
    EXPECT_EQ(f.At(662, 3), CaptionTestColour(91, 3));  // last middle piece starts at 662
    EXPECT_EQ(f.At(709, 3), CaptionTestColour(91 + 47, 3));
    EXPECT_EQ(f.At(710, 3), CaptionTestColour(140, 3));
    EXPECT_EQ(f.At(799, 3), CaptionTestColour(229, 3));
    EXPECT_EQ(f.At(794, 10), CaptionTestColour(224, 10));  // the gap column beside the close glyph

    // Glyphs: close at 776..793 from (241, 0), maximise from (276, 0), minimise from (294, 0).
    EXPECT_NO_MISMATCH(Compare(f, 776, 5, 794, 25, [](int x, int y) { return CaptionTestColour(241 + x - 776, y - 5); }));
    EXPECT_NO_MISMATCH(Compare(f, 757, 5, 775, 25, [](int x, int y) { return CaptionTestColour(276 + x - 757, y - 5); }));
    EXPECT_NO_MISMATCH(Compare(f, 738, 5, 756, 25, [](int x, int y) { return CaptionTestColour(294 + x - 738, y - 5); }));

    // Side edges from the left and right tiles, repeating every 10 rows from row 55.
    EXPECT_NO_MISMATCH(Compare(f, 0, kCapH, 10, 590, [](int x, int y) { return BorderTestColour(x, (y - 55) % 10); }));
    EXPECT_NO_MISMATCH(
        Compare(f, 790, kCapH, 800, 590, [](int x, int y) { return BorderTestColour(40 + x - 790, (y - 55) % 10); }));
    // Bottom edge: corners from 20..29 and 60..64 (the picture ends there), tiles from 30..39.
    EXPECT_NO_MISMATCH(Compare(f, 0, 590, 800, 600, [](int x, int y) {
        const int r = y - 590;
        if (x < 10) return BorderTestColour(20 + x, r);
        if (x < 790) return BorderTestColour(30 + (x - 10) % 10, r);
        return BorderTestColour(std::min(60 + x - 790, 64), r);
    }));
}

TEST(cNeoCaption, InactiveLookReadsTheOffsetColumnsAndKeepsTheGlyphs) {
    SkinnedTestWindow window(Options(800, 400));
    const Pixels f = PaintAndCapture(window.hwnd(), false);
    EXPECT_NO_MISMATCH(Compare(
        f, 0, 0, 800, kCapH, [](int x, int y) { return CaptionTestColour(CaptionSourceColumn(x, 800, false), y); },
        [](int x, int y) { return InGlyphs(x, y, 800); }));
    EXPECT_EQ(f.At(0, 0), CaptionTestColour(400, 0));
    EXPECT_EQ(f.At(90, 0), CaptionTestColour(491, 0));
    EXPECT_EQ(f.At(710, 0), CaptionTestColour(540, 0));
    EXPECT_EQ(f.At(769, 0), CaptionTestColour(599, 0));
    EXPECT_NO_MISMATCH(Compare(f, 776, 5, 794, 25, [](int x, int y) { return CaptionTestColour(241 + x - 776, y - 5); }));
    // Becoming active again puts the active columns back.
    const Pixels g = PaintAndCapture(window.hwnd(), true);
    EXPECT_EQ(g.At(0, 0), CaptionTestColour(0, 0));
    EXPECT_EQ(g.At(710, 0), CaptionTestColour(140, 0));
}

TEST(cNeoCaption, MaximizedWindowShowsTheRestoreGlyph) {
    SkinnedTestWindow window(Options(600, 400));
    ShowWindow(window.hwnd(), SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(window.hwnd()));
    const int width = WindowSize(window.hwnd()).cx;
    const Pixels f = PaintAndCapture(window.hwnd(), true);
    const int left = width - 43;
    EXPECT_NO_MISMATCH(
        Compare(f, left, 5, left + 18, 25, [&](int x, int y) { return CaptionTestColour(258 + x - left, y - 5); }));
    ShowWindow(window.hwnd(), SW_RESTORE);
    PumpPending();
    const Pixels g = PaintAndCapture(window.hwnd(), true);
    EXPECT_NO_MISMATCH(Compare(g, 557, 5, 575, 25, [](int x, int y) { return CaptionTestColour(276 + x - 557, y - 5); }));
}

TEST(cNeoCaption, WindowWithoutSysMenuMovesMaximizeIntoTheClosePlace) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    SkinnedTestWindow window(Options(800, 300, L"", style));
    ASSERT_EQ(GetWindowLongW(window.hwnd(), GWL_STYLE) & WS_SYSMENU, 0);
    auto& p = window.painter;
    const Pixels f = PaintAndCapture(window.hwnd(), true);
    // Maximise where close would be, minimise where maximise would be, nothing further left.
    EXPECT_NO_MISMATCH(Compare(f, 776, 5, 794, 25, [](int x, int y) { return CaptionTestColour(276 + x - 776, y - 5); }));
    EXPECT_NO_MISMATCH(Compare(f, 757, 5, 775, 25, [](int x, int y) { return CaptionTestColour(294 + x - 757, y - 5); }));
    EXPECT_NO_MISMATCH(Compare(f, 738, 5, 756, 25, [](int x, int y) { return CaptionTestColour(CaptionSourceColumn(x, 800, true), y); }));

    // No close button to press: a press there handles the maximise button instead.
    rt::WindowFrameDC dc(window.hwnd());
    bool handled = false;
    p->NCMouseDown(780, 10, handled, dc.get(), 0, 0, 800, 300);
    EXPECT_TRUE(handled);
    p->NCMouseUp(780, 10, dc.get(), 0, 0, 800, 300);
    WPARAM command = 0;
    ASSERT_TRUE(TakeSysCommand(window.hwnd(), command));
    EXPECT_EQ(command, static_cast<WPARAM>(SC_MAXIMIZE));
    EXPECT_FALSE(TakeSysCommand(window.hwnd(), command));
}

TEST(cNeoCaption, TitleAndButtonsDependOnWidth180And181) {
    // With the main window's lengths the title rectangle is empty at both widths; a wider right
    // slice (rw 101, threshold 201) shows the rule in pixels.
    constexpr long kWideRightEnd = 240;
    TestPictures pics;
    auto titlePixels = [&](int width) {
        TestWindow window(Options(width, 200, L"WWWWWWWWWWWW"));
        SetWindowPos(window.hwnd(), nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER);
        auto p = std::make_shared<cNeoCaption>();
        ConfigureLikeMainWindow(*p);
        AttachTestPictures(*p, window.hwnd(), pics, kWideRightEnd);
        EXPECT_EQ(WindowSize(window.hwnd()).cx, width);
        const Pixels f = PaintAndCapture(window.hwnd(), true);
        return Compare(f, 92, 11, width - 96, 32, [&](int x, int y) {
                   return CaptionTestColour(CaptionSourceColumn(x, width, true, kWideRightEnd), y);
               })
            .count;
    };
    EXPECT_EQ(titlePixels(200), 0);  // too narrow: no title
    EXPECT_GT(titlePixels(201), 0);  // just wide enough: the title's start shows

    // The main window's lengths at 180 and 181: right slice from 91, buttons from anchor 176.
    for (const int width : {180, 181}) {
        TestWindow window(Options(width, 200, L"Lumesca"));
        SetWindowPos(window.hwnd(), nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER);
        auto p = std::make_shared<cNeoCaption>();
        AttachTestPictures(*p, window.hwnd(), pics);
        ASSERT_EQ(WindowSize(window.hwnd()).cx, width);
        const Pixels f = PaintAndCapture(window.hwnd(), true);
        EXPECT_EQ(f.At(90, 40), CaptionTestColour(91, 40)) << width;
        EXPECT_EQ(f.At(91, 40), CaptionTestColour(140, 40)) << width;
        EXPECT_EQ(f.At(157, 5), CaptionTestColour(241, 0)) << width;  // close glyph at anchor 176 - 19
    }
}

namespace {

// The title as the painter must draw it, drawn independently on the same background.
Pixels ReferenceTitle(const Pixels& background, const std::wstring& text, bool bold, COLORREF colour, int width,
                      UINT format) {
    rt::WindowDC screen(nullptr);
    rt::MemoryDC mem(screen.get());
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -kCapH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    rt::Bitmap bitmap(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::memcpy(bits, background.bgra.data(), background.bgra.size() * sizeof(uint32_t));
    rt::SelectGuard selected(mem.get(), bitmap.get());
    rt::StdFont font;
    font.SetName(L"宋体");
    font.SetSize(11);
    LOGFONTA lf = {};
    CaptionLogFont::OLEFontToLogFont(font, screen.get(), lf);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    rt::Font gdiFont(CreateFontIndirectA(&lf));
    rt::SelectGuard fontSelected(mem.get(), gdiFont.get());
    SetBkMode(mem.get(), TRANSPARENT);
    SetTextColor(mem.get(), colour);
    RECT rc = {92, 11, width - 96, 32};
    DrawTextW(mem.get(), text.c_str(), -1, &rc, format);
    return CaptureDC(mem.get(), 0, 0, width, kCapH);
}

}  // namespace

TEST(cNeoCaption, TitleIsBoldWhenActiveAndCutWithAnEllipsis) {
    const std::wstring title(120, L'M');
    SkinnedTestWindow window(Options(800, 300, title), {}, ConfigureLikeMainWindow);
    const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

    for (const bool active : {true, false}) {
        const Pixels f = PaintAndCapture(window.hwnd(), active);
        Pixels background;
        background.width = 800;
        background.height = kCapH;
        background.bgra.resize(800 * kCapH);
        for (int y = 0; y < kCapH; ++y)
            for (int x = 0; x < 800; ++x) {
                const COLORREF c = InGlyphs(x, y, 800) ? f.At(x, y) : CaptionTestColour(CaptionSourceColumn(x, 800, active), y);
                background.bgra[y * 800 + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        const COLORREF colour = active ? kActiveTitle : kInactiveTitle;
        const Pixels want = ReferenceTitle(background, title, active, colour, 800, format);
        EXPECT_NO_MISMATCH(Compare(f, 0, 0, 800, kCapH, [&](int x, int y) { return want.At(x, y); }))
            << (active ? "active" : "inactive");

        // The text reaches close to x = 704 and never beyond it.
        EXPECT_GT(Compare(f, 680, 11, 704, 32, [&](int x, int y) { return background.At(x, y); }).count, 0);
        EXPECT_EQ(Compare(f, 704, 0, 800, kCapH, [&](int x, int y) { return background.At(x, y); }).count, 0);
        // The comparison can tell the ellipsis and the weight apart.
        const Pixels noEllipsis = ReferenceTitle(background, title, active, colour, 800, DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_GT(Compare(noEllipsis, 92, 11, 704, 32, [&](int x, int y) { return want.At(x, y); }).count, 0);
        const Pixels otherWeight = ReferenceTitle(background, title, !active, colour, 800, format);
        EXPECT_GT(Compare(otherWeight, 92, 11, 704, 32, [&](int x, int y) { return want.At(x, y); }).count, 0);
    }
}

TEST(cNeoCaption, IconRectangleAnswersSysMenu) {
    SkinnedTestWindow window(Options(800, 300));
    auto& p = window.painter;
    PaintAndCapture(window.hwnd(), true);
    auto hit = [&](long x, long y) {
        long code = HTCAPTION;
        p->HitTest(x, y, code);
        return code;
    };
    EXPECT_EQ(hit(12, 11), HTSYSMENU);
    EXPECT_EQ(hit(41, 42), HTSYSMENU);
    EXPECT_EQ(hit(42, 43), HTCAPTION);
    EXPECT_EQ(hit(11, 11), HTCAPTION);
    EXPECT_EQ(hit(12, 10), HTCAPTION);
    EXPECT_EQ(hit(300, 15), HTCAPTION);
    // Over each caption button (and its gap column), not beside them.
    EXPECT_EQ(hit(776, 5), HTSYSMENU);
    EXPECT_EQ(hit(794, 24), HTSYSMENU);
    EXPECT_EQ(hit(795, 10), HTCAPTION);
    EXPECT_EQ(hit(760, 10), HTSYSMENU);
    EXPECT_EQ(hit(740, 10), HTSYSMENU);
    EXPECT_EQ(hit(737, 10), HTCAPTION);
    EXPECT_EQ(hit(780, 25), HTCAPTION);
}

TEST(cNeoCaption, CaptionButtonPressMoveOutAndRelease) {
    SkinnedTestWindow window(Options(800, 300), [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_SYSCOMMAND) return 0;  // keep the window as it is
        return std::nullopt;
    });
    auto& p = window.painter;
    PaintAndCapture(window.hwnd(), true);
    const HWND hwnd = window.hwnd();
    auto closeGlyph = [&](int row0) {
        const Pixels f = CaptureWindowFrame(hwnd);
        return Compare(f, 776, 5, 794, 25, [&](int x, int y) { return CaptionTestColour(241 + x - 776, row0 + y - 5); })
            .count;
    };
    WPARAM command = 0;
    {
        rt::WindowFrameDC dc(hwnd);
        bool handled = false;
        p->NCMouseDown(785, 15, handled, dc.get(), 0, 0, 800, 300);
        EXPECT_TRUE(handled);
    }
    EXPECT_EQ(closeGlyph(20), 0);  // pressed glyph
    long code = HTCAPTION;
    p->HitTest(600, 15, code);  // the pointer leaves: the button pops up
    EXPECT_EQ(closeGlyph(0), 0);
    p->HitTest(785, 15, code);  // and comes back with the mouse button still down
    EXPECT_EQ(closeGlyph(20), 0);
    p->HitTest(600, 15, code);
    {
        rt::WindowFrameDC dc(hwnd);
        p->NCMouseUp(600, 15, dc.get(), 0, 0, 800, 300);  // released outside
    }
    EXPECT_EQ(closeGlyph(0), 0);
    EXPECT_FALSE(TakeSysCommand(hwnd, command));
    {
        // A release over the button that was not pressed on it runs nothing either.
        rt::WindowFrameDC dc(hwnd);
        p->NCMouseUp(785, 15, dc.get(), 0, 0, 800, 300);
    }
    EXPECT_FALSE(TakeSysCommand(hwnd, command));

    auto click = [&](long x, long y) {
        rt::WindowFrameDC dc(hwnd);
        bool handled = false;
        p->NCMouseDown(x, y, handled, dc.get(), 0, 0, 800, 300);
        p->NCMouseUp(x, y, dc.get(), 0, 0, 800, 300);
        return handled;
    };
    EXPECT_TRUE(click(785, 15));
    ASSERT_TRUE(TakeSysCommand(hwnd, command));
    EXPECT_EQ(command, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(closeGlyph(0), 0);
    EXPECT_TRUE(click(765, 15));
    ASSERT_TRUE(TakeSysCommand(hwnd, command));
    EXPECT_EQ(command, static_cast<WPARAM>(SC_MAXIMIZE));
    EXPECT_TRUE(click(745, 15));
    ASSERT_TRUE(TakeSysCommand(hwnd, command));
    EXPECT_EQ(command, static_cast<WPARAM>(SC_MINIMIZE));
    EXPECT_FALSE(click(600, 15));  // not a button: left to the default processing
    EXPECT_FALSE(TakeSysCommand(hwnd, command));

    // A maximised window's maximise/restore button restores.
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_MAXIMIZE);
    EXPECT_TRUE(click(765, 15));
    ASSERT_TRUE(TakeSysCommand(hwnd, command));
    EXPECT_EQ(command, static_cast<WPARAM>(SC_RESTORE));
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) & ~WS_MAXIMIZE);
}

TEST(cNeoCaption, MenuBandIsRenderedBetweenTheSlices) {
    WindowOptions o = Options(800, 300);
    o.menu = MakeMainWindowMenu();
    SkinnedTestWindow window(o, {}, ConfigureLikeMainWindow);
    const Pixels f = PaintAndCapture(window.hwnd(), true);
    // The bar's text lies in the band; the band's left of 90 and the rows above it are the picture.
    EXPECT_GT(MenuBandMarks(f, 800), 50);
    EXPECT_NO_MISMATCH(Compare(f, 0, 0, 90, kCapH, [](int x, int y) { return CaptionTestColour(x, y); }));
    EXPECT_NO_MISMATCH(Compare(
        f, 0, 0, 700, 29, [](int x, int y) { return CaptionTestColour(CaptionSourceColumn(x, 800, true), y); }));
    int textPixels = 0;
    for (int y = 29; y < kCapH; ++y)
        for (int x = 90; x < 300; ++x) textPixels += ColorNear(f.At(x, y), kMenuText, 48) ? 1 : 0;
    EXPECT_GT(textPixels, 10);  // in the bar's text colour (the face is smoothed)
}

TEST(cNeoCaption, AttachTwiceLeavesOneEngineAndOneBar) {
    WindowOptions o = Options(500, 300);
    o.menu = MakeMainWindowMenu();
    SkinnedTestWindow window(o);
    const HWND hwnd = window.hwnd();
    auto& p = window.painter;
    const long attachCount = PropertyValue(hwnd, MSubclass::AttachCountProperty(hwnd));
    EXPECT_GT(attachCount, 0);
    AttachTestPictures(*p, hwnd, window.pictures);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::AttachCountProperty(hwnd)), attachCount);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_NCPAINT)), 1);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_LBUTTONDOWN)), 1);
    EXPECT_EQ(GetPropW(hwnd, kNCImplementationProperty), static_cast<HANDLE>(static_cast<INCAreaModifier*>(p.get())));
    const Pixels f = PaintAndCapture(hwnd, true);
    EXPECT_GT(MenuBandMarks(f, 500), 50);
}

TEST(cNeoCaption, DetachOrAttachingElsewhereGivesTheWindowItsFrameAndMenuBack) {
    WindowOptions o = Options(500, 300);
    const HMENU menu = MakeMainWindowMenu();
    o.menu = menu;
    TestWindow window(o);
    const HWND hwnd = window.hwnd();
    RECT nativeClient;
    GetClientRect(hwnd, &nativeClient);
    TestPictures pics;
    auto p = std::make_shared<cNeoCaption>();
    AttachTestPictures(*p, hwnd, pics);
    PaintAndCapture(hwnd, true);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetMenu(hwnd), nullptr);  // the drawn bar replaces the native one
    RECT skinnedClient;
    GetClientRect(hwnd, &skinnedClient);
    EXPECT_EQ(skinnedClient.bottom, 300 - 65);

    p->Detach();
    EXPECT_EQ(GetMenu(hwnd), menu);
    EXPECT_EQ(GetPropW(hwnd, kNCImplementationProperty), nullptr);
    EXPECT_EQ(GetPropW(hwnd, MSubclass::AttachCountProperty(hwnd).c_str()), nullptr);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.bottom, nativeClient.bottom);
    p->Detach();  // a second Detach changes nothing
    EXPECT_EQ(GetMenu(hwnd), menu);

    // Attached again, the painter finds the menu and draws it.
    AttachTestPictures(*p, hwnd, pics);
    EXPECT_GT(MenuBandMarks(PaintAndCapture(hwnd, true), 500), 50);

    // Attached to another window, it gives this one its frame and menu back.
    o.menu = MakeMainWindowMenu();
    TestWindow second(o);
    AttachTestPictures(*p, second.hwnd(), pics);
    EXPECT_EQ(GetMenu(hwnd), menu);
    EXPECT_EQ(GetPropW(hwnd, MSubclass::AttachCountProperty(hwnd).c_str()), nullptr);
    EXPECT_GT(MenuBandMarks(PaintAndCapture(second.hwnd(), true), 500), 50);
    p->Detach();
    EXPECT_EQ(GetMenu(second.hwnd()), o.menu);
}

TEST(cNeoCaption, DetachBeforeAnyPaintStillKeepsTheMenu) {
    WindowOptions o = Options(500, 300);
    const HMENU menu = MakeMainWindowMenu();
    o.menu = menu;
    o.show = false;  // a hidden window is never painted
    SkinnedTestWindow window(o);
    auto& p = window.painter;
    SendMessageW(window.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    p->Detach();
    EXPECT_EQ(GetMenu(window.hwnd()), menu);
}

TEST(cNeoCaption, ReleasedPainterUnregistersAndLeavesTheMenuForTheNext) {
    WindowOptions o = Options(500, 300);
    const HMENU menu = MakeMainWindowMenu();
    o.menu = menu;
    TestWindow window(o);
    const HWND hwnd = window.hwnd();
    TestPictures pics;
    auto first = std::make_shared<cNeoCaption>();
    AttachTestPictures(*first, hwnd, pics);
    PaintAndCapture(hwnd, true);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    first.reset();
    EXPECT_EQ(GetPropW(hwnd, kNCImplementationProperty), nullptr);
    EXPECT_EQ(GetPropW(hwnd, MSubclass::AttachCountProperty(hwnd).c_str()), nullptr);
    EXPECT_EQ(GetMenu(hwnd), menu);
    SendMessageW(hwnd, WM_NCPAINT, 1, 0);  // no painter: nothing of ours runs

    auto second = std::make_shared<cNeoCaption>();
    AttachTestPictures(*second, hwnd, pics);
    EXPECT_GT(MenuBandMarks(PaintAndCapture(hwnd, true), 500), 50);
}

// A painter that something still refers to (a drag or menu loop inside one of its calls, a
// field of another window) gives the window up when the next one attaches, and its own late
// Detach or release then touches nothing of the window the next painter wears.
TEST(cNeoCaption, APainterStillHeldGivesTheWindowUpAndItsLateDetachTouchesNothing) {
    WindowOptions o = Options(500, 300);
    o.menu = MakeMainWindowMenu();
    // Frames laid out while the native menu bar is on the window: it would show for a moment.
    int nativeMenuFrames = 0;
    TestWindow window(o, [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_NCCALCSIZE && GetMenu(h)) ++nativeMenuFrames;
        return std::nullopt;
    });
    const HWND hwnd = window.hwnd();
    TestPictures pics;
    auto stillHeld = std::make_shared<cNeoCaption>();
    AttachTestPictures(*stillHeld, hwnd, pics);
    PaintAndCapture(hwnd, true);
    nativeMenuFrames = 0;
    auto next = std::make_shared<cNeoCaption>();
    AttachTestPictures(*next, hwnd, pics);
    AttachTestPictures(*next, hwnd, pics);  // attached again, as a skin change does
    EXPECT_EQ(nativeMenuFrames, 0);
    auto wornByNext = [&] {
        EXPECT_EQ(GetPropW(hwnd, kNCImplementationProperty), static_cast<HANDLE>(static_cast<INCAreaModifier*>(next.get())));
        EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_NCPAINT)), 1);
        EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_NCCALCSIZE)), 1);
        EXPECT_EQ(GetMenu(hwnd), nullptr);  // no native menu bar, not even before a WM_SETCURSOR
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.bottom, 300 - 65);
        EXPECT_GT(MenuBandMarks(PaintAndCapture(hwnd, true), 500), 50);
    };
    wornByNext();
    const long attachCount = PropertyValue(hwnd, MSubclass::AttachCountProperty(hwnd));
    stillHeld->Detach();
    wornByNext();
    stillHeld.reset();
    wornByNext();
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::AttachCountProperty(hwnd)), attachCount);
}

TEST(cNeoCaption, SmallestTrackingSizeKeepsCaptionBandAndEdgesWhole) {
    WindowOptions o = Options(500, 300);
    o.menu = MakeMainWindowMenu();
    SkinnedTestWindow window(o);
    PaintAndCapture(window.hwnd(), true);  // the band lays its buttons out
    MINMAXINFO info = {};
    SendMessageW(window.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.y, kCapH + 10);
    // Both slices (90 + 91 - 1) and the band's buttons between them.
    EXPECT_GT(info.ptMinTrackSize.x, 181 + 50);
    SetWindowPos(window.hwnd(), nullptr, 0, 0, info.ptMinTrackSize.x, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(MenuBandMarks(PaintAndCapture(window.hwnd(), true), info.ptMinTrackSize.x), 50);
}

TEST(cNeoCaption, HundredSkinChangesKeepOneBarAndNoGdiGrowth) {
    WindowOptions o = Options(600, 300);
    o.menu = MakeMainWindowMenu();
    TestWindow window(o);
    const HWND hwnd = window.hwnd();
    TestPictures pics;
    std::shared_ptr<cNeoCaption> painter;
    auto changeSkin = [&] {
        painter = std::make_shared<cNeoCaption>();  // the previous painter goes without Detach
        ConfigureLikeMainWindow(*painter);
        AttachTestPictures(*painter, hwnd, pics);
        SendMessageW(hwnd, WM_NCPAINT, 1, 0);
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    for (int i = 0; i < 5; ++i) changeSkin();
    PumpPending();
    const long attachCount = PropertyValue(hwnd, MSubclass::AttachCountProperty(hwnd));
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 100; ++i) changeSkin();
    PumpPending();
    // A leak per painter would add 100 or more; the platform may create an object or two of its
    // own meanwhile when other windows change activation around this one.
    EXPECT_LE(GdiObjectCount(), before + 2);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::AttachCountProperty(hwnd)), attachCount);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_NCPAINT)), 1);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_LBUTTONDOWN)), 1);
    EXPECT_EQ(PropertyValue(hwnd, MSubclass::ClientCountProperty(hwnd, WM_MOUSEMOVE)), 1);
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    EXPECT_GT(MenuBandMarks(PaintAndCapture(hwnd, true), 600), 50);
}

TEST(cNeoCaption, ThousandPaintsDoNotGrowGdi) {
    SkinnedTestWindow window(Options(700, 500, L"Lumesca"), {}, ConfigureLikeMainWindow);
    auto paint = [&](int times) {
        for (int i = 0; i < times; ++i) {
            SendMessageW(window.hwnd(), WM_NCACTIVATE, i % 2, 0);
            SendMessageW(window.hwnd(), WM_NCPAINT, 1, 0);
        }
    };
    paint(10);  // the platform's own caption objects are made once, on first use
    const unsigned long before = GdiObjectCount();
    const DWORD start = GetTickCount();
    paint(1000);
    const DWORD elapsed = GetTickCount() - start;
    const DWORD paintStart = GetTickCount();
    for (int i = 0; i < 1000; ++i) SendMessageW(window.hwnd(), WM_NCPAINT, 1, 0);
    const DWORD paintElapsed = GetTickCount() - paintStart;
    EXPECT_EQ(GdiObjectCount(), before);
    printf("[ figures  ] 1000 activation changes with repaints (700 x 500): %lu ms\n", elapsed);
    printf("[ figures  ] 1000 frame paints alone (700 x 500): %lu ms\n", paintElapsed);
}

TEST(cNeoCaption, PopupNotificationsReachTheMenuBar) {
    WindowOptions o = Options(500, 300);
    const HMENU menu = MakeMainWindowMenu();
    o.menu = menu;
    SkinnedTestWindow window(o, {}, ConfigureLikeMainWindow);
    auto& p = window.painter;
    PaintAndCapture(window.hwnd(), true);
    const HMENU file = GetSubMenu(menu, 0);
    auto ownerDrawn = [&] {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(file, 0, TRUE, &info);
        return (info.fType & MFT_OWNERDRAW) != 0;
    };
    EXPECT_FALSE(ownerDrawn());
    p->InitMenuPopup(reinterpret_cast<WPARAM>(file), 0);
    EXPECT_TRUE(ownerDrawn());  // the bar draws the drop-down's items itself
    p->ExitMenuLoop();
    EXPECT_FALSE(ownerDrawn());  // and gives them back when the menu loop ends
    EXPECT_EQ(p->AltKeyAccelerator('Q'), 0);  // no item has that mnemonic
}

TEST(cNeoCaption, DefaultTitleColoursAndShortWindows) {
    SkinnedTestWindow window(Options(600, 300, L"MMMMMM"));  // colours and fonts left at their defaults
    auto titlePixelsOf = [](const Pixels& f, COLORREF colour) {
        int n = 0;
        for (int y = 11; y < 32; ++y)
            for (int x = 92; x < 504; ++x) n += ColorNear(f.At(x, y), colour, 24) ? 1 : 0;
        return n;  // the picture's pixels are far from both greys (blue 0x20)
    };
    const Pixels active = PaintAndCapture(window.hwnd(), true);
    EXPECT_GT(titlePixelsOf(active, 0x00CCCCCC), 10);
    EXPECT_GT(titlePixelsOf(active, 0x00CCCCCC), titlePixelsOf(active, 0x00999999));
    const Pixels inactive = PaintAndCapture(window.hwnd(), false);
    EXPECT_GT(titlePixelsOf(inactive, 0x00999999), 10);
    EXPECT_GT(titlePixelsOf(inactive, 0x00999999), titlePixelsOf(inactive, 0x00CCCCCC));

    // A frame shorter than the caption plus the border (sizing stops at that height, but the
    // painter may still be asked) gets its bottom edge at row 55.
    const rt::WindowDC screen(nullptr);
    const rt::MemoryDC memory(screen.get());
    const rt::Bitmap surface(CreateCompatibleBitmap(screen.get(), 600, 60));
    const rt::SelectGuard selected(memory.get(), surface.get());
    window.painter->NCPaint(memory.get(), 0, 0, 600, 60);
    const Pixels f = CaptureDC(memory.get(), 0, 0, 600, 60);
    EXPECT_NO_MISMATCH(Compare(f, 0, 55, 590, 60, [](int x, int y) {
        return x < 10 ? BorderTestColour(20 + x, y - 55) : BorderTestColour(30 + (x - 10) % 10, y - 55);
    }));
}

// A skin put on while a modal form has the owner disabled: the owner stays behind the active
// window, as it would on Windows, where SetForegroundWindow activates a disabled window too.
TEST(cNeoCaption, AttachLeavesADisabledWindowBehind) {
    TestWindow owner(Options(500, 300, L"owner"));
    TestWindow front(Options(300, 200, L"front"));
    EnableWindow(owner.hwnd(), FALSE);
    SetForegroundWindow(front.hwnd());
    PumpPending();
    const TestPictures pics;
    const auto painter = std::make_shared<cNeoCaption>();
    AttachTestPictures(*painter, owner.hwnd(), pics);
    PumpPending();
    EXPECT_NE(GetForegroundWindow(), owner.hwnd());
    EXPECT_NE(GetActiveWindow(), owner.hwnd());
    bool frontAbove = false;
    for (HWND w = GetWindow(front.hwnd(), GW_HWNDNEXT); w && !frontAbove; w = GetWindow(w, GW_HWNDNEXT))
        frontAbove = w == owner.hwnd();
    EXPECT_TRUE(frontAbove);
}

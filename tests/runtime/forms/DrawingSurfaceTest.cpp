// The drawing surface of forms and picture boxes, shown in a real window whose paints go to
// the surface: persistent drawing survives covering, Cls keeps the background picture, boxes
// fill in the exact colour, Print draws transparent text and moves to the next line.
#include "runtime/forms/DrawingSurface.h"

#include <gtest/gtest.h>

#include <memory>

#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/Screen.h"
#include "tests/support/GdiCount.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

bool Reddish(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90; }

// A window that hands its paints and size to a surface, as the form runtime does.
class SurfaceWindow {
public:
    explicit SurfaceWindow(bool persistent) {
        WindowOptions options;
        options.x = 150;
        options.y = 150;
        options.width = 420;
        options.height = 320;
        window = std::make_unique<TestWindow>(options, [this](HWND hwnd, UINT msg, WPARAM, LPARAM lParam)
                                                           -> std::optional<LRESULT> {
            switch (msg) {
            case WM_ERASEBKGND: return 1;
            case WM_PAINT: {
                rt::PaintDC dc(hwnd);
                surface.Paint(dc.get(), dc.paint().rcPaint);
                ++paints;
                return 0;
            }
            case WM_SIZE: surface.Resize(LOWORD(lParam), HIWORD(lParam)); return std::nullopt;
            default: return std::nullopt;
            }
        });
        surface.Attach(window->hwnd());
        surface.SetAutoRedraw(persistent);
        surface.SetBackColor(kWhite);
        surface.SetForeColor(kRed);
        surface.SetFont(std::make_shared<rt::StdFont>(L"Arial", 20, true));
        Settle();
    }
    ~SurfaceWindow() { surface.Detach(); }

    HWND hwnd() const { return window->hwnd(); }
    void Settle() { PumpPending(); }

    // What covering and uncovering does to a window: the cover's pixels land on the client
    // area, then the window manager invalidates it and the window repaints.
    void CoverAndUncover() {
        {
            rt::WindowDC dc(hwnd());
            rt::Brush cover(CreateSolidBrush(RGB(0, 160, 0)));
            RECT client;
            GetClientRect(hwnd(), &client);
            FillRect(dc.get(), &client, cover.get());
        }
        coverSeen = CaptureClient(hwnd()).At(5, 5) == RGB(0, 160, 0);
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpPending();
    }

    int CountReddish(const RECT& area) const {
        const Pixels pixels = CaptureClient(hwnd());
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) count += Reddish(pixels.At(x, y)) ? 1 : 0;
        }
        return count;
    }

    rt::DrawingSurface surface;
    std::unique_ptr<TestWindow> window;
    int paints = 0;
    bool coverSeen = false;
};

const RECT kTextArea = {0, 0, 400, 80};

}  // namespace

TEST(DrawingSurface, PersistentDrawingKeepsAPrintedLineAfterBeingCovered) {
    SurfaceWindow box(true);
    box.surface.SetCurrentX(300);  // twips: 20 pixels
    box.surface.SetCurrentY(300);
    box.surface.Print(L"HELLO WORLD");
    box.Settle();
    const int before = box.CountReddish(kTextArea);
    EXPECT_GT(before, 50);

    box.CoverAndUncover();
    EXPECT_TRUE(box.coverSeen);
    EXPECT_EQ(box.CountReddish(kTextArea), before);
    EXPECT_EQ(CaptureClient(box.hwnd()).At(300, 250), kWhite);
}

TEST(DrawingSurface, WithoutPersistenceTheWindowRepaintsOnlyTheBackground) {
    SurfaceWindow box(false);
    box.surface.SetCurrentX(300);
    box.surface.SetCurrentY(300);
    box.surface.Print(L"HELLO WORLD");
    EXPECT_GT(box.CountReddish(kTextArea), 50);  // drawn straight onto the window
    const int paintsBefore = box.paints;
    box.CoverAndUncover();
    EXPECT_TRUE(box.coverSeen);
    EXPECT_GT(box.paints, paintsBefore);  // the owner's paint event would redraw here
    EXPECT_EQ(box.CountReddish(kTextArea), 0);
    EXPECT_EQ(CaptureClient(box.hwnd()).At(5, 5), kWhite);
}

TEST(DrawingSurface, PrintDrawsNoTextBackgroundAndMovesToTheNextLine) {
    SurfaceWindow box(true);
    box.surface.SetScaleMode(rt::ScaleMode::Pixels);
    box.surface.Line(0, 0, 399, 79, kBlue);
    box.surface.SetCurrentX(20);
    box.surface.SetCurrentY(20);
    box.surface.Print(L"HELLO WORLD");
    TEXTMETRICW metrics = {};
    GetTextMetricsW(box.surface.hDC(), &metrics);
    EXPECT_DOUBLE_EQ(box.surface.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(box.surface.CurrentY(), 20 + metrics.tmHeight);
    box.surface.Print(L"a\r\nb");
    EXPECT_DOUBLE_EQ(box.surface.CurrentY(), 20 + 3 * metrics.tmHeight);
    box.surface.Refresh();

    // Within the box every pixel is blue, red or a blend of the two: nothing was filled
    // behind the letters.
    const Pixels pixels = CaptureClient(box.hwnd());
    int red = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 400; ++x) {
            const COLORREF c = pixels.At(x, y);
            ASSERT_LT(GetGValue(c), 60) << x << "," << y;
            red += Reddish(c) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 50);

    // In twips the same line height comes back in twips.
    box.surface.SetScaleMode(rt::ScaleMode::Twips);
    box.surface.SetCurrentY(0);
    box.surface.Print(L"x");
    EXPECT_DOUBLE_EQ(box.surface.CurrentY(), metrics.tmHeight * rt::Screen::TwipsPerPixelY());
}

TEST(DrawingSurface, LineFillsABoxInTheExactColourWithBothCorners) {
    SurfaceWindow box(true);
    box.surface.SetScaleMode(rt::ScaleMode::Pixels);
    const COLORREF odd = RGB(0x12, 0x34, 0x56);
    box.surface.Line(10, 10, 20, 15, odd);
    EXPECT_DOUBLE_EQ(box.surface.CurrentX(), 20);
    EXPECT_DOUBLE_EQ(box.surface.CurrentY(), 15);
    box.surface.SetScaleMode(rt::ScaleMode::Twips);
    const int tpp = rt::Screen::TwipsPerPixelX();
    box.surface.Line(30 * tpp, 40 * tpp, 50 * tpp, 45 * tpp, kBlue);
    box.surface.Line(0, 100 * tpp, box.surface.ScaleWidth(), box.surface.ScaleHeight(), 0x80000005);  // window colour
    box.Settle();

    const Pixels pixels = CaptureClient(box.hwnd());
    EXPECT_EQ(pixels.At(10, 10), odd);
    EXPECT_EQ(pixels.At(20, 15), odd);
    EXPECT_EQ(pixels.At(15, 12), odd);
    EXPECT_EQ(pixels.At(21, 15), kWhite);
    EXPECT_EQ(pixels.At(9, 10), kWhite);
    EXPECT_EQ(pixels.At(20, 16), kWhite);
    EXPECT_EQ(pixels.At(30, 40), kBlue);
    EXPECT_EQ(pixels.At(50, 45), kBlue);
    EXPECT_EQ(pixels.At(51, 45), kWhite);
    EXPECT_EQ(pixels.At(200, 200), GetSysColor(COLOR_WINDOW));
}

TEST(DrawingSurface, ClsClearsTheDrawingButKeepsTheBackgroundPicture) {
    SurfaceWindow box(true);
    box.surface.SetPicture(rt::StdPicture::FromBitmap(CreatePatternBitmap(60, 40)));
    box.surface.SetScaleMode(rt::ScaleMode::Pixels);
    box.surface.Line(100, 100, 140, 140, kBlue);
    box.surface.Line(10, 10, 20, 20, kBlue);  // over the picture
    box.surface.SetCurrentX(80);
    box.surface.SetCurrentY(10);
    box.surface.Print(L"HELLO");
    box.Settle();
    Pixels pixels = CaptureClient(box.hwnd());
    EXPECT_EQ(pixels.At(120, 120), kBlue);
    EXPECT_EQ(pixels.At(15, 15), kBlue);
    EXPECT_EQ(pixels.At(5, 30), PatternColor(5, 30));

    box.surface.Cls();
    box.Settle();
    EXPECT_DOUBLE_EQ(box.surface.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(box.surface.CurrentY(), 0);
    pixels = CaptureClient(box.hwnd());
    EXPECT_EQ(pixels.At(120, 120), kWhite);
    EXPECT_EQ(pixels.At(15, 15), PatternColor(15, 15));
    EXPECT_EQ(pixels.At(59, 39), PatternColor(59, 39));
    EXPECT_EQ(pixels.At(60, 39), kWhite);
    EXPECT_EQ(box.CountReddish(RECT{60, 0, 400, 80}), 0);

    // Without a picture the whole surface takes the back colour.
    box.surface.SetPicture(nullptr);
    box.Settle();
    EXPECT_EQ(CaptureClient(box.hwnd()).At(15, 15), kWhite);
}

TEST(DrawingSurface, DirectGdiDrawingOnHdcPersistsAndShowsInTheImage) {
    SurfaceWindow box(true);
    box.surface.SetPicture(rt::StdPicture::FromBitmap(CreatePatternBitmap(30, 30)));
    HDC dc = box.surface.hDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(box.surface.hDC(), dc);  // one DC for the surface's life
    {
        rt::Brush green(CreateSolidBrush(RGB(0, 200, 0)));
        const RECT area = {100, 100, 120, 130};
        FillRect(dc, &area, green.get());
    }
    box.surface.Refresh();
    box.CoverAndUncover();
    const Pixels shown = CaptureClient(box.hwnd());
    EXPECT_EQ(shown.At(110, 110), RGB(0, 200, 0));

    const rt::PictureRef image = box.surface.Image();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->PixelWidth(), box.surface.PixelWidth());
    EXPECT_EQ(image->PixelHeight(), box.surface.PixelHeight());
    const Pixels kept = CaptureBitmap(image->Bitmap());
    EXPECT_EQ(kept.At(110, 110), RGB(0, 200, 0));
    EXPECT_EQ(kept.At(7, 9), PatternColor(7, 9));
    EXPECT_EQ(kept.At(200, 200), kWhite);
}

TEST(DrawingSurface, PrintUsesAFontTheCallerSelectedIntoTheDc) {
    SurfaceWindow box(true);
    box.surface.SetScaleMode(rt::ScaleMode::Pixels);
    LOGFONTW lf = {};
    lf.lfHeight = -24;
    lf.lfEscapement = lf.lfOrientation = 900;  // text running upwards
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    wcscpy(lf.lfFaceName, L"Arial");
    rt::Font turned(CreateFontIndirectW(&lf));
    {
        rt::SelectGuard select(box.surface.hDC(), turned.get());
        box.surface.SetCurrentX(100);
        box.surface.SetCurrentY(260);
        box.surface.Print(L"WWWWWWWW");
    }
    box.Settle();
    const Pixels pixels = CaptureClient(box.hwnd());
    RECT bounds = {1000, 1000, -1, -1};
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (!Reddish(pixels.At(x, y))) continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x);
            bounds.bottom = std::max<LONG>(bounds.bottom, y);
        }
    }
    ASSERT_GE(bounds.right, bounds.left);
    EXPECT_GT(bounds.bottom - bounds.top, 2 * (bounds.right - bounds.left));
    EXPECT_LE(bounds.bottom, 262);
}

TEST(DrawingSurface, FontChangesInPlaceReachTheDc) {
    SurfaceWindow box(true);
    const rt::FontRef font = box.surface.Font();
    TEXTMETRICW small = {}, large = {};
    font->SetSize(8);
    GetTextMetricsW(box.surface.hDC(), &small);
    font->SetSize(30);
    GetTextMetricsW(box.surface.hDC(), &large);
    EXPECT_GT(large.tmHeight, small.tmHeight * 3);
    font->SetBold(false);
    TEXTMETRICW light = {};
    GetTextMetricsW(box.surface.hDC(), &light);
    EXPECT_LT(light.tmWeight, 600);
}

TEST(DrawingSurface, GrowingTheWindowKeepsTheDrawing) {
    SurfaceWindow box(true);
    box.surface.SetScaleMode(rt::ScaleMode::Pixels);
    box.surface.Line(300, 200, 350, 250, kBlue);
    SetWindowPos(box.hwnd(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    box.Settle();
    SetWindowPos(box.hwnd(), nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    box.Settle();
    const Pixels pixels = CaptureClient(box.hwnd());
    EXPECT_EQ(pixels.At(320, 220), kBlue);
    EXPECT_EQ(pixels.At(500, 380), kWhite);
    EXPECT_EQ(box.surface.Image()->PixelWidth(), pixels.width);
}

TEST(DrawingSurface, RepeatedDrawingLeaksNoGdiObjects) {
    SurfaceWindow box(true);
    auto work = [&](int i) {
        box.surface.Font()->SetSize(10 + i % 5);
        box.surface.Print(L"line");
        box.surface.Line(0, 0, 300, 300, RGB(i & 0xFF, 0, 0));
        box.surface.Cls();
        box.surface.Image();
        box.surface.SetPicture(rt::StdPicture::FromBitmap(CreatePatternBitmap(8, 8)));
    };
    work(0);
    const unsigned long before = GdiObjectCount();
    for (int i = 1; i <= 300; ++i) work(i);
    box.surface.SetPicture(nullptr);
    work(0);
    box.surface.SetPicture(nullptr);
    EXPECT_LE(GdiObjectCount(), before);
    // Switching persistence off and on releases and rebuilds the kept image cleanly.
    box.surface.SetAutoRedraw(false);
    box.surface.SetAutoRedraw(true);
    box.surface.SetPicture(rt::StdPicture::FromBitmap(CreatePatternBitmap(8, 8)));
    EXPECT_LE(GdiObjectCount(), before + 1);
}

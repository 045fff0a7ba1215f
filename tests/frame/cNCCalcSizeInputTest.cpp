#include "frame/cNCCalcSize.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <utility>

#include "tests/frame/NCTestPainter.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestWindow.h"

using testing_support::MakeForeground;
using testing_support::MouseDownAt;
using testing_support::MoveMouseTo;
using testing_support::PumpFor;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::TestWindow;
using testing_support::WindowOptions;

namespace {

struct Framed {
    explicit Framed(WindowOptions options = {})
        : window(std::move(options)),
          painter(std::make_shared<NCTestPainter>(window.hwnd())),
          engine(std::make_shared<cNCCalcSize>()) {
        engine->Attach(painter.get());
        engine->Display(window.hwnd());
        PumpPending();
    }
    ~Framed() { engine->Detach(); }
    HWND hwnd() const { return window.hwnd(); }

    // The engine's answer with the pointer at a window-relative point.
    LRESULT HitAt(long x, long y) const {
        RECT w = {};
        GetWindowRect(hwnd(), &w);
        SetCursorPos(w.left + x, w.top + y);
        POINT p = {};
        // The new position reaches GetCursorPos through the input queue.
        PumpUntil([&] { GetCursorPos(&p); return p.x == w.left + x && p.y == w.top + y; }, 1000);
        EXPECT_EQ(p.x, w.left + x);
        EXPECT_EQ(p.y, w.top + y);
        return SendMessageW(hwnd(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    }

    TestWindow window;
    std::shared_ptr<NCTestPainter> painter;
    std::shared_ptr<cNCCalcSize> engine;
};

struct ZoneCase {
    long x, y;
    LRESULT sizable, fixed;
};

}  // namespace

TEST(cNCCalcSizeInput, HitTestZonesOfSizableAndFixedWindows) {
    Framed sizable(WindowOptions{.style = WS_OVERLAPPEDWINDOW});
    Framed fixed(WindowOptions{.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU});
    const long cap = GetSystemMetrics(SM_CYCAPTION);
    const NCTestPainter& p = *sizable.painter;  // margins 4, 30, 5, 6 on both
    const long W = 400, H = 300;
    const ZoneCase cases[] = {
        {p.left, p.bottom, HTTOPLEFT, HTCLIENT},
        {1, H / 2, HTLEFT, HTCLIENT},
        {1, H - 2, HTBOTTOMLEFT, HTCLIENT},
        {W - 2, 1, HTTOPRIGHT, HTCLIENT},
        {W - 2, H / 2, HTRIGHT, HTCLIENT},
        {W - 2, H - 2, HTBOTTOMRIGHT, HTCLIENT},
        {W / 2, 2, HTTOP, HTCLIENT},
        {W / 2, H - 2, HTBOTTOM, HTCLIENT},
        {W / 2, p.bottom + 1, HTCAPTION, HTCAPTION},
        {W / 2, p.bottom + cap, HTCAPTION, HTCAPTION},
        {W / 2, p.bottom + cap + 1, HTCLIENT, HTCLIENT},  // menu band
        {cap, p.bottom + 2, HTSYSMENU, HTSYSMENU},
        {W / 2, H / 2, HTCLIENT, HTCLIENT},
    };
    ASSERT_LT(p.bottom + cap + 1, p.top);
    for (const ZoneCase& c : cases) {
        EXPECT_EQ(sizable.HitAt(c.x, c.y), c.sizable) << c.x << "," << c.y;
        EXPECT_EQ(fixed.HitAt(c.x, c.y), c.fixed) << c.x << "," << c.y;
    }
    ASSERT_FALSE(sizable.painter->hitTests.empty());
    EXPECT_EQ(sizable.painter->hitTests.back().x, W / 2);
    EXPECT_EQ(sizable.painter->hitTests.back().y, H / 2);

    // The painter's word is final, except that a menu answer is client area.
    const long menu = HTMENU, close = HTCLOSE;
    sizable.painter->hitTestOverride = &menu;
    EXPECT_EQ(sizable.HitAt(W / 2, 10), HTCLIENT);
    sizable.painter->hitTestOverride = &close;
    EXPECT_EQ(sizable.HitAt(W / 2, 10), HTCLOSE);
}

TEST(cNCCalcSizeInput, PressesOffTheCaptionGoToThePainter) {
    Framed f;
    MakeForeground(f.hwnd());
    f.painter->handleMouseDown = true;
    RECT w = {};
    GetWindowRect(f.hwnd(), &w);
    SetCursorPos(w.left + 200, w.top + 2);  // top resize zone
    PumpUntil([&] { POINT c; GetCursorPos(&c); return c.x == w.left + 200 && c.y == w.top + 2; }, 1000);
    const long code = static_cast<long>(SendMessageW(f.hwnd(), WM_NCHITTEST, 0, 0));
    ASSERT_EQ(code, HTTOP);
    SendMessageW(f.hwnd(), WM_NCLBUTTONDOWN, code, 0);
    ASSERT_EQ(f.painter->mouse.size(), 1u);
    EXPECT_EQ(f.painter->mouse[0].kind, "down");
    // The engine nudges the pointer by one pixel as it handles the press; whether the nudge has
    // reached GetCursorPos when it reads the position is up to the input queue.
    EXPECT_NEAR(f.painter->mouse[0].x, 200, 1);
    EXPECT_NEAR(f.painter->mouse[0].y, 2, 1);
    EXPECT_EQ(f.painter->mouse[0].rect.right, w.right - w.left);
    RECT after = {};
    GetWindowRect(f.hwnd(), &after);
    EXPECT_TRUE(EqualRect(&w, &after));  // handled: no default sizing

    SendMessageW(f.hwnd(), WM_NCLBUTTONUP, code, 0);
    ASSERT_EQ(f.painter->mouse.size(), 3u);
    EXPECT_EQ(f.painter->mouse[1].kind, "down");
    EXPECT_EQ(f.painter->mouse[2].kind, "up");
    EXPECT_EQ(f.painter->mouse[1].x, f.painter->mouse[2].x);
    EXPECT_EQ(f.painter->mouse[1].y, f.painter->mouse[2].y);
}

namespace {

// Moves the held pointer from another thread while the engine's drag loop runs on this one,
// then releases the button. Its fixed times stand in for conditions: waiting for the nudge, the
// pointer and the window instead, the window now and then moved further than the pointer
// under load (read back after the loop, the pointer is where Wine's X pointer was).
std::thread DragFromOtherThread(POINT travel, POINT& start) {
    return std::thread([travel, &start] {
        Sleep(300);
        GetCursorPos(&start);
        for (int step = 1; step <= 4; ++step) {
            INPUT in = {};
            in.type = INPUT_MOUSE;
            const int x = start.x + travel.x * step / 4, y = start.y + travel.y * step / 4;
            in.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
            in.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
            in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
            SendInput(1, &in, sizeof(in));
            Sleep(60);
        }
        Sleep(200);
        INPUT up = {};
        up.type = INPUT_MOUSE;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &up, sizeof(up));
    });
}

}  // namespace

TEST(cNCCalcSizeInput, DraggingTheCaptionMovesTheWindowByThePointersTravel) {
    Framed other(WindowOptions{.x = 600, .y = 400});
    Framed f;
    MakeForeground(other.hwnd());  // the press lands on an inactive window
    ASSERT_NE(GetForegroundWindow(), f.hwnd());
    RECT before = {};
    GetWindowRect(f.hwnd(), &before);
    const POINT travel = {40, 30};
    POINT start = {};
    std::thread mover = DragFromOtherThread(travel, start);
    // The engine hit-tests at GetCursorPos, which follows injected moves with a delay here:
    // the pointer rests on the caption band before the press, as a user's would.
    const POINT press = {before.left + 150, before.top + f.painter->bottom + 5};
    MoveMouseTo(press.x, press.y);
    ASSERT_TRUE(PumpUntil([&] { POINT c; GetCursorPos(&c); return c.x == press.x && c.y == press.y; }, 2000));
    MouseDownAt(press.x, press.y);
    PumpFor(1500);
    mover.join();
    PumpFor(50);

    EXPECT_EQ(GetForegroundWindow(), f.hwnd());
    RECT after = {};
    GetWindowRect(f.hwnd(), &after);
    POINT end = {};
    GetCursorPos(&end);
    ASSERT_NE(start.x, 0);
    EXPECT_EQ(end.x - start.x, travel.x);
    // The press nudges the pointer by one pixel before the drag reads its first position, and
    // the moved window follows the pointer from wherever that first reading found it.
    EXPECT_NEAR(after.left - before.left, end.x - press.x, 1);
    EXPECT_NEAR(after.top - before.top, end.y - press.y, 1);
    EXPECT_GE(after.left - before.left, travel.x - 1);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

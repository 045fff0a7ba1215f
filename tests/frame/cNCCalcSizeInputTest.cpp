#include "frame/cNCCalcSize.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "tests/frame/NCTestPainter.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestWindow.h"

using testing_support::MakeForeground;
using testing_support::MouseInput;
using testing_support::MoveMouseTo;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SendInputs;
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

    // The engine's answer for a window-relative point; the pointer rests elsewhere.
    LRESULT HitAt(long x, long y) const {
        RECT w = {};
        GetWindowRect(hwnd(), &w);
        SetCursorPos(w.right + 5, w.bottom + 5);
        return SendMessageW(hwnd(), WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
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
    // The pointer has gone elsewhere by the time the messages are handled: they are judged
    // where they happened.
    SetCursorPos(w.left + 300, w.top + 60);
    const LPARAM at = MAKELPARAM(w.left + 200, w.top + 2);  // top resize zone
    const long code = static_cast<long>(SendMessageW(f.hwnd(), WM_NCHITTEST, 0, at));
    ASSERT_EQ(code, HTTOP);
    SendMessageW(f.hwnd(), WM_NCLBUTTONDOWN, code, at);
    ASSERT_EQ(f.painter->mouse.size(), 1u);
    EXPECT_EQ(f.painter->mouse[0].kind, "down");
    EXPECT_EQ(f.painter->mouse[0].x, 200);
    EXPECT_EQ(f.painter->mouse[0].y, 2);
    EXPECT_EQ(f.painter->mouse[0].rect.right, w.right - w.left);
    RECT after = {};
    GetWindowRect(f.hwnd(), &after);
    EXPECT_TRUE(EqualRect(&w, &after));  // handled: no default sizing

    SendMessageW(f.hwnd(), WM_NCLBUTTONUP, code, at);
    ASSERT_EQ(f.painter->mouse.size(), 3u);
    EXPECT_EQ(f.painter->mouse[1].kind, "down");
    EXPECT_EQ(f.painter->mouse[2].kind, "up");
    EXPECT_EQ(f.painter->mouse[2].x, 200);
    EXPECT_EQ(f.painter->mouse[2].y, 2);
}

namespace {

// Lets the button go once the window has followed the pointer by the travel (the drag holds
// the test's own thread meanwhile).
std::thread ReleaseOnceFollowed(HWND window, POINT at, POINT travel, std::atomic<bool>& released) {
    RECT before = {};
    GetWindowRect(window, &before);
    return std::thread([=, &released] {
        const DWORD start = GetTickCount();
        for (;;) {
            RECT now = {};
            GetWindowRect(window, &now);
            const bool followed = now.left - before.left >= travel.x - 1 && now.top - before.top >= travel.y - 1;
            if (followed || GetTickCount() - start > 20000) break;
            Sleep(10);  // the polling interval
        }
        SendInputs({MouseInput(MOUSEEVENTF_LEFTUP, at)});
        released = true;
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
    const POINT press = {before.left + 150, before.top + f.painter->bottom + 5};
    MoveMouseTo(press.x, press.y);
    ASSERT_TRUE(PumpUntil([&] { POINT c; GetCursorPos(&c); return c.x == press.x && c.y == press.y; }));
    // The pointer travels before the press is handled, as on a busy machine: the window still
    // follows all of the travel from the grabbed point.
    std::vector<INPUT> drag = {MouseInput(MOUSEEVENTF_LEFTDOWN, press)};
    for (int step = 1; step <= 4; ++step) {
        drag.push_back(MouseInput(MOUSEEVENTF_MOVE, POINT{press.x + travel.x * step / 4, press.y + travel.y * step / 4}));
    }
    SendInputs(drag);
    std::atomic<bool> released = false;
    std::thread releaser = ReleaseOnceFollowed(f.hwnd(), POINT{press.x + travel.x, press.y + travel.y}, travel, released);
    const bool ended = PumpUntil([&] { return released.load(); }, 30000);
    releaser.join();
    ASSERT_TRUE(ended);
    PumpPending();

    EXPECT_EQ(GetForegroundWindow(), f.hwnd());
    RECT after = {};
    GetWindowRect(f.hwnd(), &after);
    // The press nudges the pointer by one pixel, which is no travel of the user's.
    EXPECT_NEAR(after.left - before.left, travel.x, 1);
    EXPECT_NEAR(after.top - before.top, travel.y, 1);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

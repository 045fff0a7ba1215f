// The skinned caption with real mouse input: caption-button press and release, the icon zone,
// and the drawn menu bar still opening its drop-down after a hundred skin changes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "frame/cNeoCaption.h"
#include "tests/support/FramePictures.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestWindow.h"
#include "tests/frame/SkinnedTestWindow.h"

using namespace testing_support;

namespace {

POINT WindowOrigin(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.left, r.top};
}

// True when the close glyph (776..793, 5..24 of an 800-wide window) shows the given row of
// the caption picture's glyph column: 0 normal, 20 pressed.
// The engine reads the cursor position when it handles a press, and a press sent together
// with a move arrives at the old position: move first, then press.
void ClickOn(int x, int y) {
    MovePointer(POINT{x, y}, Processing::Plain);
    ClickAt(x, y);
}

// Under Wine's virtual desktop each injected move warps the X pointer, and the desktop's thread
// reports where the pointer was before the warp as a move of its own, late: on a busy machine
// after the move's own report, so the window last hears of the pointer where it came from. So
// the desktop is let catch up (a message to its thread, twice, so that it has read its X events
// in between), and the pointer is sent once more to where it already is on the X side: a late
// report of that move names the same point.
void MoveMouseSettledTo(int x, int y) {
    MoveMouseTo(x, y);
    for (int i = 0; i < 2; ++i) SendMessageTimeoutW(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, nullptr);
    MoveMouseTo(x, y);
}

bool CloseGlyphShows(HWND hwnd, int row0) {
    const Pixels f = CaptureWindowFrame(hwnd);
    for (int y = 5; y < 25; y += 3)
        for (int x = 776; x < 794; x += 3)
            if (f.At(x, y) != CaptionTestColour(241 + x - 776, row0 + y - 5)) return false;
    return true;
}

class SysCommandLog {
public:
    MessageHandler Handler() {
        return [this](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_SYSCOMMAND) return std::nullopt;
            commands.push_back(wParam & 0xFFF0);
            return 0;  // the window stays as it is
        };
    }
    std::vector<WPARAM> commands;
};

WindowOptions Options800() {
    WindowOptions o;
    o.caption = L"";
    o.x = 100;
    o.y = 100;
    o.width = 800;
    o.height = 300;
    return o;
}

}  // namespace

TEST(cNeoCaptionInput, CloseRunsOnlyWhenReleasedOnTheButtonPressed) {
    SysCommandLog log;
    SkinnedTestWindow window(Options800(), log.Handler());
    const HWND hwnd = window.hwnd();
    ASSERT_TRUE(MakeForeground(hwnd));
    PumpPending();
    const POINT o = WindowOrigin(hwnd);

    MovePointer(POINT{o.x + 785, o.y + 15}, Processing::Plain);
    MouseDownAt(o.x + 785, o.y + 15);
    EXPECT_TRUE(PumpUntil([&] { return CloseGlyphShows(hwnd, 20); })) << "pressed glyph";
    // A repaint of the frame while the button is held (the window manager makes one when the
    // window's style is put back after a cursor update) keeps it pressed.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(CloseGlyphShows(hwnd, 20)) << "pressed glyph after a repaint";
    MoveMouseSettledTo(o.x + 600, o.y + 15);
    EXPECT_TRUE(PumpUntil([&] { return CloseGlyphShows(hwnd, 0); })) << "popped up outside";
    MoveMouseSettledTo(o.x + 786, o.y + 16);
    EXPECT_TRUE(PumpUntil([&] { return CloseGlyphShows(hwnd, 20); })) << "pressed again on return";
    MovePointer(POINT{o.x + 600, o.y + 15}, Processing::Plain);
    MouseUpAt(o.x + 600, o.y + 15);  // released on the caption, off the button
    PumpFor(200);  // the time is the subject: no command comes in 200 ms
    EXPECT_TRUE(log.commands.empty());
    EXPECT_TRUE(CloseGlyphShows(hwnd, 0));

    PumpFor(GetDoubleClickTime() + 100);  // the time is the subject: no double click follows
    ClickOn(o.x + 785, o.y + 15);
    ASSERT_TRUE(PumpUntil([&] { return !log.commands.empty(); }));
    EXPECT_EQ(log.commands.front(), static_cast<WPARAM>(SC_CLOSE));
    EXPECT_TRUE(CloseGlyphShows(hwnd, 0));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST(cNeoCaptionInput, MaximizeButtonMaximizesAndRestores) {
    SkinnedTestWindow window(Options800());
    const HWND hwnd = window.hwnd();
    ASSERT_TRUE(MakeForeground(hwnd));
    PumpPending();
    POINT o = WindowOrigin(hwnd);
    ClickOn(o.x + 765, o.y + 15);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) != FALSE; }));
    PumpPending();
    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left;
    // The restore button sits 43 pixels left of the maximised window's right edge.
    ClickOn(r.left + width - 43 + 9, r.top + 15);
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(hwnd) == FALSE; }));
}

TEST(cNeoCaptionInput, IconZoneIsTheSystemMenuForTheEngine) {
    SkinnedTestWindow window(Options800());
    const HWND hwnd = window.hwnd();
    ASSERT_TRUE(MakeForeground(hwnd));
    PumpPending();
    const POINT o = WindowOrigin(hwnd);
    auto hitAt = [&](int x, int y) {
        return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(o.x + x, o.y + y));
    };
    EXPECT_EQ(hitAt(20, 20), HTSYSMENU);
    EXPECT_EQ(hitAt(785, 15), HTSYSMENU);
    EXPECT_EQ(hitAt(400, 15), HTCAPTION);
}

namespace {

bool g_popupSeen = false;
DWORD g_popupWatchStart = 0;

// Closes the first popup seen. A menu mode that shows none is ended after 20 s, so that a
// test whose key entered the platform's menu mode fails instead of hanging in it.
void CALLBACK ClosePopup(HWND, UINT, UINT_PTR id, DWORD now) {
    const HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup && IsWindowVisible(popup)) g_popupSeen = true;
    if (g_popupSeen || now - g_popupWatchStart > 20000) {
        EndMenu();
        KillTimer(nullptr, id);
    }
}

UINT_PTR WatchForPopup() {
    g_popupSeen = false;
    g_popupWatchStart = GetTickCount();
    return SetTimer(nullptr, 0, 50, ClosePopup);
}

}  // namespace

TEST(cNeoCaptionInput, MenuBarStillOpensAfterAHundredSkinChanges) {
    WindowOptions o = Options800();
    o.menu = MakeMainWindowMenu();
    TestWindow window(o);
    const HWND hwnd = window.hwnd();
    TestPictures pics;
    std::shared_ptr<cNeoCaption> painter;
    for (int i = 0; i < 100; ++i) {
        painter = std::make_shared<cNeoCaption>();  // replaced without Detach, as skin changes do
        painter->ActiveMenuColor(0x00C0FFFF);
        AttachTestPictures(*painter, hwnd, pics);
        SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    }
    ASSERT_TRUE(MakeForeground(hwnd));
    PumpPending();
    const POINT origin = WindowOrigin(hwnd);
    const UINT_PTR timer = WatchForPopup();
    // The first bar button's text starts at x 98, 2 pixels below row 29.
    ClickOn(origin.x + 110, origin.y + 38);
    PumpUntil([] { return g_popupSeen; });
    KillTimer(nullptr, timer);
    PumpPending();
    EXPECT_TRUE(g_popupSeen);
}


// F10 and Alt alone open the first drop-down too, never the platform's menu mode, which would
// draw its own window icon over the caption.
TEST(cNeoCaptionInput, AltMnemonicAndF10OpenTheDropDownThroughThePainter) {
    WindowOptions o = Options800();
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"Open");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    o.menu = bar;
    SkinnedTestWindow window(o);
    const HWND hwnd = window.hwnd();
    ASSERT_TRUE(MakeForeground(hwnd));
    SendMessageW(hwnd, WM_NCPAINT, 1, 0);  // the bar learns its buttons when painted
    PumpPending();
    for (const WORD key : {WORD{'F'}, WORD{VK_F10}}) {
        const UINT_PTR timer = WatchForPopup();
        if (key == VK_F10) TapKey(key); else TapKey(key, {VK_MENU});
        PumpUntil([] { return g_popupSeen; });
        KillTimer(nullptr, timer);
        PumpPending();
        EXPECT_TRUE(g_popupSeen) << key;
    }
    // An Alt let go only after its letter's drop-down has closed opens nothing more.
    UINT_PTR timer = WatchForPopup();
    SendInputs({KeyInput(VK_MENU, false), KeyInput('F', false), KeyInput('F', true)});
    PumpUntil([] { return g_popupSeen; });
    KillTimer(nullptr, timer);
    timer = WatchForPopup();
    SendInputs({KeyInput(VK_MENU, true)});
    PumpFor(500);  // the time is the subject: no drop-down opens meanwhile
    KillTimer(nullptr, timer);
    EXPECT_FALSE(g_popupSeen);
}

TEST(cNeoCaptionInput, DoubleClickOnAButtonPressesItTwiceAndNeverCloses) {
    SysCommandLog log;
    SkinnedTestWindow window(Options800(), log.Handler());
    const HWND hwnd = window.hwnd();
    ASSERT_TRUE(MakeForeground(hwnd));
    PumpPending();
    const POINT o = WindowOrigin(hwnd);
    ClickOn(o.x + 765, o.y + 15);
    ClickAt(o.x + 765, o.y + 15);  // the second click, well inside the double-click time
    PumpUntil([&] { return log.commands.size() >= 2; });
    PumpFor(200);  // the time is the subject: no third command and no close come meanwhile
    EXPECT_EQ(log.commands, (std::vector<WPARAM>{SC_MAXIMIZE, SC_MAXIMIZE}));
    EXPECT_TRUE(IsWindow(hwnd));
}

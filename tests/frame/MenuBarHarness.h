#pragma once
// A skinned window for the drawn menu bar's tests: the real non-client engine (cNCCalcSize)
// with a small painter that gives the window a 55-pixel caption band and 10-pixel edges,
// fills them with plain colours and renders the bar in the band the way the caption painter
// does (strip at x 90, lTop = half the band, the strip as wide as the window less 180).
// Menus: File (submenu) / Statement (no submenu) / View (submenu), built by BuildTestMenu.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frame/INCAreaModifier.h"
#include "frame/cMenuBar.h"
#include "frame/cNCCalcSize.h"
#include "runtime/gdi/Gdi.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestWindow.h"

namespace menubar_test {

constexpr long kCaptionHeight = 55;
constexpr long kBorder = 10;
constexpr long kBarLeft = 90;
constexpr long kBandTop = kCaptionHeight / 2;
constexpr long kBandHeight = kCaptionHeight / 2;
constexpr long kBarSideRoom = 180;
constexpr COLORREF kBandColour = RGB(40, 90, 160);
constexpr COLORREF kEdgeColour = RGB(90, 40, 40);
constexpr COLORREF kTextColour = RGB(255, 255, 0);
constexpr COLORREF kOverColour = RGB(255, 0, 0);
constexpr COLORREF kInactiveColour = RGB(128, 128, 128);
constexpr COLORREF kPopupBackColour = RGB(250, 240, 200);

// Menu command identifiers.
enum : UINT {
    kIdOpen = 101,
    kIdExit = 102,
    kIdSave = 103,
    kIdStatement = 200,
    kIdZoom = 301,
    kIdGrid = 302,
    kIdDeep = 311,
    kIdDeeper = 312,
};

struct TestMenu {
    HMENU bar = nullptr;
    HMENU file = nullptr;
    HMENU view = nullptr;
    HMENU viewMore = nullptr;
};

// File: "&Open\tCtrl+O", separator, "E&xit", "&Save" | "&Statement" | View: "&Zoom",
// "&More" (submenu "&Deep", "Deepe&r"), "&Grid".
inline TestMenu BuildTestMenu() {
    TestMenu m;
    m.bar = CreateMenu();
    m.file = CreatePopupMenu();
    AppendMenuW(m.file, MF_STRING, kIdOpen, L"&Open\tCtrl+O");
    AppendMenuW(m.file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m.file, MF_STRING, kIdExit, L"E&xit");
    AppendMenuW(m.file, MF_STRING, kIdSave, L"&Save");
    m.view = CreatePopupMenu();
    m.viewMore = CreatePopupMenu();
    AppendMenuW(m.viewMore, MF_STRING, kIdDeep, L"&Deep");
    AppendMenuW(m.viewMore, MF_STRING, kIdDeeper, L"Deepe&r");
    AppendMenuW(m.view, MF_STRING, kIdZoom, L"&Zoom");
    AppendMenuW(m.view, MF_POPUP, reinterpret_cast<UINT_PTR>(m.viewMore), L"&More");
    AppendMenuW(m.view, MF_STRING, kIdGrid, L"&Grid");
    AppendMenuW(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.file), L"&File");
    AppendMenuW(m.bar, MF_STRING, kIdStatement, L"&Statement");
    AppendMenuW(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.view), L"&View");
    return m;
}

// The font the band is drawn in (the caption painter uses its caption font at normal weight).
inline rt::Font BandFont() {
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    return rt::Font(CreateFontIndirectW(&lf));
}

// The strip of Render in window coordinates for a window w pixels wide.
struct BandGeometry {
    long left, top, width, height, yOffset;
};
inline BandGeometry BandFor(long windowWidth) {
    return {kBarLeft, kBandTop, windowWidth - kBarSideRoom, kBandHeight, 2 - kBandTop};
}

class TestPainter : public INCAreaModifier {
public:
    TestPainter(HWND hwnd, std::shared_ptr<cMenuBar> bar, HMENU menu)
        : m_hwnd(hwnd), m_bar(std::move(bar)), m_menu(menu), m_font(BandFont()) {}

    HWND hWnd() override { return m_hwnd; }
    void GetTopMarginHeight(long& cy) override { cy = kCaptionHeight; }
    void GetLeftMarginWidth(long& cx) override { cx = kBorder; }
    void GetRightMarginWidth(long& cx) override { cx = kBorder; }
    void GetBottomMarginHeight(long& cy) override { cy = kBorder; }

    void NCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom) override {
        ++paints;
        const rt::Brush edge(CreateSolidBrush(kEdgeColour));
        const rt::Brush band(CreateSolidBrush(kBandColour));
        const RECT all = {lLeft, lTop, lRight, lBottom};
        FillRect(hDC, &all, edge.get());
        const RECT caption = {lLeft, lTop, lRight, lTop + kCaptionHeight};
        FillRect(hDC, &caption, band.get());
        const BandGeometry g = BandFor(lRight - lLeft);
        m_bar->hMenu(m_menu);
        m_bar->Render(m_font.get(), hDC, g.left, g.top, g.width, g.height, g.yOffset);
    }
    void HitTest(long, long, long&) override {}
    void NCMouseDown(long, long, bool&, HDC, long, long, long, long) override {}
    void NCMouseUp(long, long, HDC, long, long, long, long) override {}
    void InitMenuPopup(WPARAM wParam, LPARAM) override { m_bar->InitMenuPopup(reinterpret_cast<HMENU>(wParam)); }
    void ExitMenuLoop() override { m_bar->RestoreMenus(); }
    long AltKeyAccelerator(long vKey) override { return m_bar->AltKeyAccelerator(vKey) ? -1 : 0; }

    std::atomic<int> paints{0};

private:
    HWND m_hwnd;
    std::shared_ptr<cMenuBar> m_bar;
    HMENU m_menu;
    rt::Font m_font;
};

// Messages that reach the window itself, recorded for the tests (thread-safe reads).
class MessageLog {
public:
    void Add(UINT msg, WPARAM wParam) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.push_back({msg, wParam});
    }
    // The low words of the wParams of every WM_COMMAND, in order.
    std::vector<UINT> Commands() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<UINT> ids;
        for (const auto& e : m_entries)
            if (e.first == WM_COMMAND) ids.push_back(LOWORD(e.second));
        return ids;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<UINT, WPARAM>> m_entries;
};

// A top-level window at (x, y) wearing the test skin, with the test menu on its bar.
class SkinnedWindow {
public:
    explicit SkinnedWindow(int x = 100, int y = 100, int width = 500, int height = 300,
                           const std::function<TestMenu()>& buildMenu = BuildTestMenu)
        : m_menu(buildMenu()),
          m_window(Options(x, y, width, height), [this](HWND, UINT msg, WPARAM wParam, LPARAM) {
              if (msg == WM_COMMAND) m_log.Add(msg, wParam);
              return std::optional<LRESULT>();
          }) {
        bar = std::make_shared<cMenuBar>();
        bar->Attach(hwnd());
        bar->SetColors(kTextColour, kOverColour, kInactiveColour, kPopupBackColour);
        bar->CaptionHeight(kCaptionHeight);
        painter = std::make_shared<TestPainter>(hwnd(), bar, m_menu.bar);
        engine = std::make_shared<cNCCalcSize>();
        engine->Attach(painter.get());
        engine->Display(hwnd());
        // As the caption painter does: the engine learns that the window is active (the
        // keyboard hook serves only the active window's engine).
        SendMessageW(hwnd(), WM_NCACTIVATE, TRUE, 0);
        testing_support::PumpPending();
    }
    ~SkinnedWindow() {
        engine->Detach();
        bar->Detach();
        DestroyMenu(m_menu.bar);
    }
    SkinnedWindow(const SkinnedWindow&) = delete;
    SkinnedWindow& operator=(const SkinnedWindow&) = delete;

    HWND hwnd() const { return m_window.hwnd(); }
    const TestMenu& menu() const { return m_menu; }
    MessageLog& log() { return m_log; }
    RECT WindowRect() const {
        RECT r;
        GetWindowRect(hwnd(), &r);
        return r;
    }
    // Button i's rectangle on the screen, as the bar reports it.
    RECT ButtonOnScreen(long i) const {
        RECT r = {};
        bar->GetButtonRect(i, r);
        return r;
    }
    POINT ButtonCentre(long i) const {
        const RECT r = ButtonOnScreen(i);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    std::shared_ptr<cMenuBar> bar;
    std::shared_ptr<TestPainter> painter;
    std::shared_ptr<cNCCalcSize> engine;

private:
    static testing_support::WindowOptions Options(int x, int y, int width, int height) {
        testing_support::WindowOptions o;
        o.caption = L"Menu bar test";
        o.x = x;
        o.y = y;
        o.width = width;
        o.height = height;
        return o;
    }

    TestMenu m_menu;
    MessageLog m_log;
    testing_support::TestWindow m_window;
};

struct PopupSearch {
    HMENU menu;
    HWND found;
};

inline BOOL CALLBACK FindPopupProc(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<PopupSearch*>(lp);
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (std::wstring(cls) != L"#32768" || !IsWindowVisible(hwnd)) return TRUE;
    if (s->menu && reinterpret_cast<HMENU>(SendMessageW(hwnd, MN_GETHMENU, 0, 0)) != s->menu) return TRUE;
    s->found = hwnd;
    return FALSE;
}

// The visible popup menu window (class "#32768") whose menu is the given one, or the first
// visible popup when menu is nullptr.
inline HWND VisiblePopup(HMENU menu = nullptr) {
    PopupSearch search = {menu, nullptr};
    EnumWindows(FindPopupProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Real-input tests take turns through a mutex of the Wine session: whatever runs them side by
// side, two of them never fight over the pointer, the keyboard and the foreground.
class InputTurn {
public:
    InputTurn() : m_mutex(CreateMutexW(nullptr, FALSE, L"Local\\LumescaRealInputTests")) {
        constexpr DWORD kLongestWaitMs = 100000;
        const DWORD got = m_mutex ? WaitForSingleObject(m_mutex, kLongestWaitMs) : WAIT_FAILED;
        m_owned = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
    ~InputTurn() {
        if (m_owned) ReleaseMutex(m_mutex);
        if (m_mutex) CloseHandle(m_mutex);
    }
    InputTurn(const InputTurn&) = delete;
    InputTurn& operator=(const InputTurn&) = delete;

private:
    HANDLE m_mutex;
    bool m_owned = false;
};

// Brings the window to the foreground; on failure tells which window holds it.
inline bool BringToFront(HWND hwnd) {
    if (testing_support::MakeForeground(hwnd)) return true;
    HWND fg = GetForegroundWindow();
    wchar_t cls[64] = {}, title[64] = {};
    GetClassNameW(fg, cls, 64);
    GetWindowTextW(fg, title, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(fg, &pid);
    std::printf("foreground is %p class %ls title %ls pid %lu (we are %lu), active %p\n", (void*)fg, cls, title,
                pid, GetCurrentProcessId(), (void*)GetActiveWindow());
    return false;
}

using testing_support::WaitFor;

// A window is shown and has nothing left to paint (readable from any thread).
inline bool Painted(HWND window) { return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE); }

// Runs a script of real input on a worker thread while this thread keeps pumping messages:
// the modal menu loop then runs on this thread, as it does in the program, and the script
// drives it from outside. Returns when the script has finished (or after timeoutMs).
inline bool RunInputScript(const std::function<void()>& script, DWORD timeoutMs = 20000) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        script();
        done = true;
    });
    const bool finished = testing_support::PumpUntil([&] { return done.load(); }, timeoutMs);
    worker.join();
    testing_support::PumpPending();
    return finished;
}

}  // namespace menubar_test

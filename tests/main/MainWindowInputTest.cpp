#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "main/frmTest.h"
#include "picture/form11.h"
#include "runtime/Forms.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/Watchdog.h"

using namespace testing_support;
using main_tests::MatchSkin;

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kCaptionHeight = 55;
constexpr int kBorder = 10;
constexpr int kMenuBandMiddle = 41;  // window y of the drawn menu band's text
constexpr int kFirstButtonX = 115;   // window x inside the "文件" button

// lumesca.exe in a folder of its own, with a fresh settings database.
struct Installation {
    explicit Installation(short skin) {
        CopyFileW((BinDir() + L"\\lumesca.exe").c_str(), folder.File(L"lumesca.exe").c_str(), FALSE);
        main_tests::WriteSettings(folder.Path(), skin);
    }
    std::wstring CommandLine() const { return L"\"" + folder.File(L"lumesca.exe") + L"\""; }
    TempFolder folder;
};

// The window as the screen shows it (frame included).
Pixels ScreenOfWindow(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const Pixels screen = CaptureScreen();
    Pixels p;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    p.bgra.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.bgra[static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)] =
                screen.bgra[static_cast<size_t>(r.top + y) * static_cast<size_t>(screen.width) +
                            static_cast<size_t>(r.left + x)];
    return p;
}

BOOL CALLBACK FindPopup(HWND hwnd, LPARAM result) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (IsWindowVisible(hwnd) && std::wstring(cls) == L"#32768") {
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectPopup(HWND hwnd, LPARAM result) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (IsWindowVisible(hwnd) && std::wstring(cls) == L"#32768") reinterpret_cast<std::vector<HWND>*>(result)->push_back(hwnd);
    return TRUE;
}

// The left edges of every drop-down on the screen.
std::vector<LONG> PopupLefts() {
    std::vector<HWND> popups;
    EnumWindows(CollectPopup, reinterpret_cast<LPARAM>(&popups));
    std::vector<LONG> lefts;
    for (HWND p : popups) {
        RECT r;
        GetWindowRect(p, &r);
        lefts.push_back(r.left);
    }
    return lefts;
}

HWND OpenPopup() {
    HWND popup = nullptr;
    EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&popup));
    return popup;
}

// Waits for a drop-down shown and drawn: the menu loop then runs and takes the keys.
HWND WaitForPopup() {
    HWND popup = nullptr;
    PumpUntil([&] { return (popup = OpenPopup()) != nullptr && !GetUpdateRect(popup, nullptr, FALSE); });
    return popup;
}

LONG PopupLeft(HWND popup) {
    RECT r;
    GetWindowRect(popup, &r);
    return r.left;
}

HWND g_seenPopup = nullptr;
void CALLBACK CloseMenuOnceOpen(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND popup = OpenPopup()) {
        g_seenPopup = popup;
        EndMenu();
    }
}

// The program of a window has taken a press: it holds the pointer or runs a menu.
bool PressTaken(HWND hwnd) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) &&
           (info.hwndCapture || (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)));
}

// A click as a user's: the pointer moved there and waited for, the press, and the release once
// the program has taken the press (a press and release that reach another process together
// are not always both delivered by Wine). A window of this process takes the click at once.
void ClickInWindow(HWND hwnd, int x, int y, const std::function<bool()>& taken = {}) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const POINT at = {r.left + x, r.top + y};
    DWORD id = 0;
    GetWindowThreadProcessId(hwnd, &id);
    if (id == GetCurrentProcessId()) return Click(at, Processing::Plain);
    MovePointer(at, Processing::Plain);
    SendInputs({MouseInput(MOUSEEVENTF_LEFTDOWN, at)});
    PumpUntil(taken ? taken : [&] { return PressTaken(hwnd); });
    SendInputs({MouseInput(MOUSEEVENTF_LEFTUP, at)});
    PumpPending();
}

// A click into the client area brings the program in front; the keys go there once it is,
// and the next click once its caption has been drawn active and stays so, as a user sees it.
bool ClickToFront(HWND hwnd) {
    ClickInWindow(hwnd, 300, 300, [&] { return GetForegroundWindow() == hwnd; });
    if (!PumpUntil([&] { return GetForegroundWindow() == hwnd; })) return false;
    RECT caption;
    GetWindowRect(hwnd, &caption);
    caption.bottom = caption.top + kCaptionHeight;
    SettledScreen(caption);
    return true;
}

// The screen point of a point of the skin panel, given in twips from the panel's top left.
POINT InPanel(HWND hwnd, int xTwips, int yTwips) {
    RECT client, r;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &r);
    const int frameLeft = client.right - (4185 + 240 + 900) / kTwipsPerPixel;
    const int frameTop = 5730 / kTwipsPerPixel;
    return POINT{r.left + kBorder + frameLeft + xTwips / kTwipsPerPixel,
                 r.top + kCaptionHeight + frameTop + yTwips / kTwipsPerPixel};
}

// The panel is shown when its 确定选择 button is the window at that button's place.
bool PanelShown(HWND hwnd) {
    wchar_t text[64] = {};
    GetWindowTextW(WindowFromPoint(InPanel(hwnd, 1290 + 577, 3630 + 172)), text, 64);
    return std::wstring(text).find(L"确定选择") != std::wstring::npos;  // padded with spaces
}

// Opens the running program's skin panel: 文件 > Mirovast缤纷界面.
void OpenSkinPanel(HWND hwnd) {
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; })) << "the keys for the menu go to the program";
    ClickInWindow(hwnd, kFirstButtonX, kMenuBandMiddle);
    ASSERT_NE(WaitForPopup(), nullptr) << "the file menu opened";
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    PumpUntil([] { return OpenPopup() == nullptr; });
    ASSERT_TRUE(PumpUntil([&] { return PanelShown(hwnd); })) << "the skin panel opened";
}

// A click at a point of the open skin panel, given in twips from the panel's top left.
void ClickInPanel(HWND hwnd, int xTwips, int yTwips) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const POINT at = InPanel(hwnd, xTwips, yTwips);
    ClickInWindow(hwnd, at.x - r.left, at.y - r.top);
}

// Chooses a skin in the panel: the option, 确定选择.
void ChooseSkinInPanel(HWND hwnd, int skinRow, int column) {
    OpenSkinPanel(hwnd);
    const int columnLefts[] = {180, 1320, 2640};
    const int optionTops[] = {480, 750, 1050, 1350, 1620};
    ClickInPanel(hwnd, columnLefts[column] + 7 * kTwipsPerPixel, optionTops[skinRow] + 172);
    ClickInPanel(hwnd, 1290 + 577, 3630 + 172);
}

// Waits until the window on the screen shows skin N.
bool ShowsSkin(HWND hwnd, int skin) {
    return PumpUntil([&] { return MatchSkin(ScreenOfWindow(hwnd), skin).All(); });
}

}  // namespace

TEST(MainWindowInput, ChoosingSunrise1RedressesAtOnceAndTheNextStartOpensWithIt) {
    Installation app(0);
    {
        ChildProcess child(app.CommandLine(), app.folder.Path());
        HWND hwnd = child.WaitForWindow(L"Lumesca");
        ASSERT_NE(hwnd, nullptr);
        EXPECT_TRUE(ShowsSkin(hwnd, 0));
        ChooseSkinInPanel(hwnd, 4, 0);
        const DWORD chosen = GetTickCount();
        const bool redressed = ShowsSkin(hwnd, 4);
        const auto now = MatchSkin(ScreenOfWindow(hwnd), 4);
        EXPECT_TRUE(redressed) << now.matched << " of " << now.total;
        std::printf("[ figures  ] the frame showed the chosen skin %lu ms after 确定选择\n", GetTickCount() - chosen);
        EXPECT_EQ(main_tests::StoredField0(app.folder.Path()), store::Variant(std::int16_t{4}));
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(child.WaitForExit(), 0u);
    }
    ChildProcess again(app.CommandLine(), app.folder.Path());
    HWND hwnd = again.WaitForWindow(L"Lumesca");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(ShowsSkin(hwnd, 4)) << "restarted with the stored skin";
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(), 0u);
}

TEST(MainWindowInput, FileMenuOpensByClickAndTheArrowsMoveAlongTheBar) {
    Installation app(2);
    ChildProcess child(app.CommandLine(), app.folder.Path());
    HWND hwnd = child.WaitForWindow(L"Lumesca");
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(ClickToFront(hwnd));
    // The bar's captions carry no access keys ("文件", "图片资料阅览"), so Alt+F opens nothing.
    TapKey('F', {VK_MENU});
    PumpFor(500);  // the time is the subject: no menu opens in 500 ms
    EXPECT_EQ(OpenPopup(), nullptr) << "Alt+F opened a menu although no caption has an access key";
    TapKey(VK_ESCAPE);
    ClickInWindow(hwnd, kFirstButtonX, kMenuBandMiddle);
    HWND first = WaitForPopup();
    ASSERT_NE(first, nullptr) << "a click on the file button opened its menu";
    const LONG firstLeft = PopupLeft(first);
    TapKey(VK_RIGHT);
    std::vector<LONG> seen;
    EXPECT_TRUE(PumpUntil([&] {
        seen = PopupLefts();
        return seen.size() == 1 && seen[0] > firstLeft;
    })) << "Right opened the next button's menu and closed the first; drop-downs at "
              << ::testing::PrintToString(seen);
    const LONG secondLeft = seen.empty() ? firstLeft : seen[0];
    WaitForPopup();
    TapKey(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] {
        seen = PopupLefts();
        return seen.size() == 1 && seen[0] == firstLeft;
    })) << "Left came back to the file menu; drop-downs at " << ::testing::PrintToString(seen);
    EXPECT_GT(secondLeft, firstLeft);
    TapKey(VK_ESCAPE);
    TapKey(VK_ESCAPE);
    PumpUntil([] { return OpenPopup() == nullptr; });
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(), 0u);
}

TEST(MainWindowInput, AfterTwoHundredSkinChangesTheMenuBarStillOpensItsMenus) {
    TempFolder folder;
    main_tests::WriteSettings(folder.Path(), 0);
    app::OverrideSettingsFolder(folder.Path());
    frmTest& f = rt::Forms::Get<frmTest>();
    f.Show();
    PumpPending();
    for (int i = 0; i < 200; ++i) {
        f.Option1(i % 30).Value(true);
        f.RainButton4_Click();
        PumpPending();
    }
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    // The drop-down runs a modal loop on this thread: a thread timer, which that loop still
    // dispatches, notes the popup and closes the menu again.
    g_seenPopup = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenuOnceOpen);
    ClickInWindow(f.hWnd(), kFirstButtonX, kMenuBandMiddle);
    PumpUntil([] { return g_seenPopup != nullptr && OpenPopup() == nullptr; });
    KillTimer(nullptr, timer);
    EXPECT_NE(g_seenPopup, nullptr) << "the file button opened its menu";
    app::OverrideSettingsFolder(L"");
}

// The pulsing labels repaint the window every half second while the program's loop runs.
bool KeepsPainting(HWND hwnd) {
    const Pixels first = ScreenOfWindow(hwnd);
    return PumpUntil([&] { return ScreenOfWindow(hwnd).bgra != first.bgra; });
}

bool Answers(HWND hwnd) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

TEST(MainWindowInput, AltFAfterTheSkinPanelsExitLeavesTheWindowAnsweringAndPainting) {
    Installation app(0);
    ChildProcess child(app.CommandLine(), app.folder.Path());
    HWND hwnd = child.WaitForWindow(L"Lumesca");
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(ClickToFront(hwnd));
    OpenSkinPanel(hwnd);
    ClickInPanel(hwnd, 2760 + 577, 3630 + 172);  // 退  出: the panel goes, the focus was on it
    ASSERT_TRUE(PumpUntil([&] { return !PanelShown(hwnd); })) << "the panel went";
    TapKey('F', {VK_MENU});
    PumpFor(500);  // the time is the subject: a hang after Alt+F shows within 500 ms
    ASSERT_TRUE(Answers(hwnd)) << "the program hangs after Alt+F";
    EXPECT_TRUE(KeepsPainting(hwnd)) << "the label pulse stopped";
    TapKey(VK_TAB);
    ClickInWindow(hwnd, kFirstButtonX, kMenuBandMiddle);
    EXPECT_NE(WaitForPopup(), nullptr) << "a click on the file button opened its menu";
    TapKey(VK_ESCAPE);
    PumpUntil([] { return OpenPopup() == nullptr; });
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(), 0u);
}

TEST(MainWindowInput, AltKeysAndTabAfterThePicturePlayersExitButtonHideIt) {
    Watchdog watchdog(60000, "keys after the picture player hid itself");
    TempFolder folder;
    main_tests::WriteSettings(folder.Path(), 0);
    app::OverrideSettingsFolder(folder.Path());
    frmTest& f = rt::Forms::Get<frmTest>();
    f.Show();
    f.f111_Click();
    form11& player = rt::Forms::Get<form11>();
    ASSERT_TRUE(FocusOn(player.hWnd(), player.退出.hWnd()));
    Click(CentreOf(player.退出.hWnd()));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(player.hWnd()); }));
    Key('Q', {VK_MENU});
    Key(VK_TAB);
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    Key('Q', {VK_MENU});
    Key(VK_TAB);
    // The menu still opens on a click.
    g_seenPopup = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenuOnceOpen);
    ClickInWindow(f.hWnd(), kFirstButtonX, kMenuBandMiddle);
    PumpUntil([] { return g_seenPopup != nullptr && OpenPopup() == nullptr; });
    KillTimer(nullptr, timer);
    EXPECT_NE(g_seenPopup, nullptr) << "the file button opened its menu";
    player.Unload();
    f.Unload();
    PumpPending();
    app::OverrideSettingsFolder(L"");
}

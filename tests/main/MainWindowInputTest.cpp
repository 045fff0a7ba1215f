#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "main/frmTest.h"
#include "picture/form11.h"
#include "runtime/forms/Forms.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/ProgramInput.h"
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

HWND WaitForPopup() {
    HWND popup = nullptr;
    PumpUntil([&] { return (popup = OpenPopup()) != nullptr; });
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

bool InThisProcess(HWND hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    return process == GetCurrentProcessId();
}

// A click at a point of a window (window coordinates); a running lumesca.exe gets it as a user
// gives it, each step once the program has caught up with the one before.
void ClickInWindow(HWND hwnd, int x, int y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    if (!InThisProcess(hwnd)) {
        EXPECT_TRUE(ClickInProgram(hwnd, POINT{r.left + x, r.top + y})) << "the program did not take a click";
        return;
    }
    MouseDownAt(r.left + x, r.top + y);
    MouseUpAt(r.left + x, r.top + y);
}

// The panel's 确定选择 button, in twips from the panel's top left.
constexpr POINT kConfirmTwips{1290 + 577, 3630 + 172};

// The window's point of a place of the skin panel given in twips from the panel's top left.
POINT PanelPoint(HWND hwnd, int xTwips, int yTwips) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int frameLeft = client.right - (4185 + 240 + 900) / kTwipsPerPixel;
    const int frameTop = 5730 / kTwipsPerPixel;
    return POINT{kBorder + frameLeft + xTwips / kTwipsPerPixel, kCaptionHeight + frameTop + yTwips / kTwipsPerPixel};
}

// True once a control of the skin panel lies at its confirm button's place.
bool PanelShown(HWND hwnd) {
    const POINT at = PanelPoint(hwnd, kConfirmTwips.x, kConfirmTwips.y);
    RECT r;
    GetWindowRect(hwnd, &r);
    const HWND there = WindowFromPoint(POINT{r.left + at.x, r.top + at.y});
    return there != nullptr && there != hwnd && IsChild(hwnd, there);
}

// Waits until the running program's window shows skin N.
bool ShowsSkin(HWND hwnd, int skin) {
    return PumpUntil([&] { return MatchSkin(ScreenOfWindow(hwnd), skin).All(); });
}

// A click into the client area brings the program in front, as a user does before using its
// menu band; the band's click follows once the window is the active one.
void BringInFront(HWND hwnd) {
    ClickInWindow(hwnd, 300, 300);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; })) << "the program came in front";
    ASSERT_TRUE(CaughtUp(hwnd));
}

// Opens the running program's skin panel: 文件 > Mirovast缤纷界面.
void OpenSkinPanel(HWND hwnd) {
    BringInFront(hwnd);
    ClickInWindow(hwnd, kFirstButtonX, kMenuBandMiddle);
    ASSERT_NE(WaitForPopup(), nullptr) << "the file menu opened";
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    PumpUntil([] { return OpenPopup() == nullptr; }, 2000);
    ASSERT_TRUE(PumpUntil([&] { return PanelShown(hwnd); })) << "the skin panel opened";
}

// A click at a point of the open skin panel, given in twips from the panel's top left.
void ClickInPanel(HWND hwnd, int xTwips, int yTwips) {
    const POINT at = PanelPoint(hwnd, xTwips, yTwips);
    ClickInWindow(hwnd, at.x, at.y);
}

// Chooses a skin in the panel: the option, 确定选择.
void ChooseSkinInPanel(HWND hwnd, int skinRow, int column) {
    OpenSkinPanel(hwnd);
    const int columnLefts[] = {180, 1320, 2640};
    const int optionTops[] = {480, 750, 1050, 1350, 1620};
    ClickInPanel(hwnd, columnLefts[column] + 7 * kTwipsPerPixel, optionTops[skinRow] + 172);
    ClickInPanel(hwnd, kConfirmTwips.x, kConfirmTwips.y);
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
        EXPECT_TRUE(ShowsSkin(hwnd, 4)) << "redressed with the chosen skin";
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
    BringInFront(hwnd);
    // The bar's captions carry no access keys ("文件", "图片资料阅览"), so Alt+F opens nothing:
    // what must not happen is given half a second, the time is the subject here.
    TapKey('F', {VK_MENU});
    PumpFor(500);
    EXPECT_EQ(OpenPopup(), nullptr) << "Alt+F opened a menu although no caption has an access key";
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(CaughtUp(hwnd));
    ClickInWindow(hwnd, kFirstButtonX, kMenuBandMiddle);
    HWND first = WaitForPopup();
    ASSERT_NE(first, nullptr) << "a click on the file button opened its menu";
    const LONG firstLeft = PopupLeft(first);
    ASSERT_TRUE(CaughtUp(hwnd));  // the menu loop is running before the next key arrives
    TapKey(VK_RIGHT);
    std::vector<LONG> seen;
    EXPECT_TRUE(PumpUntil([&] {
        seen = PopupLefts();
        return seen.size() == 1 && seen[0] > firstLeft;
    }, 3000)) << "Right opened the next button's menu and closed the first; drop-downs at "
              << ::testing::PrintToString(seen);
    const LONG secondLeft = seen.empty() ? firstLeft : seen[0];
    ASSERT_TRUE(CaughtUp(hwnd));
    TapKey(VK_LEFT);
    EXPECT_TRUE(PumpUntil([&] {
        seen = PopupLefts();
        return seen.size() == 1 && seen[0] == firstLeft;
    }, 3000)) << "Left came back to the file menu; drop-downs at " << ::testing::PrintToString(seen);
    EXPECT_GT(secondLeft, firstLeft);
    TapKey(VK_ESCAPE);
    TapKey(VK_ESCAPE);
    PumpUntil([] { return OpenPopup() == nullptr; }, 2000);
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
    PumpUntil([] { return g_seenPopup != nullptr && OpenPopup() == nullptr; }, 3000);
    KillTimer(nullptr, timer);
    EXPECT_NE(g_seenPopup, nullptr) << "the file button opened its menu";
    app::OverrideSettingsFolder(L"");
}

// The pulsing labels repaint the window every half second while the program's loop runs.
bool KeepsPainting(HWND hwnd) {
    const Pixels first = ScreenOfWindow(hwnd);
    return PumpUntil([&] { return ScreenOfWindow(hwnd).bgra != first.bgra; }, 3000);
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
    OpenSkinPanel(hwnd);
    ClickInPanel(hwnd, 2760 + 577, 3630 + 172);  // 退  出: the panel goes, the focus was on it
    ASSERT_TRUE(PumpUntil([&] { return !PanelShown(hwnd); })) << "the skin panel went";
    TapKey('F', {VK_MENU});
    ASSERT_TRUE(Answers(hwnd)) << "the program hangs after Alt+F";
    EXPECT_TRUE(KeepsPainting(hwnd)) << "the label pulse stopped";
    TapKey(VK_TAB);
    ClickInWindow(hwnd, kFirstButtonX, kMenuBandMiddle);
    EXPECT_NE(WaitForPopup(), nullptr) << "a click on the file button opened its menu";
    TapKey(VK_ESCAPE);
    PumpUntil([] { return OpenPopup() == nullptr; }, 2000);
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
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(player.hWnd()); }, 3000));
    Key('Q', {VK_MENU});
    Key(VK_TAB);
    PumpPending(Processing::Program);
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    Key('Q', {VK_MENU});
    Key(VK_TAB);
    PumpPending(Processing::Program);
    // The menu still opens on a click.
    g_seenPopup = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenuOnceOpen);
    ClickInWindow(f.hWnd(), kFirstButtonX, kMenuBandMiddle);
    PumpUntil([] { return g_seenPopup != nullptr && OpenPopup() == nullptr; }, 3000);
    KillTimer(nullptr, timer);
    EXPECT_NE(g_seenPopup, nullptr) << "the file button opened its menu";
    player.Unload();
    f.Unload();
    PumpPending();
    app::OverrideSettingsFolder(L"");
}

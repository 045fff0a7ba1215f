// Closing the main window ends the whole program, whatever else is loaded or only hidden, and
// whatever dialog is up: a probe program run as lumesca.exe runs, driven with real clicks,
// must exit with code 0 and show nothing on its way out.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "runtime/core/Text.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Input.h"
#include "tests/support/ProgramInput.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;

namespace {

// main_probe.exe in a folder of its own with a settings database, started with a scenario.
struct Probe {
    explicit Probe(const std::wstring& scenario) {
        CopyFileW((BinDir() + L"\\main_probe.exe").c_str(), folder.File(L"main_probe.exe").c_str(), FALSE);
        main_tests::WriteSettings(folder.Path(), 0);
        child = std::make_unique<ChildProcess>(L"\"" + folder.File(L"main_probe.exe") + L"\" " + scenario,
                                               folder.Path());
    }
    std::string Log() const {
        std::string text;
        if (FILE* f = _wfopen(folder.File(L"probe.log").c_str(), L"rb")) {
            char buffer[512];
            for (size_t n; (n = fread(buffer, 1, sizeof(buffer), f)) > 0;) text.append(buffer, n);
            fclose(f);
        }
        return text;
    }
    TempFolder folder;
    std::unique_ptr<ChildProcess> child;
};

struct Covering {
    HWND window;
    POINT point;
};

// Moves a shown window of the same program that covers the point below it, as a user would
// drag it aside: owned windows stay above their owner, so a click could not reach the owner.
BOOL CALLBACK MoveAsideFrom(HWND hwnd, LPARAM data) {
    const auto* covering = reinterpret_cast<const Covering*>(data);
    DWORD mine = 0, theirs = 0;
    GetWindowThreadProcessId(covering->window, &mine);
    GetWindowThreadProcessId(hwnd, &theirs);
    RECT r;
    if (hwnd == covering->window || theirs != mine || !IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r) ||
        !PtInRect(&r, covering->point))
        return TRUE;
    SetWindowPos(hwnd, nullptr, r.left, covering->point.y + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// One click on the main window's close box (the skinned frame's close button, 18 x 20 pixels,
// 7 from the right edge and 5 from the top); true once the window is gone.
bool CloseByItsCloseBox(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const POINT close{r.right - 15, r.top + 15};
    Covering covering{hwnd, close};
    EnumWindows(MoveAsideFrom, reinterpret_cast<LPARAM>(&covering));
    if (!PumpUntil([&] { return MakeForeground(hwnd) && GetAncestor(WindowFromPoint(close), GA_ROOT) == hwnd; }, 5000))
        return false;
    // The click's last step finds the window gone when the program was quicker: that is no failure.
    ClickInProgram(hwnd, close);
    return PumpUntil([&] { return !IsWindow(hwnd); }, 10000);
}

bool HasClass(HWND hwnd, const wchar_t* className) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return _wcsicmp(name, className) == 0;
}

BOOL CALLBACK FindByText(HWND hwnd, LPARAM data) {
    auto* sought = reinterpret_cast<std::pair<std::wstring, HWND>*>(data);
    if (WindowText(hwnd) != sought->first || !HasClass(hwnd, L"Button")) return TRUE;
    sought->second = hwnd;
    return FALSE;
}

HWND ButtonWithText(HWND parent, const std::wstring& text) {
    std::pair<std::wstring, HWND> sought{text, nullptr};
    EnumChildWindows(parent, FindByText, reinterpret_cast<LPARAM>(&sought));
    return sought.second;
}

BOOL CALLBACK FindDialogOf(HWND hwnd, LPARAM data) {
    auto* sought = reinterpret_cast<std::pair<DWORD, HWND>*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != sought->first || !IsWindowVisible(hwnd) || !HasClass(hwnd, L"#32770")) return TRUE;
    sought->second = hwnd;
    return FALSE;
}

// A shown dialog (message box, input box, open, save, colour) of the process, or nullptr.
HWND DialogOf(DWORD pid) {
    std::pair<DWORD, HWND> sought{pid, nullptr};
    EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&sought));
    return sought.second;
}

// Opens a dialog with a real click on a window's button, then closes the main window with
// one click on its close box while the dialog is up: the program ends, showing nothing more.
void CloseTheMainWindowWithADialogUp(const wchar_t* scenario, const wchar_t* window, const wchar_t* button) {
    Probe probe(scenario);
    const HWND main = probe.child->WaitForWindow(L"Lumesca");
    const HWND owner = probe.child->WaitForWindow(window);
    ASSERT_TRUE(main && owner);
    const HWND opener = ButtonWithText(owner, button);
    ASSERT_NE(opener, nullptr);
    const POINT at = CentreOf(opener);
    ASSERT_TRUE(PumpUntil([&] { return MakeForeground(owner) && WindowFromPoint(at) == opener; }, 5000));
    ASSERT_TRUE(ClickInProgram(owner, at));
    ASSERT_TRUE(PumpUntil([&] { return DialogOf(probe.child->Id()) != nullptr; }, 10000)) << "no dialog opened";
    ASSERT_TRUE(CloseByItsCloseBox(main)) << "the main window did not close";
    EXPECT_EQ(probe.child->WaitForExit(10000), 0u) << "the program went on after its main window";
    const std::string log = probe.Log();
    EXPECT_NE(log.find("loaded forms: 0, open devices: 0\n"), std::string::npos) << log;
}

}  // namespace

TEST(ProgramEnd, ClosingTheMainWindowEndsAProgramWithTheHiddenDesignerAndAPlayingMediaPlayer) {
    Probe probe(L"banner");
    const HWND main = probe.child->WaitForWindow(L"Lumesca");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(probe.child->WaitForWindow(L"Sembrel"), nullptr) << "the banner screen";
    ASSERT_TRUE(PumpUntil([&] { return !probe.Log().empty(); }, 5000));
    EXPECT_EQ(probe.Log(), "media player: playing\n");
    ASSERT_TRUE(CloseByItsCloseBox(main)) << "the main window did not close";
    EXPECT_EQ(probe.child->WaitForExit(5000), 0u) << "the program went on without a window";
    EXPECT_EQ(probe.Log(), "media player: playing\nloaded forms: 0, open devices: 0\n")
        << "every form unloaded and the playing device closed";
}

TEST(ProgramEnd, ClosingTheMainWindowEndsTheProgramAfterThePicturePlayerWasHiddenByItsExitButton) {
    Probe probe(L"picture");
    const HWND player = probe.child->WaitForWindow(L"Quorrin");
    ASSERT_NE(player, nullptr);
    const HWND exit = ButtonWithText(player, L"退 出");
    ASSERT_NE(exit, nullptr);
    ASSERT_TRUE(MakeForeground(player));
    ASSERT_TRUE(ClickInProgram(player, CentreOf(exit)));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(player); }, 5000)) << "退 出 hid nothing";
    const HWND main = probe.child->WaitForWindow(L"Lumesca");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(CloseByItsCloseBox(main)) << "the main window did not close";
    EXPECT_EQ(probe.child->WaitForExit(5000), 0u) << "the program went on without a window";
    EXPECT_EQ(probe.Log(), "loaded forms: 0, open devices: 0\n");
}

TEST(ProgramEnd, ClosingTheMainWindowWithAnyDialogUpEndsTheProgramAndSaysNothing) {
    const wchar_t* const cases[][3] = {{L"sembrel", L"Sembrel", L"字体颜色"},  // the colour dialog
                                       {L"sembrel", L"Sembrel", L"背景图片"},  // the open dialog
                                       {L"picture", L"Quorrin", L"图片保存"},  // the save dialog
                                       {L"picture", L"Quorrin", L"播放速度"}}; // the input box
    for (const auto& c : cases) {
        SCOPED_TRACE(rt::Utf8FromWide(c[2]));
        CloseTheMainWindowWithADialogUp(c[0], c[1], c[2]);
    }
}

// Closing the main window ends the whole program, whatever else is loaded or only hidden: a
// probe program run as lumesca.exe runs, driven with real clicks, must exit with code 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/app/AppTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Input.h"
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

// The skinned frame's close button, 18 x 20 pixels, 7 from the right edge and 5 from the top.
void ClickCloseBox(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const POINT close{r.right - 15, r.top + 15};
    ASSERT_TRUE(PumpUntil([&] { return MakeForeground(hwnd) && GetAncestor(WindowFromPoint(close), GA_ROOT) == hwnd; },
                          5000))
        << "the close box is not on top";
    // The frame hit-tests where it last saw the pointer: let it see the pointer arrive first.
    MovePointer(close, Processing::Plain);
    PumpFor(300);
    Click(close, Processing::Plain);
}

BOOL CALLBACK FindByText(HWND hwnd, LPARAM data) {
    auto* sought = reinterpret_cast<std::pair<std::wstring, HWND>*>(data);
    if (WindowText(hwnd) != sought->first) return TRUE;
    sought->second = hwnd;
    return FALSE;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    std::pair<std::wstring, HWND> sought{text, nullptr};
    EnumChildWindows(parent, FindByText, reinterpret_cast<LPARAM>(&sought));
    return sought.second;
}

}  // namespace

TEST(ProgramEnd, ClosingTheMainWindowEndsAProgramWithTheHiddenDesignerAndAPlayingMediaPlayer) {
    Probe probe(L"banner");
    const HWND main = probe.child->WaitForWindow(L"Lumesca");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(probe.child->WaitForWindow(L"Sembrel"), nullptr) << "the banner screen";
    ASSERT_TRUE(PumpUntil([&] { return !probe.Log().empty(); }, 5000));
    EXPECT_EQ(probe.Log(), "media player: playing\n");
    PumpFor(500);
    ClickCloseBox(main);
    EXPECT_EQ(probe.child->WaitForExit(5000), 0u) << "the program went on without a window";
    EXPECT_EQ(probe.Log(), "media player: playing\nloaded forms: 0, open devices: 0\n")
        << "every form unloaded and the playing device closed";
}

TEST(ProgramEnd, ClosingTheMainWindowEndsTheProgramAfterThePicturePlayerWasHiddenByItsExitButton) {
    Probe probe(L"picture");
    const HWND player = probe.child->WaitForWindow(L"Quorrin");
    ASSERT_NE(player, nullptr);
    const HWND exit = ChildWithText(player, L"退 出");
    ASSERT_NE(exit, nullptr);
    ASSERT_TRUE(MakeForeground(player));
    Click(CentreOf(exit), Processing::Plain);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(player); }, 5000)) << "退 出 hid nothing";
    const HWND main = probe.child->WaitForWindow(L"Lumesca");
    ASSERT_NE(main, nullptr);
    PumpFor(1000);
    ClickCloseBox(main);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(main); }, 3000)) << "the main window did not close";
    EXPECT_EQ(probe.child->WaitForExit(5000), 0u) << "the program went on without a window";
    EXPECT_EQ(probe.Log(), "loaded forms: 0, open devices: 0\n");
}

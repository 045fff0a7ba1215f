// Cost of keeping owned forms above their owner during plain focus moves: the banner screen
// with its gradient designer open, 200 real Tabs (SendInput) between the banner's controls,
// each waited for until the focus has moved and the queue is empty. Rounds alternate between
// the stacking work switched on and off, so that a slow spell of the machine hits both alike;
// the median round of each is compared. Also prints what the stacking work did during one
// round of Tabs and how many timer messages came meanwhile.
//   tools/bench focus_moves [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "banner/FRotFont.h"
#include "banner/Form3.h"
#include "runtime/forms/Forms.h"
#include "runtime/forms/OwnedStacking.h"

namespace {

constexpr int kTabs = 200;
constexpr int kDefaultRounds = 5;
constexpr DWORD kTabWaitMs = 5000;

double Now() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

long g_timerMessages = 0;

// Processes the queue as the program's message loop does, until it is empty.
void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER) ++g_timerMessages;
        if (rt::Forms::TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SendTab() {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_TAB;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// One Tab: sent, then the queue processed until the focus moved and nothing is left.
bool TabOnce() {
    const HWND before = GetFocus();
    SendTab();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTabWaitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Drain();
        if (GetFocus() != before) {
            Drain();
            return true;
        }
    }
    return false;
}

// Milliseconds for kTabs Tabs, or a negative value when the focus stopped moving.
double Round() {
    const double start = Now();
    for (int i = 0; i < kTabs; ++i)
        if (!TabOnce()) return -1;
    return Now() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool BringUp(FRotFont& banner) {
    banner.Show();
    banner.Command3_Click();  // 背景颜色: the designer, owned by the banner
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTabWaitMs) {
        SetForegroundWindow(banner.hWnd());
        Drain();
        if (GetForegroundWindow() == banner.hWnd()) {
            SetFocus(banner.Text1.hWnd());
            Drain();
            return GetFocus() == banner.Text1.hWnd() && rt::Forms::Get<Form3>().Visible();
        }
        Sleep(20);
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRounds;
    FRotFont& banner = rt::Forms::Get<FRotFont>();
    if (!BringUp(banner)) {
        std::printf("the banner and its designer did not come up with the focus\n");
        return 1;
    }
    Round();  // warm-up, with the work on

    std::vector<double> on, off;
    rt::stacking::Counts before{}, after{};
    long timersBefore = 0, timersAfter = 0;
    for (int r = 0; r < rounds; ++r) {
        rt::stacking::SetEnabled(true);
        before = rt::stacking::CountsSoFar();
        timersBefore = g_timerMessages;
        on.push_back(Round());
        after = rt::stacking::CountsSoFar();
        timersAfter = g_timerMessages;
        rt::stacking::SetEnabled(false);
        off.push_back(Round());
    }
    rt::stacking::SetEnabled(true);
    if (std::min(*std::min_element(on.begin(), on.end()), *std::min_element(off.begin(), off.end())) < 0) {
        std::printf("the focus stopped moving\n");
        return 1;
    }
    const double withWork = Median(on);
    const double without = Median(off);
    std::printf("%d Tabs between the banner's controls, designer open, median of %d rounds\n", kTabs, rounds);
    std::printf("  stacking work on:  %.1f ms (%.3f ms a Tab)\n", withWork, withWork / kTabs);
    std::printf("  stacking work off: %.1f ms (%.3f ms a Tab)\n", without, without / kTabs);
    std::printf("during the last round of %d Tabs with the work on:\n", kTabs);
    std::printf("  hook calls: 0 (the stacking work installs no hook)\n");
    std::printf("  timer messages: %ld\n", timersAfter - timersBefore);
    std::printf("  reports: %ld, order readings: %ld, windows moved: %ld\n", after.reports - before.reports,
                after.checks - before.checks, after.restacks - before.restacks);
    std::printf("focus moves: %.3f\n", withWork / without);
    banner.Unload();
    return 0;
}

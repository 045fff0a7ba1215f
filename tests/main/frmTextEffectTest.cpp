#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <functional>

#include "main/frmTextEffect.h"
#include "runtime/forms/Forms.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;

namespace {

// Runs a check every 10 ms from a thread timer: it keeps running while the statement screen
// animates inside its own frame waits, which is how the tests see a pass from the inside.
std::function<void()> g_watch;
void CALLBACK WatchTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_watch) g_watch();
}
struct Watcher {
    explicit Watcher(std::function<void()> watch) {
        g_watch = std::move(watch);
        id = SetTimer(nullptr, 0, 10, WatchTick);
    }
    ~Watcher() {
        KillTimer(nullptr, id);
        g_watch = nullptr;
    }
    UINT_PTR id;
};

constexpr long kClientWidth = 711;

}  // namespace

// Closing during line 3: the pass stops within one frame and lines 4 to 6 are never drawn.
// What the test checks after the close it noted while the form drew: the unloaded form is
// deleted once its pass returns.
TEST(frmTextEffect, AnimatesAFrameAtMostEvery50msAndClosingDuringLine3StopsWithinAFrame) {
    frmTextEffect& f = rt::Forms::Get<frmTextEffect>();
    f.Show();
    HWND window = f.hWnd();
    DWORD firstFrameAt = 0;
    long frames = 0, framesAtClose = -1, widestErase = 0, ticks = 0, line3Frames = 0;
    int maxLine = 0;
    bool eraseWithinWindow = true, rateKept = true, closed = false;
    f.FrameShown = [&](int line, long drawn) {
        frames = drawn;
        maxLine = std::max(maxLine, line);
        const DWORD now = timeGetTime();
        if (!firstFrameAt) firstFrameAt = now;
        if (drawn > static_cast<long>((now - firstFrameAt) / 50) + 2) rateKept = false;
        eraseWithinWindow = eraseWithinWindow && f.TextRect().right <= kClientWidth;
        widestErase = std::max<long>(widestErase, f.TextRect().right);
        if (line == 3 && ++line3Frames == 20) {
            framesAtClose = drawn;
            closed = true;
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    };
    Watcher watcher([&] { ++ticks; });  // runs only because the animation keeps processing messages
    ASSERT_TRUE(PumpUntil([&] { return closed && !rt::Forms::IsLoaded<frmTextEffect>(); }, 60000));
    PumpFor(300);  // the time is the subject: no frame comes after the close
    EXPECT_TRUE(rateKept) << "no more than one frame per 50 ms";
    EXPECT_GT(ticks, 300) << "the message loop kept running during the animation";
    EXPECT_TRUE(eraseWithinWindow);
    EXPECT_EQ(widestErase, kClientWidth) << "the wide early frames are erased up to the window's edge";
    EXPECT_EQ(maxLine, 3) << "lines 4 to 6 are never drawn";
    EXPECT_LE(frames, framesAtClose + 1) << "closing stops the animation within one frame";
}

TEST(frmTextEffect, IconStepsThroughTheImageBoxesFromTheSecond) {
    frmTextEffect& f = rt::Forms::Get<frmTextEffect>();
    const short expected[] = {1, 2, 3, 0, 1};
    for (short e : expected) {
        f.Timer2_Timer();
        EXPECT_EQ(f.IconIndex(), e);
    }
    EXPECT_FALSE(f.Icon()) << "the image boxes hold no picture";
}

TEST(frmTextEffect, APassDrawsAllSixLinesDespiteTimerTicksAndTheNextPassHeadsInTahoma) {
    frmTextEffect& f = rt::Forms::Get<frmTextEffect>();
    f.Show();
    HWND window = f.hWnd();
    int pass = 0, lastLine = 0, maxLineFirstPass = 0;
    bool wasRunning = false, ordered = true, checkedSecond = false;
    std::wstring secondName;
    double secondSize = 0;
    bool secondBold = true;
    Watcher watcher([&] {
        if (checkedSecond) return;  // the window is closing: its form may be gone
        const int line = f.CurrentLine();
        // A busy machine may hold the watch's timer over the short stop between two passes:
        // a pass that had reached its last line and now draws an earlier one is the next pass.
        if (f.Running() && (!wasRunning || (lastLine == 6 && line < lastLine))) {
            ++pass;
            lastLine = 0;
        }
        wasRunning = f.Running();
        if (!f.Running()) return;
        if (line < lastLine) ordered = false;
        lastLine = line;
        if (pass == 1) maxLineFirstPass = std::max(maxLineFirstPass, line);
        if (pass == 2 && line == 1 && !checkedSecond) {
            checkedSecond = true;
            secondName = f.Font()->Name();
            secondSize = f.Font()->Size();
            secondBold = f.Font()->Bold();
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    });
    ASSERT_TRUE(PumpUntil([&] { return checkedSecond && !rt::Forms::IsLoaded<frmTextEffect>(); }, 100000));
    EXPECT_TRUE(ordered) << "ticks of the pass timer neither restart nor reorder a pass";
    EXPECT_EQ(maxLineFirstPass, 6);
    EXPECT_EQ(secondName, L"Tahoma");
    EXPECT_EQ(secondSize, 24);
    EXPECT_FALSE(secondBold);
}

// CPU use of the media player while it plays in loop mode: the 50 ms progress poll and the
// 10 ms loop check on top of the platform's own decoding. Plays the generated two-second MP3
// (real time here) in loop mode for about ten seconds and prints the process CPU time per wall
// second. For reference it first measures the idle window, then plays the same file as long
// with the window's timers stopped (restarted by the engine's completion notice instead: the
// sound's own cost), and with each timer alone.
//   tools/bench media_player [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "media/Form14.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Files.h"
#include "tests/support/DialogAnswers.h"

namespace {

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Runs the message loop as the program does, for the given time; returns CPU seconds per
// wall second.
double RunFor(DWORD milliseconds) {
    const double cpuStart = CpuSeconds();
    const DWORD start = GetTickCount();
    const UINT_PTR stop = SetTimer(nullptr, 0, milliseconds, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == stop) break;
        if (rt::Forms::TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, stop);
    const double wall = (GetTickCount() - start) / 1000.0;
    return (CpuSeconds() - cpuStart) / wall;
}

// Plays the open file from its start for the given time with the chosen timers of the window
// running. Without the loop mode the engine's completion notice restarts the file, so that
// sound is heard all the time in every run.
double Measure(Form14& f, bool poll, bool loopCheck, DWORD milliseconds) {
    f.Timer1.Enabled(poll);
    f.Timer2.Enabled(loopCheck);
    f.MMControl1.Done = [&](short&) {
        if (poll && loopCheck) return;
        f.MMControl1.SetCommand(L"Prev");
        f.MMControl1.SetCommand(L"Play");
    };
    f.MMControl1.SetCommand(L"Prev");
    f.Command4_Click();
    const double ratio = RunFor(milliseconds);
    f.Command6_Click();
    f.MMControl1.Done = nullptr;
    return ratio;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)) : 10;
    Form14& f = rt::Forms::Get<Form14>();
    f.Show();
    testing_support::Answering([&] { f.Command1_Click(); }, {testing_support::ChooseFile(rt::AppPath() + L"\\media_tone.mp3")});
    if (!f.MMControl1.IsOpen()) {
        std::printf("media_tone.mp3 did not open\n");
        return 1;
    }
    const DWORD ms = seconds * 1000;
    f.Timer1.Enabled(false);
    std::printf("window shown, file open and stopped, no timers cpu/wall: %.4f\n", RunFor(ms));
    std::printf("sound alone cpu/wall: %.4f\n", Measure(f, false, false, ms));
    std::printf("sound and the 50 ms poll cpu/wall: %.4f\n", Measure(f, true, false, ms));
    std::printf("sound and the 10 ms loop check cpu/wall: %.4f\n", Measure(f, false, true, ms));
    f.Command7_Click();  // the loop mode as the user turns it on
    f.Command8_Click();
    std::printf("window hidden in loop mode (no bar to paint) cpu/wall: %.4f\n", Measure(f, true, true, ms));
    f.Show();
    const double window = Measure(f, true, true, ms);
    std::printf("window in loop mode, both timers:\n");
    std::printf("cpu/wall: %.4f\n", window);
    f.MMControl1.SetCommand(L"Close");
    return 0;
}

// A program of its own for the tests of what ends a whole program. Without an argument it
// shows the main window and the skin chooser beside it (as the gradient designer would) and
// runs the message loop. With "banner" it opens the banner screen (whose layout loads the
// gradient designer hidden) and a media player playing a long WAV, with "sembrel" the banner
// screen alone; with "picture" it opens
// the picture player; then it runs the loop as the program does, with the main window as the
// start-up form. It notes in probe.log what the media player does before and after.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Form2.h"
#include "main/frmTest.h"
#include "media/Form14.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"

namespace {

void Note(const std::wstring& line) {
    if (FILE* f = _wfopen((rt::AppPath() + L"\\probe.log").c_str(), L"ab")) {
        const std::string text = rt::Utf8FromWide(line) + "\n";
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
}

// A square tone, 8 kHz 8-bit mono: long enough to play on through the test even on a sound
// device that runs faster than real time.
std::wstring WriteTone(int seconds) {
    const std::wstring path = rt::AppPath() + L"\\tone.wav";
    const DWORD rate = 8000, size = rate * static_cast<DWORD>(seconds);
    std::vector<unsigned char> samples(size);
    for (DWORD i = 0; i < size; ++i) samples[i] = (i / 10) % 2 ? 0xA0 : 0x60;
    struct {
        char riff[4] = {'R', 'I', 'F', 'F'};
        DWORD riffSize;
        char wave[8] = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
        DWORD fmtSize = 16;
        PCMWAVEFORMAT format{{WAVE_FORMAT_PCM, 1, 8000, 8000, 1}, 8};
        char data[4] = {'d', 'a', 't', 'a'};
        DWORD dataSize;
    } header;
    header.riffSize = size + sizeof(header) - 8;
    header.dataSize = size;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(&header, sizeof(header), 1, f);
        fwrite(samples.data(), 1, samples.size(), f);
        fclose(f);
    }
    return path;
}

void PlayInMediaPlayer() {
    Form14& player = rt::Forms::Get<Form14>();
    player.Show();  // with no owner: only the program's end unloads it
    player.MMControl1.SetFileName(WriteTone(60));
    player.MMControl1.SetCommand(L"Open");
    player.Command4_Click();
    Note(L"media player: " + player.MMControl1.Mode());
}

std::wstring OpenDevices() {
    wchar_t count[32] = {};
    mciSendStringW(L"sysinfo all quantity open", count, 32, nullptr);
    return count;
}

int RunProgram(const std::wstring& scenario) {
    frmTest& main = rt::Forms::Get<frmTest>();
    main.Show();
    if (scenario == L"banner" || scenario == L"sembrel") {
        main.Sembrel_Click();
        if (scenario == L"banner") PlayInMediaPlayer();
    } else {
        main.f111_Click();
    }
    const int code = rt::Forms::RunMessageLoop(typeid(frmTest));
    Note(L"loaded forms: " + std::to_wstring(rt::Forms::LoadedCount()) + L", open devices: " + OpenDevices());
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        const std::wstring scenario = commandLine ? commandLine : L"";
        if (!scenario.empty()) return RunProgram(scenario);
        rt::Forms::Get<frmTest>().Show();
        rt::Forms::Get<Form2>().Show();
        return rt::Forms::RunMessageLoop();
    } catch (...) {
        rt::ReportCurrentException();
    }
}

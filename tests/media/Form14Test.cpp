// The media player with real windows, the real MCI (ALSA's null device: WAV plays faster than
// real time, MP3 in real time, MIDI opens but cannot sound) and the real open dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "media/Form14.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Files.h"
#include "runtime/core/Text.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"

using namespace testing_support;

namespace {

std::wstring Media(const std::wstring& name) { return BinDir() + L"\\" + name; }

// Two seconds of four quarter notes at 120 beats a minute, format 0.
void WriteMidi(const std::wstring& path) {
    static const unsigned char kTune[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 0x2F,
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500000 us a beat
        0x00, 0x90, 60, 0x60, 0x83, 0x60, 0x80, 60, 0x40, 0x00, 0x90, 62, 0x60, 0x83, 0x60, 0x80, 62, 0x40,
        0x00, 0x90, 64, 0x60, 0x83, 0x60, 0x80, 64, 0x40, 0x00, 0x90, 65, 0x60, 0x83, 0x60, 0x80, 65, 0x40,
        0x00, 0xFF, 0x2F, 0x00};
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(kTune, 1, sizeof(kTune), f);
    fclose(f);
}

class Form14Test : public ::testing::Test {
protected:
    Form14& f = rt::Forms::Get<Form14>();
    void SetUp() override { f.Show(); }
    void TearDown() override { f.Unload(); }

    // The open dialog 打开 shows, answered with file ("" cancels); an empty record when none showed.
    SeenDialog Choose(const std::wstring& file) {
        const auto seen = Answering([&] { f.Command1_Click(); }, {ChooseFile(file)});
        return seen.empty() ? SeenDialog{} : seen[0];
    }
    long Position() const { return f.MMControl1.Position(); }
    void Play() {
        f.Command4_Click();
        ASSERT_TRUE(PumpUntil([&] { return f.ProgressBar1.Value() > 1; })) << "the bar never advanced";
    }
};

}  // namespace

TEST_F(Form14Test, WindowIsBorderlessBlackOffTheTaskbarAtItsStoredPlaceWithItsColours) {
    const HWND w = f.hWnd();
    EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_POPUP), static_cast<LONG>(WS_POPUP));
    EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(GetWindow(w, GW_OWNER), nullptr) << "an owned window gets no taskbar button";
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 4);  // 60 and 8400 twips at 15 twips a pixel
    EXPECT_EQ(r.top, 560);
    EXPECT_EQ(r.right - r.left, 211);
    EXPECT_EQ(r.bottom - r.top, 129);
    EXPECT_EQ(f.Text1.Text(), L"音乐文件名");
    EXPECT_EQ(f.Command7.Caption(), L"循环播放");
    EXPECT_TRUE(f.Timer1.Enabled());
    EXPECT_EQ(f.Timer1.Interval(), 50);
    EXPECT_FALSE(f.Timer2.Enabled());
    EXPECT_EQ(f.Timer2.Interval(), 10);
    EXPECT_EQ(f.CommonDialog1.Filter, L"MP3文件(*.MP3)|*.MP3|CD音频(*.WAV)|*.WAV|Windows音频(*.mid)|*.mid|所有文件(*.*)|*.*");
    PumpPending();
    const Pixels p = CaptureClient(w);
    EXPECT_EQ(p.At(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(p.At(2, 60), RGB(0x40, 0x40, 0x00)) << "Shape4's frame";
    EXPECT_EQ(p.At(5, 56), RGB(0x00, 0x80, 0x80)) << "Shape3's band";
    EXPECT_EQ(p.At(4, 56), RGB(0xC0, 0xC0, 0x00)) << "Shape3's border";
    EXPECT_EQ(p.At(6, 83), RGB(0x80, 0x80, 0x00)) << "Shape1's frame";
    EXPECT_EQ(p.At(5, 100), RGB(0xFF, 0x80, 0x00)) << "Shape2's band";
    EXPECT_EQ(p.At(12, 62), RGB(0x00, 0x80, 0x00)) << "the playback buttons";
    EXPECT_EQ(p.At(12, 106), RGB(0xFF, 0xC0, 0xFF)) << "the file buttons";
    EXPECT_EQ(p.At(100, 48), RGB(0, 0, 0)) << "the name box";
}

TEST_F(Form14Test, ChosenWaveOpensWithoutPlayingAndTheButtonsPlayPauseStopAndClose) {
    const std::wstring wav = Media(L"media_tone2s.wav");
    f.Command2_Click();  // the poll stops; the open must start it again
    const auto answer = Choose(wav);
    ASSERT_FALSE(answer.title.empty()) << "no dialog";
    EXPECT_EQ(answer.folder, rt::AppPath());
    EXPECT_EQ(f.Text1.Text(), wav);
    EXPECT_EQ(f.MMControl1.DeviceType(), L"WaveAudio");
    EXPECT_EQ(f.MMControl1.Command(), L"Open");
    ASSERT_TRUE(f.MMControl1.IsOpen());
    EXPECT_NEAR(f.ProgressBar1.Max(), 2000, 5);
    EXPECT_EQ(f.ProgressBar1.Min(), 1);
    EXPECT_TRUE(f.Timer1.Enabled());
    PumpFor(200);  // the time is the subject: nothing plays in 200 ms
    EXPECT_EQ(Position(), 0) << "choosing a file does not play it";
    EXPECT_NE(f.MMControl1.Mode(), L"playing");

    Play();
    f.Command5_Click();
    const long pausedAt = Position();
    PumpFor(300);  // the time is the subject: the position holds for 300 ms
    EXPECT_EQ(f.MMControl1.Mode(), L"paused");
    EXPECT_EQ(Position(), pausedAt);
    EXPECT_EQ(f.ProgressBar1.Value(), static_cast<float>(pausedAt));
    f.Command4_Click();
    EXPECT_TRUE(PumpUntil([&] { return Position() > pausedAt; }));
    f.Command6_Click();
    const long stoppedAt = Position();
    PumpFor(200);  // the time is the subject: the position holds for 200 ms
    EXPECT_EQ(Position(), stoppedAt);

    // A file the device refuses: the open file is closed first, the failing steps are skipped
    // one by one, and the bar keeps its range.
    TempFolder folder;
    const std::wstring broken = folder.File(L"broken.wav");
    FILE* junk = _wfopen(broken.c_str(), L"wb");
    ASSERT_NE(junk, nullptr);
    std::fputs("not a sound", junk);
    std::fclose(junk);
    Choose(broken);
    EXPECT_FALSE(f.MMControl1.IsOpen());
    EXPECT_EQ(f.Text1.Text(), broken);
    EXPECT_NEAR(f.ProgressBar1.Max(), 2000, 5);
    EXPECT_EQ(f.ProgressBar1.Min(), 1);

    f.Command2_Click();
    EXPECT_FALSE(f.MMControl1.IsOpen());
    EXPECT_EQ(f.ProgressBar1.Value(), 1);
    EXPECT_EQ(f.Text1.Text(), L"文件名");
    EXPECT_FALSE(f.Timer1.Enabled());
    // Ordinary sequences with nothing open raise nothing (these handlers have no trap).
    EXPECT_NO_THROW({
        f.Command2_Click();
        f.Command4_Click();
        f.Command5_Click();
        f.Command6_Click();
        f.Command7_Click();
        f.Command7_Click();
        f.Timer1_Timer();
    });
}

TEST_F(Form14Test, DeviceTypeFollowsTheNamesEndingMp3PlaysAndMidiReportsItsLength) {
    TempFolder folder;
    CopyFileW(Media(L"media_tone1s.wav").c_str(), folder.File(L"A.WAV").c_str(), FALSE);
    WriteMidi(folder.File(L"a.mid"));
    WriteMidi(folder.File(L"a.MID"));
    struct Case {
        std::wstring file, type;
        long length;
    };
    const Case cases[] = {{folder.File(L"A.WAV"), L"", 1000},
                          {folder.File(L"a.mid"), L"Sequencer", 2000},
                          {folder.File(L"a.MID"), L"", 2000},
                          {Media(L"media_tone.mp3"), L"", 2000}};
    for (const Case& c : cases) {
        const auto answer = Choose(c.file);
        EXPECT_EQ(answer.folder, rt::AppPath()) << "every dialog starts in the program's folder";
        EXPECT_EQ(f.MMControl1.DeviceType(), c.type) << rt::Utf8FromWide(c.file);
        EXPECT_TRUE(f.MMControl1.IsOpen());
        EXPECT_NEAR(f.ProgressBar1.Max(), c.length, 150);
    }
    Play();  // the MP3, in real time
    EXPECT_TRUE(PumpUntil([&] { return f.ProgressBar1.Value() > 300; }));

    // Cancelling while it plays changes nothing.
    const float max = f.ProgressBar1.Max();
    const std::wstring name = f.Text1.Text();
    EXPECT_FALSE(Choose(L"").title.empty());
    EXPECT_EQ(f.MMControl1.Mode(), L"playing");
    EXPECT_EQ(f.Text1.Text(), name);
    EXPECT_EQ(f.ProgressBar1.Max(), max);
    const float before = f.ProgressBar1.Value();
    EXPECT_TRUE(PumpUntil([&] { return f.ProgressBar1.Value() > before; }));

    // Hidden, it plays on; shown again, it is as it was.
    f.Command7_Click();
    f.Command8_Click();
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));
    const float hiddenAt = f.ProgressBar1.Value();
    EXPECT_TRUE(PumpUntil([&] { return f.ProgressBar1.Value() != hiddenAt; })) << "the poll stopped";
    f.Show();
    f.Command3_Click();
    f.Show();
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    EXPECT_EQ(f.Text1.Text(), name);
    EXPECT_EQ(f.ProgressBar1.Max(), max);
    EXPECT_EQ(f.Command7.Caption(), L"停止循环");
    // On a loaded machine the two seconds may be over by now; the loop then starts it again.
    EXPECT_TRUE(PumpUntil([&] { return f.MMControl1.Mode() == L"playing"; }));

    // In loop mode the MP3, whose driver goes back to 0 at the end, starts again too.
    // It restarts at its end: the highest position seen is the end, less the longest time
    // between two looks (a busy machine may not let the test look for a while).
    long highest = 0;
    DWORD lookedAt = timeGetTime(), longestGap = 0;
    EXPECT_TRUE(PumpUntil([&] {
        const long p = Position();
        const DWORD now = timeGetTime();
        longestGap = std::max<DWORD>(longestGap, now - lookedAt);
        lookedAt = now;
        highest = std::max(highest, p);
        return p < highest - 500;
    })) << "the MP3 did not loop; highest position " << highest;
    EXPECT_GT(highest, 1900 - static_cast<long>(longestGap)) << "looks up to " << longestGap << " ms apart";
    EXPECT_TRUE(PumpUntil([&] { return Position() > 300; })) << "the new pass does not play on";
}

// The end of a song never opens the dialog; only the (never shown) Eject button would.
TEST_F(Form14Test, LoopRestartsAtTheEndWithinAbout60msAndTheEndOpensNoDialog) {
    Choose(Media(L"media_tone1s.wav"));
    const long length = f.MMControl1.Length();
    f.Command7_Click();
    EXPECT_EQ(f.Command7.Caption(), L"停止循环");
    EXPECT_TRUE(f.Timer2.Enabled());
    f.Command4_Click();
    auto unasked = std::make_unique<DialogAnswers>(std::vector<DialogAnswers::Action>{});  // cancels any
    DWORD endAt = 0, restartAt = 0;
    PumpUntil([&] {
        const long p = Position();
        const DWORD now = timeGetTime();
        if (!endAt && p >= length) endAt = now;
        if (endAt && p < length && p > 0) restartAt = now;
        return restartAt != 0;
    });
    ASSERT_NE(endAt, 0u);
    ASSERT_NE(restartAt, 0u) << "the loop did not restart the file";
    std::printf("loop restart gap: %lu ms\n", static_cast<unsigned long>(restartAt - endAt));
    EXPECT_LE(restartAt - endAt, 600u) << "about 60 ms when the machine is idle";

    // Loop off: the file stays at its end; loop on again restarts it.
    f.Command7_Click();
    EXPECT_EQ(f.Command7.Caption(), L"循环播放");
    ASSERT_TRUE(PumpUntil([&] { return Position() >= length && f.ProgressBar1.Value() == f.ProgressBar1.Max(); }));
    // The driver reports "playing" a while after the position reached the end.
    EXPECT_TRUE(PumpUntil([&] { return f.MMControl1.Mode() != L"playing"; }));
    PumpFor(300);  // the time is the subject: the pass's completion notice comes, nothing restarts
    EXPECT_EQ(Position(), length);
    EXPECT_TRUE(unasked->Seen().empty()) << "a dialog opened by itself";
    unasked.reset();
    const DWORD loopOnAt = timeGetTime();
    f.Command7_Click();
    EXPECT_TRUE(PumpUntil([&] { return Position() < length; }));
    std::printf("loop turned on after the end: restarted after %lu ms\n",
                static_cast<unsigned long>(timeGetTime() - loopOnAt));
    EXPECT_LE(timeGetTime() - loopOnAt, 600u) << "10 ms and the restarts' own time when the machine is idle";
    f.Command2_Click();
    EXPECT_EQ(f.Command7.Caption(), L"停止循环") << "closing keeps the loop mode";
    EXPECT_TRUE(f.Timer2.Enabled());

    short cancel = 0;
    EXPECT_EQ(Answering([&] { f.MMControl1.EjectClick(cancel); }, {Cancel()}).size(), 1u);
}

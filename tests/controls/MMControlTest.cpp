// The multimedia control on the platform's real MCI: WAV and MP3 play and report their
// position; MIDI opens and reports a length (no sequencer can sound here).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <mmsystem.h>

#include "controls/MMControl.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void Put32(std::vector<unsigned char>& out, unsigned long v) {
    Put16(out, static_cast<unsigned>(v & 0xFFFF));
    Put16(out, static_cast<unsigned>(v >> 16));
}
void PutBE(std::vector<unsigned char>& out, unsigned long v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

void WriteFile(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// A mono 16-bit PCM tone of the given length.
void WriteWav(const std::wstring& path, int milliseconds) {
    constexpr unsigned kRate = 22050;
    const unsigned long samples = kRate * static_cast<unsigned long>(milliseconds) / 1000;
    std::vector<unsigned char> out;
    const char* riff = "RIFF";
    out.insert(out.end(), riff, riff + 4);
    Put32(out, 36 + samples * 2);
    const char* wavefmt = "WAVEfmt ";
    out.insert(out.end(), wavefmt, wavefmt + 8);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    const char* data = "data";
    out.insert(out.end(), data, data + 4);
    Put32(out, samples * 2);
    for (unsigned long i = 0; i < samples; ++i) {
        const double s = std::sin(2.0 * 3.14159265358979 * 440.0 * static_cast<double>(i) / kRate);
        Put16(out, static_cast<unsigned>(static_cast<short>(s * 8000)));
    }
    WriteFile(path, out);
}

// A format-0 MIDI file: 120 beats a minute, four quarter notes, two seconds in all.
void WriteMidi(const std::wstring& path) {
    std::vector<unsigned char> track;
    const unsigned char tempo[] = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};  // 500000 us a beat
    track.insert(track.end(), tempo, tempo + sizeof(tempo));
    for (int note = 0; note < 4; ++note) {
        const unsigned char on[] = {0x00, 0x90, static_cast<unsigned char>(60 + note), 0x60};
        // 480 ticks = one beat, as a variable-length delta 0x83 0x60.
        const unsigned char off[] = {0x83, 0x60, 0x80, static_cast<unsigned char>(60 + note), 0x40};
        track.insert(track.end(), on, on + sizeof(on));
        track.insert(track.end(), off, off + sizeof(off));
    }
    const unsigned char end[] = {0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), end, end + sizeof(end));
    std::vector<unsigned char> out = {'M', 'T', 'h', 'd'};
    PutBE(out, 6, 4);
    PutBE(out, 0, 2);
    PutBE(out, 1, 2);
    PutBE(out, 480, 2);
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    PutBE(out, track.size(), 4);
    out.insert(out.end(), track.begin(), track.end());
    WriteFile(path, out);
}

}  // namespace

TEST(MMControl, WaveOpensPlaysToItsLengthReturnsToStartAndStops) {
    TempFolder folder;
    const std::wstring wav = folder.File(L"tone.wav");
    WriteWav(wav, 2000);

    ctl::MMControl mm;
    std::vector<short> done;
    mm.Done = [&](short& code) { done.push_back(code); };
    mm.SetDeviceType(L"WaveAudio");
    mm.SetFileName(wav);
    mm.SetCommand(L"Open");
    ASSERT_TRUE(mm.IsOpen());
    EXPECT_NEAR(mm.Length(), 2000, 5);
    EXPECT_EQ(mm.Position(), 0);

    mm.SetCommand(L"Play");
    // Generous bounds: a machine busy with other tests may start the device late.
    EXPECT_TRUE(PumpUntil([&] { return mm.Position() > 0; }))
        << "position never left 0, mode " << rt::Utf8FromWide(mm.Mode());
    ASSERT_TRUE(PumpUntil([&] { return mm.Position() >= mm.Length(); })) << "stopped at " << mm.Position();
    EXPECT_TRUE(PumpUntil([&] { return !done.empty(); }));
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], MCI_NOTIFY_SUCCESSFUL);

    mm.SetCommand(L"Prev");
    EXPECT_EQ(mm.Position(), 0);
    mm.SetCommand(L"Play");
    ASSERT_TRUE(PumpUntil([&] { return mm.Position() > 0; }));
    mm.SetCommand(L"Stop");
    const long stoppedAt = mm.Position();
    PumpFor(300);  // the time is the subject: the position holds for 300 ms
    EXPECT_EQ(mm.Position(), stoppedAt) << "position moved after Stop";
    EXPECT_NE(mm.Mode(), L"playing");
    EXPECT_EQ(done.size(), 1u) << "a stopped play does not complete";

    mm.SetCommand(L"close");
    EXPECT_FALSE(mm.IsOpen());
    EXPECT_EQ(mm.Length(), 0);
}

TEST(MMControl, PauseHoldsThePositionAndPlayResumes) {
    TempFolder folder;
    const std::wstring wav = folder.File(L"tone.wav");
    WriteWav(wav, 2000);
    ctl::MMControl mm;
    mm.SetDeviceType(L"");
    mm.SetFileName(wav);
    mm.SetCommand(L"Open");
    mm.SetCommand(L"Play");
    ASSERT_TRUE(PumpUntil([&] { return mm.Position() > 0; }));
    mm.SetCommand(L"Pause");
    const long pausedAt = mm.Position();
    PumpFor(300);  // the time is the subject: the position holds for 300 ms
    EXPECT_EQ(mm.Position(), pausedAt);
    EXPECT_EQ(mm.Mode(), L"paused");
    mm.SetCommand(L"Play");
    EXPECT_TRUE(PumpUntil([&] { return mm.Position() > pausedAt; }));
    mm.SetCommand(L"Close");
}

TEST(MMControl, Mp3PlaysItsPositionAdvancesAndItsEndIsReported) {
    const std::wstring mp3 = BinDir() + L"\\controls_tone.mp3";
    ASSERT_NE(GetFileAttributesW(mp3.c_str()), INVALID_FILE_ATTRIBUTES) << "the build makes this file";
    ctl::MMControl mm;
    std::vector<short> done;
    mm.Done = [&](short& code) { done.push_back(code); };
    mm.SetDeviceType(L"");
    mm.SetFileName(mp3);
    mm.SetCommand(L"Open");
    EXPECT_NEAR(mm.Length(), 2000, 150);
    mm.SetCommand(L"Play");
    EXPECT_TRUE(PumpUntil([&] { return mm.Position() > 300; })) << "at " << mm.Position();
    // MP3 plays in real time here; its end comes as the completion notice.
    ASSERT_TRUE(PumpUntil([&] { return !done.empty(); }));
    EXPECT_EQ(done[0], MCI_NOTIFY_SUCCESSFUL);
    mm.SetCommand(L"Prev");
    EXPECT_LT(mm.Position(), 100);
    mm.SetCommand(L"Play");
    ASSERT_TRUE(PumpUntil([&] { return mm.Position() > 100; }));
    mm.SetCommand(L"Stop");
    PumpFor(200);  // the time is the subject: no completion notice comes meanwhile
    EXPECT_EQ(done.size(), 1u) << "a stopped play does not complete";
    mm.SetCommand(L"Close");
}

TEST(MMControl, MidiOpensReportsItsLengthAndCloses) {
    TempFolder folder;
    const std::wstring mid = folder.File(L"tune.mid");
    WriteMidi(mid);
    ctl::MMControl mm;
    mm.SetDeviceType(L"Sequencer");
    mm.SetFileName(mid);
    mm.SetCommand(L"Open");
    EXPECT_NEAR(mm.Length(), 2000, 50);
    EXPECT_EQ(mm.Position(), 0);
    mm.SetCommand(L"Close");
    EXPECT_FALSE(mm.IsOpen());
}

TEST(MMControl, RefusedCommandsAreRunTimeErrorsAndIdleCommandsDoNothing) {
    ctl::MMControl mm;
    // Nothing open yet: nothing to act on.
    EXPECT_NO_THROW(mm.SetCommand(L"Close"));
    EXPECT_NO_THROW(mm.SetCommand(L"Play"));
    EXPECT_NO_THROW(mm.SetCommand(L"Stop"));
    EXPECT_EQ(mm.Position(), 0);

    TempFolder folder;
    mm.SetDeviceType(L"WaveAudio");
    mm.SetFileName(folder.File(L"missing.wav"));
    try {
        mm.SetCommand(L"Open");
        FAIL() << "opening a missing file succeeded";
    } catch (const rt::RuntimeError& e) {
        EXPECT_GT(e.Number(), 256);  // an MCI error number
        EXPECT_FALSE(e.Description().empty());
    }
    EXPECT_FALSE(mm.IsOpen());
    try {
        mm.SetCommand(L"Rewind");
        FAIL() << "an unknown command was taken";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 380);
    }
    mm.SetNumericProperty(ctl::MMControl::kIgnoredSetting49, 0);
    mm.SetNumericProperty(ctl::MMControl::kIgnoredSetting45, 0);
    EXPECT_EQ(mm.NumericProperty(49), 0);
    EXPECT_THROW(mm.SetNumericProperty(7, 0), rt::RuntimeError);
}

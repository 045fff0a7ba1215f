#include <gtest/gtest.h>

#include "media/MediaDeviceType.h"

TEST(MediaDeviceType, LowerCaseWavAndMidNameTheirDevicesEverythingElseIsLeftToThePlatform) {
    EXPECT_EQ(media::DeviceTypeForFile(L"C:\\音乐\\a.wav"), L"WaveAudio");
    EXPECT_EQ(media::DeviceTypeForFile(L"a.mid"), L"Sequencer");
    EXPECT_EQ(media::DeviceTypeForFile(L"A.WAV"), L"");
    EXPECT_EQ(media::DeviceTypeForFile(L"a.MID"), L"");
    EXPECT_EQ(media::DeviceTypeForFile(L"a.mp3"), L"");
    EXPECT_EQ(media::DeviceTypeForFile(L"swav"), L"WaveAudio") << "only the last three characters count";
    EXPECT_EQ(media::DeviceTypeForFile(L"wav"), L"WaveAudio");
    EXPECT_EQ(media::DeviceTypeForFile(L"av"), L"");
    EXPECT_EQ(media::DeviceTypeForFile(L""), L"");
}

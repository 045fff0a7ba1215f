#pragma once
// The device type the media player asks for, from the end of the file name: the wave and MIDI
// endings, in lower case only, name their devices; everything else is left to the platform,
// which picks the device by the file's extension.
#include <string>

namespace media {

// "WaveAudio" for a name ending in "wav", "Sequencer" for "mid", else "" (compared as written:
// "A.WAV" and "a.MID" get "").
std::wstring DeviceTypeForFile(const std::wstring& fileName);

}  // namespace media

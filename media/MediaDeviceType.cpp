#include "media/MediaDeviceType.h"

namespace media {

namespace {
constexpr size_t kEndingLength = 3;
}  // namespace

std::wstring DeviceTypeForFile(const std::wstring& fileName) {
    const std::wstring ending = fileName.size() > kEndingLength ? fileName.substr(fileName.size() - kEndingLength)
                                                                : fileName;
    if (ending == L"wav") return L"WaveAudio";
    if (ending == L"mid") return L"Sequencer";
    return L"";
}

}  // namespace media

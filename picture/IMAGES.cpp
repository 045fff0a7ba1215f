#include "picture/IMAGES.h"

#include "picture/FileByteSource.h"
#include "picture/HeaderReader.h"

ImageSize GetImageSize(const std::wstring& fileName) {
    // The caller writes a size line whatever happens: no failure may leave this routine.
    try {
        FileByteSource file(fileName);
        return ReadImageSize(file);
    } catch (...) {
        return {};
    }
}

std::int32_t MakeWord(std::uint8_t lo, std::uint8_t hi) { return hi * 256 + lo; }

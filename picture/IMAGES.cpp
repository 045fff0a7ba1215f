// A simple header reader so the picture player builds and runs on its own; the full reader
// replaces this file.
#include "picture/IMAGES.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadStart(const std::wstring& fileName, size_t limit) {
    std::vector<std::uint8_t> bytes(limit);
    FILE* f = _wfopen(fileName.c_str(), L"rb");
    if (!f) return {};
    bytes.resize(fread(bytes.data(), 1, limit, f));
    fclose(f);
    return bytes;
}

std::int32_t Be32(const std::uint8_t* p) { return static_cast<std::int32_t>((p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]); }
std::int32_t Le32(const std::uint8_t* p) { return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (p[3] << 24)); }

ImageSize JpegSize(const std::vector<std::uint8_t>& b) {
    size_t i = 2;
    while (i + 9 < b.size()) {
        if (b[i] != 0xFF) return {};
        const std::uint8_t marker = b[i + 1];
        if (marker == 0xFF) { ++i; continue; }
        const size_t length = static_cast<size_t>(b[i + 2] << 8 | b[i + 3]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) return {MakeWord(b[i + 8], b[i + 7]), MakeWord(b[i + 6], b[i + 5])};
        i += 2 + length;
    }
    return {};
}

}  // namespace

std::int32_t MakeWord(std::uint8_t lo, std::uint8_t hi) { return hi * 256 + lo; }

ImageSize GetImageSize(const std::wstring& fileName) {
    const std::vector<std::uint8_t> b = ReadStart(fileName, 1 << 16);
    if (b.size() >= 24 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') return {Be32(&b[16]), Be32(&b[20])};
    if (b.size() >= 10 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F') return {MakeWord(b[6], b[7]), MakeWord(b[8], b[9])};
    if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
        if (Le32(&b[14]) == 12) return {MakeWord(b[18], b[19]), MakeWord(b[20], b[21])};
        return {Le32(&b[18]), std::abs(Le32(&b[22]))};
    }
    if (b.size() >= 4 && b[0] == 0xFF && b[1] == 0xD8) return JpegSize(b);
    return {};
}

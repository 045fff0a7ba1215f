// PNG files: every chunk inside the file with its checksum right, a valid header first, image
// data, and the end chunk. A file cut short or changed anywhere is no picture.
#include <array>
#include <cstring>

#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr size_t kSignature = 8;
constexpr size_t kChunkOverhead = 12;  // length, type, checksum
constexpr size_t kHeaderLength = 13;

std::uint32_t Crc32(const std::uint8_t* b, size_t length) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) crc = table[(crc ^ b[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// Width and height within the format's range, and a colour type with a depth it allows.
bool ValidHeader(const std::uint8_t* d) {
    const std::uint32_t width = Be32At(d, 0), height = Be32At(d, 4);
    const unsigned depth = d[8], colour = d[9];
    bool depthFits = false;
    switch (colour) {
    case 0: depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16; break;
    case 3: depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8; break;
    case 2: case 4: case 6: depthFits = depth == 8 || depth == 16; break;
    default: break;
    }
    return width > 0 && height > 0 && DecodedSizeFits(width, height) && depthFits && d[10] == 0 &&
           d[11] == 0 && d[12] <= 1;
}

}  // namespace

PictureCheck CheckPng(const std::uint8_t* b, size_t size) {
    bool sawHeader = false, sawData = false;
    for (size_t at = kSignature; at + kChunkOverhead <= size;) {
        const std::uint64_t length = Be32At(b, at);
        if (length > size - at - kChunkOverhead) return Decodable(false);
        const std::uint8_t* type = b + at + 4;
        if (Crc32(type, static_cast<size_t>(length) + 4) != Be32At(b, at + 8 + static_cast<size_t>(length)))
            return Decodable(false);
        const bool header = std::memcmp(type, "IHDR", 4) == 0;
        if (header != !sawHeader) return Decodable(false);  // the header comes first and once
        if (header && (length != kHeaderLength || !ValidHeader(type + 4))) return Decodable(false);
        sawHeader = true;
        if (std::memcmp(type, "IDAT", 4) == 0) sawData = true;
        if (std::memcmp(type, "IEND", 4) == 0) return Decodable(sawData);
        at += kChunkOverhead + static_cast<size_t>(length);
    }
    return Decodable(false);
}

}  // namespace rt

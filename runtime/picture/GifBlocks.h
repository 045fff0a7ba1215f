#pragma once
// The block structure of a GIF file, as the checks and repairs walk it.
#include <cstddef>
#include <cstdint>

namespace rt::gif {

constexpr size_t kScreenDescriptorEnd = 13;  // "GIF89a", width, height, flags, background, aspect
constexpr size_t kFlagsAt = 10;
constexpr std::uint8_t kHasTable = 0x80;
constexpr std::uint8_t kTableSizeBits = 0x07;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr size_t kImageDescriptorSize = 10;  // separator, left, top, width, height, flags

constexpr std::uint8_t kGraphicControl = 0xF9;
constexpr std::uint8_t kHasTransparency = 0x01;
constexpr size_t kBackgroundAt = 11;

inline size_t TableBytes(std::uint8_t flags) { return 3u * (2u << (flags & kTableSizeBits)); }

// Passes a chain of data sub-blocks; returns the position after its terminator, or 0 when the
// chain runs past the end.
inline size_t ChainEnd(const std::uint8_t* b, size_t size, size_t at) {
    while (at < size) {
        const size_t length = b[at];
        at += 1 + length;
        if (length == 0) return at;
    }
    return 0;
}

// The logical screen of a GIF and where its first frame lies on it; background is the colour
// of the screen around the frame (0xAARRGGBB): the global table's background entry, or none
// (alpha 0) when the file has no global table or its first frame makes that entry transparent.
// A screen of 0 x 0 means that no frame was found.
struct Screen {
    unsigned width = 0, height = 0, frameLeft = 0, frameTop = 0;
    std::uint32_t background = 0;
};
Screen ScreenOf(const std::uint8_t* bytes, size_t size);

}  // namespace rt::gif

// BMP files: a header the decoders know, a palette and pixels where the header puts them.
// Pixels cut off at the end are black rows, as viewers show such files: an uncompressed file
// becomes a zeroed DIB section (BmpSection) that takes the pixels it has; for the decoder, the
// others are made up with zeros.
#include <algorithm>
#include <cstdlib>

#include "runtime/BmpSection.h"
#include "runtime/PictureChecks.h"

namespace rt {

namespace {

constexpr size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr std::uint64_t kLargestPixelBytes = kMostDecodedPixels * 4;

struct BmpHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0, height = 0;
    unsigned planes = 0, bits = 0;
    std::uint32_t compression = kRgb, colorsUsed = 0, imageSize = 0;
};

bool KnownHeaderSize(std::uint32_t n) { return n == kCoreHeader || n == 40 || n == 52 || n == 56 || n == 108 || n == 124; }

BmpHeader ReadHeader(const std::uint8_t* b) {
    BmpHeader h;
    h.headerSize = Le32At(b, kFileHeader);
    if (h.headerSize == kCoreHeader) {
        h.width = Le16At(b, 18);
        h.height = Le16At(b, 20);
        h.planes = Le16At(b, 22);
        h.bits = Le16At(b, 24);
        return h;
    }
    h.width = static_cast<std::int32_t>(Le32At(b, 18));
    h.height = static_cast<std::int32_t>(Le32At(b, 22));
    h.planes = Le16At(b, 26);
    h.bits = Le16At(b, 28);
    h.compression = Le32At(b, 30);
    h.imageSize = Le32At(b, 34);
    h.colorsUsed = Le32At(b, 46);
    return h;
}

bool Consistent(const BmpHeader& h) {
    const bool bitsKnown = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    const bool compressionFits = h.compression == kRgb || (h.compression == kRle8 && h.bits == 8) ||
                                 (h.compression == kRle4 && h.bits == 4) ||
                                 (h.compression == kBitFields && (h.bits == 16 || h.bits == 32));
    const bool paletteFits = h.colorsUsed <= (h.bits <= 8 ? (1u << h.bits) : 4096u);
    return h.planes == 1 && bitsKnown && compressionFits && paletteFits && h.width > 0 && h.height != 0 &&
           (h.compression == kRgb || h.compression == kBitFields || h.height > 0);
}

std::uint64_t PaletteBytes(const BmpHeader& h) {
    const std::uint64_t entry = h.headerSize == kCoreHeader ? 3 : 4;
    std::uint64_t entries = h.colorsUsed;
    if (entries == 0 && h.bits <= 8) entries = 1u << h.bits;
    const std::uint64_t masks = h.compression == kBitFields && h.headerSize == 40 ? 12 : 0;
    return masks + entries * entry;
}

}  // namespace

PictureCheck CheckBmp(const std::uint8_t* b, size_t size) {
    if (size < kFileHeader + 4) return Decodable(false);
    const std::uint32_t headerSize = Le32At(b, kFileHeader);
    if (!KnownHeaderSize(headerSize) || kFileHeader + headerSize > size) return Decodable(false);
    const BmpHeader h = ReadHeader(b);
    if (!Consistent(h) || !DecodedSizeFits(static_cast<std::uint64_t>(h.width), static_cast<std::uint64_t>(std::llabs(h.height))))
        return Decodable(false);
    const std::uint64_t pixelsAt = Le32At(b, 10);
    if (pixelsAt < kFileHeader + headerSize + PaletteBytes(h) || pixelsAt > size) return Decodable(false);
    const std::uint64_t stride = (static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32 * 4;
    std::uint64_t pixels = stride * static_cast<std::uint64_t>(std::llabs(h.height));
    // Run-length pixels have no fixed size; the decoder may read up to what the header says.
    if (h.compression == kRle8 || h.compression == kRle4) pixels = std::max<std::uint64_t>(pixels, h.imageSize);
    if (pixels > kLargestPixelBytes) return Decodable(false);
    if (pixelsAt + pixels <= size || BmpFitsDibSection(b, size)) return Decodable(true);
    PictureCheck padded{true, std::vector<char>(b, b + size)};
    padded.repaired.resize(static_cast<size_t>(pixelsAt + pixels), '\0');
    return padded;
}

}  // namespace rt

// BMP files: a header the decoders know, a palette and pixels where the header puts them.
// Pixels cut off at the end are black rows, as viewers show such files: an uncompressed file
// becomes a zeroed DIB section (BmpSection) that takes the pixels it has. A run-length file
// goes to the decoder rebuilt, with an image size no larger than the data it holds, so no
// field that claims more than the file holds costs memory.
#include <cstdlib>

#include "runtime/picture/BmpSection.h"
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

bool KnownHeaderSize(std::uint32_t n) { return n == kCoreHeader || n == 40 || n == 52 || n == 56 || n == 108 || n == 124; }

bool Consistent(const BmpFields& h) {
    const bool bitsKnown = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    const bool compressionFits = h.compression == kRgb || (h.compression == kRle8 && h.bits == 8) ||
                                 (h.compression == kRle4 && h.bits == 4) ||
                                 (h.compression == kBitFields && (h.bits == 16 || h.bits == 32));
    const bool paletteFits = h.colorsUsed <= (h.bits <= 8 ? (1u << h.bits) : 4096u);
    return h.planes == 1 && bitsKnown && compressionFits && paletteFits && h.width > 0 && h.height != 0 &&
           (h.compression == kRgb || h.compression == kBitFields || h.height > 0);
}

std::uint64_t PaletteBytes(const BmpFields& h) {
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
    const BmpFields h = ReadBmpFields(b);
    if (!Consistent(h) || !DecodedSizeFits(static_cast<std::uint64_t>(h.width), static_cast<std::uint64_t>(std::llabs(h.height))))
        return Decodable(false);
    const std::uint64_t pixelsAt = Le32At(b, 10);
    if (pixelsAt < kFileHeader + headerSize + PaletteBytes(h) || pixelsAt > size) return Decodable(false);
    if (BmpFitsDibSection(b, size)) return Decodable(true);
    return {true, BmpForDecoder(b, size)};
}

}  // namespace rt

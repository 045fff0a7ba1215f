// TIFF files (decoded by GDI+ only): the first directory and every value and strip it points
// at lie inside the file, with the size and strips a decoder needs.
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr std::uint16_t kWidth = 256, kHeight = 257, kBits = 258, kCompression = 259, kStripOffsets = 273,
                        kStripByteCounts = 279, kTileOffsets = 324;
constexpr size_t kEntry = 12;

struct TiffReader {
    const std::uint8_t* b;
    size_t size;
    bool big;
    std::uint32_t U16(size_t at) const { return big ? Be16At(b, at) : Le16At(b, at); }
    std::uint32_t U32(size_t at) const { return big ? Be32At(b, at) : Le32At(b, at); }
};

size_t TypeSize(std::uint32_t type) {
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
    }
}

// The value i of an entry of SHORT or LONG type, wherever it is stored; false when outside.
bool Value(const TiffReader& r, size_t entry, std::uint64_t i, std::uint32_t& out) {
    const std::uint32_t type = r.U16(entry + 2);
    const std::uint64_t count = r.U32(entry + 4), unit = TypeSize(type);
    if ((type != 3 && type != 4) || i >= count) return false;
    const std::uint64_t at = unit * count <= 4 ? entry + 8 : r.U32(entry + 8);
    if (at + unit * count > r.size) return false;
    out = type == 3 ? r.U16(static_cast<size_t>(at + i * unit)) : r.U32(static_cast<size_t>(at + i * unit));
    return true;
}

// One directory: its entries, their values and strips inside the file; `next` gets the
// offset of the directory after it (0 for none).
bool SoundDirectory(const TiffReader& r, std::uint64_t directory, std::uint64_t& next) {
    const size_t size = r.size;
    if (directory < 8 || directory + 2 > size) return false;
    const std::uint32_t entries = r.U16(static_cast<size_t>(directory));
    if (entries == 0 || directory + 2 + entries * kEntry + 4 > size) return false;
    size_t offsets = 0, counts = 0;
    std::uint32_t width = 0, height = 0, value = 0;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const size_t entry = static_cast<size_t>(directory) + 2 + i * kEntry;
        const std::uint64_t bytes = TypeSize(r.U16(entry + 2)) * static_cast<std::uint64_t>(r.U32(entry + 4));
        if (bytes > 4 && r.U32(entry + 8) + bytes > size) return false;
        switch (r.U16(entry)) {
        case kWidth: if (!Value(r, entry, 0, width)) return false; break;
        case kHeight: if (!Value(r, entry, 0, height)) return false; break;
        case kStripOffsets: offsets = entry; break;
        case kStripByteCounts: counts = entry; break;
        case kTileOffsets: return false;  // tiled files: not taken
        case kBits: case kCompression: if (!Value(r, entry, 0, value)) return false; break;
        default: break;
        }
    }
    if (width == 0 || height == 0 || !DecodedSizeFits(width, height) || !offsets || !counts || r.U32(offsets + 4) != r.U32(counts + 4)) return false;
    for (std::uint64_t s = 0; s < r.U32(offsets + 4); ++s) {
        std::uint32_t at = 0, length = 0;
        if (!Value(r, offsets, s, at) || !Value(r, counts, s, length) || std::uint64_t{at} + length > size) return false;
    }
    next = r.U32(static_cast<size_t>(directory) + 2 + entries * kEntry);
    return true;
}

}  // namespace

// Every directory of the chain is read by the decoder, so every one is checked; a chain that
// runs on past kMostDirectories is taken for a loop.
PictureCheck CheckTiff(const std::uint8_t* b, size_t size) {
    constexpr int kMostDirectories = 64;
    if (size < 8) return Decodable(false);
    const TiffReader r{b, size, b[0] == 'M'};
    std::uint64_t directory = r.U32(4);
    for (int n = 0; n < kMostDirectories; ++n) {
        std::uint64_t next = 0;
        if (!SoundDirectory(r, directory, next)) return Decodable(false);
        if (next == 0) return Decodable(true);
        directory = next;
    }
    return Decodable(false);
}

}  // namespace rt

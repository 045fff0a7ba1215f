// Windows and enhanced metafiles: records that lie inside the file one after the other up to
// the end record, and object indexes inside the file's own handle table. Playing a record
// trusts both, and an out-of-range one reads outside the player's tables.
#include "runtime/PictureChecks.h"

namespace rt {

namespace {

constexpr size_t kPlaceableHeader = 22;
constexpr size_t kWmfHeader = 18;
constexpr std::uint16_t kWmfEnd = 0x0000;
constexpr std::uint16_t kWmfSelectObject = 0x012D, kWmfDeleteObject = 0x01F0, kWmfSelectPalette = 0x0234;
constexpr size_t kEmfHeaderMin = 88;
constexpr std::uint32_t kEmfHeader = 1, kEmfEnd = 14;
constexpr std::uint32_t kStockObject = 0x80000000u, kLastStockObject = 19;  // DC_PEN

// Records that name a slot of the handle table: the ones that make an object there, and
// the ones that select or delete one (these may also name a stock object).
bool MakesObject(std::uint32_t type) {
    return type == 38 || type == 39 || type == 49 || type == 82 || type == 93 || type == 94 || type == 95 || type == 99;
}
bool UsesObject(std::uint32_t type) { return type == 37 || type == 40 || type == 48; }

// Where a record keeps the offsets and sizes of a bitmap's header and bits, or 0: the block
// transfers, the device-independent bits, the pattern brushes.
size_t BitmapFieldsAt(std::uint32_t type) {
    switch (type) {
    case 76: case 77: return 84;   // EMR_BITBLT, EMR_STRETCHBLT
    case 80: case 81: return 48;   // EMR_SETDIBITSTODEVICE, EMR_STRETCHDIBITS
    case 93: case 94: return 16;   // EMR_CREATEMONOBRUSH, EMR_CREATEDIBPATTERNBRUSHPT
    default: return 0;
    }
}

bool SoundObjectIndex(std::uint32_t type, std::uint32_t index, unsigned handles) {
    if (UsesObject(type) && (index & kStockObject)) return (index & ~kStockObject) <= kLastStockObject;
    return index > 0 && index < handles;  // slot 0 is the metafile's own
}

bool SoundEmfRecord(const std::uint8_t* r, std::uint32_t type, std::uint64_t length, unsigned handles) {
    if (MakesObject(type) || UsesObject(type)) {
        if (length < 12 || !SoundObjectIndex(type, Le32At(r, 8), handles)) return false;
    }
    if (const size_t at = BitmapFieldsAt(type)) {
        if (length < at + 16) return false;
        for (size_t pair = at; pair < at + 16; pair += 8) {
            const std::uint64_t offset = Le32At(r, pair), bytes = Le32At(r, pair + 4);
            if (offset + bytes > length) return false;  // read even when the size is 0
        }
    }
    return true;
}

bool PlaceableHeaderSound(const std::uint8_t* b) {
    std::uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= Le16At(b, i);
    return sum == Le16At(b, 20) && Le16At(b, 14) != 0;  // the checksum, units per inch
}

}  // namespace

PictureCheck CheckWmf(const std::uint8_t* b, size_t size, bool placeable) {
    const size_t start = placeable ? kPlaceableHeader : 0;
    if (start + kWmfHeader > size || (placeable && !PlaceableHeaderSound(b))) return Decodable(false);
    const std::uint8_t* m = b + start;
    const size_t length = size - start;
    const std::uint64_t declared = 2ull * Le32At(m, 6);
    const unsigned objects = Le16At(m, 10);
    const std::uint64_t largestRecord = 2ull * Le32At(m, 12);
    if (Le16At(m, 2) != 9 || declared > length || declared < kWmfHeader) return Decodable(false);
    for (size_t at = kWmfHeader; at + 6 <= declared;) {
        const std::uint64_t recordBytes = 2ull * Le32At(m, at);
        const std::uint16_t function = Le16At(m, at + 4);
        if (recordBytes < 6 || recordBytes > largestRecord || at + recordBytes > declared) return Decodable(false);
        if (function == kWmfEnd) return Decodable(true);
        if (function == kWmfSelectObject || function == kWmfDeleteObject || function == kWmfSelectPalette) {
            if (recordBytes < 8 || Le16At(m, at + 6) >= objects) return Decodable(false);
        }
        at += static_cast<size_t>(recordBytes);
    }
    return Decodable(false);
}

PictureCheck CheckEmf(const std::uint8_t* b, size_t size) {
    if (size < kEmfHeaderMin) return Decodable(false);
    const std::uint64_t declared = Le32At(b, 48);
    const unsigned handles = Le16At(b, 56);
    if (Le32At(b, 4) < kEmfHeaderMin || declared > size) return Decodable(false);
    for (size_t at = 0; at + 8 <= declared;) {
        const std::uint32_t type = Le32At(b, at);
        const std::uint64_t recordBytes = Le32At(b, at + 4);
        if (recordBytes < 8 || recordBytes % 4 || at + recordBytes > declared) return Decodable(false);
        if ((at == 0) != (type == kEmfHeader)) return Decodable(false);
        if (type == kEmfEnd) return Decodable(true);
        if (!SoundEmfRecord(b + at, type, recordBytes, handles)) return Decodable(false);
        at += static_cast<size_t>(recordBytes);
    }
    return Decodable(false);
}

}  // namespace rt

// Windows and enhanced metafiles: records that lie inside the file one after the other up to
// the end record, each one a type the players are known to read safely with the counts,
// offsets, bitmaps and object numbers it holds (see MetafileRecords.h). Playing a record
// trusts all of them, and one out of range reads outside the record or the player's tables.
#include "runtime/picture/MetafileRecords.h"
#include "runtime/picture/PictureChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

constexpr size_t kPlaceableHeader = 22;
constexpr size_t kWmfHeader = 18;
constexpr size_t kWmfRecordHeader = 6;
constexpr std::uint16_t kWmfEnd = 0x0000;
constexpr size_t kEmfHeaderMin = 88;
constexpr size_t kEmfHeaderWithPixelFormat = 100;
constexpr std::uint32_t kEmfHeader = 1, kEmfEnd = 14;
constexpr std::int32_t kLargestFrame = 0x3FFFFFFF;     // half the range: a side never overflows
constexpr std::int32_t kLargestReference = 0x10000;    // pixels or millimetres of a device

constexpr double kLargestDevice = 1 << 26;
constexpr double kLargestTarget = 1 << 12;  // pixels on a side of the largest place a picture is drawn
constexpr double kHimetricPerMillimetre = 100;

constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kInfoHeaderWithMasks = 52, kInfoHeaderWithAlphaMask = 56;
constexpr std::uint32_t kV4Header = 108, kV5Header = 124;
constexpr std::uint32_t kUncompressed = 0, kBitFields = 3;
constexpr std::uint32_t kEmbeddedProfile = 0x4D424544, kLinkedProfile = 0x4C494E4B;  // 'MBED', 'LINK'
constexpr size_t kV5ColourSpaceAt = 56;

bool Fits(std::uint64_t at, std::uint64_t bytes, std::uint64_t length) { return at <= length && bytes <= length - at; }

// The bytes a bitmap header and its colour table take, and the bytes its rows need; false for
// a header the players cannot be trusted with. Run-length and embedded JPEG or PNG bits are
// refused: their length is only known to the decoder.
bool DibLayout(const std::uint8_t* h, std::uint64_t available, unsigned usage, bool mono, std::uint64_t& infoBytes,
               std::uint64_t& bitsBytes) {
    if (available < kCoreHeader) return false;
    const std::uint32_t headerBytes = Le32At(h, 0);
    std::uint64_t width = 0, rows = 0, colours = 0;
    unsigned planes = 0, bits = 0;
    std::uint32_t compression = kUncompressed;
    if ((usage != kRgbColours && usage != kPaletteColours && usage != kMonoColours) || headerBytes > available)
        return false;
    std::uint64_t entryBytes = usage == kRgbColours ? 4 : usage == kPaletteColours ? 2 : 0;
    if (headerBytes == kCoreHeader) {
        width = Le16At(h, 4);
        rows = Le16At(h, 6);
        planes = Le16At(h, 8);
        bits = Le16At(h, 10);
        if (usage == kRgbColours) entryBytes = 3;
    } else if (headerBytes == kInfoHeader || headerBytes == kInfoHeaderWithMasks ||
               headerBytes == kInfoHeaderWithAlphaMask || headerBytes == kV4Header || headerBytes == kV5Header) {
        const auto w = static_cast<std::int32_t>(Le32At(h, 4)), ht = static_cast<std::int32_t>(Le32At(h, 8));
        if (w <= 0 || ht == 0 || ht == INT32_MIN) return false;
        width = static_cast<std::uint64_t>(w);
        rows = static_cast<std::uint64_t>(ht < 0 ? -static_cast<std::int64_t>(ht) : ht);
        planes = Le16At(h, 12);
        bits = Le16At(h, 14);
        compression = Le32At(h, 16);
        colours = Le32At(h, 32);
        if (headerBytes == kV5Header) {
            const std::uint32_t space = Le32At(h, kV5ColourSpaceAt);
            if (space == kEmbeddedProfile || space == kLinkedProfile) return false;
        }
    } else {
        return false;
    }
    const bool bitsKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (width == 0 || rows == 0 || planes != 1 || !bitsKnown || (mono && bits != 1)) return false;
    if (compression != kUncompressed && !(compression == kBitFields && (bits == 16 || bits == 32))) return false;
    if (!DecodedSizeFits(width, rows)) return false;
    const std::uint64_t masks = compression == kBitFields && headerBytes == kInfoHeader ? 12 : 0;
    // The players size the colour table by the header's count at any depth.
    const std::uint64_t entries = colours ? colours : bits <= 8 ? 1u << bits : 0;
    infoBytes = headerBytes + masks + entries * entryBytes;
    bitsBytes = (width * bits + 31) / 32 * 4 * rows;
    return true;
}

// A side of the placeable header's frame, from its low to its high edge.
double PlaceableSide(const std::uint8_t* b, size_t low, size_t high) {
    const int side = static_cast<std::int16_t>(Le16At(b, high)) - static_cast<std::int16_t>(Le16At(b, low));
    return std::max(1, std::abs(side));
}

bool PlaceableHeaderSound(const std::uint8_t* b) {
    std::uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= Le16At(b, i);
    return sum == Le16At(b, 20) && Le16At(b, 14) != 0;  // the checksum, units per inch
}

// A frame whose sides the players subtract and scale without overflow.
bool SoundFrame(const std::uint8_t* b, size_t at) {
    const auto left = static_cast<std::int32_t>(Le32At(b, at)), top = static_cast<std::int32_t>(Le32At(b, at + 4));
    const auto right = static_cast<std::int32_t>(Le32At(b, at + 8));
    const auto bottom = static_cast<std::int32_t>(Le32At(b, at + 12));
    const auto sound = [](std::int32_t low, std::int32_t high) {
        return low <= high && low >= -kLargestFrame && high <= kLargestFrame;
    };
    return sound(left, right) && sound(top, bottom);
}

// The reference device's size in pixels and millimetres, by which the players scale.
bool SoundReferenceSize(const std::uint8_t* b, size_t at) {
    for (size_t side = at; side < at + 8; side += 4) {
        const auto length = static_cast<std::int32_t>(Le32At(b, side));
        if (length <= 0 || length > kLargestReference) return false;
    }
    return true;
}

// The frame's shorter side in pixels of the reference device, the drawing's first units.
double FramePixels(const std::uint8_t* b) {
    const auto at = [b](size_t field) { return static_cast<double>(static_cast<std::int32_t>(Le32At(b, field))); };
    const double width = at(32) - at(24), height = at(36) - at(28);
    const double pixelsPerMillimetreX = static_cast<double>(Le32At(b, 72)) / Le32At(b, 80);
    const double pixelsPerMillimetreY = static_cast<double>(Le32At(b, 76)) / Le32At(b, 84);
    return std::min(width * pixelsPerMillimetreX, height * pixelsPerMillimetreY) / kHimetricPerMillimetre;
}

// The header record's frame and reference device are sizes the players scale by, and its
// description and pixel format lie inside it.
bool SoundEmfHeader(const std::uint8_t* b, std::uint64_t length) {
    if (!SoundFrame(b, 8) || !SoundFrame(b, 24) || !SoundReferenceSize(b, 72) || !SoundReferenceSize(b, 80))
        return false;
    const std::uint64_t descriptionChars = Le32At(b, 60), descriptionAt = Le32At(b, 64);
    if (descriptionChars && (descriptionAt < kEmfHeaderMin || !Fits(descriptionAt, 2 * descriptionChars, length)))
        return false;
    if (length >= kEmfHeaderWithPixelFormat && Le32At(b, 88) &&
        (Le32At(b, 92) < kEmfHeaderMin || !Fits(Le32At(b, 92), Le32At(b, 88), length)))
        return false;
    return Le16At(b, 56) >= 1;  // the handle table holds at least the metafile itself
}

}  // namespace

bool SoundScale(std::int64_t num, std::int64_t denominator, bool window) {
    if (num == 0 || denominator == 0) return false;
    const std::int64_t up = std::abs(window ? denominator : num), down = std::abs(window ? num : denominator);
    return up <= kLargestMagnification * down;
}

bool PlaybackState::Reaches(double coordinate) const {
    const Mapping& m = mapping;
    const double extents = std::max(std::fabs(m.viewportX / m.windowX), std::fabs(m.viewportY / m.windowY));
    return ((std::fabs(coordinate) * m.world + m.worldShift + m.windowOrigin) * extents + m.viewportOrigin) <= reach;
}

double ReachOfFrame(double frame) {
    return std::min(kLargestDevice, kLargestDevice / kLargestTarget * std::max(1.0, frame));
}

bool SoundRestore(std::int64_t level, PlaybackState& state) {
    const auto states = static_cast<std::int64_t>(state.saved.size());
    const std::int64_t kept = level < 0 ? states + level : level - 1;
    if (level == 0 || kept < 0 || kept >= states) return false;
    state.mapping = state.saved[static_cast<size_t>(kept)];
    state.saved.resize(static_cast<size_t>(kept));
    return true;
}

bool SoundDib(const std::uint8_t* info, std::uint64_t infoBytes, std::uint64_t bitsBytes, unsigned usage, bool mono) {
    std::uint64_t needInfo = 0, needBits = 0;
    return DibLayout(info, infoBytes, usage, mono, needInfo, needBits) && needInfo <= infoBytes &&
           needBits <= bitsBytes;
}

bool SoundPackedDib(const std::uint8_t* dib, std::uint64_t bytes, unsigned usage) {
    std::uint64_t needInfo = 0, needBits = 0;
    return DibLayout(dib, bytes, usage, false, needInfo, needBits) && Fits(needInfo, needBits, bytes);
}

PictureCheck CheckWmf(const std::uint8_t* b, size_t size, bool placeable) {
    const size_t start = placeable ? kPlaceableHeader : 0;
    if (start + kWmfHeader > size || (placeable && !PlaceableHeaderSound(b))) return Decodable(false);
    const std::uint8_t* m = b + start;
    const size_t length = size - start;
    const std::uint64_t declared = 2ull * Le32At(m, 6);
    const std::uint64_t largestRecord = 2ull * Le32At(m, 12);
    if (Le16At(m, 2) != 9 || declared > length || declared < kWmfHeader) return Decodable(false);
    PlaybackState state;
    state.slots.assign(Le16At(m, 10), MetaObject::None);
    state.paletteEntries.assign(state.slots.size(), 0);
    // The picture maps the placeable frame onto wherever it is drawn.
    state.mapping.windowX = placeable ? PlaceableSide(b, 6, 10) : 1;
    state.mapping.windowY = placeable ? PlaceableSide(b, 8, 12) : 1;
    state.mapping.viewportX = state.mapping.viewportY = kLargestTarget;
    state.reach = kLargestDevice;
    if (!state.Reaches(kLargestWmfCoordinate)) return Decodable(false);
    for (size_t at = kWmfHeader; at + kWmfRecordHeader <= declared;) {
        const std::uint64_t recordBytes = 2ull * Le32At(m, at);
        const std::uint16_t function = Le16At(m, at + 4);
        if (recordBytes < kWmfRecordHeader || recordBytes > largestRecord || at + recordBytes > declared)
            return Decodable(false);
        if (function == kWmfEnd) return Decodable(true);
        if (at + recordBytes + kWmfRecordHeader > declared) return Decodable(false);  // no end record
        if (!SoundWmfRecord(m + at + kWmfRecordHeader, function, recordBytes - kWmfRecordHeader, state))
            return Decodable(false);
        at += static_cast<size_t>(recordBytes);
    }
    return Decodable(false);
}

PictureCheck CheckEmf(const std::uint8_t* b, size_t size) {
    if (size < kEmfHeaderMin) return Decodable(false);
    const std::uint64_t declared = Le32At(b, 48);
    const std::uint64_t headerBytes = Le32At(b, 4);
    if (headerBytes < kEmfHeaderMin || declared > size || headerBytes > declared || !SoundEmfHeader(b, headerBytes))
        return Decodable(false);
    PlaybackState state;
    state.slots.assign(Le16At(b, 56), MetaObject::None);
    state.paletteEntries.assign(state.slots.size(), 0);
    state.reach = ReachOfFrame(FramePixels(b));
    for (size_t at = static_cast<size_t>(headerBytes); at + 8 <= declared;) {
        const std::uint32_t type = Le32At(b, at);
        const std::uint64_t recordBytes = Le32At(b, at + 4);
        if (recordBytes < 8 || recordBytes % 4 || at + recordBytes > declared || type == kEmfHeader)
            return Decodable(false);
        if (!SoundEmfRecord(b + at, type, recordBytes, state)) return Decodable(false);
        // A player may go on past the end record to the declared length.
        if (type == kEmfEnd) return Decodable(at + recordBytes == declared);
        at += static_cast<size_t>(recordBytes);
    }
    return Decodable(false);
}

}  // namespace rt

#include "picture/HeaderReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

using Byte = std::uint8_t;

constexpr std::size_t kSignatureLength = 4;
constexpr std::array<Byte, 4> kPngSignature = {0x89, 'P', 'N', 'G'};
constexpr std::array<Byte, 4> kGifSignature = {'G', 'I', 'F', '8'};  // GIF87a and GIF89a
constexpr std::array<Byte, 3> kJpegSignature = {0xFF, 0xD8, 0xFF};   // start of image, then a marker
constexpr std::array<Byte, 2> kBmpSignature = {'B', 'M'};

constexpr std::uint64_t kPngSizeOffset = 16;        // IHDR width, height: 32-bit big-endian
constexpr std::uint64_t kGifSizeOffset = 6;         // logical screen: 16-bit little-endian
constexpr std::uint64_t kBmpHeaderSizeOffset = 14;  // length of the info header that follows
constexpr std::uint64_t kBmpSizeOffset = 18;
constexpr std::uint32_t kBmpCoreHeaderSize = 12;  // the old header: 16-bit width and height
constexpr std::uint32_t kBmpLongFieldsHeaderSize = 16;  // from here on: 32-bit signed fields

constexpr std::uint64_t kJpegFirstMarker = 2;  // just after the start-of-image marker
constexpr Byte kJpegMarkerPrefix = 0xFF;
// From a marker code: the 16-bit segment length (counting itself) at +1, and in a frame
// header the precision at +3, the height at +4 and the width at +6, all big-endian.
constexpr std::uint64_t kJpegLengthFromCode = 1;
constexpr std::uint64_t kJpegFrameSizeFromCode = 4;
// The marker search reads ahead in growing steps: two bytes find the marker that normally
// follows a segment at once; stray bytes cost a few larger reads instead of one per byte.
constexpr std::size_t kFirstSearchStep = 2;
constexpr std::size_t kLargestSearchStep = 4096;

template <std::size_t N>
bool ReadField(ByteSource& source, std::uint64_t offset, std::array<Byte, N>& out) {
    return RangeInside(offset, N, source.Size()) && source.ReadAt(offset, out.data(), N);
}

template <std::size_t N>
bool StartsWith(const std::array<Byte, kSignatureLength>& head, std::size_t headLength,
                const std::array<Byte, N>& signature) {
    return headLength >= N && std::equal(signature.begin(), signature.end(), head.begin());
}

std::uint32_t BigEndian32(const Byte* b) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

std::uint32_t LittleEndian32(const Byte* b) {
    return (std::uint32_t{b[3]} << 24) | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) | b[0];
}

ImageSize ReadPngSize(ByteSource& source) {
    std::array<Byte, 8> field{};
    if (!ReadField(source, kPngSizeOffset, field)) return {};
    const std::uint32_t width = BigEndian32(&field[0]);
    const std::uint32_t height = BigEndian32(&field[4]);
    // The format caps both at 2^31 - 1; anything larger is not a PNG header.
    constexpr auto kLargest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    if (width > kLargest || height > kLargest) return {};
    return {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

ImageSize ReadGifSize(ByteSource& source) {
    std::array<Byte, 4> field{};
    if (!ReadField(source, kGifSizeOffset, field)) return {};
    return {MakeWord(field[0], field[1]), MakeWord(field[2], field[3])};
}

ImageSize ReadBmpSize(ByteSource& source) {
    std::array<Byte, 4> headerSizeField{};
    if (!ReadField(source, kBmpHeaderSizeOffset, headerSizeField)) return {};
    const std::uint32_t headerSize = LittleEndian32(headerSizeField.data());
    if (headerSize == kBmpCoreHeaderSize) {
        std::array<Byte, 4> field{};
        if (!ReadField(source, kBmpSizeOffset, field)) return {};
        return {MakeWord(field[0], field[1]), MakeWord(field[2], field[3])};
    }
    if (headerSize < kBmpLongFieldsHeaderSize) return {};
    std::array<Byte, 8> field{};
    if (!ReadField(source, kBmpSizeOffset, field)) return {};
    const auto width = static_cast<std::int32_t>(LittleEndian32(&field[0]));
    const auto height = static_cast<std::int32_t>(LittleEndian32(&field[4]));
    // A negative height marks rows stored top down; the picture is as tall either way.
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min()) return {};
    return {width, height < 0 ? -height : height};
}

// The start-of-frame markers: every one carries the frame size at the same place. C4 (Huffman
// tables), C8 (reserved) and CC (arithmetic conditioning) share the range but are not frames.
bool IsJpegFrameMarker(Byte code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

struct JpegMarker {
    std::uint64_t offset;  // of the marker code
    Byte code;
};

// The first marker at or after from: the first byte that follows 0xFF and is not 0xFF
// itself, so fill bytes and stray bytes are passed over.
std::optional<JpegMarker> FindJpegMarker(ByteSource& source, std::uint64_t from) {
    std::array<Byte, kLargestSearchStep> window{};
    std::size_t step = kFirstSearchStep;
    bool afterPrefix = false;
    for (std::uint64_t at = from; at < source.Size();) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(step, source.Size() - at));
        if (!source.ReadAt(at, window.data(), count)) return std::nullopt;
        for (std::size_t i = 0; i < count; ++i) {
            if (afterPrefix && window[i] != kJpegMarkerPrefix) return JpegMarker{at + i, window[i]};
            afterPrefix = window[i] == kJpegMarkerPrefix;
        }
        at += count;
        step = std::min(step * 2, kLargestSearchStep);
    }
    return std::nullopt;
}

// Walks the segments from the first marker to the first frame header, seeking over the
// others by their lengths. Each segment moves the walk forward by at least one byte.
ImageSize ReadJpegSize(ByteSource& source) {
    std::uint64_t at = kJpegFirstMarker;
    while (at < source.Size()) {
        const std::optional<JpegMarker> marker = FindJpegMarker(source, at);
        if (!marker) return {};
        if (IsJpegFrameMarker(marker->code)) {
            std::array<Byte, 4> size{};  // height, then width
            if (!ReadField(source, marker->offset + kJpegFrameSizeFromCode, size)) return {};
            return {MakeWord(size[3], size[2]), MakeWord(size[1], size[0])};
        }
        std::array<Byte, 2> length{};
        if (!ReadField(source, marker->offset + kJpegLengthFromCode, length)) return {};
        at = marker->offset + static_cast<std::uint64_t>(MakeWord(length[1], length[0])) + 1;
    }
    return {};
}

}  // namespace

ImageSize ReadImageSize(ByteSource& source) {
    std::array<Byte, kSignatureLength> head{};
    const auto headLength = static_cast<std::size_t>(std::min<std::uint64_t>(kSignatureLength, source.Size()));
    if (headLength == 0 || !source.ReadAt(0, head.data(), headLength)) return {};
    if (StartsWith(head, headLength, kPngSignature)) return ReadPngSize(source);
    if (StartsWith(head, headLength, kGifSignature)) return ReadGifSize(source);
    if (StartsWith(head, headLength, kJpegSignature)) return ReadJpegSize(source);
    if (StartsWith(head, headLength, kBmpSignature)) return ReadBmpSize(source);
    return {};
}

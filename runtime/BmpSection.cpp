#include "runtime/BmpSection.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "runtime/PictureChecks.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr size_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;
constexpr size_t kBitFieldMasks = 12;  // after a 40-byte header; larger headers hold them

struct Layout {
    std::uint32_t headerSize, compression, colorsUsed;
    std::int32_t width, height;
    unsigned bits;
};

Layout ReadLayout(const std::uint8_t* b) {
    return {Le32At(b, kFileHeader), Le32At(b, 30), Le32At(b, 46), static_cast<std::int32_t>(Le32At(b, 18)),
            static_cast<std::int32_t>(Le32At(b, 22)), Le16At(b, 28)};
}

// The header with its masks and colour table, as CreateDIBSection reads them.
size_t InfoBytes(const Layout& l) {
    size_t bytes = l.headerSize;
    if (l.compression == BI_BITFIELDS && l.headerSize == kInfoHeader) bytes += kBitFieldMasks;
    if (l.bits <= 8) bytes += 4 * (l.colorsUsed ? l.colorsUsed : 1u << l.bits);
    return bytes;
}

}  // namespace

bool BmpFitsDibSection(const std::uint8_t* b, size_t size) {
    if (size < kFileHeader + kInfoHeader) return false;
    const Layout l = ReadLayout(b);
    return l.headerSize >= kInfoHeader && (l.compression == BI_RGB || l.compression == BI_BITFIELDS);
}

HBITMAP BmpDibSection(const std::uint8_t* b, size_t size) {
    const Layout l = ReadLayout(b);
    // A copy keeps the header aligned as the structure wants it; CheckBmp put it in the file.
    std::vector<std::uint32_t> info((InfoBytes(l) + 3) / 4);
    std::memcpy(info.data(), b + kFileHeader, InfoBytes(l));
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (!section || !bits) {
        if (section) DeleteObject(section);
        Raise(err::kOutOfMemory);
    }
    const size_t stride = (static_cast<size_t>(l.width) * l.bits + 31) / 32 * 4;
    const size_t pixels = stride * static_cast<size_t>(l.height < 0 ? -static_cast<std::int64_t>(l.height) : l.height);
    const size_t pixelsAt = Le32At(b, 10);
    std::memcpy(bits, b + pixelsAt, std::min(pixels, size - pixelsAt));
    return section;
}

}  // namespace rt

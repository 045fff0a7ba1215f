#include "runtime/picture/BmpSection.h"

#include <algorithm>
#include <cstring>

#include "runtime/picture/PictureChecks.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

constexpr size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
constexpr size_t kMasksAt = kFileHeader + kInfoHeader;  // after a 40-byte header; inside larger ones
constexpr size_t kMasks = 3;

size_t PixelsAt(const std::uint8_t* b) { return Le32At(b, 10); }

}  // namespace

BmpFields ReadBmpFields(const std::uint8_t* b) {
    BmpFields h;
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

std::vector<std::uint32_t> BmpInfo(const std::uint8_t* b, std::uint32_t imageSize) {
    const BmpFields f = ReadBmpFields(b);
    const bool masks = f.compression == BI_BITFIELDS;
    const std::uint32_t entries = f.bits > 8 ? 0 : f.colorsUsed ? f.colorsUsed : 1u << f.bits;
    std::vector<std::uint32_t> info(kInfoHeader / 4 + (masks ? kMasks : 0) + entries);
    BITMAPINFOHEADER header = {};
    header.biSize = kInfoHeader;
    header.biWidth = static_cast<LONG>(f.width);
    header.biHeight = static_cast<LONG>(f.height);
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(f.bits);
    header.biCompression = f.compression;
    header.biSizeImage = imageSize;
    header.biClrUsed = entries;
    std::memcpy(info.data(), &header, sizeof(header));
    std::uint32_t* rest = info.data() + kInfoHeader / 4;
    if (masks)
        for (size_t i = 0; i < kMasks; ++i) *rest++ = Le32At(b, kMasksAt + 4 * i);
    // The core header's table has 3-byte entries; CheckBmp saw the whole table before the pixels.
    const size_t entry = f.headerSize == kCoreHeader ? 3 : 4;
    const std::uint8_t* table = b + kFileHeader + f.headerSize;
    for (std::uint32_t i = 0; i < entries; ++i, table += entry)
        *rest++ = static_cast<std::uint32_t>(table[0] | table[1] << 8 | table[2] << 16);
    return info;
}

bool BmpFitsDibSection(const std::uint8_t* b, size_t size) {
    if (size < kFileHeader + 4 || kFileHeader + Le32At(b, kFileHeader) > size) return false;
    const BmpFields f = ReadBmpFields(b);
    return f.compression == BI_RGB || f.compression == BI_BITFIELDS;
}

HBITMAP BmpDibSection(const std::uint8_t* b, size_t size) {
    const BmpFields f = ReadBmpFields(b);
    const std::vector<std::uint32_t> info = BmpInfo(b, 0);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (!section || !bits) {
        if (section) DeleteObject(section);
        Raise(err::kOutOfMemory);
    }
    const size_t stride = (static_cast<size_t>(f.width) * f.bits + 31) / 32 * 4;
    const size_t pixels = stride * static_cast<size_t>(f.height < 0 ? -f.height : f.height);
    std::memcpy(bits, b + PixelsAt(b), std::min(pixels, size - PixelsAt(b)));
    return section;
}

std::vector<char> BmpForDecoder(const std::uint8_t* b, size_t size) {
    const BmpFields f = ReadBmpFields(b);
    size_t data = size - PixelsAt(b);
    if (f.imageSize != 0) data = std::min<size_t>(data, f.imageSize);
    const std::vector<std::uint32_t> info = BmpInfo(b, static_cast<std::uint32_t>(data));
    const size_t infoBytes = info.size() * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(kFileHeader + infoBytes);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + data);
    std::vector<char> out(file.bfSize);
    std::memcpy(out.data(), &file, kFileHeader);
    std::memcpy(out.data() + kFileHeader, info.data(), infoBytes);
    std::memcpy(out.data() + file.bfOffBits, b + PixelsAt(b), data);
    return out;
}

}  // namespace rt

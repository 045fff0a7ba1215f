#include "runtime/picture/PictureChecks.h"

#include <cstring>


namespace rt {

namespace {

bool Starts(const std::uint8_t* b, size_t size, const char* signature, size_t length) {
    return size >= length && std::memcmp(b, signature, length) == 0;
}

constexpr size_t kEmfSignatureAt = 40;

// An icon image: PNG data, or a bitmap header of twice the image's height (colour and mask)
// whose colours and mask fit in the image's length.
bool SoundIconImage(const std::uint8_t* image, std::uint64_t length) {
    if (length >= 8 && std::memcmp(image, "\x89PNG", 4) == 0) return true;
    if (length < 40 || Le32At(image, 0) < 40 || Le32At(image, 0) > length) return false;
    const auto width = static_cast<std::int32_t>(Le32At(image, 4)), height = static_cast<std::int32_t>(Le32At(image, 8));
    const unsigned planes = Le16At(image, 12), bits = Le16At(image, 14);
    const bool bitsKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (width <= 0 || height <= 0 || height % 2 || planes != 1 || !bitsKnown) return false;
    const std::uint64_t rows = static_cast<std::uint64_t>(height) / 2;
    const std::uint64_t colours = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4 * rows;
    const std::uint64_t mask = (static_cast<std::uint64_t>(width) + 31) / 32 * 4 * rows;
    const std::uint64_t palette = bits <= 8 ? 4ull << bits : 0;
    return Le32At(image, 0) + palette + colours + mask <= length;
}

}  // namespace

PictureFormat FormatOf(const std::uint8_t* b, size_t size) {
    if (Starts(b, size, "BM", 2)) return PictureFormat::Bmp;
    if (Starts(b, size, "\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
    if (Starts(b, size, "GIF87a", 6) || Starts(b, size, "GIF89a", 6)) return PictureFormat::Gif;
    if (Starts(b, size, "\x89PNG\r\n\x1A\n", 8)) return PictureFormat::Png;
    if (Starts(b, size, "II*\0", 4) || Starts(b, size, "MM\0*", 4)) return PictureFormat::Tiff;
    if (Starts(b, size, "\0\0\1\0", 4)) return PictureFormat::Icon;
    if (Starts(b, size, "\0\0\2\0", 4)) return PictureFormat::Cursor;
    if (Starts(b, size, "\xD7\xCD\xC6\x9A", 4)) return PictureFormat::PlaceableWmf;
    if (Starts(b, size, "\1\0\x09\0", 4) || Starts(b, size, "\2\0\x09\0", 4)) return PictureFormat::Wmf;
    if (Starts(b, size, "\1\0\0\0", 4) && size >= kEmfSignatureAt + 4 && std::memcmp(b + kEmfSignatureAt, " EMF", 4) == 0)
        return PictureFormat::Emf;
    return PictureFormat::Unknown;
}

PictureCheck CheckPicture(const void* bytes, size_t size) {
    const auto* b = static_cast<const std::uint8_t*>(bytes);
    switch (FormatOf(b, size)) {
    case PictureFormat::Bmp: return CheckBmp(b, size);
    case PictureFormat::Jpeg: return CheckJpeg(b, size);
    case PictureFormat::Png: return CheckPng(b, size);
    case PictureFormat::Tiff: return CheckTiff(b, size);
    case PictureFormat::Gif: return CheckGif(b, size);
    case PictureFormat::Icon:
    case PictureFormat::Cursor: return CheckIconFile(b, size);
    case PictureFormat::Wmf: return CheckWmf(b, size, false);
    case PictureFormat::PlaceableWmf: return CheckWmf(b, size, true);
    case PictureFormat::Emf: return CheckEmf(b, size);
    default: return Decodable(false);  // no decoder is asked to guess
    }
}

// An icon directory whose entries all lie inside the file, each a sound image.
PictureCheck CheckIconFile(const std::uint8_t* b, size_t size) {
    constexpr size_t kDirectory = 6, kEntry = 16;
    if (size < kDirectory) return Decodable(false);
    const size_t count = Le16At(b, 4);
    if (count == 0 || kDirectory + count * kEntry > size) return Decodable(false);
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kDirectory + i * kEntry;
        const std::uint64_t length = Le32At(b, entry + 8), offset = Le32At(b, entry + 12);
        if (offset < kDirectory + count * kEntry || offset + length > size) return Decodable(false);
        if (!SoundIconImage(b + offset, length)) return Decodable(false);
    }
    return Decodable(true);
}

}  // namespace rt

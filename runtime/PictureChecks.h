#pragma once
// The checks a picture file passes before a platform decoder reads it. The decoders trust a
// file's own counts and offsets, so a damaged file can make them read or write outside their
// buffers and end the program; each format's structure is checked here first, and a file
// that fails is treated as no picture. Where a decoder is safe once the file is completed
// (pixels cut off at the end, a GIF without colours) the check hands back a repaired copy.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt {

enum class PictureFormat { Unknown, Bmp, Jpeg, Gif, Png, Tiff, Icon, Cursor, Wmf, PlaceableWmf, Emf };

// The format by the file's leading bytes, never by its name.
PictureFormat FormatOf(const std::uint8_t* bytes, size_t size);

struct PictureCheck {
    bool decodable = false;
    std::vector<char> repaired;  // when not empty: the copy to decode instead of the file
};

PictureCheck CheckPicture(const void* bytes, size_t size);

// One per format; each gets a file FormatOf put in its format.
PictureCheck CheckBmp(const std::uint8_t* bytes, size_t size);
PictureCheck CheckPng(const std::uint8_t* bytes, size_t size);
PictureCheck CheckJpeg(const std::uint8_t* bytes, size_t size);
PictureCheck CheckTiff(const std::uint8_t* bytes, size_t size);
PictureCheck CheckIconFile(const std::uint8_t* bytes, size_t size);
PictureCheck CheckWmf(const std::uint8_t* bytes, size_t size, bool placeable);
PictureCheck CheckEmf(const std::uint8_t* bytes, size_t size);

// Little- and big-endian fields; the caller has checked the range.
inline std::uint16_t Le16At(const std::uint8_t* b, size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }
inline std::uint32_t Le32At(const std::uint8_t* b, size_t at) { return Le16At(b, at) | static_cast<std::uint32_t>(Le16At(b, at + 2)) << 16; }
inline std::uint16_t Be16At(const std::uint8_t* b, size_t at) { return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]); }
inline std::uint32_t Be32At(const std::uint8_t* b, size_t at) { return static_cast<std::uint32_t>(Be16At(b, at)) << 16 | Be16At(b, at + 2); }

// A verdict without repair.
inline PictureCheck Decodable(bool yes) { return {yes, {}}; }

}  // namespace rt

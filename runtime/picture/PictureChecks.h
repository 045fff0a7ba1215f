#pragma once
// The checks a picture file passes before a platform decoder reads it. The decoders trust a
// file's own counts and offsets, so a damaged file can make them read or write outside their
// buffers and end the program; each format's structure is checked here first, and a file
// that fails is treated as no picture. Where a decoder is safe once the file is completed
// (pixels cut off at the end, a GIF without colours or trailer, a JPEG without its end
// marker) the check hands back a repaired copy, and the decoder shows what the file holds.
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

// The most pixels a decoded picture may have: 2^26, 256 MB at 32 bits a pixel (8192 x 8192).
// Showing or scaling a picture needs about twice its decoded size at the peak, which any 32-bit
// process holds whatever it showed before; a larger picture is no picture, however few bytes
// its file has, so the verdict is the same every time.
constexpr std::uint64_t kMostDecodedPixels = std::uint64_t{1} << 26;
inline bool DecodedSizeFits(std::uint64_t width, std::uint64_t height) { return width * height <= kMostDecodedPixels; }

// One per format; each gets a file FormatOf put in its format.
PictureCheck CheckBmp(const std::uint8_t* bytes, size_t size);
PictureCheck CheckPng(const std::uint8_t* bytes, size_t size);
PictureCheck CheckJpeg(const std::uint8_t* bytes, size_t size);
PictureCheck CheckGif(const std::uint8_t* bytes, size_t size);
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

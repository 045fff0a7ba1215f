#pragma once
// BMP files as the platform is handed them. A file's own header is never passed on: the
// platform sizes what it reads after the header from biSize and biClrUsed at any depth and
// follows colour-profile offsets, so the bitmap info is rebuilt from the fields CheckBmp
// checked. Uncompressed files become a DIB section straight from their pixels (no decoder, no
// padded copy: the picture costs one buffer of its size, and rows cut off at the end stay
// black, as a new section is zeroed); run-length files become a rebuilt copy for the decoder.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt {

// The fields of a BMP header of any size CheckBmp knows, the 12-byte core header included;
// the caller has checked that the header lies in the bytes.
struct BmpFields {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0, height = 0;
    unsigned planes = 0, bits = 0;
    std::uint32_t compression = BI_RGB, colorsUsed = 0, imageSize = 0;
};
BmpFields ReadBmpFields(const std::uint8_t* bytes);

// The bitmap info of a BMP that CheckBmp passed: a 40-byte header whose biSizeImage is
// imageSize, the three masks when the file uses BI_BITFIELDS, and a colour table only for 8
// bits or fewer, counted by biClrUsed. It holds exactly the bytes the platform reads.
std::vector<std::uint32_t> BmpInfo(const std::uint8_t* bytes, std::uint32_t imageSize);

// True for a BMP (one CheckBmp passed) whose pixels a DIB section takes as they are: no
// run-length compression.
bool BmpFitsDibSection(const std::uint8_t* bytes, size_t size);

// The file as a new DIB section; raises 7 when the memory for it is not there.
HBITMAP BmpDibSection(const std::uint8_t* bytes, size_t size);

// A run-length BMP rebuilt for the decoder: its pixel data as far as the file holds it (or
// its image size says, when less), under BmpInfo.
std::vector<char> BmpForDecoder(const std::uint8_t* bytes, size_t size);

}  // namespace rt

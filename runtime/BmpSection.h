#pragma once
// Uncompressed BMP files made into a DIB section straight from their header and pixels. Such
// a file's pixels are already in the platform's own form, so no decoder and no padded copy is
// needed: the picture costs one buffer of its size, and rows cut off at the end stay black
// (a new section is zeroed).
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace rt {

// True for a BMP (one CheckBmp passed) whose pixels a DIB section takes as they are: an info
// header of 40 bytes or more and no run-length compression.
bool BmpFitsDibSection(const std::uint8_t* bytes, size_t size);

// The file as a new DIB section; raises 7 when the memory for it is not there.
HBITMAP BmpDibSection(const std::uint8_t* bytes, size_t size);

}  // namespace rt

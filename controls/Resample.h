#pragma once
// Smooth resampling of 0xAARRGGBB pixels: each output pixel averages the source area it covers
// when shrinking (no pixel is simply dropped), and interpolates linearly between neighbours
// when enlarging. Colours are averaged weighted by their alpha, so transparent pixels lend no
// colour to their neighbours.
#include <cstdint>
#include <functional>
#include <vector>

namespace ctl {

// The source row y (srcWidth pixels), asked for once each, top to bottom; the pointer is used
// only until the next row is asked for.
using SourceRow = std::function<const uint32_t*(int y)>;

// The rows as source gives them, scaled; the source is never needed whole, so a large picture
// can be read a band at a time.
std::vector<uint32_t> ResampleArgbRows(const SourceRow& source, int srcWidth, int srcHeight, int dstWidth,
                                       int dstHeight);

// src holds srcWidth x srcHeight pixels in top-down rows, not premultiplied; the result holds
// dstWidth x dstHeight pixels in the same form. Empty sizes give an empty result.
std::vector<uint32_t> ResampleArgb(const uint32_t* src, int srcWidth, int srcHeight, int dstWidth, int dstHeight);
inline std::vector<uint32_t> ResampleArgb(const std::vector<uint32_t>& src, int srcWidth, int srcHeight, int dstWidth,
                                          int dstHeight) {
    return ResampleArgb(src.data(), srcWidth, srcHeight, dstWidth, dstHeight);
}

}  // namespace ctl

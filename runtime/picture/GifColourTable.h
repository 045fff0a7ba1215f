#pragma once
// GIF files whose frames have no colour table at all. The format lets a decoder fall back on a
// palette of its own, but the platform's decoder reads through a null table instead, so such
// files are given a default global table before any decoder sees them.
#include <cstddef>
#include <vector>

namespace rt {

// True for a GIF with no global colour table unless every frame is seen to carry a local
// one. A file cut short or malformed before its end counts as lacking: a decoder would
// still reach the frames it has.
bool GifLacksColourTable(const void* bytes, size_t size);

// The same file with a 256-entry default global colour table put in after the logical screen
// descriptor (black, white, a 6 x 6 x 6 colour cube, then greys); frames that carry a local
// table still use their own.
std::vector<char> WithDefaultGifColourTable(const void* bytes, size_t size);

}  // namespace rt

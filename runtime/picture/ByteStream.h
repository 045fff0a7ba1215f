#pragma once
// A read-only IStream over a copy of some bytes, for a decoder that is handed a stream. A read
// at or past the end reads nothing. Wine's stream over a global memory block reads past its
// block when a decoder has seeked beyond the end (a JPEG segment whose length runs past the
// file), and a read past the end is what this stream exists to make harmless.
#include <windows.h>

#include <objidl.h>

#include <cstddef>
#include <vector>

namespace rt {

// A new stream (one reference, the caller's) over the bytes, or over a copy of them; nullptr
// without memory.
IStream* CreateByteStream(std::vector<char>&& bytes);
IStream* CreateByteStream(const void* bytes, size_t size);

}  // namespace rt

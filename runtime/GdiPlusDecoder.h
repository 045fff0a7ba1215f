#pragma once
// Picture decoding through GDI+, for formats the OLE picture loader refuses.
#include <windows.h>

#include <cstddef>

namespace rt {

// A new 32-bit top-down DIB section decoded from the bytes, or nullptr when GDI+ cannot decode
// them. When a pixel is not opaque, alpha is set and the colours are premultiplied by their
// alpha, as AlphaBlend takes them. The caller owns the bitmap.
HBITMAP DecodeWithGdiPlus(const void* bytes, size_t size, bool& alpha);

}  // namespace rt

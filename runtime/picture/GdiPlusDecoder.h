#pragma once
// Picture decoding through GDI+, for formats the OLE picture loader refuses.
#include <windows.h>

#include <objidl.h>

namespace rt {

// A new 32-bit top-down DIB section decoded from the stream, or nullptr when GDI+ cannot decode
// it. When a pixel is not opaque, alpha is set and the colours are premultiplied by their
// alpha, as AlphaBlend takes them. The caller owns the bitmap.
HBITMAP DecodeWithGdiPlus(IStream* stream, bool& alpha);

}  // namespace rt

#pragma once
// Picture decoding through GDI+, for formats the OLE picture loader refuses.
#include <windows.h>

#include <cstddef>

namespace rt {

// A new bitmap decoded from the bytes (transparent parts composed over `background`), or
// nullptr when GDI+ cannot decode them. The caller owns the bitmap.
HBITMAP DecodeWithGdiPlus(const void* bytes, size_t size, COLORREF background);

}  // namespace rt

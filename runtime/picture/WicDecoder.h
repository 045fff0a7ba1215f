#pragma once
// Picture decoding through the platform's imaging component (WIC), for JPEG and GIF: the
// decoded rows go straight into the picture's own DIB section, a band at a time, so a large
// picture costs its bitmap and the decoder's own buffer, not the copies the OLE loader makes.
#include <windows.h>

#include <objidl.h>

#include "runtime/picture/GifBlocks.h"

namespace rt {

// A new 32-bit top-down DIB section of the stream's first frame, or nullptr when the imaging
// component cannot decode it (the caller may then ask another decoder). When a pixel is not
// opaque, alpha is set and the colours are premultiplied, as AlphaBlend takes them. The
// caller owns the bitmap. Given a GIF's screen, the picture is that screen with the first
// frame at its place over the screen's background, as viewers show it.
HBITMAP DecodeWithWic(IStream* stream, bool& alpha, const gif::Screen* screen = nullptr);

}  // namespace rt

#pragma once
// Top-down device-independent bitmaps: row 0 is the top row. 32 bits a pixel are one
// 0xAARRGGBB value each; 24 bits are B, G, R bytes with each row padded to 4 bytes.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "runtime/gdi/Gdi.h"

namespace rt {

// The header describing a top-down DIB of the given size and depth (for CreateDIBSection,
// GetDIBits and SetDIBits).
inline BITMAPINFO TopDownDibInfo(int width, int height, WORD bitsPerPixel = 32) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A new top-down DIB section; bits receives its pixels (nullptr when it could not be made).
inline Bitmap CreateTopDownDib(int width, int height, void** bits, WORD bitsPerPixel = 32) {
    const BITMAPINFO info = TopDownDibInfo(width, height, bitsPerPixel);
    return Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

// The bytes of one row of a 24-bit DIB.
inline size_t Stride24(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

// A 0xAARRGGBB pixel with its colours multiplied by its alpha, as AlphaBlend takes them, and
// such a pixel back in straight colours.
inline std::uint32_t Premultiplied(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (pre((p >> 16) & 0xFF) << 16) | (pre((p >> 8) & 0xFF) << 8) | pre(p & 0xFF);
}
inline std::uint32_t Straight(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 0xFF || a == 0) return a == 0 ? 0 : p;
    auto back = [a](std::uint32_t c) { return c * 255 / a > 255 ? 255 : c * 255 / a; };
    return (a << 24) | (back((p >> 16) & 0xFF) << 16) | (back((p >> 8) & 0xFF) << 8) | back(p & 0xFF);
}

// Premultiplies the pixels when one of them is not opaque; true when it did.
inline bool PremultiplyIfTranslucent(std::uint32_t* pixels, size_t count) {
    bool translucent = false;
    for (size_t i = 0; i < count && !translucent; ++i) translucent = pixels[i] < 0xFF000000u;
    if (translucent)
        for (size_t i = 0; i < count; ++i) pixels[i] = Premultiplied(pixels[i]);
    return translucent;
}

}  // namespace rt

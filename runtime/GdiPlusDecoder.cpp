#include "runtime/GdiPlusDecoder.h"

#include <objbase.h>
// GDI+'s headers expect min and max from windows.h, which NOMINMAX removes.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "runtime/Dib.h"

namespace rt {

namespace {

// GDI+ is started once for the process and left running: pictures decoded by it are plain
// GDI bitmaps that outlive every GDI+ object.
bool GdiPlusStarted() {
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

// GDI+ writes the pixels straight into the section (no copy of its own); straight alpha
// becomes premultiplied only where a pixel is not opaque.
Bitmap PixelsInSection(Gdiplus::Bitmap& bitmap, bool& alpha) {
    const int width = static_cast<int>(bitmap.GetWidth()), height = static_cast<int>(bitmap.GetHeight());
    void* bits = nullptr;
    Bitmap section = CreateTopDownDib(width, height, &bits);
    if (!section || !bits) return {};
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = bits;
    Gdiplus::Rect all(0, 0, width, height);
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                        &data) != Gdiplus::Ok) {
        return {};
    }
    bitmap.UnlockBits(&data);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    alpha = std::any_of(pixels, pixels + count, [](std::uint32_t p) { return p < 0xFF000000u; });
    if (alpha) std::for_each(pixels, pixels + count, [](std::uint32_t& p) { p = Premultiplied(p); });
    return section;
}

}  // namespace

HBITMAP DecodeWithGdiPlus(const void* bytes, size_t size, bool& alpha) {
    alpha = false;
    if (!GdiPlusStarted() || !bytes || size == 0) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    Bitmap section;
    {
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
        if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok) section = PixelsInSection(*bitmap, alpha);
    }
    stream->Release();
    return section.release();
}
}  // namespace rt

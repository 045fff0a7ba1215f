#include "runtime/picture/GdiPlusDecoder.h"

#include <objbase.h>
// GDI+'s headers expect min and max from windows.h, which NOMINMAX removes.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdint>
#include <memory>

#include "runtime/gdi/Dib.h"

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
    alpha = PremultiplyIfTranslucent(static_cast<std::uint32_t*>(bits), static_cast<size_t>(width) * height);
    return section;
}

}  // namespace

HBITMAP DecodeWithGdiPlus(IStream* stream, bool& alpha) {
    alpha = false;
    if (!GdiPlusStarted() || !stream) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return PixelsInSection(*bitmap, alpha).release();
}

}  // namespace rt

#include "runtime/GdiPlusDecoder.h"

#include <objbase.h>
// GDI+'s headers expect min and max from windows.h, which NOMINMAX removes.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstring>
#include <memory>

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

}  // namespace

HBITMAP DecodeWithGdiPlus(const void* bytes, size_t size, COLORREF background) {
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
    HBITMAP result = nullptr;
    {
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
        if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok) {
            const Gdiplus::Color back(255, GetRValue(background), GetGValue(background), GetBValue(background));
            if (bitmap->GetHBITMAP(back, &result) != Gdiplus::Ok) result = nullptr;
        }
    }
    stream->Release();
    return result;
}

}  // namespace rt

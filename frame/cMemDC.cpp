#include "frame/cMemDC.h"

#include "frame/DisplayDC.h"
#include "runtime/gdi/Gdi.h"

// The memory DC, its bitmap and the bitmap's selection, released in the reverse order: the
// bitmap is deselected before it is deleted, and deleted before its DC.
struct cMemDC::Surface {
    Surface(HDC display, long w, long h)
        : dc(display),
          bitmap(w > 0 && h > 0 ? CreateCompatibleBitmap(display, w, h) : nullptr),
          selected(dc.get(), bitmap.get()) {}

    // True when the surface's own bitmap is the one the DC draws on.
    bool HoldsBitmap() const { return bitmap && GetCurrentObject(dc.get(), OBJ_BITMAP) == bitmap.get(); }

    rt::MemoryDC dc;
    rt::Bitmap bitmap;
    rt::SelectGuard selected;
};

cMemDC::cMemDC() = default;

cMemDC::~cMemDC() = default;

HDC cMemDC::hDC() const { return m_surface ? m_surface->dc.get() : nullptr; }

void cMemDC::CreateFromPicture(IPicture* sPic) {
    if (!sPic) return;
    OLE_HANDLE handle = 0;
    if (FAILED(sPic->get_Handle(&handle))) return;
    CreateFromPicture(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
}

void cMemDC::CreateFromPicture(HBITMAP picture) {
    BITMAP bm = {};
    // Anything that is not a bitmap reads as 0 x 0: the surface stays as it is.
    if (GetObjectW(picture, sizeof(bm), &bm) != sizeof(bm)) bm = {};
    Width(bm.bmWidth);
    Height(bm.bmHeight);
    if (!hDC() || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;

    DisplayDC display;
    rt::MemoryDC source(display.get());
    rt::SelectGuard selected(source.get(), picture);
    BitBlt(hDC(), 0, 0, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void cMemDC::Width(long lW) {
    if (lW > m_width) pCreate(lW, m_height);
}

void cMemDC::Height(long lH) {
    if (lH > m_height) pCreate(m_width, lH);
}

// A surface sized in two steps (width first, height 0 still) keeps its width on record with a
// bare memory DC, so the following height makes the full-size bitmap.
void cMemDC::pCreate(long w, long h) {
    pDestroy();
    DisplayDC display;
    auto surface = std::make_unique<Surface>(display.get(), w, h);
    if (!surface->dc.get()) return;
    const bool sized = w > 0 && h > 0;
    if (sized && !surface->HoldsBitmap()) return;  // no bitmap: no surface at all
    m_surface = std::move(surface);
    m_width = w;
    m_height = h;
}

void cMemDC::pDestroy() {
    m_surface.reset();
    m_width = 0;
    m_height = 0;
}

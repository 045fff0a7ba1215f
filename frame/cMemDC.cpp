#include "frame/cMemDC.h"

#include "frame/DisplayDC.h"
#include "runtime/Gdi.h"

cMemDC::~cMemDC() { pDestroy(); }

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
    if (!m_hDC || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;

    DisplayDC display;
    rt::MemoryDC source(display.get());
    rt::SelectGuard selected(source.get(), picture);
    BitBlt(m_hDC, 0, 0, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCCOPY);
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
    m_hDC = CreateCompatibleDC(display.get());
    if (!m_hDC) return;
    if (w <= 0 || h <= 0) {
        m_width = w;
        m_height = h;
        return;
    }
    m_hBmp = CreateCompatibleBitmap(display.get(), w, h);
    if (m_hBmp) m_hBmpOld = SelectObject(m_hDC, m_hBmp);
    if (m_hBmpOld && m_hBmpOld != HGDI_ERROR) {
        m_width = w;
        m_height = h;
    } else {
        m_hBmpOld = nullptr;
        pDestroy();
    }
}

void cMemDC::pDestroy() {
    if (m_hBmpOld) {
        SelectObject(m_hDC, m_hBmpOld);
        m_hBmpOld = nullptr;
    }
    if (m_hBmp) {
        DeleteObject(m_hBmp);
        m_hBmp = nullptr;
    }
    m_width = 0;
    m_height = 0;
    if (m_hDC) {
        DeleteDC(m_hDC);
        m_hDC = nullptr;
    }
}

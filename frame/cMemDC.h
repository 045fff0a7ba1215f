#pragma once
// cMemDC: an off-screen drawing surface, a memory DC compatible with the display with a
// bitmap of its own selected into it. The surface only grows; growing re-creates it, so its
// old pixels are not kept. It can be filled from a picture.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>

class cMemDC {
public:
    cMemDC();
    ~cMemDC();
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;

    // Sizes the surface to the picture's bitmap (growing only) and copies the picture into
    // its top-left corner. A picture that is not a bitmap leaves the surface as it is.
    void CreateFromPicture(IPicture* sPic);
    void CreateFromPicture(HBITMAP picture);

    // The memory DC; nullptr before the surface was first sized.
    HDC hDC() const;

    // Grows the surface to at least lW pixels wide; a smaller value changes nothing.
    void Width(long lW);
    long Width() const { return m_width; }
    // Grows the surface to at least lH pixels high; a smaller value changes nothing.
    void Height(long lH);
    long Height() const { return m_height; }

private:
    struct Surface;

    void pCreate(long w, long h);
    void pDestroy();

    std::unique_ptr<Surface> m_surface;
    long m_width = 0;
    long m_height = 0;
};

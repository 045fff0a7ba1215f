#include "runtime/intrinsics/Image.h"

#include "runtime/gdi/Screen.h"

namespace rt {

Image::Image() { InitColors(kButtonFace, kButtonText); }

Image& Image::Picture(PictureRef picture) {
    m_picture = std::move(picture);
    if (m_picture && !m_stretch && m_picture->Type() != PictureType::None)
        SetBounds(Left(), Top(), PixelsToTwipsX(m_picture->PixelWidth()), PixelsToTwipsY(m_picture->PixelHeight()));
    AppearanceChanged();
    return *this;
}

Image& Image::Stretch(bool stretch) {
    m_stretch = stretch;
    AppearanceChanged();
    return *this;
}

void Image::PaintWindowless(HDC dc) {
    if (!m_picture || m_picture->Type() == PictureType::None) return;
    const RECT r = PixelRect();
    if (m_stretch)
        m_picture->Render(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    else
        m_picture->Render(dc, r.left, r.top);
}

}  // namespace rt

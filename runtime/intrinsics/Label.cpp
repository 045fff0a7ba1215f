#include "runtime/intrinsics/Label.h"

namespace rt {

Label::Label() { InitColors(kButtonFace, kButtonText); }

Label& Label::Caption(std::wstring caption) {
    m_caption = std::move(caption);
    AppearanceChanged();
    return *this;
}

Label& Label::BackStyle(rt::BackStyle style) {
    m_backStyle = style;
    AppearanceChanged();
    return *this;
}

Label& Label::Alignment(rt::Alignment alignment) {
    m_alignment = alignment;
    AppearanceChanged();
    return *this;
}

UINT Label::TextFormat(rt::Alignment alignment) {
    // DT_EDITCONTROL breaks a run without spaces (Chinese text) at the edge, as labels do.
    UINT format = DT_WORDBREAK | DT_EDITCONTROL | DT_NOCLIP;
    switch (alignment) {
        case rt::Alignment::Right: return format | DT_RIGHT;
        case rt::Alignment::Center: return format | DT_CENTER;
        default: return format | DT_LEFT;
    }
}

void Label::PaintWindowless(HDC dc) {
    RECT r = PixelRect();
    if (m_backStyle == rt::BackStyle::Opaque) FillRect(dc, &r, BackBrush());
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SelectGuard font(dc, GdiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ForeRgb() : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &r, TextFormat(m_alignment));
}

void Label::WindowlessMouse(UINT msg, POINT pixels, WPARAM) {
    if (msg == WM_LBUTTONUP && HitTest(pixels)) Raise(Click);
}

}  // namespace rt

#include "runtime/intrinsics/Shape.h"

#include "runtime/core/RuntimeError.h"

namespace rt {

Shape::Shape() { InitColors(kWindowBackground, kWindowText); }

Shape& Shape::BackStyle(rt::BackStyle style) {
    m_backStyle = style;
    AppearanceChanged();
    return *this;
}

Shape& Shape::BorderColor(OLE_COLOR color) {
    m_borderColor = color;
    AppearanceChanged();
    return *this;
}

Shape& Shape::BorderWidth(int pixels) {
    if (pixels < 0) rt::Raise(err::kInvalidPropertyValue);
    m_borderWidth = pixels;
    AppearanceChanged();
    return *this;
}

Shape& Shape::FillStyle(rt::FillStyle style) {
    m_fillStyle = style;
    AppearanceChanged();
    return *this;
}

Shape& Shape::FillColor(OLE_COLOR color) {
    m_fillColor = color;
    AppearanceChanged();
    return *this;
}

void Shape::PaintWindowless(HDC dc) {
    const RECT r = PixelRect();
    if (m_backStyle == rt::BackStyle::Opaque) FillRect(dc, &r, BackBrush());
    if (m_fillStyle == rt::FillStyle::Solid) {
        Brush fill(CreateSolidBrush(TranslateOleColor(m_fillColor)));
        FillRect(dc, &r, fill.get());
    }
    if (m_borderWidth == 0) return;
    Pen pen(CreatePen(PS_INSIDEFRAME, m_borderWidth, TranslateOleColor(m_borderColor)));
    SelectGuard usePen(dc, pen.get());
    SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace rt

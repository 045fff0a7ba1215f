#include "runtime/intrinsics/Line.h"

#include <algorithm>
#include <cmath>

#include "runtime/gdi/Screen.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

Line::Line() { InitColors(kWindowBackground, kWindowText); }

Line& Line::Points(double x1, double y1, double x2, double y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    // The bounds cover the line, so that repaints after a change reach all of it.
    SetBounds(std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1));
    return *this;
}

Line& Line::BorderColor(OLE_COLOR color) {
    m_borderColor = color;
    AppearanceChanged();
    return *this;
}

Line& Line::BorderWidth(int pixels) {
    if (pixels < 1) rt::Raise(err::kInvalidPropertyValue);
    m_borderWidth = pixels;
    AppearanceChanged();
    return *this;
}

void Line::PaintWindowless(HDC dc) {
    Pen pen(CreatePen(PS_SOLID, m_borderWidth, TranslateOleColor(m_borderColor)));
    SelectGuard usePen(dc, pen.get());
    MoveToEx(dc, TwipsToPixelsX(m_x1), TwipsToPixelsY(m_y1), nullptr);
    LineTo(dc, TwipsToPixelsX(m_x2), TwipsToPixelsY(m_y2));
}

}  // namespace rt

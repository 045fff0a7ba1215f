#pragma once
// A decorative line drawn by its container, from (X1, Y1) to (X2, Y2) in twips.
#include "runtime/forms/Control.h"

namespace rt {

class Line : public BasicControl<Line> {
public:
    Line();

    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    Line& Points(double x1, double y1, double x2, double y2);
    OLE_COLOR BorderColor() const { return m_borderColor; }
    Line& BorderColor(OLE_COLOR color);
    int BorderWidth() const { return m_borderWidth; }
    Line& BorderWidth(int pixels);

protected:
    bool IsWindowless() const override { return true; }
    bool HitTest(POINT) const override { return false; }
    void PaintWindowless(HDC dc) override;

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    OLE_COLOR m_borderColor = kWindowText;
    int m_borderWidth = 1;
};

}  // namespace rt

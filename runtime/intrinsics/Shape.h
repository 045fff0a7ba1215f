#pragma once
// A decorative rectangle drawn by its container: an optional background, an optional solid
// fill and a border drawn inside its bounds.
#include "runtime/forms/Control.h"

namespace rt {

enum class FillStyle { Solid = 0, Transparent = 1 };

class Shape : public BasicControl<Shape> {
public:
    Shape();

    rt::BackStyle BackStyle() const { return m_backStyle; }
    Shape& BackStyle(rt::BackStyle style);
    OLE_COLOR BorderColor() const { return m_borderColor; }
    Shape& BorderColor(OLE_COLOR color);
    int BorderWidth() const { return m_borderWidth; }
    // 0 draws no border; a negative width raises error 380.
    Shape& BorderWidth(int pixels);
    rt::FillStyle FillStyle() const { return m_fillStyle; }
    Shape& FillStyle(rt::FillStyle style);
    OLE_COLOR FillColor() const { return m_fillColor; }
    Shape& FillColor(OLE_COLOR color);

protected:
    bool IsWindowless() const override { return true; }
    bool HitTest(POINT) const override { return false; }  // decoration: clicks go through
    void PaintWindowless(HDC dc) override;

private:
    rt::BackStyle m_backStyle = rt::BackStyle::Transparent;
    OLE_COLOR m_borderColor = kWindowText;
    int m_borderWidth = 1;
    rt::FillStyle m_fillStyle = rt::FillStyle::Transparent;
    OLE_COLOR m_fillColor = 0;
};

}  // namespace rt

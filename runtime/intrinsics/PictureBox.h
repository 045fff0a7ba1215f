#pragma once
// A picture box: a container and a drawing surface (colours, font, Print, Cls, Line, a
// background picture and, with AutoRedraw, a kept image; see DrawingSurface). Mouse events
// report the button, the shift keys and the point in the box's scale (twips by default).
#include <functional>
#include <string>

#include "runtime/forms/ControlContainerWindow.h"
#include "runtime/forms/DrawingSurface.h"
#include "runtime/intrinsics/Frame.h"  // BorderStyle

namespace rt {

class PictureBox : public ControlContainerWindow<PictureBox> {
public:
    PictureBox();

    rt::BorderStyle BorderStyle() const { return m_borderStyle; }
    PictureBox& BorderStyle(rt::BorderStyle style);

    bool AutoRedraw() const { return m_surface.AutoRedraw(); }
    PictureBox& AutoRedraw(bool persistent);
    const PictureRef& Picture() const { return m_surface.Picture(); }
    PictureBox& Picture(PictureRef picture);
    PictureRef Image() const { return m_surface.Image(); }

    HDC hDC() { return m_surface.hDC(); }
    void Cls() { m_surface.Cls(); }
    void Print(const std::wstring& text) { m_surface.Print(text); }
    void Line(double x1, double y1, double x2, double y2, OLE_COLOR color) { m_surface.Line(x1, y1, x2, y2, color); }
    double CurrentX() const { return m_surface.CurrentX(); }
    PictureBox& CurrentX(double x);
    double CurrentY() const { return m_surface.CurrentY(); }
    PictureBox& CurrentY(double y);
    rt::ScaleMode ScaleMode() const { return m_surface.GetScaleMode(); }
    PictureBox& ScaleMode(rt::ScaleMode mode);
    // The inner size in the box's scale.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // The drawing state itself, for everything else it offers.
    DrawingSurface& Surface() { return m_surface; }

    void Refresh() override;

    std::function<void()> Click;
    std::function<void()> Paint;
    std::function<void(int Button, int Shift, double X, double Y)> MouseDown;
    std::function<void(int Button, int Shift, double X, double Y)> MouseUp;

protected:
    HWND CreateHwnd(HWND parent, const RECT& pixels, int id) override;
    void ContainerCreated() override;
    void ContainerDestroyed() override;
    void PaintContent(HDC dc, const RECT& client) override;
    void AfterPaint() override;
    void AppearanceChanged() override;
    std::optional<LRESULT> OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void RaiseMouse(const std::function<void(int, int, double, double)>& handler, int button, WPARAM keys,
                    LPARAM lParam);
    void SyncSurface();

    DrawingSurface m_surface;
    rt::BorderStyle m_borderStyle = rt::BorderStyle::FixedSingle;
    bool m_pressedHere = false;
};

}  // namespace rt

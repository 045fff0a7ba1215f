#pragma once
// A push button drawn by us: a face filled from the back colour to the "backgradient" colour,
// the caption's words centred in the fore colour and font, a pressed look and a focus cue. It
// is a real focusable control: it takes part in the tab order, the mouse, Space and Enter
// click it, and a click raises Click (no parameters).
//
// BackFill: 0 a plain face in the back colour; 1 a gradient from the back colour at the left
// edge to the gradient colour at the right edge; 2 the same from the top edge to the bottom.
// ButtonType: 0 a raised three-dimensional edge that sinks while pressed; 1 a flat face framed
// by a one-pixel line in the fore colour. Pressed, every face runs its gradient the other way
// round and the caption moves one pixel down and right.
#include <windows.h>

#include <functional>
#include <string>

#include "controls/ControlWindow.h"
#include "controls/OleColor.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/StdFont.h"

namespace ctl {

enum class BackFill : short { Solid = 0, Horizontal = 1, Vertical = 2 };
enum class ButtonType : short { Raised = 0, Flat = 1 };

class RainButtonWindow : public ControlWindow {
public:
    RainButtonWindow(HWND parent, const RECT& rect, int id = 0);

    const std::wstring& Caption() const { return m_caption; }
    void SetCaption(std::wstring caption);
    OleColor BackColor() const { return m_backColor; }
    void SetBackColor(OleColor color);
    OleColor ForeColor() const { return m_foreColor; }
    void SetForeColor(OleColor color);
    OleColor BackGradient() const { return m_backGradient; }
    void SetBackGradient(OleColor color);
    // 0 to 2 (see above); any other value raises error 380.
    short BackFill() const { return static_cast<short>(m_backFill); }
    void SetBackFill(short value);
    // 0 or 1 (see above); any other value raises error 380.
    short ButtonType() const { return static_cast<short>(m_buttonType); }
    void SetButtonType(short value);
    // The font object is shared: changes made to it later show at the next paint.
    const rt::FontRef& Font() const { return m_font; }
    void SetFont(rt::FontRef font);

    // True while the face shows the pressed look.
    bool Pressed() const { return m_pressed; }

    std::function<void()> Click;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Draw(HDC dc, const RECT& client) override;
    void PaintFace(HDC dc, const RECT& rc);
    void PaintCaption(HDC dc, const RECT& rc);
    void OnMouseDown();
    void OnMouseMove(POINT pt);
    LRESULT OnMouseUp(POINT pt);
    void OnCaptureLost();
    void OnKillFocus();
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnKeyUp(WPARAM key);
    LRESULT OnGetDlgCode(const MSG* msg);
    void SetPressed(bool pressed);
    void FireClick();
    void Redraw();
    HFONT GdiFont(HDC dc);

    std::wstring m_caption;
    OleColor m_backColor;
    OleColor m_foreColor;
    OleColor m_backGradient;
    ctl::BackFill m_backFill = ctl::BackFill::Solid;
    ctl::ButtonType m_buttonType = ctl::ButtonType::Raised;
    rt::FontRef m_font;
    rt::Font m_gdiFont;
    const rt::StdFont* m_gdiFontOf = nullptr;
    unsigned m_gdiFontRevision = 0;
    bool m_pressed = false;
    bool m_mouseTracking = false;
    bool m_spaceDown = false;
};

}  // namespace ctl

#pragma once
// A picture display: shows a picture either zoomed (scaled smoothly to fit the control, its
// proportions kept, centred) or clipped (at its own size from the top-left corner, cut at the
// control's edges). Around a zoomed picture the back colour shows (the button face colour
// until set). Without a picture, a notice may stand in its place, centred in the fore colour.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/ControlWindow.h"
#include "controls/OleColor.h"
#include "runtime/picture/StdPicture.h"

namespace ctl {

enum class PictureSizeMode : short { Clip = 0, Zoom = 3 };

class PictureDisplayWindow : public ControlWindow {
public:
    PictureDisplayWindow(HWND parent, const RECT& rect, int id = 0);

    // nullptr: no picture.
    const rt::PictureRef& Picture() const { return m_picture; }
    void SetPicture(rt::PictureRef picture);
    // Empties the display and draws the text in its middle until the next picture.
    void SetNotice(std::wstring text);
    const std::wstring& Notice() const { return m_notice; }
    // 0 clip or 3 zoom; any other value raises error 380.
    short PictureSizeMode() const { return static_cast<short>(m_mode); }
    void SetPictureSizeMode(short mode);
    OleColor BackColor() const { return m_backColor; }
    void SetBackColor(OleColor color);
    void SetForeColor(OleColor color);

    // Where the picture lies in the control's client pixels (may reach past the edges in clip
    // mode); empty without a picture.
    RECT PictureRect() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Draw(HDC dc, const RECT& client) override;
    const std::vector<uint32_t>& Zoomed(int width, int height);
    void Redraw();

    rt::PictureRef m_picture;
    // The zoomed picture's pixels, kept until the picture or the size changes.
    rt::PictureRef m_scaledOf;
    int m_scaledWidth = 0;
    int m_scaledHeight = 0;
    std::vector<uint32_t> m_scaled;
    ctl::PictureSizeMode m_mode = ctl::PictureSizeMode::Clip;
    OleColor m_backColor = rt::kButtonFace;
    OleColor m_foreColor = rt::kButtonText;
    std::wstring m_notice;
    HFONT m_font = nullptr;  // the control's, set by WM_SETFONT
};

}  // namespace ctl

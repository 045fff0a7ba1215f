#pragma once
// The drawing state that forms and picture boxes share: back and fore colour, font, the
// current position in the surface's scale, Print, Cls, filled boxes, a background picture
// and, in persistent mode (auto-redraw), a kept image that survives covering and that direct
// GDI calls on hDC() draw into. Pure GDI: the surface has no window class of its own; the
// window that shows it hands its size and its paints to the surface.
//
// How a window uses it:
//   - Attach(hwnd) once the window exists, Resize(cx, cy) on every WM_SIZE, Detach() before
//     the window goes.
//   - WM_ERASEBKGND: return 1 without erasing (Paint draws the background).
//   - WM_PAINT: PaintDC pdc(hwnd); surface.Paint(pdc.get(), pdc.paint().rcPaint); then, when
//     AutoRedraw() is false, raise the window's Paint event (the program redraws through
//     hDC()).
//
// Colours are OLE colours (0x00BBGGRR, or a system colour with the high bit set).
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

#include <memory>
#include <optional>
#include <string>

#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/OleColor.h"
#include "runtime/gdi/StdFont.h"
#include "runtime/picture/StdPicture.h"

namespace rt {

// The units of CurrentX/CurrentY, ScaleWidth/ScaleHeight and Line.
enum class ScaleMode : short {
    Twips = 1,
    Pixels = 3,
};

class DrawingSurface {
public:
    DrawingSurface();
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // The window that shows the surface (its client area); takes the client size from it.
    void Attach(HWND hwnd);
    void Detach();
    HWND Window() const { return m_hwnd; }
    // The drawable size in pixels (the client size). The kept image grows with it and keeps
    // what was drawn; it never shrinks, so drawing survives a window made smaller and larger.
    void Resize(int widthPixels, int heightPixels);
    int PixelWidth() const { return m_width; }
    int PixelHeight() const { return m_height; }

    // Persistent drawing (auto-redraw). Switching it on starts a kept image cleared to the
    // background; switching it off drops the kept image (drawing then goes to the window).
    bool AutoRedraw() const { return m_persistent; }
    void SetAutoRedraw(bool persistent);

    // Setting the back colour clears the drawing, as Cls does.
    OLE_COLOR BackColor() const { return m_backColor; }
    void SetBackColor(OLE_COLOR color);
    // The colour of Print's text and of the next drawing.
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void SetForeColor(OLE_COLOR color);

    // The font object itself: changes made on it in place reach the next Print and hDC().
    const FontRef& Font() const { return m_font; }
    void SetFont(FontRef font);

    ScaleMode GetScaleMode() const { return m_scaleMode; }
    // Changing the scale keeps CurrentX/CurrentY at the same point (in the new units).
    void SetScaleMode(ScaleMode mode);
    double ScaleWidth() const { return FromPixelsX(m_width); }
    double ScaleHeight() const { return FromPixelsY(m_height); }

    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void SetCurrentX(double x) { m_currentX = x; }
    void SetCurrentY(double y) { m_currentY = y; }

    // Draws the text at (CurrentX, CurrentY) in the font now selected into hDC() (the
    // surface's font unless the caller selected another one there, which is how turned text
    // is printed) and the fore colour, without filling the text background; then moves to the
    // start of the next line (CurrentX 0, CurrentY one line lower). Line breaks in the text
    // ("\r\n" or "\n") start new lines.
    void Print(const std::wstring& text);

    // Clears the drawing to the back colour with the background picture over it; CurrentX
    // and CurrentY go to 0.
    void Cls();

    // A box from (x1, y1) to (x2, y2), both corners included, filled with the colour; the
    // current position moves to (x2, y2). Coordinates in the surface's scale.
    void Line(double x1, double y1, double x2, double y2, OLE_COLOR color);

    // The background picture, drawn at its own size from the top left corner under the
    // drawing. Setting it (or nullptr) redraws the background and clears the drawing.
    const PictureRef& Picture() const { return m_picture; }
    void SetPicture(PictureRef picture);

    // A new bitmap picture of what the surface shows now (background and drawing), the size
    // of the surface.
    PictureRef Image() const;

    // A DC for direct GDI calls. Persistent: the kept image's memory DC, valid for the
    // surface's life, whose drawing stays. Otherwise the window's DC (nullptr without a
    // window), valid until Detach. The surface's font is selected into it and its text
    // colour is the fore colour whenever either changed since the last call.
    HDC hDC();

    // Brings the kept image to the window now (InvalidateRect + UpdateWindow).
    void Refresh();

    // Paints the update rectangle of the window's DC: the kept image when persistent, else the
    // background (back colour and picture).
    void Paint(HDC target, const RECT& update);

    // Conversions between the surface's scale and pixels.
    int ToPixelsX(double units) const;
    int ToPixelsY(double units) const;
    double FromPixelsX(int pixels) const;
    double FromPixelsY(int pixels) const;

private:
    HDC DrawingDC();
    void SyncDC(HDC dc);
    void PaintBackground(HDC dc, const RECT& area) const;
    void ClearDrawing();
    void EnsureImage(int width, int height);
    void ReleaseImage();
    void ReleaseWindowDC();
    void UnselectFont();
    void Changed(const RECT* area = nullptr);

    HWND m_hwnd = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_persistent = false;
    OLE_COLOR m_backColor;
    OLE_COLOR m_foreColor;
    FontRef m_font;
    PictureRef m_picture;
    ScaleMode m_scaleMode = ScaleMode::Twips;
    double m_currentX = 0;
    double m_currentY = 0;

    // The kept image: a memory DC holding a bitmap as large as the largest size seen.
    std::unique_ptr<MemoryDC> m_imageDC;
    Bitmap m_image;
    HGDIOBJ m_imageOriginalBitmap = nullptr;
    int m_imageWidth = 0;
    int m_imageHeight = 0;

    // The window's DC handed out by hDC() while not persistent.
    HDC m_windowDC = nullptr;

    // The GDI font made from m_font for the DC it was selected into.
    rt::Font m_gdiFont;
    HDC m_fontDC = nullptr;
    HGDIOBJ m_originalFont = nullptr;
    const StdFont* m_fontSource = nullptr;
    unsigned m_fontRevision = 0;
    OLE_COLOR m_syncedForeColor = 0;
    HDC m_syncedColorDC = nullptr;
};

}  // namespace rt

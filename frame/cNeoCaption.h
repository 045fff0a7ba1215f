#pragma once
// cNeoCaption: the skin a window wears. It takes the window's whole non-client area (caption,
// border, caption buttons, menu band) through a cNCCalcSize engine and draws it from two
// pictures: a caption picture (active and inactive caption strip, caption-button glyphs) and
// a border picture (side and bottom edge tiles, bottom corners). The menu band is drawn by its
// cMenuBar. Colours are OLE colours (0x00BBGGRR; the high bit names a system colour).
//
// Create it with std::make_shared: the engine reaches it through its plain address and holds
// it for the length of each call. A painter that goes away detaches itself first and gives the
// window its menu back, so a painter attached after it finds the menu again. One painter wears
// a window at a time: attaching to a window that another painter wears detaches that one first,
// whoever still holds it.
#include <windows.h>
#include <ocidl.h>

#include <memory>

#include "frame/CaptionLayout.h"
#include "frame/INCAreaModifier.h"
#include "runtime/gdi/StdFont.h"
#include "runtime/picture/StdPicture.h"

class cMemDC;
class cMenuBar;
class cNCCalcSize;

class cNeoCaption : public INCAreaModifier {
public:
    cNeoCaption();
    ~cNeoCaption() override;
    cNeoCaption(const cNeoCaption&) = delete;
    cNeoCaption& operator=(const cNeoCaption&) = delete;

    // Gives the window back its own frame and, once a paint has handed the menu to the bar,
    // its menu. Nothing happens on a painter that was never attached.
    void Detach();
    // Dresses window f with the pictures: lButtonWidth x lButtonHeight glyphs (pressed ones
    // below the normal ones), a left slice lActiveLeftEnd wide, a right slice from column
    // lActiveRightStart to lActiveRightEnd, the inactive variant lInactiveOffset to the right.
    // An attached painter is detached first; a window it leaves gets its frame and menu back.
    // Errors of the subclassing service reach the caller.
    void Attach(HWND f, const rt::PictureRef& PicCaption, const rt::PictureRef& PicBorder, long lButtonWidth,
                long lButtonHeight, long lActiveLeftEnd, long lActiveRightStart, long lActiveRightEnd,
                long lInactiveOffset);

    // Handed to the menu bar by Attach: a change takes effect at the next Attach.
    OLE_COLOR MenuBackgroundColor() const { return m_oMenuBackgroundColor; }
    void MenuBackgroundColor(OLE_COLOR oColor) { m_oMenuBackgroundColor = oColor; }
    // Title colours, read at every paint.
    OLE_COLOR ActiveCaptionColor() const { return m_oActiveCaptionColor; }
    void ActiveCaptionColor(OLE_COLOR oColor) { m_oActiveCaptionColor = oColor; }
    OLE_COLOR InActiveCaptionColor() const { return m_oInActiveCaptionColor; }
    void InActiveCaptionColor(OLE_COLOR oColor) { m_oInActiveCaptionColor = oColor; }
    // The title's and the menu band's font, read at every paint. The object itself is kept and
    // returned: callers change it in place.
    const rt::FontRef& CaptionFont() const { return m_fntCaption; }
    void CaptionFont(const rt::FontRef& iFnt) { m_fntCaption = iFnt; }
    // The popup items' font, handed to the bar by Attach (the bar keeps the object).
    const rt::FontRef& MenuFont() const { return m_fntMenu; }
    void MenuFont(const rt::FontRef& iFnt) { m_fntMenu = iFnt; }
    OLE_COLOR ActiveMenuColor() const { return m_oActiveMenuColor; }
    OLE_COLOR ActiveMenuColorOver() const { return m_oActiveMenuColorOver; }
    OLE_COLOR InActiveMenuColor() const { return m_oInActiveMenuColor; }
    void ActiveMenuColor(const OLE_COLOR& oColor) { m_oActiveMenuColor = oColor; }
    void ActiveMenuColorOver(const OLE_COLOR& oColor) { m_oActiveMenuColorOver = oColor; }
    void InActiveMenuColor(const OLE_COLOR& oColor) { m_oInActiveMenuColor = oColor; }

    // INCAreaModifier
    HWND hWnd() override { return m_hWnd; }
    void GetTopMarginHeight(long& cy) override;
    void GetLeftMarginWidth(long& cx) override;
    void GetRightMarginWidth(long& cx) override;
    void GetBottomMarginHeight(long& cy) override;
    void NCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom) override;
    void HitTest(long x, long y, long& eHitTest) override;
    void NCMouseDown(long x, long y, bool& bHandled, HDC hDC, long lLeft, long lTop, long lRight,
                     long lBottom) override;
    void NCMouseUp(long x, long y, HDC hDC, long lLeft, long lTop, long lRight, long lBottom) override;
    void InitMenuPopup(WPARAM wParam, LPARAM lParam) override;
    void ExitMenuLoop() override;
    long AltKeyAccelerator(long vKey) override;
    long KeyMenu() override;
    // The caption with its slices, buttons and menu band, and the edges, stay whole.
    void GetMinTrackSize(long& cx, long& cy) override;

private:
    // Detaches the engine and the bar and returns the menu they held, leaving the window
    // without a painter and without its menu.
    HMENU DetachHandingOverMenu();
    // The painter registered for window f (another one) is released before this one attaches;
    // its menu is returned.
    HMENU TakeWindowFromItsPainter(HWND f);
    // Copies one glyph to hDC at the button's place: state 1 pressed, anything else normal.
    void DrawCaptionButton(HDC hDC, long index, long state);
    bool ButtonPresent(int index) const;
    // The button was pressed on this painter, the mouse button is still down and the pointer
    // is on the button.
    bool HeldUnderPointer(int index);
    bool& ButtonDown(int index);
    long BorderThickness() const;
    long CaptionHeight() const;
    // Copies from a picture surface, clipped to the picture; the columns it cannot give
    // repeat its last column, so no stale pixels show.
    void CopyFromPicture(HDC dest, long destX, long destY, long width, long height, const cMemDC& source,
                         long sourceX, long sourceY) const;
    // The slices, from row sourceY of the caption picture on.
    void PaintCaptionStrip(HDC strip, const CaptionLayout::CaptionStrip& layout, long capH, long sourceY) const;
    void PaintTitle(HDC strip, long left, long right, bool active) const;
    void PaintSideEdges(HDC hDC, long left, long top, long right, long bottom);
    void PaintBottomEdge(HDC hDC, HDC strip, long left, long right, long bottom);
    CaptionLayout::CaptionPictureMetrics Metrics() const;

    static COLORREF TranslateColor(OLE_COLOR oColor, HPALETTE hPal);
    static void OLEFontToLogFont(const rt::StdFont& font, HDC hDC, LOGFONTA& lf);

    std::shared_ptr<cNCCalcSize> m_cNCS;
    HWND m_hWnd = nullptr;
    std::unique_ptr<cMemDC> m_cBorder;
    std::unique_ptr<cMemDC> m_cCaption;
    std::unique_ptr<cMemDC> m_cStrip;
    std::unique_ptr<cMemDC> m_cSides;
    std::shared_ptr<cMenuBar> m_cMenu;
    OLE_COLOR m_oActiveCaptionColor;
    OLE_COLOR m_oInActiveCaptionColor;
    rt::FontRef m_fntCaption;
    OLE_COLOR m_oActiveMenuColor;
    OLE_COLOR m_oActiveMenuColorOver;
    OLE_COLOR m_oInActiveMenuColor;
    OLE_COLOR m_oMenuBackgroundColor;
    rt::FontRef m_fntMenu;
    long m_lButtonWidth = 0;
    long m_lButtonHeight = 0;
    long m_lActiveLeftEnd = 0;
    long m_lActiveRightStart = 0;
    long m_lActiveRightEnd = 0;
    long m_lInactiveOffset = 0;
    RECT m_tBtn[CaptionLayout::kButtonCount] = {};
    bool m_bMaxBox = false;
    bool m_bMinBox = false;
    bool m_bCloseBox = false;
    bool m_bMinDown = false;
    bool m_bMaxDown = false;
    bool m_bCloseDown = false;
};

#include "frame/cNeoCaption.h"

#include <algorithm>
#include <string>
#include <utility>

#include "frame/CaptionColor.h"
#include "frame/CaptionLogFont.h"
#include "frame/ObjectFromPtr.h"
#include "frame/WindowUpdateLock.h"
#include "frame/cMemDC.h"
#include "frame/cMenuBar.h"
#include "frame/cNCCalcSize.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/forms/OwnedStacking.h"
#include "runtime/forms/PrimaryButton.h"

using namespace CaptionLayout;

namespace {

constexpr OLE_COLOR kDefaultActiveCaptionColor = 0x00CCCCCC;
constexpr OLE_COLOR kDefaultInActiveCaptionColor = 0x00999999;
constexpr OLE_COLOR kDefaultActiveMenuColor = 0x00000000;
constexpr OLE_COLOR kDefaultActiveMenuColorOver = 0x00000000;
constexpr OLE_COLOR kDefaultInActiveMenuColor = 0x00808080;
constexpr OLE_COLOR kDefaultMenuBackgroundColor = 0x00FFFFFF;
constexpr wchar_t kDefaultFontName[] = L"MS Sans Serif";

constexpr long kStatePressed = 1;
constexpr long kStateNormal = 0;
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

rt::FontRef NewFontNamed(const wchar_t* name) {
    auto font = std::make_shared<rt::StdFont>();
    font->SetName(name);
    return font;
}

// Puts a menu that nobody took back on its window at the end of a scope.
class MenuReturn {
public:
    MenuReturn(HWND window, const HMENU& menu) : m_window(window), m_menu(menu) {}
    ~MenuReturn() {
        if (m_menu && IsWindow(m_window) && !GetMenu(m_window)) SetMenu(m_window, m_menu);
    }
    MenuReturn(const MenuReturn&) = delete;
    MenuReturn& operator=(const MenuReturn&) = delete;

private:
    HWND m_window;
    const HMENU& m_menu;
};

HBITMAP BitmapOf(const rt::PictureRef& picture) { return picture ? picture->Bitmap() : nullptr; }

}  // namespace

cNeoCaption::cNeoCaption()
    : m_oActiveCaptionColor(kDefaultActiveCaptionColor),
      m_oInActiveCaptionColor(kDefaultInActiveCaptionColor),
      m_fntCaption(NewFontNamed(kDefaultFontName)),
      m_oActiveMenuColor(kDefaultActiveMenuColor),
      m_oActiveMenuColorOver(kDefaultActiveMenuColorOver),
      m_oInActiveMenuColor(kDefaultInActiveMenuColor),
      m_oMenuBackgroundColor(kDefaultMenuBackgroundColor),
      m_fntMenu(NewFontNamed(kDefaultFontName)) {}

// A painter replaced without Detach (a skin change) must not stay registered anywhere, and
// the window's menu must come back so that the next painter's engine finds it.
cNeoCaption::~cNeoCaption() { Detach(); }

void cNeoCaption::Detach() {
    const HMENU menu = DetachHandingOverMenu();
    // A window that another painter wears now keeps the frame and menu that painter gave it.
    if (menu && IsWindow(m_hWnd) && !GetPropW(m_hWnd, kNCImplementationProperty)) SetMenu(m_hWnd, menu);
}

HMENU cNeoCaption::DetachHandingOverMenu() {
    // Before the first paint the bar has no menu yet; the engine still keeps the one it took
    // off the window, and the window must not lose it.
    HMENU menu = m_cNCS ? m_cNCS->hMenu() : nullptr;
    if (m_cNCS) m_cNCS->Detach();
    if (m_cMenu) {
        if (m_cMenu->hMenu()) menu = m_cMenu->hMenu();
        m_cMenu->Detach();
        // Handed on once: a later Detach must not put it on the window again.
        m_cMenu->hMenu(nullptr);
    }
    return menu;
}

// Whatever still refers to the painter that wears the window now (a drag or menu loop running
// inside one of its calls, the skin chooser's field, a counted reference of the subclassing
// service), it gives the window up here, before this painter's engine goes on: its own
// Detach, when it comes later, then finds nothing left to undo. Its menu comes along.
HMENU cNeoCaption::TakeWindowFromItsPainter(HWND f) {
    auto* address = static_cast<INCAreaModifier*>(GetPropW(f, kNCImplementationProperty));
    if (!address || address == this) return nullptr;
    const auto holder = std::dynamic_pointer_cast<cNeoCaption>(ObjectFromPtr(address));
    return holder ? holder->DetachHandingOverMenu() : nullptr;
}

void cNeoCaption::Attach(HWND f, const rt::PictureRef& PicCaption, const rt::PictureRef& PicBorder,
                         long lButtonWidth, long lButtonHeight, long lActiveLeftEnd, long lActiveRightStart,
                         long lActiveRightEnd, long lInactiveOffset) {
    WindowUpdateLock lock(f);
    // A window this painter leaves gets its own frame and menu back. A window that goes from
    // one painter to the next does not wear them in between (they would show for a moment):
    // its menu is handed on to the new engine.
    HMENU menu = nullptr;
    if (m_hWnd == f) {
        menu = DetachHandingOverMenu();
    } else {
        Detach();
    }
    if (const HMENU taken = TakeWindowFromItsPainter(f)) menu = taken;
    // Given back should an error end this Attach before the engine has it.
    const MenuReturn menuBack(f, menu);

    m_cCaption = std::make_unique<cMemDC>();
    m_cCaption->CreateFromPicture(BitmapOf(PicCaption));
    m_cBorder = std::make_unique<cMemDC>();
    m_cBorder->CreateFromPicture(BitmapOf(PicBorder));
    m_cStrip = std::make_unique<cMemDC>();
    m_cSides = std::make_unique<cMemDC>();

    m_lButtonWidth = lButtonWidth;
    m_lButtonHeight = lButtonHeight;
    m_lActiveLeftEnd = lActiveLeftEnd;
    m_lActiveRightStart = lActiveRightStart;
    m_lActiveRightEnd = lActiveRightEnd;
    m_lInactiveOffset = lInactiveOffset;

    m_hWnd = f;
    // Until the first paint lays the buttons out, none is present or held.
    m_bCloseBox = m_bMaxBox = m_bMinBox = false;
    m_bCloseDown = m_bMaxDown = m_bMinDown = false;

    m_cMenu = std::make_shared<cMenuBar>();
    m_cMenu->Attach(m_hWnd);
    m_cMenu->SetMenuFont(m_fntMenu);
    m_cMenu->SetColors(m_oActiveMenuColor, m_oActiveMenuColorOver, m_oInActiveMenuColor, m_oMenuBackgroundColor);
    m_cMenu->CaptionHeight(m_cCaption->Height());

    m_cNCS = std::make_shared<cNCCalcSize>();
    m_cNCS->Attach(this, std::exchange(menu, nullptr));
    m_cNCS->Display(f);

    // A disabled window waits behind the modal form that disabled it: SetForegroundWindow would
    // activate and raise it all the same, and its frame stays in the inactive look Display gave it.
    if (rt::stacking::MayBringForward(m_hWnd)) {
        SetForegroundWindow(m_hWnd);
        // A control of the window that has the focus keeps it: a new skin chosen from the keyboard
        // leaves the keyboard where it was.
        const HWND focus = GetFocus();
        if (focus != m_hWnd && !IsChild(m_hWnd, focus)) SetFocus(m_hWnd);
        // Paint the frame in its active look now.
        SendMessageW(m_hWnd, WM_NCACTIVATE, TRUE, 0);
    }
}

// --- Margins: the non-client area is exactly as thick as the pictures -----------------------

long cNeoCaption::CaptionHeight() const { return m_cCaption ? m_cCaption->Height() : 0; }
long cNeoCaption::BorderThickness() const { return m_cBorder ? m_cBorder->Height() : 0; }

void cNeoCaption::GetTopMarginHeight(long& cy) {
    if (m_cCaption) cy = CaptionHeight();
}
void cNeoCaption::GetLeftMarginWidth(long& cx) {
    if (m_cBorder) cx = BorderThickness();
}
void cNeoCaption::GetRightMarginWidth(long& cx) {
    if (m_cBorder) cx = BorderThickness();
}
void cNeoCaption::GetBottomMarginHeight(long& cy) {
    if (m_cBorder) cy = BorderThickness();
}

void cNeoCaption::GetMinTrackSize(long& cx, long& cy) {
    if (!m_cCaption || !m_cBorder) return;
    const long band = m_cMenu ? m_cMenu->ButtonsWidth() : 0;
    const SIZE smallest = SmallestFrame(Metrics(), CaptionHeight(), BorderThickness(), band);
    cx = std::max(cx, static_cast<long>(smallest.cx));
    cy = std::max(cy, static_cast<long>(smallest.cy));
}

// --- Caption buttons -------------------------------------------------------------------------

bool cNeoCaption::ButtonPresent(int index) const {
    switch (index) {
    case kCloseButton: return m_bCloseBox;
    case kMaxRestoreButton: return m_bMaxBox;
    case kMinButton: return m_bMinBox;
    default: return false;
    }
}

bool& cNeoCaption::ButtonDown(int index) {
    switch (index) {
    case kCloseButton: return m_bCloseDown;
    case kMaxRestoreButton: return m_bMaxDown;
    default: return m_bMinDown;
    }
}

void cNeoCaption::DrawCaptionButton(HDC hDC, long index, long state) {
    if (!ButtonPresent(static_cast<int>(index)) || !m_cCaption) return;
    const bool maximized = (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
    POINT source;
    if (!GlyphSource(static_cast<int>(index), state == kStatePressed, maximized, m_lButtonWidth, m_lButtonHeight,
                     source))
        return;
    const RECT& r = m_tBtn[index];
    BitBlt(hDC, r.left, r.top, m_lButtonWidth, m_lButtonHeight, m_cCaption->hDC(), source.x, source.y, SRCCOPY);
}

// A repaint while a caption button is held (the window manager repaints the frame on its own
// occasions) keeps it pressed as long as the pointer stays on it.
bool cNeoCaption::HeldUnderPointer(int index) {
    if (!ButtonDown(index) || !rt::PrimaryButtonHeld() || !m_hWnd) return false;
    RECT window = {};
    POINT pointer = {};
    if (!GetWindowRect(m_hWnd, &window) || !GetCursorPos(&pointer)) return false;
    const POINT inWindow = {pointer.x - window.left, pointer.y - window.top};
    return PtInRect(&m_tBtn[index], inWindow) != 0;
}

void cNeoCaption::HitTest(long x, long y, long& eHitTest) {
    const POINT pt = {x, y};
    if (PtInRect(&kIconRect, pt)) {
        eHitTest = HTSYSMENU;
        return;
    }
    bool over[kButtonCount] = {};
    for (int i = 0; i < kButtonCount; ++i) {
        if (!ButtonPresent(i)) continue;
        over[i] = PtInRect(&m_tBtn[i], pt) != 0;
        if (over[i]) eHitTest = HTSYSMENU;
    }
    if (!m_hWnd) return;
    rt::WindowFrameDC dc(m_hWnd);
    for (int i = 0; i < kButtonCount; ++i) {
        if (!ButtonPresent(i)) continue;
        const bool down = ButtonDown(i);
        // A held button pops up while the pointer is off it and shows pressed again when the
        // pointer comes back with the mouse button still down, as native caption buttons do.
        if (down != over[i]) DrawCaptionButton(dc.get(), i, kStateNormal);
        else if (down) DrawCaptionButton(dc.get(), i, kStatePressed);
    }
}

void cNeoCaption::NCMouseDown(long x, long y, bool& bHandled, HDC hDC, long, long, long, long) {
    const POINT pt = {x, y};
    for (int i = 0; i < kButtonCount; ++i) {
        if (!ButtonPresent(i) || !PtInRect(&m_tBtn[i], pt)) continue;
        DrawCaptionButton(hDC, i, kStatePressed);
        ButtonDown(i) = true;
        bHandled = true;
    }
}

void cNeoCaption::NCMouseUp(long x, long y, HDC hDC, long, long, long, long) {
    const POINT pt = {x, y};
    auto releasedOn = [&](int i) { return ButtonPresent(i) && PtInRect(&m_tBtn[i], pt) && ButtonDown(i); };
    if (m_cNCS) {
        if (releasedOn(kCloseButton)) m_cNCS->SysCommand(SC_CLOSE);
        if (releasedOn(kMaxRestoreButton)) {
            const bool maximized = (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
            m_cNCS->SysCommand(maximized ? SC_RESTORE : SC_MAXIMIZE);
        }
        if (releasedOn(kMinButton)) m_cNCS->SysCommand(SC_MINIMIZE);
    }
    for (int i = 0; i < kButtonCount; ++i) DrawCaptionButton(hDC, i, kStateNormal);
    m_bCloseDown = m_bMaxDown = m_bMinDown = false;
}

// --- Menu forwarding -------------------------------------------------------------------------

void cNeoCaption::InitMenuPopup(WPARAM wParam, LPARAM) {
    if (m_cMenu) m_cMenu->InitMenuPopup(reinterpret_cast<HMENU>(wParam));
}

void cNeoCaption::ExitMenuLoop() {
    if (m_cMenu) m_cMenu->RestoreMenus();
}

long cNeoCaption::AltKeyAccelerator(long vKey) { return m_cMenu && m_cMenu->AltKeyAccelerator(vKey) ? -1 : 0; }

long cNeoCaption::KeyMenu() { return m_cMenu && m_cMenu->KeyMenu() ? -1 : 0; }

// --- Painting --------------------------------------------------------------------------------

CaptionPictureMetrics cNeoCaption::Metrics() const {
    return {m_lButtonWidth, m_lButtonHeight, m_lActiveLeftEnd, m_lActiveRightStart, m_lActiveRightEnd,
            m_lInactiveOffset};
}

void cNeoCaption::CopyFromPicture(HDC dest, long destX, long destY, long width, long height, const cMemDC& source,
                                  long sourceX, long sourceY) const {
    if (width <= 0 || height <= 0 || source.Width() <= 0) return;
    const long given = ClippedWidth(sourceX, width, source.Width());
    if (given > 0) BitBlt(dest, destX, destY, given, height, source.hDC(), sourceX, sourceY, SRCCOPY);
    if (given < width) {
        StretchBlt(dest, destX + given, destY, width - given, height, source.hDC(), source.Width() - 1, sourceY, 1,
                   height, SRCCOPY);
    }
}

void cNeoCaption::NCPaint(HDC hDC, long lLeft, long lTop, long lRight, long lBottom) {
    if (!m_cCaption || !m_cBorder || !m_cStrip || !m_cSides) return;
    const long capH = CaptionHeight();
    const long B = BorderThickness();

    m_cStrip->Width(lRight - lLeft + 1);
    m_cStrip->Height(capH);
    m_cSides->Width(2 * B);
    m_cSides->Height(lBottom - lTop + 1);
    const HDC strip = m_cStrip->hDC();
    if (!strip) return;

    const bool active = m_cNCS && m_cNCS->WindowActive();
    LOGFONTA lf = {};
    if (m_fntCaption) OLEFontToLogFont(*m_fntCaption, hDC, lf);
    if (active) lf.lfWeight = FW_BOLD;
    rt::Font captionFont(CreateFontIndirectA(&lf));
    rt::SelectGuard captionFontSelected(strip, captionFont.get());

    // A minimised window is no higher than a short caption piece: it shows the caption's rows
    // around the buttons, with the buttons whole, and no title, menu band or edges.
    const bool iconic = IsIconic(m_hWnd) != 0;
    const CaptionStrip layout = iconic ? LayOutIconicStrip(Metrics(), lLeft, lRight, active, B)
                                       : LayOutCaptionStrip(Metrics(), lLeft, lRight, active, B);
    const long sourceY = iconic ? IconicSourceTop(m_lButtonHeight, lBottom - lTop, capH) : 0;
    PaintCaptionStrip(strip, layout, capH, sourceY);

    const ButtonPresence present = PresenceFromStyle(GetWindowLongW(m_hWnd, GWL_STYLE));
    m_bMaxBox = present.maxRestore;
    m_bMinBox = present.min;
    m_bCloseBox = present.close;
    LayOutCaptionButtons(m_tBtn, present, layout.buttonAnchor, lTop + kButtonTop - sourceY, m_lButtonWidth,
                         m_lButtonHeight);
    for (int i = 0; i < kButtonCount; ++i) DrawCaptionButton(strip, i, HeldUnderPointer(i) ? kStatePressed : kStateNormal);

    // The middle goes after the buttons, between the slices only.
    for (const StripCopy& piece : layout.middle)
        CopyFromPicture(strip, piece.destX, 0, piece.width, capH, *m_cCaption, piece.sourceX, sourceY);

    if (iconic) {
        BitBlt(hDC, 0, 0, m_cStrip->Width(), m_cStrip->Height(), strip, 0, 0, SRCCOPY);
        return;
    }
    if (layout.titleFits) PaintTitle(strip, lLeft, lRight, active);

    if (m_cMenu) {
        m_cMenu->hMenu(m_cNCS ? m_cNCS->hMenu() : nullptr);
        // The band uses the caption font's face and size at normal weight.
        lf.lfWeight = FW_NORMAL;
        rt::Font bandFont(CreateFontIndirectA(&lf));
        const MenuBand band = MenuBandFor(m_lActiveLeftEnd, layout.rightX, capH);
        m_cMenu->Render(bandFont.get(), strip, band.left, band.top, band.width, band.height, band.yOffset);
    }

    BitBlt(hDC, 0, 0, m_cStrip->Width(), m_cStrip->Height(), strip, 0, 0, SRCCOPY);
    PaintSideEdges(hDC, lLeft, lTop, lRight, lBottom);
    PaintBottomEdge(hDC, strip, lLeft, lRight, lBottom);
}

void cNeoCaption::PaintCaptionStrip(HDC strip, const CaptionStrip& layout, long capH, long sourceY) const {
    const StripCopy& l = layout.leftSlice;
    CopyFromPicture(strip, l.destX, 0, l.width, capH, *m_cCaption, l.sourceX, sourceY);
    const StripCopy& r = layout.rightSlice;
    CopyFromPicture(strip, r.destX, 0, r.width, capH, *m_cCaption, r.sourceX, sourceY);
}

void cNeoCaption::PaintTitle(HDC strip, long left, long right, bool active) const {
    SetBkMode(strip, TRANSPARENT);
    SetTextColor(strip, TranslateColor(active ? m_oActiveCaptionColor : m_oInActiveCaptionColor, nullptr));
    const int length = GetWindowTextLengthW(m_hWnd);
    if (length <= 0) return;
    std::wstring title(static_cast<size_t>(length) + 1, L'\0');
    title.resize(static_cast<size_t>(GetWindowTextW(m_hWnd, title.data(), length + 1)));
    RECT rc = TitleRect(left, right, BorderThickness(), CaptionHeight());
    DrawTextW(strip, title.c_str(), -1, &rc, kTitleFormat);
}

void cNeoCaption::PaintSideEdges(HDC hDC, long left, long top, long right, long bottom) {
    const long capH = CaptionHeight();
    const long B = BorderThickness();
    const HDC sides = m_cSides->hDC();
    if (!sides || B <= 0) return;
    for (const EdgeCopy& c : SideEdgeCopies(top, bottom, capH, B)) {
        if (c.fromBorder) {
            CopyFromPicture(sides, 0, c.destY, B, c.height, *m_cBorder, LeftEdgeTileX(B), c.sourceY);
            CopyFromPicture(sides, B, c.destY, B, c.height, *m_cBorder, c.sourceRightX, c.sourceY);
        } else {
            BitBlt(sides, 0, c.destY, B, c.height, sides, 0, c.sourceY, SRCCOPY);
            BitBlt(sides, B, c.destY, B, c.height, sides, c.sourceRightX, c.sourceY, SRCCOPY);
        }
    }
    const long edgeHeight = bottom - capH - top;
    if (edgeHeight <= 0) return;
    BitBlt(hDC, left, capH + top, B, edgeHeight, sides, 0, capH + top, SRCCOPY);
    BitBlt(hDC, right - B, capH + top, B, edgeHeight, sides, B, capH + top, SRCCOPY);
}

void cNeoCaption::PaintBottomEdge(HDC hDC, HDC strip, long left, long right, long bottom) {
    const long B = BorderThickness();
    if (B <= 0) return;
    const BottomTiles tiles = LayOutBottomTiles(left, right, B);
    CopyFromPicture(strip, tiles.firstX, 0, B, B, *m_cBorder, BottomTileX(B), 0);
    for (const long x : tiles.copies) BitBlt(strip, x, 0, B, B, strip, x - B, 0, SRCCOPY);
    CopyFromPicture(strip, left, 0, B, B, *m_cBorder, BottomLeftCornerX(B), 0);
    CopyFromPicture(strip, right - B, 0, B, B, *m_cBorder, BottomRightCornerX(B), 0);
    BitBlt(hDC, left, BottomEdgeY(bottom, B, CaptionHeight()), m_cStrip->Width(), B, strip, 0, 0, SRCCOPY);
}

// --- Conversions -----------------------------------------------------------------------------

COLORREF cNeoCaption::TranslateColor(OLE_COLOR oColor, HPALETTE hPal) {
    return CaptionColor::TranslateColor(oColor, hPal);
}

void cNeoCaption::OLEFontToLogFont(const rt::StdFont& font, HDC hDC, LOGFONTA& lf) {
    CaptionLogFont::OLEFontToLogFont(font, hDC, lf);
}

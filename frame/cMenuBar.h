#pragma once
// cMenuBar: the menu bar of a skinned window, drawn by the caption painter inside its caption
// band. One flat text button per top-level item of the window's menu that opens a submenu
// (an item without a submenu gets no button and no room); buttons are numbered 1..Count in
// menu order, 0 = no button. The bar follows the button under the mouse (a 50 ms poll while a
// button is hot or pressed), opens a button's drop-down on a click or its Alt mnemonic
// through its cToolbarMenu, and owner-draws the items of the drop-downs while they are open
// (PopupItemStore), giving every item its own record back when the menu loop ends.
//
// Create it with std::make_shared (see ISubclass.h): the subclassing service calls it
// through its plain address. Detach it before releasing it.
//
// Hit rectangles are kept in the window's client coordinates (the band lies above the client
// area, so their y is negative): HitTest compares them with a screen point turned into client
// coordinates, and GetButtonRect turns them into screen coordinates the same way, so a
// drop-down opens exactly under the button drawn.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <vector>

#include "frame/CTimer.h"
#include "frame/IMenuBarButtons.h"
#include "frame/ISubclass.h"
#include "frame/PopupItemStore.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/gdi/StdFont.h"

class cMemDC;
class cToolbarMenu;

class cMenuBar : public ISubclass, public IMenuBarButtons {
public:
    // The hot-tracking poll, milliseconds.
    static constexpr long kPollInterval = 50;
    // Menu texts are read into a buffer of this many characters (one kept for the NUL).
    static constexpr UINT kTextBufferChars = 128;

    cMenuBar();
    ~cMenuBar() override;
    cMenuBar(const cMenuBar&) = delete;
    cMenuBar& operator=(const cMenuBar&) = delete;

    // The menu whose top-level items are drawn; the painter sets it before every Render.
    void hMenu(HMENU hTheMenu) { m_hMenu = hTheMenu; }
    HMENU hMenu() const { return m_hMenu; }

    // Starts listening to the window's mouse and owner-draw messages and creates the
    // tracker (detaching first). Errors of the subclassing service reach the caller; the
    // window's update lock is released on every way out.
    void Attach(HWND lhWnd);
    // Stops listening and releases the tracker; the window stays recorded. Safe to repeat.
    void Detach();

    // Height of the caption band, pixels (the painter sets it from its caption picture).
    // The drop-down placement does not need it: the hit rectangles are client coordinates,
    // which GetButtonRect maps to the screen through the window itself.
    void CaptionHeight(long lHeight) { m_lCaptionHeight = lHeight; }

    // Draws the bar into lHDC, a DC in window coordinates (the painter's caption strip, which
    // it copies to the window's top-left corner): a strip lWidth x lHeight whose top-left
    // corner lies at (lLeft, lTop + 2), over what lHDC already holds, in the font hFnt; and
    // records the buttons. lYoffset is the painter's reckoning of the strip's top in client
    // coordinates; the bar measures the client area's offset from the window itself instead,
    // so the hit rectangles match the drawn buttons to the pixel.
    void Render(HFONT hFnt, HDC lHDC, long lLeft, long lTop, long lWidth, long lHeight, long lYoffset);

    // Popup item font: the bar keeps the shared font object, so later changes reach it. The
    // symbol font (check marks) is left alone.
    void SetMenuFont(const rt::FontRef& font);
    // The same, and the symbol font becomes "Marlett" at 1.2 times the menu font's size.
    void SetMenuFontAndSymbolFont(const rt::FontRef& font);
    const rt::FontRef& GetMenuFont() const { return m_fntMenu; }
    const rt::FontRef& GetSymbolFont() const { return m_fntSymbol; }

    // Text colour of the bar and of popup items; text colour of a hot, pressed or selected
    // entry; the colour for an inactive window; background of popup items (OLE colours).
    void SetColors(OLE_COLOR active, OLE_COLOR activeOver, OLE_COLOR inactive, OLE_COLOR background);

    // Alt+vKey: opens the drop-down of every button whose mnemonic is the key, one after the
    // other; true when one was opened.
    bool AltKeyAccelerator(long vKey);
    // F10 or Alt alone: opens the first button's drop-down; true when there is one.
    bool KeyMenu();

    // IMenuBarButtons, the tracker's view of the bar.
    // The first button containing pt (screen coordinates, turned into client coordinates in
    // place), else 0.
    long HitTest(POINT& pt) const override;
    long Count() const override { return m_iButtonCount; }
    // The submenu of button i; 0 outside 1..Count.
    HMENU hSubMenu(long i) const override;
    // state true: i becomes the pressed index; false: releases i (pressed index -1) when it
    // is the pressed one. Repaints the frame at once in every case.
    void PressButton(long i, bool state) override;
    // Button i's rectangle in screen coordinates; rc is left untouched outside 1..Count.
    void GetButtonRect(long i, RECT& rc) const override;
    // Sets the hot index and repaints the frame at once.
    void HotIndex(long i) override;

    long DownIndex() const { return m_iDownIndex; }
    // Width the last Render needed for its buttons, from the band's left end (0 with none).
    long ButtonsWidth() const { return m_lButtonsWidth; }
    long HotIndex() const { return m_iHotIndex; }

    // A popup of the window is about to open: its items become owner-drawn items.
    void InitMenuPopup(HMENU hMenu);
    // Every stored item gets its own record back; the store is emptied.
    void RestoreMenus();

    // The hot-tracking poll's interval: kPollInterval while it runs, else 0.
    long PollInterval() const;
    // The item store, for inspection.
    const PopupItemStore& ItemStore() const { return m_store; }
    // Line height of popup items measured last.
    long ItemHeight() const { return m_lItemHeight; }

    // ISubclass: WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_DRAWITEM, WM_MEASUREITEM, WM_MENUCHAR.
    long MsgResponse() const override;
    void MsgResponse(long response) override;
    LRESULT WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

private:
    struct GdiFontCache {
        const rt::StdFont* font = nullptr;
        unsigned revision = 0;
        rt::Font handle;
    };

    HFONT MenuFontHandle();
    HFONT SymbolFontHandle();
    HFONT FontHandle(const rt::FontRef& font, GdiFontCache& cache);
    long HitTestCursor() const;
    long HitTestPoint(DWORD screenPos) const;
    POINT ClientOriginInWindow() const;
    void RepaintFrame() const;
    void SetDownIndex(long i);
    void StopPoll();
    void OpenDropDown();
    LRESULT OnLButtonDown(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuChar(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

    // Popup items.
    bool RegisterMenu(HMENU menu) { return m_store.RegisterMenu(menu); }
    int ReadAndStoreItem(HMENU menu, int position, int index);
    void MakeOwnerDrawn(HMENU menu, int position, UINT fType, int index);
    LRESULT MenuChar(HMENU menu, WORD character);
    LRESULT MeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT DrawItem(WPARAM wParam, LPARAM lParam);
    void DrawItemText(HDC dc, const std::wstring& text, RECT rc, bool disabled, UINT flags);
    int ItemIndexFor(UINT id, ULONG_PTR itemData) const;

    void TrackHot();
    void m_cTmr_ThatTime() { TrackHot(); }
    static COLORREF TranslateColor(OLE_COLOR color, HPALETTE palette = nullptr);

    CTimerField m_cTmr{[this] { m_cTmr_ThatTime(); }};
    std::unique_ptr<cMemDC> m_cMemDC;
    std::shared_ptr<cToolbarMenu> m_cToolbarMenu;
    HMENU m_hMenu = nullptr;
    HWND m_hWnd = nullptr;
    std::vector<UINT> m_attachedMessages;  // what Detach has to give back
    std::vector<RECT> m_tButtonRect;
    std::vector<HMENU> m_hButtonMenu;
    long m_iButtonCount = 0;
    long m_lButtonsWidth = 0;
    long m_iDownIndex = 0;
    long m_iHotIndex = 0;
    OLE_COLOR m_oActiveColor = 0;
    OLE_COLOR m_oActiveColorOver = 0;
    OLE_COLOR m_oInActiveColor = 0;
    OLE_COLOR m_oBackgroundColor = 0;
    long m_lCaptionHeight = 0;
    PopupItemStore m_store;
    rt::FontRef m_fntMenu;
    rt::FontRef m_fntSymbol;
    long m_lItemHeight = 0;
    GdiFontCache m_menuFontCache;
    GdiFontCache m_symbolFontCache;
};

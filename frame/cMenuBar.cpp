#include "frame/cMenuBar.h"

#include <olectl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cwchar>

#include "frame/MSubclass.h"
#include "frame/MenuLayout.h"
#include "frame/ObjectFromPtr.h"
#include "frame/WindowUpdateLock.h"
#include "frame/cMemDC.h"
#include "frame/cToolbarMenu.h"
#include "runtime/gdi/OleColor.h"
#include "runtime/forms/PrimaryButton.h"

namespace {

// The messages the bar listens to, in the order they are attached and detached.
constexpr std::array<UINT, 5> kBarMessages = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_DRAWITEM, WM_MEASUREITEM,
                                              WM_MENUCHAR};

// The strip is drawn this far below the painter's lTop.
constexpr long kStripTopOffset = 2;
// Read and write of a stored item's record.
constexpr UINT kItemRecordMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
// Both disabled bits (MFS_DISABLED includes MFS_GRAYED).
constexpr UINT kDisabledBits = MFS_DISABLED;
// System colours of the embossed text of a disabled item.
constexpr OLE_COLOR kOle3DHighlight = 0x80000014;
constexpr OLE_COLOR kOle3DShadow = 0x80000010;
// The symbol font is this much larger than the menu font.
constexpr double kSymbolFontScale = 1.2;
constexpr wchar_t kSymbolFontName[] = L"Marlett";
// Marlett glyphs: a check mark and a round bullet.
constexpr wchar_t kCheckGlyph[] = L"b";
constexpr wchar_t kBulletGlyph[] = L"h";
constexpr UINT kCaptionFormat = DT_VCENTER | DT_SINGLELINE;
constexpr UINT kGlyphFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_SINGLELINE;

bool IsStringItem(UINT fType) { return !(fType & (MFT_BITMAP | MFT_SEPARATOR)); }

// An item's text as a read with the fixed buffer shows it (cut when longer).
std::wstring ReadShownText(HMENU menu, int position, UINT mask, MENUITEMINFOW& record) {
    wchar_t buffer[cMenuBar::kTextBufferChars] = {};
    record = {};
    record.cbSize = sizeof(record);
    record.fMask = mask;
    record.dwTypeData = buffer;
    record.cch = cMenuBar::kTextBufferChars - 1;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &record)) return {};
    if (!IsStringItem(record.fType)) return {};
    const std::wstring shown = MenuLayout::TextFromBuffer(buffer, cMenuBar::kTextBufferChars, record.cch);
    record.dwTypeData = nullptr;  // the buffer dies here
    return shown;
}

// An item's whole text, however long.
std::wstring ReadWholeText(HMENU menu, int position) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    text.resize(std::wcslen(text.c_str()));
    return text;
}

}  // namespace

cMenuBar::cMenuBar() : m_cMemDC(std::make_unique<cMemDC>()) {
    // The work surface exists from the start, so measuring works before the first paint.
    m_cMemDC->Width(1);
    m_cMemDC->Height(1);
    m_fntMenu = std::make_shared<rt::StdFont>();
    m_fntMenu->SetName(L"MS Sans Serif");
    m_fntSymbol = std::make_shared<rt::StdFont>();
    m_fntSymbol->SetName(kSymbolFontName);
    m_fntSymbol->SetSize(m_fntMenu->Size() * kSymbolFontScale);
}

cMenuBar::~cMenuBar() {
    // The subclassing service keeps only our address: never leave it listed.
    try {
        Detach();
    } catch (...) {
        // Detaching raises nothing; a destructor must not throw in any case.
    }
}

void cMenuBar::Attach(HWND lhWnd) {
    WindowUpdateLock lock(lhWnd);
    Detach();
    m_hWnd = lhWnd;
    m_cToolbarMenu = std::make_shared<cToolbarMenu>();
    m_cToolbarMenu->AttachOwner(lhWnd, this);
    for (UINT message : kBarMessages) {
        MSubclass::AttachMessage(this, lhWnd, message);
        m_attachedMessages.push_back(message);
    }
}

void cMenuBar::Detach() {
    // Only what was attached is detached, once: a second Detach would lower the window's
    // attach count below the other clients' and take the dispatcher away from them.
    for (UINT message : m_attachedMessages) MSubclass::DetachMessage(this, m_hWnd, message);
    m_attachedMessages.clear();
    // The timer table would keep a running poll going after the bar: it stops with the bar.
    StopPoll();
    if (m_cToolbarMenu) {
        m_cToolbarMenu->DetachOwner();
        m_cToolbarMenu.reset();
    }
}

void cMenuBar::Render(HFONT hFnt, HDC lHDC, long lLeft, long lTop, long lWidth, long lHeight, long) {
    if (!m_hMenu) return;
    m_cMemDC->Width(lWidth);
    m_cMemDC->Height(lHeight);
    const HDC dc = m_cMemDC->hDC();
    rt::SelectGuard keptFont(dc, hFnt);
    m_iButtonCount = 0;
    m_lButtonsWidth = 0;
    m_tButtonRect.clear();
    m_hButtonMenu.clear();
    const int n = GetMenuItemCount(m_hMenu);
    if (n < 1) return;

    const long stripTop = lTop + kStripTopOffset;
    BitBlt(dc, 0, 0, lWidth, lHeight, lHDC, lLeft, stripTop, SRCCOPY);
    SetBkMode(dc, TRANSPARENT);
    // lHDC is in window coordinates; the hit rectangles are kept in client coordinates.
    const POINT client = ClientOriginInWindow();
    int x = MenuLayout::kBarFirstTextX;
    for (int p = 0; p < n; ++p) {
        if (GetMenuItemID(m_hMenu, p) != static_cast<UINT>(-1)) continue;  // no submenu, no button
        MENUITEMINFOW record;
        const std::wstring text = ReadShownText(m_hMenu, p, MIIM_TYPE, record);
        RECT measured = {0, 0, 0, lHeight};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT);
        const MenuLayout::BarButton button =
            MenuLayout::LayoutBarButton(x, measured.right - measured.left, measured.bottom - measured.top);
        ++m_iButtonCount;
        const MenuLayout::BarLook look = MenuLayout::LookOfButton(m_iButtonCount, m_iDownIndex, m_iHotIndex);
        SetTextColor(dc, TranslateColor(look.overColour ? m_oActiveColorOver : m_oActiveColor));
        RECT edge = button.button;
        if (look.edge == MenuLayout::BarEdge::Raised) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
        if (look.edge == MenuLayout::BarEdge::Sunken) DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        RECT textRect = button.text;
        OffsetRect(&textRect, look.textOffset, look.textOffset);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE);
        RECT hit = button.button;
        OffsetRect(&hit, lLeft - client.x, stripTop - client.y);
        m_tButtonRect.push_back(hit);
        m_hButtonMenu.push_back(GetSubMenu(m_hMenu, p));
        m_lButtonsWidth = button.button.right;
        x = button.nextX;
    }
    BitBlt(lHDC, lLeft, stripTop, lWidth, lHeight, dc, 0, 0, SRCCOPY);
}

void cMenuBar::SetMenuFont(const rt::FontRef& font) {
    if (font) m_fntMenu = font;
}

void cMenuBar::SetMenuFontAndSymbolFont(const rt::FontRef& font) {
    if (!font) return;
    SetMenuFont(font);
    m_fntSymbol->SetName(kSymbolFontName);
    m_fntSymbol->SetSize(font->Size() * kSymbolFontScale);
}

void cMenuBar::SetColors(OLE_COLOR active, OLE_COLOR activeOver, OLE_COLOR inactive, OLE_COLOR background) {
    m_oActiveColor = active;
    m_oActiveColorOver = activeOver;
    m_oInActiveColor = inactive;
    m_oBackgroundColor = background;
}

bool cMenuBar::AltKeyAccelerator(long vKey) {
    // Inside an open drop-down the key belongs to the menu loop; opening nothing also keeps
    // the items of the open popup owner-drawn (a restore now would pull them from under it).
    if (m_cToolbarMenu && m_cToolbarMenu->InTracking()) return false;
    const int n = GetMenuItemCount(m_hMenu);
    if (n < 1) return false;
    bool answer = false;
    long k = 0;
    for (int p = 0; p < n; ++p) {
        if (GetMenuItemID(m_hMenu, p) != static_cast<UINT>(-1)) continue;
        ++k;
        MENUITEMINFOW record;
        const std::wstring mnemonic = MenuLayout::MnemonicOf(ReadShownText(m_hMenu, p, MIIM_TYPE | MIIM_DATA, record));
        if (mnemonic.empty() || mnemonic[0] != static_cast<wchar_t>(vKey)) continue;
        PressButton(k, true);
        OpenDropDown();
        answer = true;
    }
    return answer;
}

bool cMenuBar::KeyMenu() {
    if ((m_cToolbarMenu && m_cToolbarMenu->InTracking()) || m_iButtonCount < 1) return false;
    PressButton(1, true);
    OpenDropDown();
    return true;
}

long cMenuBar::HitTest(POINT& pt) const {
    ScreenToClient(m_hWnd, &pt);
    for (long i = 1; i <= m_iButtonCount; ++i) {
        if (PtInRect(&m_tButtonRect[static_cast<size_t>(i - 1)], pt)) return i;
    }
    return 0;
}

HMENU cMenuBar::hSubMenu(long i) const {
    if (i < 1 || i > m_iButtonCount) return nullptr;
    return m_hButtonMenu[static_cast<size_t>(i - 1)];
}

void cMenuBar::PressButton(long i, bool state) {
    if (state) {
        m_iDownIndex = i;
    } else if (m_iDownIndex == i) {
        m_iDownIndex = -1;
    }
    RepaintFrame();
}

void cMenuBar::GetButtonRect(long i, RECT& rc) const {
    if (i < 1 || i > m_iButtonCount) return;
    rc = m_tButtonRect[static_cast<size_t>(i - 1)];
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
}

void cMenuBar::HotIndex(long i) {
    m_iHotIndex = i;
    RepaintFrame();
}

long cMenuBar::PollInterval() const { return m_cTmr ? m_cTmr->Interval() : 0; }

long cMenuBar::MsgResponse() const { return ResponseClientOnly; }

void cMenuBar::MsgResponse(long) {}

LRESULT cMenuBar::WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_LBUTTONDOWN: return OnLButtonDown(hWnd, iMsg, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(hWnd, iMsg, wParam, lParam);
    case WM_DRAWITEM: return DrawItem(wParam, lParam);
    case WM_MEASUREITEM: return MeasureItem(wParam, lParam);
    case WM_MENUCHAR: return OnMenuChar(hWnd, iMsg, wParam, lParam);
    default: return MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    }
}

// --- Bar ---------------------------------------------------------------------------------------

long cMenuBar::HitTestCursor() const {
    if (m_iButtonCount == 0) return 0;
    POINT pt;
    GetCursorPos(&pt);
    return HitTest(pt);
}

long cMenuBar::HitTestPoint(DWORD screenPos) const {
    if (m_iButtonCount == 0) return 0;
    POINT pt = {GET_X_LPARAM(screenPos), GET_Y_LPARAM(screenPos)};
    return HitTest(pt);
}

POINT cMenuBar::ClientOriginInWindow() const {
    RECT window = {};
    POINT origin = {0, 0};
    if (!m_hWnd || !GetWindowRect(m_hWnd, &window) || !ClientToScreen(m_hWnd, &origin)) return {0, 0};
    return {origin.x - window.left, origin.y - window.top};
}

void cMenuBar::RepaintFrame() const {
    if (m_hWnd) SendMessageW(m_hWnd, WM_NCPAINT, 0, 0);
}

void cMenuBar::SetDownIndex(long i) {
    if (i == m_iDownIndex) return;
    m_iDownIndex = i;
    RepaintFrame();
}

void cMenuBar::StopPoll() {
    if (m_cTmr) m_cTmr->Interval(0);
}

void cMenuBar::OpenDropDown() {
    StopPoll();
    // A handler inside the menu loop may release this bar (a skin change) or its tracker (a
    // Detach); both stay alive until the loop has been left.
    const auto self = ObjectFromPtr<ISubclass>(this);
    const std::shared_ptr<cToolbarMenu> tracker = m_cToolbarMenu;
    if (tracker) tracker->TrackPopup(m_iDownIndex);
    RestoreMenus();
}

LRESULT cMenuBar::OnLButtonDown(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    // The button under the click itself, not wherever the pointer has got to since.
    const long i = HitTestPoint(GetMessagePos());
    SetDownIndex(i);
    if (i > 0) OpenDropDown();
    return result;
}

LRESULT cMenuBar::OnMouseMove(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = MSubclass::CallOldWindowProc(hWnd, iMsg, wParam, lParam);
    TrackHot();
    return result;
}

LRESULT cMenuBar::OnMenuChar(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (!(HIWORD(wParam) & MF_SYSMENU)) {
        const LRESULT answer = MenuChar(reinterpret_cast<HMENU>(lParam), LOWORD(wParam));
        if (answer > 0) return answer;
    }
    return MSubclass::CallOldWindowProc(m_hWnd, iMsg, wParam, lParam);
}

void cMenuBar::TrackHot() {
    const long h = HitTestCursor();
    if (h != m_iHotIndex) {
        m_iHotIndex = h;
        RepaintFrame();
    }
    if (!m_cTmr) m_cTmr = CTimer::Create();
    if (m_iHotIndex < 1 && m_iDownIndex < 1) {
        m_cTmr->Interval(0);
        return;
    }
    if (m_iDownIndex > 0 && !rt::PrimaryButtonHeld()) {
        m_iDownIndex = 0;
        RepaintFrame();
    }
    m_cTmr->Interval(kPollInterval);
}

COLORREF cMenuBar::TranslateColor(OLE_COLOR color, HPALETTE palette) {
    return rt::TranslateOleColor(color, CLR_INVALID, palette);
}

// --- Fonts -------------------------------------------------------------------------------------

HFONT cMenuBar::MenuFontHandle() { return FontHandle(m_fntMenu, m_menuFontCache); }

HFONT cMenuBar::SymbolFontHandle() { return FontHandle(m_fntSymbol, m_symbolFontCache); }

HFONT cMenuBar::FontHandle(const rt::FontRef& font, GdiFontCache& cache) {
    // Like the automation font's own handle: made once, made again only after a change.
    if (!cache.handle || cache.font != font.get() || cache.revision != font->Revision()) {
        cache.handle = rt::CreateGdiFont(*font, m_cMemDC->hDC());
        cache.font = font.get();
        cache.revision = font->Revision();
    }
    return cache.handle.get();
}

// --- Popup items -------------------------------------------------------------------------------

void cMenuBar::InitMenuPopup(HMENU hMenu) {
    const bool seen = RegisterMenu(hMenu);
    const HDC dc = m_cMemDC->hDC();
    rt::SelectGuard keptFont(dc, MenuFontHandle());
    int captionMax = 0;
    int shortcutMax = 0;
    RECT measured = {0, 0, 0, 0};
    const int n = GetMenuItemCount(hMenu);
    for (int p = 0; p < n; ++p) {
        int index = 0;
        if (!seen) {
            index = ReadAndStoreItem(hMenu, p, 0);
        } else {
            MENUITEMINFOW current = {};
            current.cbSize = sizeof(current);
            current.fMask = MIIM_TYPE | MIIM_DATA;
            GetMenuItemInfoW(hMenu, static_cast<UINT>(p), TRUE, &current);
            if (current.fType & MFT_OWNERDRAW) {
                index = static_cast<int>(current.dwItemData);
            } else {
                // Not found means the item was added while the loop runs: it is stored anew.
                index = ReadAndStoreItem(hMenu, p, m_store.FindItem(hMenu, p));
            }
        }
        if (!m_store.IsIndex(index)) continue;
        const PopupItem& item = m_store.Item(index);
        DrawTextW(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &measured, kMeasureFormat);
        captionMax = std::max(captionMax, static_cast<int>(measured.right - measured.left + 1));
        if (!item.shortcut.empty()) {
            DrawTextW(dc, item.shortcut.c_str(), static_cast<int>(item.shortcut.size()), &measured, kMeasureFormat);
            shortcutMax = std::max(shortcutMax, static_cast<int>(measured.right - measured.left + 1));
        }
        m_lItemHeight = measured.bottom - measured.top + 1;
    }
    m_store.SetColumnWidths(hMenu, captionMax, shortcutMax);
}

int cMenuBar::ReadAndStoreItem(HMENU menu, int position, int index) {
    MENUITEMINFOW record;
    const std::wstring shown = ReadShownText(menu, position, kItemRecordMask, record);
    const std::wstring whole = IsStringItem(record.fType) ? ReadWholeText(menu, position) : std::wstring();
    if (index >= 1) {
        m_store.StoreItem(index, menu, position, record, whole, shown);
    } else {
        index = m_store.AddItem(menu, position, record, whole, shown);
    }
    MakeOwnerDrawn(menu, position, record.fType, index);
    return index;
}

void cMenuBar::MakeOwnerDrawn(HMENU menu, int position, UINT fType, int index) {
    if (fType & MFT_OWNERDRAW) return;
    MENUITEMINFOW owner = {};
    owner.cbSize = sizeof(owner);
    owner.fMask = MIIM_TYPE | MIIM_DATA;
    owner.fType = fType | MFT_OWNERDRAW;
    owner.dwItemData = static_cast<ULONG_PTR>(index);
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &owner);
}

void cMenuBar::RestoreMenus() {
    for (int i = 1; i <= m_store.Count(); ++i) {
        const PopupItem& item = m_store.Item(i);
        MENUITEMINFOW record = m_store.RestoreRecord(i);
        record.fMask = kItemRecordMask;
        SetMenuItemInfoW(item.menu, static_cast<UINT>(item.position), TRUE, &record);
    }
    m_store.Clear();
}

LRESULT cMenuBar::MenuChar(HMENU menu, WORD character) {
    const int position = m_store.FindMnemonic(menu, MenuLayout::UpperChar(static_cast<wchar_t>(character)));
    if (position < 0) return 0;
    return MAKELRESULT(position, MNC_EXECUTE);
}

int cMenuBar::ItemIndexFor(UINT id, ULONG_PTR itemData) const {
    // The item data names the stored item exactly; identifiers repeat (every separator has
    // 0), so the identifier only serves items whose data is not ours.
    if (m_store.IsIndex(static_cast<LONG_PTR>(itemData)) &&
        m_store.Item(static_cast<int>(itemData)).record.wID == id)
        return static_cast<int>(itemData);
    return m_store.FindItemById(id);
}

LRESULT cMenuBar::MeasureItem(WPARAM wParam, LPARAM lParam) {
    auto* target = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    MEASUREITEMSTRUCT measure = *target;
    if (measure.CtlType != ODT_MENU) return MSubclass::CallOldWindowProc(m_hWnd, WM_MEASUREITEM, wParam, lParam);
    const int index = ItemIndexFor(measure.itemID, measure.itemData);
    if (m_store.IsIndex(index)) {
        const PopupItem& item = m_store.Item(index);
        measure.itemWidth = static_cast<UINT>(MenuLayout::PopupItemWidth(item.captionWidth, item.shortcutWidth));
        measure.itemHeight =
            static_cast<UINT>(MenuLayout::PopupItemHeight(item.record.fType & MFT_SEPARATOR, m_lItemHeight));
    }
    *target = measure;
    return 0;
}

LRESULT cMenuBar::DrawItem(WPARAM wParam, LPARAM lParam) {
    const DRAWITEMSTRUCT draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (draw.CtlType != ODT_MENU) return MSubclass::CallOldWindowProc(m_hWnd, WM_DRAWITEM, wParam, lParam);
    const int w = draw.rcItem.right - draw.rcItem.left;
    const int h = draw.rcItem.bottom - draw.rcItem.top;
    m_cMemDC->Width(w + 1);
    m_cMemDC->Height(h + 1);
    const HDC dc = m_cMemDC->hDC();
    {
        rt::SelectGuard keptFont(dc, MenuFontHandle());
        const RECT r = {0, 0, w, h};
        const RECT all = {0, 0, m_cMemDC->Width(), m_cMemDC->Height()};
        const rt::Brush background(CreateSolidBrush(TranslateColor(m_oBackgroundColor)));
        FillRect(dc, &all, background.get());
        SetBkMode(dc, TRANSPARENT);

        // The item as the menu holds it now; by position when the item data names our stored
        // item of this very menu (identifiers repeat), else by identifier.
        MENUITEMINFOW state = {};
        state.cbSize = sizeof(state);
        state.fMask = MIIM_STATE | MIIM_TYPE | MIIM_DATA;
        const HMENU menu = reinterpret_cast<HMENU>(draw.hwndItem);
        const int stored = ItemIndexFor(draw.itemID, draw.itemData);
        if (stored == static_cast<int>(draw.itemData) && m_store.IsIndex(stored) && m_store.Item(stored).menu == menu) {
            GetMenuItemInfoW(menu, static_cast<UINT>(m_store.Item(stored).position), TRUE, &state);
        } else {
            GetMenuItemInfoW(menu, draw.itemID, FALSE, &state);
        }

        if (state.fType & MFT_SEPARATOR) {
            RECT line = MenuLayout::SeparatorRect(w, h);
            DrawEdge(dc, &line, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
        } else {
            const bool radio = state.fType & MFT_RADIOCHECK;
            const bool disabled = (state.fState & kDisabledBits) == kDisabledBits;
            const bool checked = state.fState & MFS_CHECKED;
            const bool selected = state.fState & MFS_HILITE;
            SetTextColor(dc, TranslateColor(selected ? m_oActiveColorOver : m_oActiveColor));
            if (checked) {
                RECT box = MenuLayout::CheckBoxRect(w, h);
                DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
                rt::SelectGuard symbol(dc, SymbolFontHandle());
                DrawItemText(dc, radio ? kBulletGlyph : kCheckGlyph, box, disabled, kGlyphFormat);
            }
            const LONG_PTR index = static_cast<LONG_PTR>(state.dwItemData);
            if (m_store.IsIndex(index)) {
                const PopupItem& item = m_store.Item(static_cast<int>(index));
                RECT text = r;
                text.left = MenuLayout::kItemTextLeft;
                DrawItemText(dc, item.caption, text, disabled, kCaptionFormat);
                if (!item.shortcut.empty()) {
                    text.left = MenuLayout::ShortcutLeft(item.captionWidth);
                    DrawItemText(dc, item.shortcut, text, disabled, kCaptionFormat);
                }
            }
            if (selected && !disabled) {
                RECT frame = MenuLayout::SelectionFrameRect(w, h);
                DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
            }
        }
    }
    BitBlt(draw.hDC, draw.rcItem.left, draw.rcItem.top, w + 1, h + 1, dc, 0, 0, SRCCOPY);
    return 0;
}

void cMenuBar::DrawItemText(HDC dc, const std::wstring& text, RECT rc, bool disabled, UINT flags) {
    const int length = static_cast<int>(text.size());
    if (!disabled) {
        DrawTextW(dc, text.c_str(), length, &rc, flags);
        return;
    }
    // Embossed: a highlight copy one pixel right and down, the shadow text on top.
    SetTextColor(dc, TranslateColor(kOle3DHighlight));
    RECT moved = rc;
    OffsetRect(&moved, 1, 1);
    DrawTextW(dc, text.c_str(), length, &moved, flags);
    SetTextColor(dc, TranslateColor(kOle3DShadow));
    DrawTextW(dc, text.c_str(), length, &rc, flags);
}

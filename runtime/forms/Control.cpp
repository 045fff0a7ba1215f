#include "runtime/forms/Control.h"

#include <commctrl.h>

#include "runtime/forms/ControlContainer.h"
#include "runtime/forms/FocusHandOff.h"
#include "runtime/forms/Form.h"
#include "runtime/forms/OwnedStacking.h"
#include "runtime/gdi/Screen.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {


HCURSOR StandardCursor(MousePointer pointer) {
    switch (pointer) {
        case MousePointer::Arrow: return LoadCursorW(nullptr, IDC_ARROW);
        case MousePointer::Cross: return LoadCursorW(nullptr, IDC_CROSS);
        case MousePointer::IBeam: return LoadCursorW(nullptr, IDC_IBEAM);
        case MousePointer::Hourglass: return LoadCursorW(nullptr, IDC_WAIT);
        default: return nullptr;
    }
}

}  // namespace

HCURSOR CursorFor(MousePointer pointer, const PictureRef& icon) {
    if (pointer == MousePointer::Custom) return icon ? static_cast<HCURSOR>(icon->Icon()) : nullptr;
    return StandardCursor(pointer);
}

Control::Control() : WindowBinding(Role::Control) {}

Control::~Control() { Unbind(); }

Form* Control::ParentForm() const { return m_parent ? m_parent->OwningForm() : nullptr; }

bool Control::FormLoaded() const {
    const Form* form = ParentForm();
    return form && form->hWnd();
}

void Control::SetVisible(bool visible) {
    if (m_visible == visible) return;
    m_visible = visible;
    if (!visible) HandFocusOnFrom(m_hwnd);
    if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
    if (IsWindowless()) InvalidateInParent();
}

void Control::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) HandFocusOnFrom(m_hwnd);
    if (m_hwnd) EnableWindow(m_hwnd, enabled);
    if (IsWindowless()) InvalidateInParent();
}

void Control::Move(double left, std::optional<double> top, std::optional<double> width,
                   std::optional<double> height) {
    SetBounds(left, top.value_or(m_top), width.value_or(m_width), height.value_or(m_height));
}

void Control::SetBounds(double left, double top, double width, double height) {
    if (width < 0 || height < 0) rt::Raise(err::kInvalidPropertyValue);
    if (IsWindowless()) InvalidateInParent();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (m_hwnd) Reposition();
    if (IsWindowless()) InvalidateInParent();
}

void Control::Reposition() {
    const RECT r = PixelRect();
    MoveWindow(m_hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void Control::SetTabIndex(int index) {
    if (m_parent)
        m_parent->TabIndexChanged(*this, index);
    else
        m_tabIndex = index;
}

void Control::SetTabStop(bool stop) {
    m_tabStop = stop;
    if (!m_hwnd) return;
    LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    style = (stop && TakesFocus()) ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(m_hwnd, GWL_STYLE, style);
}

void Control::SetToolTipText(std::wstring text) {
    m_toolTip = std::move(text);
    RegisterToolTip();
}

void Control::RegisterToolTip() {
    Form* form = ParentForm();
    if (!m_hwnd || !form) return;
    HWND tip = m_toolTip.empty() && !form->m_toolTip ? nullptr : form->ToolTipWindow();
    if (!tip) return;
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(m_hwnd);
    info.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (m_toolTip.empty()) return;
    info.lpszText = const_cast<wchar_t*>(m_toolTip.c_str());
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Control::SetBackColor(OLE_COLOR color) {
    m_backColor = color;
    AppearanceChanged();
}

void Control::SetForeColor(OLE_COLOR color) {
    m_foreColor = color;
    AppearanceChanged();
}

FontRef Control::Font() {
    if (!m_font) {
        FontRef inherited = m_parent ? m_parent->ContainerFont() : nullptr;
        m_font = inherited ? inherited->Clone() : std::make_shared<StdFont>();
    }
    return m_font;
}

void Control::SetFont(FontRef font) {
    m_font = std::move(font);
    if (m_hwnd) ApplyFont();
    AppearanceChanged();
}

void Control::SetMousePointer(rt::MousePointer pointer) { m_mousePointer = pointer; }

void Control::SetMouseIcon(PictureRef icon) { m_mouseIcon = std::move(icon); }

void Control::SetFocus() {
    if (!m_hwnd || !TakesFocus() || !IsWindowVisible(m_hwnd) || !IsWindowEnabled(m_hwnd))
        rt::Raise(err::kInvalidProcedureCall);
    ::SetFocus(m_hwnd);
}

void Control::Refresh() {
    if (m_hwnd) {
        const FontRef font = Font();
        if (font.get() != m_gdiFontSource || font->Revision() != m_gdiFontRevision) ApplyFont();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        UpdateWindow(m_hwnd);
    } else if (IsWindowless() && m_parent && m_parent->ContainerWindow()) {
        InvalidateInParent();
        UpdateWindow(m_parent->ContainerWindow());
    }
}

RECT Control::PixelRect() const {
    const int x = TwipsToPixelsX(m_left);
    const int y = TwipsToPixelsY(m_top);
    return RECT{x, y, x + TwipsToPixelsX(m_width), y + TwipsToPixelsY(m_height)};
}

Control* Control::FromHwnd(HWND hwnd) {
    return static_cast<Control*>(Find(hwnd, Role::Control));
}

HWND Control::CreateHwnd(HWND, const RECT&, int) { return nullptr; }

bool Control::HitTest(POINT pixels) const {
    const RECT r = PixelRect();
    return PtInRect(&r, pixels) != FALSE;
}

std::optional<LRESULT> Control::OnControlColor(HDC dc) {
    SetTextColor(dc, ForeRgb());
    SetBkColor(dc, BackRgb());
    return reinterpret_cast<LRESULT>(BackBrush());
}

void Control::AppearanceChanged() {
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, TRUE);
    else if (IsWindowless())
        InvalidateInParent();
}

HBRUSH Control::BackBrush() {
    const COLORREF color = BackRgb();
    if (!m_backBrush || m_backBrushColor != color) {
        m_backBrush.reset(CreateSolidBrush(color));
        m_backBrushColor = color;
    }
    return m_backBrush.get();
}

HFONT Control::GdiFont() {
    const FontRef font = Font();
    if (!m_gdiFont || font.get() != m_gdiFontSource || font->Revision() != m_gdiFontRevision) {
        WindowDC screen(nullptr);
        m_gdiFont = CreateGdiFont(*font, screen.get());
        m_gdiFontSource = font.get();
        m_gdiFontRevision = font->Revision();
    }
    return m_gdiFont.get();
}

void Control::ApplyFont() {
    if (!m_hwnd) return;
    // Build the new font before the window lets go of the old one.
    const FontRef font = Font();
    WindowDC screen(nullptr);
    rt::Font fresh = CreateGdiFont(*font, screen.get());
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fresh.get()), TRUE);
    m_gdiFont = std::move(fresh);
    m_gdiFontSource = font.get();
    m_gdiFontRevision = font->Revision();
}

void Control::UseClassicLook(HWND hwnd) {
    // uxtheme is loaded on demand: the program links no import of it.
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const auto setWindowTheme = [] {
        HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
        return uxtheme ? reinterpret_cast<SetWindowThemeFn>(
                             reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))
                       : nullptr;
    }();
    if (setWindowTheme && hwnd) setWindowTheme(hwnd, L"", L"");
}

void Control::Create(HWND parentWindow, int id) {
    m_id = id;
    if (!IsWindowless()) {
        HWND hwnd = CreateHwnd(parentWindow, PixelRect(), id);
        if (!hwnd) rt::Raise(err::kInvalidProcedureCall, {}, L"无法创建控件 " + m_name + L" 的窗口");
        m_hwnd = hwnd;
        Bind(hwnd);
        SetTabStop(m_tabStop);
        ApplyFont();
        if (!m_enabled) EnableWindow(hwnd, FALSE);
        RegisterToolTip();
    }
    Created();
    if (m_hwnd) ShowWindow(m_hwnd, m_visible ? SW_SHOWNA : SW_HIDE);
}

void Control::WindowDestroyed() {
    m_hwnd = nullptr;
    Destroyed();
}

void Control::InvalidateInParent() const {
    if (!m_parent) return;
    HWND parent = m_parent->ContainerWindow();
    if (!parent) return;
    RECT r = PixelRect();
    InflateRect(&r, 1, 1);  // thick borders and antialiased edges reach a pixel out
    InvalidateRect(parent, &r, TRUE);
}

bool Control::ApplyCursor() {
    if (m_mousePointer == MousePointer::Default) return false;
    HCURSOR cursor = CursorFor(m_mousePointer, m_mouseIcon);
    if (!cursor) return false;
    ::SetCursor(cursor);
    return true;
}

LRESULT Control::WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HandlerScope scope(ParentForm());
    if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT &&
        ApplyCursor())
        return TRUE;
    if (msg == WM_SETFOCUS)
        if (Form* form = ParentForm(); form && form->hWnd()) stacking::FocusMoved(form->hWnd());
    if (msg != WM_NCDESTROY)
        if (auto handled = OnMessage(msg, wParam, lParam)) return *handled;
    return NextProcedure(hwnd, msg, wParam, lParam);
}

void Control::WindowGone() {
    HandlerScope scope(ParentForm());
    WindowDestroyed();
}

}  // namespace rt

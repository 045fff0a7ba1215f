#include "runtime/forms/ControlContainer.h"

#include <windowsx.h>

#include <algorithm>

#include "runtime/gdi/BufferedPaint.h"
#include "runtime/forms/WindowBinding.h"

namespace rt {

ControlContainer::~ControlContainer() = default;

void ControlContainer::Adopt(Control& control, std::wstring name) {
    control.m_name = std::move(name);
    control.m_parent = this;
    control.m_tabIndex = static_cast<int>(m_controls.size());
    m_controls.push_back(&control);
    if (HWND window = ContainerWindow()) {
        control.Create(window, m_nextId++);
        ApplyTabOrder();
    }
}

void ControlContainer::CreateControls() {
    HWND window = ContainerWindow();
    std::vector<Control*> order = m_controls;
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->m_tabIndex < b->m_tabIndex; });
    for (Control* control : m_controls) control->m_id = m_nextId++;
    // Children are created in tab order: a new child goes to the bottom of the z-order, and
    // dialog navigation walks the z-order from the top.
    for (Control* control : order) control->Create(window, control->m_id);
    ApplyTabOrder();
}

void ControlContainer::ControlsDestroyed() {
    for (Control* control : m_controls)
        if (control->m_hwnd) control->WindowDestroyed();
    m_pressed = nullptr;
}

void ControlContainer::TabIndexChanged(Control& control, int newIndex) {
    std::vector<Control*> order = m_controls;
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->m_tabIndex < b->m_tabIndex; });
    order.erase(std::find(order.begin(), order.end(), &control));
    newIndex = std::clamp(newIndex, 0, static_cast<int>(order.size()));
    order.insert(order.begin() + newIndex, &control);
    for (size_t i = 0; i < order.size(); ++i) order[i]->m_tabIndex = static_cast<int>(i);
    ApplyTabOrder();
}

void ControlContainer::ApplyTabOrder() {
    std::vector<Control*> order;
    for (Control* control : m_controls)
        if (control->m_hwnd) order.push_back(control);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->m_tabIndex < b->m_tabIndex; });
    HWND after = HWND_TOP;
    bool previousJoinable = false;
    for (Control* control : order) {
        SetWindowPos(control->m_hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = control->m_hwnd;
        // Arrow keys move within a group that starts at a WS_GROUP window.
        const bool joins = control->JoinsPreviousGroup();
        LONG_PTR style = GetWindowLongPtrW(control->m_hwnd, GWL_STYLE);
        style = (joins && previousJoinable) ? (style & ~static_cast<LONG_PTR>(WS_GROUP)) : (style | WS_GROUP);
        SetWindowLongPtrW(control->m_hwnd, GWL_STYLE, style);
        previousJoinable = joins;
    }
}

void ControlContainer::PaintWindowlessControls(HDC dc) {
    for (Control* control : m_controls) {
        if (!control->IsWindowless() || !control->m_visible) continue;
        const int saved = SaveDC(dc);
        control->PaintWindowless(dc);
        RestoreDC(dc, saved);
    }
}

Control* ControlContainer::WindowlessAt(POINT pixels) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        Control* control = *it;
        if (control->IsWindowless() && control->m_visible && control->m_enabled && control->HitTest(pixels))
            return control;
    }
    return nullptr;
}

namespace {

// The control behind a WM_CTLCOLOR* window: the control itself, or the control whose inner
// window it is (the edit box of a combo box).
Control* ColorTarget(HWND hwnd) {
    if (Control* control = Control::FromHwnd(hwnd)) return control;
    return Control::FromHwnd(GetParent(hwnd));
}

}  // namespace

std::optional<LRESULT> ControlContainer::ContainerMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (Control* c = Control::FromHwnd(reinterpret_cast<HWND>(lParam))) return c->OnCommand(HIWORD(wParam));
            return std::nullopt;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (Control* c = Control::FromHwnd(header->hwndFrom)) return c->OnNotify(*header);
            return std::nullopt;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            if (Control* c = ColorTarget(reinterpret_cast<HWND>(lParam)))
                return c->OnControlColor(reinterpret_cast<HDC>(wParam));
            return std::nullopt;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU) return std::nullopt;
            if (Control* c = Control::FromHwnd(item->hwndItem)) return c->OnDrawItem(*item);
            return std::nullopt;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (Control* c = Control::FromHwnd(reinterpret_cast<HWND>(lParam)))
                return c->OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return std::nullopt;
        case WM_TIMER:
            for (Control* control : m_controls)
                if (control->m_id == static_cast<int>(wParam)) {
                    control->OnTimer();
                    return 0;
                }
            return std::nullopt;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE:
            return WindowlessMouse(msg, wParam, lParam);
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT && WindowlessCursor(hwnd))
                return TRUE;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> ControlContainer::WindowlessMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Control* target = WindowlessAt(point);
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) m_pressed = target;
    if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) {
        // A release belongs to the control that saw the press, wherever it happens.
        if (m_pressed) target = m_pressed;
        m_pressed = nullptr;
    }
    if (!target) return std::nullopt;
    target->WindowlessMouse(msg, point, wParam);
    return 0;
}

bool ControlContainer::WindowlessCursor(HWND hwnd) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(hwnd, &point);
    Control* control = WindowlessAt(point);
    return control && control->ApplyCursor();
}

void ControlContainer::PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT&)>& paint) {
    PaintDC target(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    rt::PaintBuffered(target.get(), client, target.paint().rcPaint, [&](HDC dc) {
        paint(dc, client);
        PaintWindowlessControls(dc);
    });
}

HWND ControlContainer::CreateContainerWindow(HWND parent, const RECT& r, int id, DWORD style, DWORD exStyle) {
    static const wchar_t kClass[] = L"LumescaContainer";
    // The owning control binds the window once it is made.
    RegisterWindowClass(kClass, CS_DBLCLKS);
    return CreateWindowExW(exStyle | WS_EX_CONTROLPARENT, kClass, L"",
                           WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace rt

#include "controls/ControlWindow.h"

#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
void RegisterOnce(const wchar_t* className, UINT classStyle, WNDPROC proc) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}
}  // namespace

ControlWindow::~ControlWindow() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        // The derived part is gone already: no message may reach it while the window dies.
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void ControlWindow::CreateChild(const wchar_t* className, UINT classStyle, HWND parent, const RECT& rect, int id,
                                DWORD style, DWORD exStyle) {
    RegisterOnce(className, classStyle, &ControlWindow::Proc);
    const HWND created = CreateWindowExW(
        exStyle, className, L"", style | WS_CHILD, rect.left, rect.top, RectWidth(rect), RectHeight(rect), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    if (!created) rt::Raise(rt::err::kInvalidProcedureCall, {}, L"Can't create control window");
}

void ControlWindow::Move(int x, int y, int width, int height) {
    if (m_hwnd) MoveWindow(m_hwnd, x, y, width, height, TRUE);
}

void ControlWindow::SetVisible(bool visible) {
    if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool ControlWindow::Visible() const { return m_hwnd && (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_VISIBLE); }

void ControlWindow::SetEnabled(bool enabled) {
    if (m_hwnd) EnableWindow(m_hwnd, enabled);
}

bool ControlWindow::Enabled() const { return m_hwnd && IsWindowEnabled(m_hwnd); }

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return rt::GuardCallback([&]() -> LRESULT {
        if (message == WM_NCCREATE) {
            auto* created = static_cast<ControlWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            created->m_hwnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
        auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            const LRESULT result = self->HandleMessage(message, wParam, lParam);
            self->m_hwnd = nullptr;
            return result;
        }
        return self->HandleMessage(message, wParam, lParam);
    });
}

}  // namespace ctl

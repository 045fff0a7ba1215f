#include "controls/ControlHost.h"

#include "runtime/core/RuntimeError.h"

namespace ctl {

namespace {
constexpr wchar_t kHostClassName[] = L"LumescaControlHost";
}  // namespace

void ControlHost::CreateHosted(HWND parent, const RECT& rect, int id, const wchar_t* innerClass, DWORD innerStyle) {
    // WS_EX_CONTROLPARENT lets the dialog manager's Tab walk reach the control inside.
    CreateChild(kHostClassName, 0, parent, rect, id, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    RECT client;
    GetClientRect(hwnd(), &client);
    m_inner = CreateWindowExW(0, innerClass, L"", innerStyle | WS_CHILD | WS_VISIBLE, 0, 0, RectWidth(client),
                              RectHeight(client), hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!m_inner) rt::Raise(rt::err::kInvalidProcedureCall, {}, L"无法创建通用控件");
}

LRESULT ControlHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (m_inner) MoveWindow(m_inner, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (m_inner) SetFocus(m_inner);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
    case WM_GETFONT:
        // The font a form gives the control is the inner control's.
        return m_inner ? SendMessageW(m_inner, message, wParam, lParam) : 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        // The control sits on the form: the form decides its background, asked about the
        // host, which is the window it knows.
        if (const HWND parent = GetParent(hwnd())) {
            return SendMessageW(parent, message, wParam, reinterpret_cast<LPARAM>(hwnd()));
        }
        return ControlWindow::HandleMessage(message, wParam, lParam);
    case WM_NCDESTROY: m_inner = nullptr; return ControlWindow::HandleMessage(message, wParam, lParam);
    default: return ControlWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace ctl

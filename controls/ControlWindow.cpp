#include "controls/ControlWindow.h"

#include "runtime/gdi/BufferedPaint.h"
#include "runtime/forms/FocusHandOff.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/core/RuntimeError.h"

namespace ctl {

ControlWindow::~ControlWindow() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        // The derived part is gone already: no message may reach it while the window dies.
        const HWND hwnd = m_hwnd;
        Unbind();
        m_hwnd = nullptr;
        DestroyWindow(hwnd);
    }
}

void ControlWindow::CreateChild(const wchar_t* className, UINT classStyle, HWND parent, const RECT& rect, int id,
                                DWORD style, DWORD exStyle) {
    rt::RegisterWindowClass(className, classStyle);
    const HWND created =
        CreateBoundWindow(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, rect.left, rect.top,
                          RectWidth(rect), RectHeight(rect), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    if (!created) rt::Raise(rt::err::kInvalidProcedureCall, {}, L"无法创建控件窗口");
}

void ControlWindow::Move(int x, int y, int width, int height) {
    if (m_hwnd) MoveWindow(m_hwnd, x, y, width, height, TRUE);
}

void ControlWindow::SetVisible(bool visible) {
    if (!visible) rt::HandFocusOnFrom(m_hwnd);
    if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool ControlWindow::Visible() const { return m_hwnd && (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_VISIBLE); }

void ControlWindow::SetEnabled(bool enabled) {
    if (!enabled) rt::HandFocusOnFrom(m_hwnd);
    if (m_hwnd) EnableWindow(m_hwnd, enabled);
}

bool ControlWindow::Enabled() const { return m_hwnd && IsWindowEnabled(m_hwnd); }

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return NextProcedure(m_hwnd, message, wParam, lParam);
}

void ControlWindow::PaintClient(HDC target) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    const auto draw = [&](HDC dc) { Draw(dc, client); };
    if (target) {
        rt::PaintBuffered(target, client, client, draw);
    } else {
        rt::PaintDC paint(m_hwnd);
        rt::PaintBuffered(paint.get(), client, client, draw);
    }
}

LRESULT ControlWindow::WindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleMessage(message, wParam, lParam);
}

}  // namespace ctl

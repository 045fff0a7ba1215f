#include "tests/support/TestWindow.h"

namespace testing_support {

namespace {
constexpr wchar_t kClassName[] = L"LumescaTestWindow";

void RegisterOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    wc.style = CS_DBLCLKS;
    RegisterClassExW(&wc);
    done = true;
}
}  // namespace

TestWindow::TestWindow(WindowOptions options, MessageHandler handler) : m_handler(std::move(handler)) {
    RegisterOnce();
    m_brush = CreateSolidBrush(options.background);
    m_hwnd = CreateWindowExW(options.exStyle, kClassName, options.caption.c_str(), options.style, options.x,
                             options.y, options.width, options.height, nullptr, options.menu,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetClassLongPtrW(m_hwnd, GCLP_HBRBACKGROUND, 0);
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindow::Proc));
    if (options.show) {
        ShowWindow(m_hwnd, SW_SHOW);
        UpdateWindow(m_hwnd);
    }
}

TestWindow::~TestWindow() {
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    if (m_brush) DeleteObject(m_brush);
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        self->m_received.push_back(msg);
        if (self->m_handler) {
            if (auto result = self->m_handler(hwnd, msg, wParam, lParam)) return *result;
        }
        if (msg == WM_ERASEBKGND) {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, self->m_brush);
            return 1;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace testing_support

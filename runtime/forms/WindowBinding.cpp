#include "runtime/forms/WindowBinding.h"

#include <commctrl.h>

#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {
UINT_PTR IdOf(WindowBinding::Role role) { return static_cast<UINT_PTR>(role); }
}  // namespace

// The procedure of the classes registered without one of their own: binds the window being
// created to the object CreateBoundWindow passed, before any later message reaches it.
LRESULT CALLBACK BoundClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback([&]() -> LRESULT {
        if (message == WM_NCCREATE) {
            auto* object = static_cast<WindowBinding*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            // A window that can't be bound is not made at all.
            if (object && !object->TryBind(hwnd)) return FALSE;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    });
}

WindowBinding::~WindowBinding() { Unbind(); }

WindowBinding* WindowBinding::Find(HWND hwnd, Role role) {
    // A window of another process (WindowFromPoint and the foreground window can give one)
    // carries that process's addresses: its subclass record must not be read here.
    DWORD process = 0;
    if (!hwnd || !GetWindowThreadProcessId(hwnd, &process) || process != GetCurrentProcessId()) return nullptr;
    DWORD_PTR object = 0;
    if (!GetWindowSubclass(hwnd, &WindowBinding::Proc, IdOf(role), &object)) return nullptr;
    return reinterpret_cast<WindowBinding*>(object);
}

HWND WindowBinding::CreateBoundWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                                      int x, int y, int width, int height, HWND parent, HMENU menu) {
    return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu,
                           GetModuleHandleW(nullptr), this);
}

void WindowBinding::Bind(HWND hwnd) {
    if (!TryBind(hwnd)) Raise(err::kInvalidProcedureCall, {}, L"无法连接到窗口");
}

bool WindowBinding::TryBind(HWND hwnd) {
    if (!SetWindowSubclass(hwnd, &WindowBinding::Proc, IdOf(m_role), reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_bound = hwnd;
    WindowBound(hwnd);
    return true;
}

void WindowBinding::Unbind() {
    if (!m_bound) return;
    // The entry stays in the chain, passing everything on, until the window goes: removing it
    // while another subclasser sits above it could unhook that one too.
    SetWindowSubclass(m_bound, &WindowBinding::Proc, IdOf(m_role), 0);
    m_bound = nullptr;
}

LRESULT WindowBinding::WindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return NextProcedure(hwnd, message, wParam, lParam);
}

LRESULT WindowBinding::NextProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowBinding::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR role,
                                     DWORD_PTR object) {
    return GuardCallback([&]() -> LRESULT {
        auto* self = reinterpret_cast<WindowBinding*>(object);
        if (message == WM_NCDESTROY) return Destroyed(hwnd, wParam, lParam, role, self);
        // Nothing of the object is touched after its handler: the handler may delete it.
        return self ? self->WindowMessage(hwnd, message, wParam, lParam)
                    : DefSubclassProc(hwnd, message, wParam, lParam);
    });
}

LRESULT WindowBinding::Destroyed(HWND hwnd, WPARAM wParam, LPARAM lParam, UINT_PTR role, WindowBinding* object) {
    const LRESULT result = object ? object->WindowMessage(hwnd, WM_NCDESTROY, wParam, lParam)
                                  : DefSubclassProc(hwnd, WM_NCDESTROY, wParam, lParam);
    // The handler may have let go of the window (or deleted the object, which lets go).
    DWORD_PTR stillBound = 0;
    GetWindowSubclass(hwnd, &WindowBinding::Proc, role, &stillBound);
    RemoveWindowSubclass(hwnd, &WindowBinding::Proc, role);
    if (object && stillBound == reinterpret_cast<DWORD_PTR>(object)) {
        object->m_bound = nullptr;
        object->WindowGone();
    }
    return result;
}

ATOM RegisterWindowClass(const wchar_t* name, UINT style, WNDPROC proc) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (const ATOM existing = static_cast<ATOM>(GetClassInfoExW(instance, name, &wc))) return existing;
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = proc ? proc : &BoundClassProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExW(&wc);
}

}  // namespace rt

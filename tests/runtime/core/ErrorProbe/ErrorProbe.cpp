// A tiny program for the fatal-report tests: its window procedure raises a run-time error
// when it receives WM_APP, the way a handler of the program would.
//   error_probe standard   -> error 13, Type mismatch
//   error_probe object     -> object error 13082 with a source
//   error_probe quiet      -> no error; exits 0 when its window is closed
#include <windows.h>

#include <string>

#include "runtime/core/RuntimeError.h"

namespace {

std::wstring g_mode;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return rt::GuardCallback([&]() -> LRESULT {
        if (msg == WM_APP) {
            if (g_mode == L"standard") rt::Raise(rt::err::kTypeMismatch);
            if (g_mode == L"object")
                rt::Raise(rt::kObjectError | 13082, rt::AppName() + L".WindowProc",
                          L"Message already handled by another class");
            return 0;
        }
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    });
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
    g_mode = cmdLine;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ErrorProbe";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"ErrorProbe", L"Error probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                              nullptr, nullptr, instance, nullptr);
    PostMessageW(hwnd, WM_APP, 0, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

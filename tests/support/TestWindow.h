#pragma once
// A real top-level window for a test: created in the constructor, destroyed in the destructor.
// An optional handler sees every message first; returning a value claims it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

using MessageHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

struct WindowOptions {
    std::wstring caption = L"Test window";
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = 100, y = 100, width = 400, height = 300;  // whole window, pixels
    COLORREF background = RGB(255, 255, 255);
    bool show = true;
    HMENU menu = nullptr;
};

class TestWindow {
public:
    explicit TestWindow(WindowOptions options = {}, MessageHandler handler = {});
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    void SetHandler(MessageHandler handler) { m_handler = std::move(handler); }
    // Messages the window received, in order (only numbers), for dispatch tests.
    const std::vector<UINT>& Received() const { return m_received; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    HBRUSH m_brush = nullptr;
    MessageHandler m_handler;
    std::vector<UINT> m_received;
};

}  // namespace testing_support

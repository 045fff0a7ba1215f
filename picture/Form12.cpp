#include "picture/Form12.h"

#include <commctrl.h>

#include "app/ArtResources.h"
#include "resources/ArtIds.h"

namespace {

constexpr UINT_PTR kSmallSizeSubclass = 0x4632;

// The picture player sizes this view from its picture, and a small picture asks for a window
// narrower than the system's least tracking size, which would otherwise widen it. The least
// size is the frame alone: caption and borders with an empty client area.
LRESULT CALLBACK AllowSmallSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (msg == WM_GETMINMAXINFO) {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), GetMenu(hwnd) != nullptr,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return result;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, AllowSmallSize, id);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

Form12::Form12() {
    Caption(L"图片原图").ClientSize(9120, 9465).StartUpPosition(rt::StartUpPosition::CenterScreen);
    Icon(app::ResourceIcon(IDI_FORM12));
}

void Form12::Form_Load() { SetWindowSubclass(hWnd(), AllowSmallSize, kSmallSizeSubclass, 0); }

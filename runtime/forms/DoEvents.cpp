#include "runtime/forms/DoEvents.h"

#include <windows.h>

#include "runtime/forms/Forms.h"

namespace rt {

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // The same keyboard navigation as the message loop, so Tab works during busy loops.
        if (Forms::TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace rt

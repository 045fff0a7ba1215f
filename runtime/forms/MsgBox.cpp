#include "runtime/forms/MsgBox.h"

#include "runtime/forms/DialogOwner.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

HWND ModalOwner() {
    HWND active = GetActiveWindow();
    return active && IsWindowVisible(active) ? active : nullptr;
}

int MsgBox(const std::wstring& prompt, UINT buttons, const std::wstring& title) {
    const std::wstring caption = title.empty() ? AppName() : title;
    HWND owner = ModalOwner();
    // Without an active form the box still disables every window of the program.
    const UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
    return ShowOwnedDialog(owner, [&] { return MessageBoxW(owner, prompt.c_str(), caption.c_str(), buttons | modality); });
}

}  // namespace rt

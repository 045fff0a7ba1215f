#pragma once
// The platform's modal dialogs (message box, input box, open, save, colour) hang on an owner
// window and go with it: when the owner is destroyed while one is up, as when the user closes
// the main window, the dialog's call returns as if the user had cancelled. That is no
// answer of the user's, and the handler that asked must not act on it (a "choose again"
// message on an empty desktop). ShowOwnedDialog runs such a call and raises HandlerAbandoned
// instead: before the call when the program is already ending, and after it when the owner
// went or the program began to end meanwhile.
//
//     const BOOL chosen = rt::ShowOwnedDialog(record.hwndOwner, [&] { return ChooseColorW(&record); });
#include <windows.h>

#include "runtime/forms/Forms.h"
#include "runtime/core/HandlerAbandoned.h"

namespace rt {

// True when a dialog hung on owner (nullptr: none) can give no answer that counts: the program
// is ending, or the owner window is gone.
inline bool ProgramEndingOrOwnerGone(HWND owner) { return Forms::Ending() || (owner && !IsWindow(owner)); }

template <class Show>
auto ShowOwnedDialog(HWND owner, Show&& show) -> decltype(show()) {
    if (ProgramEndingOrOwnerGone(owner)) throw HandlerAbandoned();
    auto answer = show();
    if (ProgramEndingOrOwnerGone(owner)) throw HandlerAbandoned();
    return answer;
}

}  // namespace rt

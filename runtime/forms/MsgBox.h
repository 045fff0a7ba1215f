#pragma once
// The message box: a prompt with a button set and an icon (the MB_* values: MB_OK,
// MB_YESNO | MB_ICONQUESTION, ...), titled with the application name unless a title is given.
// Returns the chosen button: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No. It is
// modal to the program: the active form is its owner and stays disabled until it closes. A box
// that goes with its owner, or one asked for while the program ends, raises HandlerAbandoned
// (see DialogOwner.h).
#include <windows.h>

#include <string>

namespace rt {

int MsgBox(const std::wstring& prompt, UINT buttons = MB_OK, const std::wstring& title = {});

// The window a modal box of the program hangs on: the thread's active window, if any.
HWND ModalOwner();

}  // namespace rt

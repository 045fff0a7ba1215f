#pragma once
// The open and save dialogs, through the system's own (GetOpenFileNameW/GetSaveFileNameW):
// a title, a filter written "description|pattern|description|pattern", an initial folder,
// a file name handed in and back, the dialog flags, and, when CancelError is set, a cancel
// reported as run-time error 32755 "Cancel was selected.". A dialog that goes with its owner
// is no cancel: it raises rt::HandlerAbandoned (see runtime/forms/DialogOwner.h).
#include <windows.h>

#include <string>

namespace ctl {

// The system's filter form: each description and pattern ended by a NUL, the whole list ended
// by a second NUL. An empty filter gives an empty list (no file-type box).
std::wstring FilterToDoubleNul(const std::wstring& filter);

class CommonDialog {
public:
    CommonDialog() = default;

    std::wstring DialogTitle;
    std::wstring Filter;
    std::wstring InitDir;
    // Handed to the dialog as its first name; holds the chosen path afterwards, and is empty
    // after a cancel.
    std::wstring FileName;
    // OFN_* flags; the explorer-style dialog is always asked for.
    DWORD Flags = 0;
    bool CancelError = false;
    // The dialog's owner window; nullptr: the window active when the dialog opens (the form
    // whose control asked for it).
    HWND Owner = nullptr;

    void ShowOpen();
    void ShowSave();

private:
    void Show(bool save);
};

}  // namespace ctl

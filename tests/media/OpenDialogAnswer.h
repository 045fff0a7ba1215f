#pragma once
// Answers the next open dialog of this thread through the dialog's own window, from a thread
// timer that runs inside the dialog's modal loop: it notes the folder the dialog shows, then
// types a file name and presses Open, or cancels.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>

namespace media_tests {

struct OpenDialogAnswer {
    std::wstring file;  // typed into the name box; empty: Cancel
    bool shown = false;
    std::wstring folder;  // the folder the dialog showed
};

inline OpenDialogAnswer*& PendingAnswer() {
    static OpenDialogAnswer* answer = nullptr;
    return answer;
}

inline BOOL CALLBACK FindOpenDialog(HWND hwnd, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (!IsWindowVisible(hwnd) || std::wstring(cls) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

inline HWND VisibleOpenDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOpenDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

inline void CALLBACK AnswerWhenShown(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND dialog = VisibleOpenDialog();
    OpenDialogAnswer* answer = PendingAnswer();
    if (!dialog || !answer) return;
    KillTimer(nullptr, id);
    PendingAnswer() = nullptr;
    answer->shown = true;
    wchar_t folder[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    answer->folder = folder;
    if (answer->file.empty()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND nameBox = GetDlgItem(dialog, cmb13);
    if (!nameBox) nameBox = GetDlgItem(dialog, edt1);
    SetWindowTextW(nameBox, answer->file.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Runs open (which may show the dialog) and answers the dialog with file ("" cancels).
inline OpenDialogAnswer AnswerOpenDialog(const std::function<void()>& open, std::wstring file) {
    OpenDialogAnswer answer;
    answer.file = std::move(file);
    PendingAnswer() = &answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerWhenShown);
    open();
    KillTimer(nullptr, timer);
    PendingAnswer() = nullptr;
    return answer;
}

}  // namespace media_tests

#include "runtime/forms/InputBox.h"

#include <windows.h>

#include <vector>

#include "runtime/forms/DialogOwner.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/RuntimeError.h"

namespace rt {

namespace {

// Layout in dialog units: the prompt at the top left, 确定 and 取消 at the right, the edit
// field across the bottom.
constexpr short kDialogWidth = 260;
constexpr short kDialogHeight = 96;
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kEditHeight = 12;
constexpr wchar_t kDialogFont[] = L"MS Shell Dlg";
constexpr short kDialogFontSize = 9;

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// Builds a DLGTEMPLATE with its items in memory (WORD-aligned, items DWORD-aligned).
class TemplateBuilder {
public:
    void Dialog(DWORD style, short cx, short cy, const std::wstring& title, WORD items) {
        AddDword(style);
        AddDword(0);  // extended style
        Add(items);
        Add(0);  // x
        Add(0);  // y
        Add(static_cast<WORD>(cx));
        Add(static_cast<WORD>(cy));
        Add(0);  // no menu
        Add(0);  // standard class
        AddText(title);
        Add(static_cast<WORD>(kDialogFontSize));
        AddText(kDialogFont);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atomClass, const std::wstring& text) {
        if (m_words.size() % 2) Add(0);  // DWORD alignment
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        Add(static_cast<WORD>(x));
        Add(static_cast<WORD>(y));
        Add(static_cast<WORD>(cx));
        Add(static_cast<WORD>(cy));
        Add(id);
        Add(0xFFFF);
        Add(atomClass);
        AddText(text);
        Add(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Add(WORD w) { m_words.push_back(w); }
    void AddDword(DWORD d) {
        Add(LOWORD(d));
        Add(HIWORD(d));
    }
    void AddText(const std::wstring& text) {
        for (wchar_t c : text) Add(static_cast<WORD>(c));
        Add(0);
    }
    std::vector<WORD> m_words;
};

struct InputState {
    const std::wstring* prompt;
    const std::wstring* defaultText;
    std::wstring result;
};

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR CALLBACK InputProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    return GuardCallback([&]() -> INT_PTR {
        switch (msg) {
            case WM_INITDIALOG: {
                SetWindowLongPtrW(dialog, DWLP_USER, lParam);
                auto* state = reinterpret_cast<InputState*>(lParam);
                SetDlgItemTextW(dialog, kInputBoxPromptId, state->prompt->c_str());
                HWND edit = GetDlgItem(dialog, kInputBoxEditId);
                SetWindowTextW(edit, state->defaultText->c_str());
                SendMessageW(edit, EM_SETSEL, 0, -1);
                SetFocus(edit);
                return FALSE;  // the focus is set
            }
            case WM_COMMAND: {
                auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                if (LOWORD(wParam) == IDOK) {
                    state->result = WindowText(GetDlgItem(dialog, kInputBoxEditId));
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            }
            default: return FALSE;
        }
    });
}

}  // namespace

std::wstring InputBox(const std::wstring& prompt, const std::wstring& title, const std::wstring& defaultText) {
    const short promptWidth = kDialogWidth - 3 * kMargin - kButtonWidth;
    const short buttonX = kDialogWidth - kMargin - kButtonWidth;
    const short editY = kDialogHeight - kMargin - kEditHeight;
    TemplateBuilder builder;
    builder.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, kDialogWidth,
                   kDialogHeight, title.empty() ? AppName() : title, 4);
    builder.Item(SS_LEFT | SS_NOPREFIX, kMargin, kMargin, promptWidth, editY - 2 * kMargin, kInputBoxPromptId,
                 kStaticClass, L"");
    builder.Item(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, buttonX, kMargin, kButtonWidth, kButtonHeight, IDOK,
                 kButtonClass, L"确定");
    builder.Item(BS_PUSHBUTTON | WS_TABSTOP, buttonX, kMargin + kButtonHeight + 4, kButtonWidth, kButtonHeight,
                 IDCANCEL, kButtonClass, L"取消");
    builder.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, kMargin, editY, kDialogWidth - 2 * kMargin,
                 kEditHeight, kInputBoxEditId, kEditClass, L"");
    InputState state{&prompt, &defaultText, {}};
    HWND owner = ModalOwner();
    const INT_PTR answer = ShowOwnedDialog(owner, [&] {
        return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), builder.Get(), owner, InputProc,
                                       reinterpret_cast<LPARAM>(&state));
    });
    return answer == IDOK ? state.result : std::wstring();
}

}  // namespace rt

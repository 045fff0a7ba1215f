#include "tests/support/DialogAnswers.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>

#include "runtime/forms/InputBox.h"
#include "tests/support/ChildProcess.h"

namespace testing_support {

namespace {

constexpr UINT kPollMs = 40;
constexpr wchar_t kAnsweredProp[] = L"testing_support.answered";
// The colour dialog's red, green and blue boxes.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;
DialogAnswers* g_active = nullptr;

bool HasClass(HWND hwnd, const wchar_t* name) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    return CompareStringOrdinal(cls, -1, name, -1, TRUE) == CSTR_EQUAL;
}

// Skips dialogs already answered: a posted answer leaves them up for a tick or two.
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
    if (!IsWindowVisible(hwnd) || !HasClass(hwnd, L"#32770") || GetPropW(hwnd, kAnsweredProp)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

BOOL CALLBACK FindAnyDialog(HWND hwnd, LPARAM found) {
    if (!IsWindowVisible(hwnd) || !HasClass(hwnd, L"#32770")) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

BOOL CALLBACK NoteButton(HWND hwnd, LPARAM ids) {
    if (HasClass(hwnd, L"Button") && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<int>*>(ids)->push_back(GetDlgCtrlID(hwnd));
    return TRUE;
}

bool IsFileDialog(HWND dialog) { return GetDlgItem(dialog, cmb1) && (GetDlgItem(dialog, cmb13) || GetDlgItem(dialog, edt1)); }

SeenDialog Describe(HWND dialog) {
    SeenDialog seen{WindowText(dialog), ChildTexts(dialog), {}, {}};
    EnumChildWindows(dialog, NoteButton, reinterpret_cast<LPARAM>(&seen.buttons));
    if (IsFileDialog(dialog)) {
        wchar_t folder[MAX_PATH] = {};
        SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
        seen.folder = folder;
    }
    return seen;
}

void TypeChannel(HWND dialog, int id, int value) {
    SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressOk(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// An unexpected dialog: closed the way Esc would, or by OK where Esc does not close it.
void Dismiss(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

HWND VisibleDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindAnyDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

DialogAnswers::DialogAnswers(std::vector<Action> actions) : m_actions(std::move(actions)) {
    g_active = this;
    m_timer = SetTimer(nullptr, 0, kPollMs, OnTimer);
}

DialogAnswers::~DialogAnswers() {
    KillTimer(nullptr, m_timer);
    if (g_active == this) g_active = nullptr;
}

std::vector<std::wstring> DialogAnswers::SeenTitles() const {
    std::vector<std::wstring> titles;
    for (const auto& d : m_seen) titles.push_back(d.title);
    return titles;
}

bool SeenDialog::Shows(const std::wstring& text) const {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool DialogAnswers::Shows(const SeenDialog& dialog, const std::wstring& text) { return dialog.Shows(text); }

DialogAnswers& DialogAnswers::Then(Action action) {
    m_actions.push_back(std::move(action));
    return *this;
}

void CALLBACK DialogAnswers::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_active) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) g_active->Offer(dialog);
}

void DialogAnswers::Offer(HWND dialog) {
    SeenDialog seen = Describe(dialog);  // before the answer changes its fields
    const bool expected = !Done();
    if (expected && !m_actions[m_next](dialog)) return;
    if (expected) ++m_next;
    else Dismiss(dialog);
    SetPropW(dialog, kAnsweredProp, reinterpret_cast<HANDLE>(1));
    m_seen.push_back(std::move(seen));
}

std::vector<SeenDialog> Answering(const std::function<void()>& work, std::vector<DialogAnswers::Action> actions) {
    DialogAnswers answers(std::move(actions));
    work();
    return answers.Seen();
}

DialogAnswers::Action Press(int button, std::wstring type) {
    return [button, type](HWND dialog) {
        if (!type.empty()) SetDlgItemTextW(dialog, rt::kInputBoxEditId, type.c_str());
        if (HWND control = GetDlgItem(dialog, button)) PostMessageW(control, BM_CLICK, 0, 0);
        else PostMessageW(dialog, WM_COMMAND, button, 0);
        return true;
    };
}

DialogAnswers::Action Cancel() {
    return [](HWND dialog) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    };
}

DialogAnswers::Action ChooseFile(std::wstring file) {
    return [file](HWND dialog) {
        if (!IsFileDialog(dialog)) return false;
        if (file.empty()) return Cancel()(dialog);
        HWND nameBox = GetDlgItem(dialog, cmb13);
        if (!nameBox) nameBox = GetDlgItem(dialog, edt1);
        SetWindowTextW(nameBox, file.c_str());
        PressOk(dialog);
        return true;
    };
}

DialogAnswers::Action ChooseColour(COLORREF colour) {
    return [colour](HWND dialog) {
        if (!GetDlgItem(dialog, kRedBox)) return false;
        TypeChannel(dialog, kRedBox, GetRValue(colour));
        TypeChannel(dialog, kGreenBox, GetGValue(colour));
        TypeChannel(dialog, kBlueBox, GetBValue(colour));
        PressOk(dialog);
        return true;
    };
}

}  // namespace testing_support

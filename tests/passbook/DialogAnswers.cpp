#include "tests/passbook/DialogAnswers.h"

#include <algorithm>

#include "runtime/InputBox.h"
#include "tests/support/ChildProcess.h"

namespace passbook_tests {

namespace {

constexpr UINT kPollMs = 40;
DialogAnswers* g_active = nullptr;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK NoteButton(HWND hwnd, LPARAM ids) {
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (CompareStringOrdinal(className, -1, L"Button", -1, TRUE) == CSTR_EQUAL && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<int>*>(ids)->push_back(GetDlgCtrlID(hwnd));
    return TRUE;
}

}  // namespace

DialogAnswers::DialogAnswers(std::vector<DialogAnswer> answers) : m_answers(std::move(answers)) {
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

bool DialogAnswers::Shows(const SeenDialog& dialog, const std::wstring& text) {
    return std::find(dialog.texts.begin(), dialog.texts.end(), text) != dialog.texts.end();
}

void CALLBACK DialogAnswers::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_active) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog && !GetPropW(dialog, L"passbook_tests.answered")) g_active->Answer(dialog);
}

void DialogAnswers::Answer(HWND dialog) {
    SetPropW(dialog, L"passbook_tests.answered", reinterpret_cast<HANDLE>(1));
    const size_t index = m_seen.size();
    m_seen.push_back({testing_support::WindowText(dialog), testing_support::ChildTexts(dialog), {}});
    EnumChildWindows(dialog, NoteButton, reinterpret_cast<LPARAM>(&m_seen.back().buttons));
    if (index >= m_answers.size()) {
        // Not expected: close it the way Esc would, so the test goes on and reports it.
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return;
    }
    const DialogAnswer& answer = m_answers[index];
    if (!answer.type.empty()) SetDlgItemTextW(dialog, rt::kInputBoxEditId, answer.type.c_str());
    HWND button = GetDlgItem(dialog, answer.button);
    if (button) PostMessageW(button, BM_CLICK, 0, 0);
    else PostMessageW(dialog, WM_COMMAND, answer.button, 0);
}

}  // namespace passbook_tests

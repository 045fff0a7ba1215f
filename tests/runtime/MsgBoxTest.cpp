// The message box and the input box are real modal dialogs: a timer finds them, reads them
// and presses their buttons, as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/InputBox.h"
#include "runtime/MsgBox.h"
#include "runtime/core/RuntimeError.h"
#include "tests/support/ChildProcess.h"

namespace {

struct Probe {
    std::wstring title;
    std::vector<std::wstring> texts;
    int press = 0;                // the button id to press
    std::wstring type;            // text to put in the input box's field first
    bool found = false;
};
Probe g_probe;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(hwnd) &&
        testing_support::WindowText(hwnd) == g_probe.title) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;  // not up yet
    KillTimer(nullptr, id);
    g_probe.found = true;
    g_probe.texts = testing_support::ChildTexts(dialog);
    if (!g_probe.type.empty()) SetDlgItemTextW(dialog, rt::kInputBoxEditId, g_probe.type.c_str());
    SendMessageW(GetDlgItem(dialog, g_probe.press), BM_CLICK, 0, 0);
}

void Expect(const std::wstring& title, int press, const std::wstring& type = {}) {
    g_probe = Probe{title, {}, press, type, false};
    SetTimer(nullptr, 0, 50, AnswerDialog);
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(MsgBox, ReturnsTheCodeOfThePressedButton) {
    Expect(L"询问", IDNO);
    EXPECT_EQ(rt::MsgBox(L"文件已经存在，是否覆盖文件？", MB_YESNO | MB_ICONQUESTION, L"询问"), 7);
    EXPECT_TRUE(g_probe.found);
    EXPECT_TRUE(Contains(g_probe.texts, L"文件已经存在，是否覆盖文件？"));

    Expect(L"提示!", IDOK);
    EXPECT_EQ(rt::MsgBox(L"未选择文件", MB_OK, L"提示!"), 1);

    Expect(rt::AppName(), IDRETRY);  // no title: the application's name
    EXPECT_EQ(rt::MsgBox(L"again?", MB_RETRYCANCEL), 4);
}

TEST(InputBox, ReturnsTheTextOnOkAndEmptyOnCancel) {
    Expect(L"Speed", IDOK, L"1500");
    EXPECT_EQ(rt::InputBox(L"1秒=1000 ,下面文本框内必须填写1000以上的数字", L"Speed"), L"1500");
    EXPECT_TRUE(Contains(g_probe.texts, L"1秒=1000 ,下面文本框内必须填写1000以上的数字"));
    EXPECT_TRUE(Contains(g_probe.texts, L"OK"));
    EXPECT_TRUE(Contains(g_probe.texts, L"Cancel"));

    Expect(L"Name", IDOK);
    EXPECT_EQ(rt::InputBox(L"填写密码本名称", L"Name", L"book1"), L"book1");  // the default stands

    Expect(L"Name", IDCANCEL);
    EXPECT_EQ(rt::InputBox(L"填写密码本名称", L"Name", L"book1"), L"");

    Expect(rt::AppName(), IDOK, L"x");
    EXPECT_EQ(rt::InputBox(L"prompt"), L"x");
}

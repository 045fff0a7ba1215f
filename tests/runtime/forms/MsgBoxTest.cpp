// The message box and the input box are real modal dialogs: a timer finds them, reads them
// and presses their buttons, as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include "runtime/forms/DialogOwner.h"
#include "runtime/forms/InputBox.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/TestWindow.h"

using namespace testing_support;

TEST(MsgBox, ReturnsTheCodeOfThePressedButton) {
    DialogAnswers answers({Press(IDNO), Press(IDOK), Press(IDRETRY)});
    EXPECT_EQ(rt::MsgBox(L"文件已经存在，是否覆盖文件？", MB_YESNO | MB_ICONQUESTION, L"询问"), 7);
    EXPECT_EQ(rt::MsgBox(L"未选择文件", MB_OK, L"提示!"), 1);
    EXPECT_EQ(rt::MsgBox(L"again?", MB_RETRYCANCEL), 4);
    ASSERT_EQ(answers.SeenTitles(), (std::vector<std::wstring>{L"询问", L"提示!", rt::AppName()}))
        << "no title: the application's name";
    EXPECT_TRUE(DialogAnswers::Shows(answers.Seen()[0], L"文件已经存在，是否覆盖文件？"));
}

TEST(InputBox, ReturnsTheTextOnOkAndEmptyOnCancel) {
    DialogAnswers answers({Press(IDOK, L"1500"), Press(IDOK), Press(IDCANCEL), Press(IDOK, L"x")});
    EXPECT_EQ(rt::InputBox(L"1秒=1000 ,下面文本框内必须填写1000以上的数字", L"Speed"), L"1500");
    EXPECT_EQ(rt::InputBox(L"填写密码本名称", L"Name", L"book1"), L"book1");  // the default stands
    EXPECT_EQ(rt::InputBox(L"填写密码本名称", L"Name", L"book1"), L"");
    EXPECT_EQ(rt::InputBox(L"prompt"), L"x");
    ASSERT_EQ(answers.SeenTitles(), (std::vector<std::wstring>{L"Speed", L"Name", L"Name", rt::AppName()}));
    for (const wchar_t* text : {L"1秒=1000 ,下面文本框内必须填写1000以上的数字", L"确定", L"取消"})
        EXPECT_TRUE(DialogAnswers::Shows(answers.Seen()[0], text)) << rt::Utf8FromWide(text);
}

// A form unloaded by other code while its dialog is up takes the dialog with it. The call then
// returns as if cancelled, which is no answer of the user's: the handler that asked is abandoned
// rather than going on to act on a cancel (a "choose again" message with its window gone).
TEST(ShowOwnedDialog, AbandonsTheHandlerWhenTheOwnerGoesWhileTheDialogIsUp) {
    TestWindow owner;
    DialogAnswers answers({[&](HWND) { return DestroyWindow(owner.hwnd()) != FALSE; }});
    EXPECT_THROW(rt::ShowOwnedDialog(owner.hwnd(), [&] { return MessageBoxW(owner.hwnd(), L"取消后重选", L"", MB_OK); }),
                 rt::HandlerAbandoned);
    EXPECT_EQ(answers.Seen().size(), 1u);
}

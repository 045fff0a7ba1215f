// The media player's buttons pressed with the real mouse.
#include <gtest/gtest.h>

#include <windows.h>

#include "media/Form14.h"
#include "runtime/Forms.h"
#include "tests/media/OpenDialogAnswer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;

namespace {
void Click(const rt::Control& button) {
    RECT r;
    GetWindowRect(button.hWnd(), &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
}  // namespace

TEST(Form14Input, ClickedButtonsOpenPlayLoopCloseAndHide) {
    Form14& f = rt::Forms::Get<Form14>();
    f.Show();
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    const std::wstring wav = BinDir() + L"\\media_tone2s.wav";
    const auto answer = media_tests::AnswerOpenDialog(
        [&] {
            Click(f.Command1);
            PumpUntil([&] { return f.MMControl1.IsOpen(); }, 8000);
        },
        wav);
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(f.Text1.Text(), wav);
    Click(f.Command4);
    EXPECT_TRUE(PumpUntil([&] { return f.ProgressBar1.Value() > 1; }, 8000)) << "播放 did not play";
    Click(f.Command7);
    EXPECT_TRUE(PumpUntil([&] { return f.Command7.Caption() == L"停止循环"; }, 3000));
    Click(f.Command2);
    EXPECT_TRUE(PumpUntil([&] { return f.Text1.Text() == L"文件名"; }, 3000));
    EXPECT_FALSE(f.MMControl1.IsOpen());
    Click(f.Command2);  // closing twice is harmless
    Click(f.Command8);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(f.hWnd()); }, 3000));
    EXPECT_EQ(f.Command7.Caption(), L"停止循环");
    f.Unload();
}

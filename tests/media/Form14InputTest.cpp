// The media player's buttons pressed with the real mouse.
#include <gtest/gtest.h>

#include "media/Form14.h"
#include "runtime/forms/Forms.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogAnswers.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"

using namespace testing_support;

namespace {
bool ClickAndWait(const rt::Control& button, const std::function<bool()>& done) {
    RECT r;
    GetWindowRect(button.hWnd(), &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return PumpUntil(done);
}
}  // namespace

TEST(Form14Input, ClickedButtonsOpenPlayLoopCloseAndHide) {
    Form14& f = rt::Forms::Get<Form14>();
    f.Show();
    ASSERT_TRUE(MakeForeground(f.hWnd()));
    const std::wstring wav = BinDir() + L"\\media_tone2s.wav";
    EXPECT_EQ(Answering([&] { ClickAndWait(f.Command1, [&] { return f.MMControl1.IsOpen(); }); }, {ChooseFile(wav)})
                  .size(),
              1u);
    EXPECT_EQ(f.Text1.Text(), wav);
    EXPECT_TRUE(ClickAndWait(f.Command4, [&] { return f.ProgressBar1.Value() > 1; })) << "播放 did not play";
    EXPECT_TRUE(ClickAndWait(f.Command7, [&] { return f.Command7.Caption() == L"停止循环"; }));
    EXPECT_TRUE(ClickAndWait(f.Command2, [&] { return f.Text1.Text() == L"文件名"; }));
    EXPECT_TRUE(ClickAndWait(f.Command2, [&] { return !f.MMControl1.IsOpen(); })) << "closing twice is harmless";
    EXPECT_TRUE(ClickAndWait(f.Command8, [&] { return !IsWindowVisible(f.hWnd()); }));
    EXPECT_EQ(f.Command7.Caption(), L"停止循环");
    f.Unload();
}

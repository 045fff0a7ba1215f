#pragma once
// FRotFont: the banner screen. A greeting line with the time and date is printed on the
// black picture in a turned font: at the point of every mouse release, or, in the automatic
// mode, step by step about the picture's centre on the timer with the colour changing at
// every step. The font colour comes from the colour dialog, the background from a picture
// file or the gradient designer (Form3).
#include <memory>
#include <string>

#include "banner/CLogFont.h"
#include "controls/CommonDialog.h"
#include "runtime/intrinsics/CheckBox.h"
#include "runtime/intrinsics/CommandButton.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/HScrollBar.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/PictureBox.h"
#include "runtime/intrinsics/TextBox.h"
#include "runtime/intrinsics/Timer.h"

class FRotFont : public rt::Form {
public:
    FRotFont();

    rt::PictureBox Picture1;
    rt::Label Label5;
    rt::HScrollBar HScroll1;
    rt::Label Label2;
    rt::Label Label1;
    rt::TextBox Text2;
    rt::CommandButton Command2;
    rt::CommandButton Command3;
    rt::CommandButton Command5;
    rt::Label Label3;
    rt::TextBox Text1;
    rt::Label Label4;
    rt::TextBox Text3;
    rt::CheckBox Check1;
    rt::CommandButton Command1;
    rt::CommandButton Command4;
    rt::CommandButton Command6;
    rt::Timer Timer1;
    ctl::CommonDialog CommonDialog1;
    ctl::CommonDialog cdlg;

    // The turned font of Picture1 (its angle follows the scroll bar).
    const CLogFont& LogFont() const { return *m_LogFont; }

    void HScroll1_Change();
    void HScroll1_Scroll();
    void Picture1_MouseUp(int Button, int Shift, double X, double Y);
    void Timer1_Timer();
    void Check1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

    // Makes the file the picture's background; an empty name removes it, and a file that is
    // no loadable picture is refused with a message, keeping the background as it was.
    void LoadBackground(const std::wstring& path);

private:
    void DefineControls();
    void DefineButtons();
    void Form_Load() override;
    void Form_Resize() override;
    void PrintBannerLine(double x, double y);
    void UncoverHints();

    std::unique_ptr<CLogFont> m_LogFont;
};

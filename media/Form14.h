#pragma once
// Form14: the media player. A small borderless black window that opens one sound file at a
// time in the multimedia control (only its engine: no button bar is ever shown), plays,
// pauses, stops and closes it, follows the position on a progress bar polled every 50 ms and,
// in loop mode, starts the file again when the bar reaches its end (checked every 10 ms).
// Both leave buttons only hide the window: the sound, the file and the loop mode go on.
#include "controls/CommonDialog.h"
#include "controls/MMControl.h"
#include "controls/ProgressBar.h"
#include "runtime/intrinsics/CommandButton.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Shape.h"
#include "runtime/intrinsics/TextBox.h"
#include "runtime/intrinsics/Timer.h"

class Form14 : public rt::Form {
public:
    Form14();

    rt::TextBox Text1;
    rt::CommandButton Command4, Command5, Command6, Command7;
    ctl::ProgressBar ProgressBar1;
    rt::CommandButton Command1, Command2, Command8, Command3;
    ctl::MMControl MMControl1;
    ctl::CommonDialog CommonDialog1;
    rt::Timer Timer1, Timer2;
    rt::Shape Shape4, Shape3, Shape1, Shape2;

    // Runs the open dialog and loads the chosen file without playing it.
    void openfile();

    // Event handlers (public so that a test can raise them as the runtime does).
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void MMControl1_EjectClick(short& Cancel);

private:
    void Form_Load() override;
};

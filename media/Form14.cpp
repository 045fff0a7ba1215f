#include "media/Form14.h"

#include <cstdint>

#include "media/MediaDeviceType.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr OLE_COLOR kBlack = 0x00000000;
constexpr OLE_COLOR kFileNameColor = 0x0000FF00;
constexpr OLE_COLOR kPlaybackButtonColor = 0x00008000;
constexpr OLE_COLOR kFileButtonColor = 0x00FFC0FF;
constexpr OLE_COLOR kOuterFrameColor = 0x00004040;
constexpr OLE_COLOR kPlaybackBandColor = 0x00808000;
constexpr OLE_COLOR kPlaybackBandBorder = 0x0000C0C0;
constexpr OLE_COLOR kBarFrameColor = 0x00008080;
constexpr OLE_COLOR kFileBandColor = 0x000080FF;
constexpr OLE_COLOR kFileBandBorder = 0x0000C000;

constexpr int kPollInterval = 50;       // ms between progress readings
constexpr int kLoopCheckInterval = 10;  // ms between end-of-media checks

const wchar_t kLoopOffCaption[] = L"循环播放";
const wchar_t kLoopOnCaption[] = L"停止循环";
const wchar_t kOpenFilter[] =
    L"MP3文件(*.MP3)|*.MP3|CD音频(*.WAV)|*.WAV|Windows音频(*.mid)|*.mid|所有文件(*.*)|*.*";

void Graphical(rt::CommandButton& button, const wchar_t* caption, OLE_COLOR color) {
    button.Caption(caption).Style(rt::ButtonStyle::Graphical).BackColor(color);
}

}  // namespace

Form14::Form14() {
    Caption(L"媒体播放器").ClientSize(3165, 1935).BackColor(kBlack);
    BorderStyle(rt::FormBorderStyle::None).ShowInTaskbar(false);
    StartUpPosition(rt::StartUpPosition::Manual).Move(60, 8400);

    // Shapes first: the window draws them beneath every windowed control.
    Place(Shape4, L"Shape4", 30, 30, 3105, 1875).BorderColor(kOuterFrameColor);
    Place(Shape3, L"Shape3", 60, 810, 3015, 375)
        .BackStyle(rt::BackStyle::Opaque)
        .BackColor(kPlaybackBandColor)
        .BorderColor(kPlaybackBandBorder);
    Place(Shape1, L"Shape1", 90, 1230, 2955, 225).BorderColor(kBarFrameColor);
    Place(Shape2, L"Shape2", 60, 1470, 3015, 405)
        .BackStyle(rt::BackStyle::Opaque)
        .BackColor(kFileBandColor)
        .BorderColor(kFileBandBorder);

    // Several lines, so that a long full path stays readable in the box's height.
    Place(Text1, L"Text1", 60, 60, 3015, 735)
        .MultiLine(true)
        .Text(L"音乐文件名")
        .BackColor(kBlack)
        .ForeColor(kFileNameColor);
    Graphical(Place(Command4, L"Command4", 120, 870, 645, 255), L"播放", kPlaybackButtonColor);
    Graphical(Place(Command5, L"Command5", 810, 870, 645, 255), L"暂停", kPlaybackButtonColor);
    Graphical(Place(Command6, L"Command6", 1500, 870, 585, 255), L"停止", kPlaybackButtonColor);
    Graphical(Place(Command7, L"Command7", 2130, 870, 885, 255), kLoopOffCaption, kPlaybackButtonColor);
    Place(ProgressBar1, L"ProgressBar1", 120, 1260, 2895, 165);
    Graphical(Place(Command1, L"Command1", 120, 1530, 615, 255), L"打开", kFileButtonColor);
    Graphical(Place(Command2, L"Command2", 780, 1530, 615, 255), L"关闭", kFileButtonColor);
    Graphical(Place(Command8, L"Command8", 1440, 1530, 855, 255), L"隐藏界面", kFileButtonColor);
    Graphical(Place(Command3, L"Command3", 2340, 1530, 660, 255), L"退出", kFileButtonColor);
    Place(Timer1, L"Timer1");
    Place(Timer2, L"Timer2").Interval(kLoopCheckInterval).Enabled(false);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    // The control's button bar is never shown, so its Eject button is never pressed: the one
    // notification that opens the dialog cannot come by itself (not at the end of a song).
    MMControl1.EjectClick = [this](short& Cancel) { MMControl1_EjectClick(Cancel); };
}

void Form14::Form_Load() {
    Timer1.Interval(kPollInterval);
    MMControl1.SetNumericProperty(ctl::MMControl::kIgnoredSetting49, 0);
    CommonDialog1.Filter = kOpenFilter;
}

// Every statement from the dialog on is skipped on its own when it fails: a close with
// nothing open, an unplayable file or a zero length leave the rest to run.
void Form14::openfile() {
    MMControl1.SetNumericProperty(ctl::MMControl::kIgnoredSetting45, 0);
    CommonDialog1.InitDir = rt::AppPath();
    CommonDialog1.Flags = 0;
    CommonDialog1.CancelError = true;
    CommonDialog1.FileName = L"";
    if (rt::TryStatement([&] { CommonDialog1.ShowOpen(); }) != 0) return;
    rt::TryStatement([&] { MMControl1.SetCommand(L"Close"); });
    rt::TryStatement([&] { MMControl1.SetFileName(CommonDialog1.FileName); });
    if (MMControl1.FileName().empty()) return;
    rt::TryStatement([&] { Text1.Text(MMControl1.FileName()); });
    rt::TryStatement([&] { MMControl1.SetDeviceType(media::DeviceTypeForFile(MMControl1.FileName())); });
    rt::TryStatement([&] { MMControl1.SetCommand(L"Open"); });
    rt::TryStatement([&] { Timer1.Enabled(true); });
    rt::TryStatement([&] { ProgressBar1.Max(static_cast<float>(static_cast<int32_t>(MMControl1.Length()))); });
    rt::TryStatement([&] { ProgressBar1.Min(1); });
}

void Form14::Command1_Click() { openfile(); }

void Form14::Command2_Click() {
    MMControl1.SetCommand(L"close");
    Timer1.Enabled(false);
    ProgressBar1.Value(1);
    Text1.Text(L"文件名");
}

void Form14::Command3_Click() { rt::Forms::Get<Form14>().Hide(); }

void Form14::Command4_Click() { MMControl1.SetCommand(L"Play"); }

void Form14::Command5_Click() { MMControl1.SetCommand(L"Pause"); }

void Form14::Command6_Click() { MMControl1.SetCommand(L"Stop"); }

void Form14::Command7_Click() {
    if (Command7.Caption() == kLoopOffCaption) {
        Command7.Caption(kLoopOnCaption);
        Timer2.Enabled(true);
    } else {
        Command7.Caption(kLoopOffCaption);
        Timer2.Enabled(false);
    }
}

void Form14::Command8_Click() { rt::Forms::Get<Form14>().Hide(); }

// A position the bar cannot take (0 while Min is 1, or none to read) leaves it as it was.
void Form14::Timer1_Timer() {
    rt::TryStatement([&] { ProgressBar1.Value(static_cast<float>(static_cast<int32_t>(MMControl1.Position()))); });
}

// The bar's value reaches its maximum only when the poll saw the position at the end.
void Form14::Timer2_Timer() {
    const float max = ProgressBar1.Max();
    const float value = ProgressBar1.Value();
    if (max == value) {
        MMControl1.SetCommand(L"Prev");
        MMControl1.SetCommand(L"Play");
    }
}

void Form14::MMControl1_EjectClick(short& /*Cancel*/) { openfile(); }

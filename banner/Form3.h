#pragma once
// Form3: the gradient designer of the banner screen. Three sliders give the red, green and
// blue start values, four previews show each channel's gradient and their mix, a box turns
// the direction, and a button paints the gradient onto the banner screen's picture. The exit
// button only hides the window, so its settings stay.
#include "controls/Slider.h"
#include "runtime/intrinsics/CheckBox.h"
#include "runtime/intrinsics/CommandButton.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/PictureBox.h"
#include "runtime/intrinsics/Shape.h"

class Form3 : public rt::Form {
public:
    Form3();

    rt::PictureBox SSPanel1;
    ctl::Slider Slider1;
    ctl::Slider Slider2;
    ctl::Slider Slider3;
    rt::Label Label1;
    rt::Label Label2;
    rt::Label Label3;
    rt::PictureBox Picture1;
    rt::PictureBox Picture2;
    rt::PictureBox Picture3;
    rt::PictureBox Picture4;
    rt::CheckBox Check1;
    rt::Label Label4;
    rt::CommandButton Command1;
    rt::CommandButton Command3;
    rt::Shape Shape1;
    rt::Shape Shape2;
    rt::Label Label6;
    rt::Label Label7;
    rt::Label Label5;
    rt::Label Label8;
    rt::CommandButton Command2;
    rt::CommandButton Command4;

    void Slider1_Change();
    void Slider2_Change();
    void Slider3_Change();
    void Check1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Picture3_Paint();

private:
    void DefineSliders();
    void DefinePreviews();
    void DefineButtons();
    void DefineSyntax();
    void Form_Resize() override;
    // The direction flag: top-down while the box is ticked.
    bool TopDown() const;
    void PaintPreview(rt::PictureBox& preview, long red, long green, long blue);
    void PaintMix();
    void RefreshSyntax();
};

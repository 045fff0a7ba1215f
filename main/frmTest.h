#pragma once
// frmTest: the start-up window. It wears the skinned frame from its first appearance (the
// skin number comes from the settings database), its menu opens the tool windows and the skin
// panel, four link labels open web pages, a timer pulses the labels' colours, and it carries,
// hidden, the thirty skins' caption and border pictures and the skin panel's two pictures.
#include <windows.h>

#include <memory>

#include "app/MainWindow.h"
#include "controls/RainButton.h"
#include "main/ColorPulse.h"
#include "runtime/forms/ControlArray.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Frame.h"
#include "runtime/intrinsics/Image.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/OptionButton.h"
#include "runtime/intrinsics/PictureBox.h"
#include "runtime/intrinsics/Shape.h"
#include "runtime/intrinsics/Timer.h"

class cNeoCaption;

class frmTest : public rt::Form, public app::ISkinnedMainWindow {
public:
    frmTest();
    ~frmTest() override;

    // Menu.
    rt::MenuItem dsfsd, d111, Sembrel, w111, f111, ccc;

    rt::Label Label1, Label3, Label4, Label5, Label6, Label7;
    rt::Timer Timer1;
    // The skins' pictures: PicBorder(i) sits in PicCaption(i); both hidden.
    rt::ControlArray<rt::PictureBox> PicCaption;
    rt::ControlArray<rt::PictureBox> PicBorder;
    rt::Image Image1, Image2;

    // The skin panel (hidden until the menu shows it).
    rt::Shape Shape1;
    rt::Frame Frame1;
    rt::Label Label2;
    rt::ControlArray<rt::OptionButton> Option1;
    ctl::RainButton RainButton4, RainButton5;

    // Event handlers (public so that a test can raise them as the runtime does).
    void d111_Click();
    void Sembrel_Click();
    void f111_Click();
    void ccc_Click();
    void Label4_Click();
    void Label5_Click();
    void Label6_Click();
    void Label7_Click();
    void Timer1_Timer();
    void RainButton4_Click();
    void RainButton5_Click();

    // The skin number the last ApplySkin read, and the window's painter.
    short SkinIndex() const { return m_SkinIndex; }
    const std::shared_ptr<cNeoCaption>& Painter() const { return m_cN; }
    const mainwin::PulseState& Pulse() const { return m_pulse; }

    // How the link labels reach the shell (ShellExecuteW); a test puts its own in its place.
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    ShellExecuteFunction ShellOpen;

    rt::Form& SkinnedForm() override { return *this; }
    rt::PictureRef SkinCaptionPicture(int skin) override { return PicCaption(skin).Picture(); }
    rt::PictureRef SkinBorderPicture(int skin) override { return PicBorder(skin).Picture(); }

private:
    void Form_Load() override;
    void DefineMenu();
    void DefineLabels();
    void DefineSkinPictures();
    void DefineSkinPanel();
    void ApplySkin(frmTest& frm, std::shared_ptr<cNeoCaption>& cap);
    void OpenLink(const wchar_t* address);
    // Routines that nothing in the program calls.
    void ShowPasswordBook();
    void ShowSkinChooser();

    std::shared_ptr<cNeoCaption> m_cN;
    short m_SkinIndex = 0;
    mainwin::PulseState m_pulse;
};

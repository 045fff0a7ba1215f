#pragma once
// Windows for the form runtime's tests. frmSample is the sample of declaring a window: one
// control of each kind, defined once, with handlers named after their controls.
#include <string>
#include <vector>

#include "runtime/intrinsics/CheckBox.h"
#include "runtime/intrinsics/ComboBox.h"
#include "runtime/intrinsics/CommandButton.h"
#include "runtime/forms/ControlArray.h"
#include "runtime/intrinsics/DirListBox.h"
#include "runtime/intrinsics/DriveListBox.h"
#include "runtime/intrinsics/FileListBox.h"
#include "runtime/forms/Form.h"
#include "runtime/forms/Forms.h"
#include "runtime/intrinsics/Frame.h"
#include "runtime/intrinsics/HScrollBar.h"
#include "runtime/intrinsics/Image.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/Line.h"
#include "runtime/intrinsics/OptionButton.h"
#include "runtime/intrinsics/PictureBox.h"
#include "runtime/intrinsics/Shape.h"
#include "runtime/intrinsics/TextBox.h"
#include "runtime/intrinsics/Timer.h"

namespace form_tests {

// What the handlers saw, in order.
inline std::vector<std::wstring>& Log() {
    static std::vector<std::wstring> log;
    return log;
}

class frmSample : public rt::Form {
public:
    frmSample() {
        Caption(L"Sample").ClientSize(6000, 4500).BackColor(0x00FF8080).ForeColor(0x00404000);
        Font(L"Arial", 10, true).StartUpPosition(rt::StartUpPosition::CenterScreen);
        Menu(mnuFile, L"mnuFile", L"文件").Add(mnuOpen, L"mnuOpen", L"打开");
        Place(Shape1, L"Shape1", 60, 60, 1500, 600).BackStyle(rt::BackStyle::Opaque).BackColor(0x00C0FFC0).BorderColor(0x0000FFFF);
        Place(Label1, L"Label1", 120, 120, 1200, 300).Caption(L"标签").BackStyle(rt::BackStyle::Opaque).BackColor(0x0000FF00);
        Place(Text1, L"Text1", 1800, 120, 1500, 315).Text(L"abc").BackColor(0x00C0FFC0).ForeColor(0x00800080).MaxLength(15);
        Place(Command1, L"Command1", 3600, 120, 1200, 375).Caption(L"&Go").Style(rt::ButtonStyle::Graphical).BackColor(0x00FFC0FF);
        Place(Check1, L"Check1", 120, 840, 1500, 285).Caption(L"&Turn").BackColor(0x00800000).ForeColor(0x0080FF80);
        Place(Combo1, L"Combo1", 1800, 840, 1500, 315).Style(rt::ComboStyle::DropdownList);
        Place(HScroll1, L"HScroll1", 3600, 840, 2000, 255).Max(360).LargeChange(15);
        Place(Frame1, L"Frame1", 120, 1320, 2400, 1500).Caption(L"Skins").BackColor(0x00C0FFC0);
        for (int i = 0; i < 3; ++i)
            Frame1.Place(Option1.Add(i), L"Option1", 120, 300 + 360 * i, 1500, 315).Caption(L"Skin " + std::to_wstring(i));
        Place(Picture1, L"Picture1", 2700, 1320, 1500, 1500).BackColor(0x00000000).ForeColor(0x000080FF);
        Picture1.Place(Label2, L"Label2", 60, 60, 1200, 255).Caption(L"in box").BackStyle(rt::BackStyle::Transparent).ForeColor(0x00FFFFFF);
        Place(Line1, L"Line1").Points(120, 3000, 5800, 3000).BorderColor(0x000000FF).BorderWidth(2);
        Place(Image1, L"Image1", 4500, 1320, 480, 480);
        Place(Drive1, L"Drive1", 120, 3120, 1800, 315);
        Place(Dir1, L"Dir1", 120, 3480, 1800, 900);
        Place(File1, L"File1", 2100, 3120, 1800, 1260).Pattern(L"*.jpg");
        Place(Timer1, L"Timer1").Interval(0);
        Command1.Click = [this] { Log().push_back(L"Command1_Click " + Text1.Text()); };
        Text1.Change = [] { Log().push_back(L"Text1_Change"); };
        Option1.On(&rt::OptionButton::Click, [](int Index) { Log().push_back(L"Option1_Click " + std::to_wstring(Index)); });
        Label1.Click = [] { Log().push_back(L"Label1_Click"); };
        HScroll1.Change = [this] { Log().push_back(L"HScroll1_Change " + std::to_wstring(HScroll1.Value())); };
        Timer1.Tick = [] { Log().push_back(L"Timer1_Timer"); };
        mnuOpen.Click = [] { Log().push_back(L"mnuOpen_Click"); };
    }
    rt::MenuItem mnuFile, mnuOpen;
    rt::Shape Shape1;
    rt::Label Label1, Label2;
    rt::TextBox Text1;
    rt::CommandButton Command1;
    rt::CheckBox Check1;
    rt::ComboBox Combo1;
    rt::HScrollBar HScroll1;
    rt::Frame Frame1;
    rt::ControlArray<rt::OptionButton> Option1;
    rt::PictureBox Picture1;
    rt::Line Line1;
    rt::Image Image1;
    rt::DriveListBox Drive1;
    rt::DirListBox Dir1;
    rt::FileListBox File1;
    rt::Timer Timer1;

private:
    void Form_Load() override {
        Log().push_back(L"Form_Load");
        Combo1.AddItem(L"*.jpg").AddItem(L"*.*");
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        Log().push_back(L"Form_QueryUnload " + std::to_wstring(UnloadMode));
        Cancel = KeepOpen;
    }
    void Form_Unload(int&) override { Log().push_back(L"Form_Unload"); }

public:
    int KeepOpen = 0;
};

// A second window for owner, modal and focus tests: three text boxes in tab order.
class frmFields : public rt::Form {
public:
    frmFields() {
        Caption(L"Fields").ClientSize(4000, 2000).BorderStyle(rt::FormBorderStyle::FixedDialog);
        StartUpPosition(rt::StartUpPosition::CenterOwner);
        for (int i = 0; i < 3; ++i) Place(FieldBoxes.Add(i), L"FieldBoxes", 120, 120 + 420 * i, 2000, 315);
        FieldBoxes(2).MultiLine(true).ScrollBars(rt::ScrollBars::Vertical).Height(600).MaxLength(50);
        Place(Command1, L"Command1", 2400, 120, 1200, 375).Caption(L"&Close");
        FieldBoxes.On(&rt::TextBox::Change, [](int Index) { Log().push_back(L"FieldBoxes_Change " + std::to_wstring(Index)); });
        FieldBoxes.On(&rt::TextBox::GotFocus, [](int Index) { Log().push_back(L"FieldBoxes_GotFocus " + std::to_wstring(Index)); });
        FieldBoxes.On(&rt::TextBox::LostFocus, [](int Index) { Log().push_back(L"FieldBoxes_LostFocus " + std::to_wstring(Index)); });
        Command1.Click = [this] { Command1_Click(); };
    }
    rt::ControlArray<rt::TextBox> FieldBoxes;
    rt::CommandButton Command1;
    std::wstring Kept;

private:
    void Form_Load() override { Log().push_back(L"frmFields Form_Load"); }
    void Command1_Click() {
        Log().push_back(L"Command1_Click");
        Unload();
        Kept = L"still here";  // the object outlives its own handler
        Log().push_back(L"after Unload " + Kept);
    }
};

}  // namespace form_tests

#include "banner/Form3.h"

#include <string>

#include "app/Form2.h"
#include "banner/FRotFont.h"
#include "banner/Grad.h"
#include "runtime/forms/Forms.h"

namespace {

constexpr OLE_COLOR kPanelBack = 0x00E0E0E0;
constexpr OLE_COLOR kPreviewBack = 0x00000000;
constexpr OLE_COLOR kRedText = 0x000000FF;
constexpr OLE_COLOR kGreenText = 0x0000C000;
constexpr OLE_COLOR kBlueText = 0x00C00000;
constexpr OLE_COLOR kMixText = 0x00008000;
constexpr OLE_COLOR kButtonBack = 0x00FFC0FF;
constexpr long kBlueStart = 255;

}  // namespace

Form3::Form3() {
    Caption(L"Gradient Background Demonstration").ClientSize(3165, 1995).BackColor(rt::kWindowBackground);
    // No frame and no caption bar: the whole window is client area, and nothing closes it
    // but its exit button.
    BorderStyle(rt::FormBorderStyle::None).ShowInTaskbar(false).StartUpPosition(rt::StartUpPosition::Manual);
    Left(12000).Top(8400);
    Place(SSPanel1, L"SSPanel1", 10, 10, 3135, 1905).BackColor(kPanelBack).BorderStyle(rt::BorderStyle::None);
    DefineSliders();
    DefinePreviews();
    DefineButtons();
    DefineSyntax();
}

void Form3::DefineSliders() {
    SSPanel1.Place(Slider1, L"Slider1", 150, 60, 1095, 285);
    SSPanel1.Place(Slider2, L"Slider2", 150, 420, 1095, 285);
    SSPanel1.Place(Slider3, L"Slider3", 150, 720, 1095, 285).Value(kBlueStart);
    Slider1.Change = [this] { Slider1_Change(); };
    Slider2.Change = [this] { Slider2_Change(); };
    Slider3.Change = [this] { Slider3_Change(); };
    auto channel = [&](rt::Label& label, const wchar_t* name, double top, const wchar_t* caption, OLE_COLOR colour) {
        SSPanel1.Place(label, name, 1320, top, 1035, 165)
            .Caption(caption)
            .ForeColor(colour)
            .BackStyle(rt::BackStyle::Transparent);
    };
    channel(Label1, L"Label1", 60, L"Red = 0", kRedText);
    channel(Label2, L"Label2", 420, L"Green = 0", kGreenText);
    channel(Label3, L"Label3", 750, L"Blue = 255", kBlueText);
}

void Form3::DefinePreviews() {
    SSPanel1.Place(Picture1, L"Picture1", 2400, 60, 525, 195).BackColor(kPreviewBack);
    SSPanel1.Place(Picture2, L"Picture2", 2400, 420, 525, 195).BackColor(kPreviewBack);
    SSPanel1.Place(Picture3, L"Picture3", 2400, 720, 525, 195).BackColor(kPreviewBack);
    SSPanel1.Place(Picture4, L"Picture4", 2400, 1050, 525, 195).BackColor(kPreviewBack);
    Picture3.Paint = [this] { Picture3_Paint(); };
    SSPanel1.Place(Check1, L"Check1", 180, 1050, 1065, 225)
        .Caption(L"上 下")
        .Value(rt::CheckBox::kChecked)
        .BackColor(kPanelBack)
        .Font(L"宋体", 9, false, false, GB2312_CHARSET);
    Check1.Click = [this] { Check1_Click(); };
    SSPanel1.Place(Label4, L"Label4", 1320, 1050, 1065, 195)
        .Caption(L"合成色")
        .ForeColor(kMixText)
        .Font(L"宋体", 9, false, false, GB2312_CHARSET);
}

void Form3::DefineButtons() {
    SSPanel1.Place(Shape1, L"Shape1", 30, 0, 3015, 1815);
    SSPanel1.Place(Shape2, L"Shape2", 150, 1290, 2775, 465);
    auto button = [&](rt::CommandButton& b, const wchar_t* name, double left, const wchar_t* caption) {
        SSPanel1.Place(b, name, left, 1350, 915, 315)
            .Caption(caption)
            .BackColor(kButtonBack)
            .Style(rt::ButtonStyle::Graphical)
            .Font(L"宋体", 9, false, false, GB2312_CHARSET);
    };
    button(Command1, L"Command1", 330, L"背景颜色");
    button(Command3, L"Command3", 1830, L"退 出");
    Command1.Click = [this] { Command1_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

// Below the panel's height: cut off and never seen, though Tab still reaches the buttons.
void Form3::DefineSyntax() {
    SSPanel1.Place(Label6, L"Label6", 120, 2010, 555, 255).Caption(L"Object,").Font(L"MS Sans Serif", 8.25, false, true);
    SSPanel1.Place(Label7, L"Label7", 660, 2010, 615, 255).Caption(L"Gradient");
    SSPanel1.Place(Label5, L"Label5", 1290, 2010, 1605, 255).Caption(L"0, 0, 255, 1");
    SSPanel1.Place(Label8, L"Label8", 120, 2280, 2775, 255).Caption(L"Syntax for current gradient is:");
    SSPanel1.Place(Command2, L"Command2", 720, 2400, 975, 315).Caption(L"About...");
    SSPanel1.Place(Command4, L"Command4", 2055, 2550, 915, 285).Caption(L"Command4");
    Command2.Click = [this] { Command2_Click(); };
    Command4.Click = [this] { Command4_Click(); };
}

bool Form3::TopDown() const { return Check1.Value() != rt::CheckBox::kUnchecked; }

void Form3::PaintPreview(rt::PictureBox& preview, long red, long green, long blue) {
    Grad::Gradient(preview, red, green, blue, TopDown());
}

void Form3::PaintMix() { PaintPreview(Picture4, Slider1.Value(), Slider2.Value(), Slider3.Value()); }

void Form3::RefreshSyntax() {
    Label5.Caption(std::to_wstring(Slider1.Value()) + L", " + std::to_wstring(Slider2.Value()) + L", " +
                   std::to_wstring(Slider3.Value()) + L", " + std::to_wstring(Check1.Value()));
}

void Form3::Slider1_Change() {
    Label1.Caption(L"Red = " + std::to_wstring(Slider1.Value()));
    PaintPreview(Picture1, Slider1.Value(), 0, 0);
    PaintMix();
    RefreshSyntax();
}

void Form3::Slider2_Change() {
    Label2.Caption(L"Green = " + std::to_wstring(Slider2.Value()));
    PaintPreview(Picture2, 0, Slider2.Value(), 0);
    PaintMix();
    RefreshSyntax();
}

void Form3::Slider3_Change() {
    Label3.Caption(L"Blue = " + std::to_wstring(Slider3.Value()));
    PaintPreview(Picture3, 0, 0, Slider3.Value());
    PaintMix();
    RefreshSyntax();
}

void Form3::Check1_Click() {
    PaintPreview(Picture1, Slider1.Value(), 0, 0);
    PaintPreview(Picture2, 0, Slider2.Value(), 0);
    PaintPreview(Picture3, 0, 0, Slider3.Value());
    PaintMix();
    RefreshSyntax();
}

void Form3::Command1_Click() {
    FRotFont& banner = rt::Forms::Get<FRotFont>();
    banner.Show();
    long red = Slider1.Value(), green = Slider2.Value(), blue = Slider3.Value();
    Grad::Gradient(banner.Picture1, red, green, blue, TopDown());
}

void Form3::Command2_Click() { rt::Forms::Get<Form2>().Show(rt::ShowMode::Modal, nullptr); }

void Form3::Command3_Click() { Hide(); }

void Form3::Command4_Click() { SSPanel1.Visible(false); }

void Form3::Form_Resize() {
    long red = Slider1.Value(), green = Slider2.Value(), blue = Slider3.Value();
    Grad::Gradient(*this, red, green, blue, TopDown());
}

// The blue gradient from the top, whatever the sliders and the box say.
void Form3::Picture3_Paint() {
    long red = 0, green = 0, blue = kBlueStart;
    Grad::Gradient(Picture3, red, green, blue, true);
    red = 0, green = 0, blue = kBlueStart;
    Grad::Gradient(Picture4, red, green, blue, true);
    // Picture4 now shows the gradient whole; a paint of its own still pending (it lies below
    // Picture3, so it paints later) would put the black background back over it.
    if (Picture4.hWnd()) ValidateRect(Picture4.hWnd(), nullptr);
}

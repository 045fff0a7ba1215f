#include "main/frmTest.h"

#include <shellapi.h>

#include <string>

#include "app/ArtResources.h"
#include "app/Form2.h"
#include "app/SettingsStore.h"
#include "app/SkinAttach.h"
#include "app/SkinLook.h"
#include "app/SkinTable.h"
#include "banner/FRotFont.h"
#include "frame/cNeoCaption.h"
#include "main/frmTextEffect.h"
#include "passbook/Form1.h"
#include "picture/form11.h"
#include "resources/ArtIds.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr OLE_COLOR kDefinedBackColor = 0x00C16472;  // replaced by the skin's colour at load
constexpr OLE_COLOR kForeColor = 0x00404000;

// The link labels' fixed addresses: three download pages and the maker's home page.
constexpr wchar_t kLink4Address[] = L"http://soft.example.com/download/lumesca.html";
constexpr wchar_t kLink5Address[] = L"http://www.example.net/soft/lumesca.htm";
constexpr wchar_t kLink6Address[] = L"http://down.example.org/category/graphics/";
constexpr wchar_t kLink7Address[] = L"http://www.mirovast.example/";

// The skin panel's placement from the window's right edge (twips).
constexpr float kShapeRightGap = 900;
constexpr float kFrameInset = 240;

constexpr OLE_COLOR kPanelBackColor = 0x00C0FFC0;
constexpr OLE_COLOR kPanelForeColor = 0x00FF80FF;
constexpr OLE_COLOR kShapeBorderColor = 0x00800000;
constexpr OLE_COLOR kShapeBackColor = 0x00FFC0C0;
constexpr OLE_COLOR kButtonBackColor = 0x00FF8080;
constexpr OLE_COLOR kButtonForeColor = 0x0000FFFF;
constexpr OLE_COLOR kButtonGradient = 0x00FF80FF;
constexpr short kGradientFill = 2;
constexpr short kFlatButton = 1;

// Skins whose confirmation also puts a panel picture behind the window's controls.
constexpr int kSkinWithImage2 = 24;
constexpr int kSkinWithImage1 = 29;

std::wstring Padded(int before, const wchar_t* text, int after, const wchar_t* tail = L"") {
    return std::wstring(static_cast<size_t>(before), L' ') + text + std::wstring(static_cast<size_t>(after), L' ') +
           tail;
}

}  // namespace

frmTest::frmTest() : ShellOpen(ShellExecuteW) {
    Caption(L"Lumesca").ClientSize(15240, 10710).StartUpPosition(rt::StartUpPosition::CenterScreen);
    BackColor(kDefinedBackColor).ForeColor(kForeColor);
    Font(L"宋体", 10.5, true, false, GB2312_CHARSET);
    Icon(app::ResourceIcon(IDI_FRMTEST));
    DefineMenu();
    DefineLabels();
    DefineSkinPictures();
    DefineSkinPanel();
    app::RegisterMainWindow(this);
}

frmTest::~frmTest() { app::UnregisterMainWindow(this); }

void frmTest::DefineMenu() {
    Menu(dsfsd, L"dsfsd", L"文件")
        .Add(d111, L"d111", L"Mirovast缤纷界面")
        .Add(Sembrel, L"Sembrel", L"Sembrel");
    Menu(w111, L"w111", L"图片资料阅览").Add(f111, L"f111", L"打开");
    Menu(ccc, L"ccc", L"Mirovast声明");
    d111.Click = [this] { d111_Click(); };
    Sembrel.Click = [this] { Sembrel_Click(); };
    f111.Click = [this] { f111_Click(); };
    ccc.Click = [this] { ccc_Click(); };
}

void frmTest::DefineLabels() {
    Place(Label1, L"Label1", 10650, 9420, 4455, 315)
        .Caption(L"Mirovast界面 Mirovast将陆续制做上千款界面风格")
        .BackStyle(rt::BackStyle::Transparent)
        .ForeColor(0x00FFFFFF);
    Place(Label3, L"Label3", 11790, 6960, 2895, 315).Caption(L"本软件免费下载地址").BackStyle(rt::BackStyle::Transparent);

    const rt::PictureRef linkCursor = app::ResourceCursor(IDC_LINK_HAND);
    auto link = [&](rt::Label& label, const wchar_t* name, double left, double top, double width,
                    const wchar_t* caption) {
        Place(label, name, left, top, width, 345)
            .Caption(caption)
            .BackStyle(rt::BackStyle::Transparent)
            .MousePointer(rt::MousePointer::Custom)
            .MouseIcon(linkCursor);
    };
    link(Label4, L"Label4", 11790, 7440, 1575, L"晨星下载园");
    link(Label5, L"Label5", 11760, 7920, 1605, L"绿野软件站");
    link(Label6, L"Label6", 11760, 8400, 1605, L"海川下载网");
    link(Label7, L"Label7", 11760, 8910, 1935, L"Mirovast软件");
    Label4.Click = [this] { Label4_Click(); };
    Label5.Click = [this] { Label5_Click(); };
    Label6.Click = [this] { Label6_Click(); };
    Label7.Click = [this] { Label7_Click(); };

    Place(Timer1, L"Timer1").Interval(500);
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void frmTest::DefineSkinPictures() {
    for (int i = 0; i < app::kSkinCount; ++i) {
        rt::PictureBox& caption = Place(PicCaption.Add(i), L"PicCaption", 0, 0, 9000, 825);
        caption.Picture(app::SkinCaptionPicture(i)).Visible(false);
        caption.Place(PicBorder.Add(i), L"PicBorder", 0, 0, 975, 150).Picture(app::SkinBorderPicture(i));
    }
    Place(Image1, L"Image1", 14850, 4980, 4800, 3450).Picture(app::ResourcePicture(IDR_IMAGE1)).Visible(false);
    Place(Image2, L"Image2", 13470, 2370, 4800, 3510).Picture(app::ResourcePicture(IDR_IMAGE2)).Visible(false);
}

void frmTest::DefineSkinPanel() {
    Place(Shape1, L"Shape1", 6210, 5400, 4665, 4665)
        .BorderColor(kShapeBorderColor)
        .BackStyle(rt::BackStyle::Opaque)
        .BackColor(kShapeBackColor)
        .Visible(false);
    Place(Frame1, L"Frame1", 6360, 5730, 4185, 4035)
        .Caption(L"")
        .BorderStyle(rt::BorderStyle::None)
        .BackColor(kPanelBackColor)
        .ForeColor(kPanelForeColor)
        .Visible(false);
    Frame1.Place(Label2, L"Label2", 390, 120, 3525, 345)
        .Caption(L"五彩缤纷的界面时代即将到来")
        .BackStyle(rt::BackStyle::Transparent)
        .Font(L"楷体_GB2312", 12, true, false, GB2312_CHARSET)
        .ForeColor(0x00C000C0);
    const auto& options = app::PanelSkinOptions();
    for (int i = 0; i < app::kSkinCount; ++i) {
        const app::SkinOption& o = options[static_cast<size_t>(i)];
        const SIZE size = app::PanelOptionSize(i);
        Frame1.Place(Option1.Add(i), L"Option1", o.left, o.top, size.cx, size.cy)
            .Caption(o.caption)
            .BackColor(kPanelBackColor)
            .ForeColor(o.textColor);
    }
    Frame1.Place(RainButton4, L"RainButton4", 1290, 3630, 1155, 345)
        .Caption(Padded(17, L"确定选择", 32))
        .BackColor(kButtonBackColor)
        .ForeColor(kButtonForeColor)
        .Font(L"宋体", 10.5, true, false, GB2312_CHARSET)
        .BackFill(kGradientFill)
        .BackGradient(kButtonGradient);
    Frame1.Place(RainButton5, L"RainButton5", 2760, 3630, 1155, 345)
        .Caption(Padded(23, L"退  出", 36, L"1"))
        .BackColor(kButtonBackColor)
        .ForeColor(kButtonForeColor)
        .Font(L"宋体", 9, true, false, GB2312_CHARSET)
        .BackFill(kGradientFill)
        .BackGradient(kButtonGradient)
        .ButtonType(kFlatButton);
    RainButton4.Click = [this] { RainButton4_Click(); };
    RainButton5.Click = [this] { RainButton5_Click(); };
}

void frmTest::Form_Load() {
    m_cN = std::make_shared<cNeoCaption>();
    ApplySkin(*this, m_cN);
}

// Reads the stored skin number and dresses frm with it. No error is handled here: at start-up
// a missing or unusable settings database ends the program before the window shows.
void frmTest::ApplySkin(frmTest& frm, std::shared_ptr<cNeoCaption>& cap) {
    app::SettingsSession session;
    session.Open();
    m_SkinIndex = session.ReadFirstSkinIndex();

    app::ConfigureSkinLook(*cap, app::kMainCaptionFontSize);

    const rt::PictureRef caption = frm.PicCaption(m_SkinIndex).Picture();
    const rt::PictureRef border = frm.PicBorder(m_SkinIndex).Picture();
    app::AttachSkinPictures(*cap, frm.hWnd(), caption, border);
    frm.BackColor(app::kSkinnedBackColor);

    session.Close();
}

void frmTest::d111_Click() {
    Frame1.SetVisible(true);
    Shape1.SetVisible(true);
    const float scaleWidth = static_cast<float>(ScaleWidth());
    Frame1.SetLeft(scaleWidth - static_cast<float>(Frame1.Width()) - kFrameInset - kShapeRightGap);
    Shape1.SetLeft(scaleWidth - static_cast<float>(Shape1.Width()) - kShapeRightGap);
}

void frmTest::Sembrel_Click() { rt::Forms::Get<FRotFont>().Show(rt::ShowMode::Modeless, this); }

void frmTest::f111_Click() { rt::Forms::Get<form11>().Show(rt::ShowMode::Modeless, this); }

void frmTest::ccc_Click() { rt::Forms::Get<frmTextEffect>().Show(rt::ShowMode::Modeless, this); }

void frmTest::Label4_Click() { OpenLink(kLink4Address); }
void frmTest::Label5_Click() { OpenLink(kLink5Address); }
void frmTest::Label6_Click() { OpenLink(kLink6Address); }
void frmTest::Label7_Click() { OpenLink(kLink7Address); }

void frmTest::OpenLink(const wchar_t* address) {
    // No browser or no network is not reported: the result is deliberately not examined.
    ShellOpen(hWnd(), L"open", address, L"", L"", SW_SHOW);
}

void frmTest::Timer1_Timer() {
    mainwin::StepPulse(m_pulse);
    const mainwin::PulseColors colors = mainwin::PulseColorsFor(m_pulse.PulseLevel);
    Label1.ForeColor(colors.heading);
    Label2.ForeColor(colors.heading);
    Label3.ForeColor(colors.heading);
    Label7.ForeColor(colors.heading);
    Label4.ForeColor(colors.label4);
    Label5.ForeColor(colors.label5);
    Label6.ForeColor(colors.label6);
}

// Stores the selected skin and dresses the window with it at once. Every statement runs with
// errors ignored, so without a usable database the look still changes and nothing is stored.
void frmTest::RainButton4_Click() {
    short SkinConfirmIndex = 0;
    app::SettingsSession session(app::OnError::Continue);
    session.Open();
    for (int i = 0; i < app::kSkinCount; ++i) {
        if (!Option1(i).Value()) continue;
        const short skin = static_cast<short>(i);
        session.WriteSkinIndex(skin);
        SkinConfirmIndex = skin;
        if (const auto color = app::PanelSkinBackColor(i)) BackColor(*color);
        if (i == kSkinWithImage2) Picture(Image2.Picture());
        if (i == kSkinWithImage1) Picture(Image1.Picture());
    }
    session.Update();
    session.Close();

    // Attaching the new painter takes the window over from whichever painter wears it now (this
    // window's previous one or the chooser's), even while something still holds that one. The
    // previous one is let go only afterwards: released first, it would give the window its own
    // frame and menu back for a moment.
    const std::shared_ptr<cNeoCaption> previous = m_cN;
    m_cN = std::make_shared<cNeoCaption>();
    rt::TryStatement([&] { ApplySkin(*this, m_cN); });
    rt::TryStatement([&] {
        app::AttachSkinPictures(*m_cN, hWnd(), PicCaption(SkinConfirmIndex).Picture(),
                                    PicBorder(SkinConfirmIndex).Picture());
    });
    Refresh();
}

void frmTest::RainButton5_Click() {
    Frame1.SetVisible(false);
    Shape1.SetVisible(false);
}

void frmTest::ShowPasswordBook() { rt::Forms::Get<Form1>().Show(rt::ShowMode::Modeless, this); }

void frmTest::ShowSkinChooser() { rt::Forms::Get<Form2>().Show(rt::ShowMode::Modeless, this); }

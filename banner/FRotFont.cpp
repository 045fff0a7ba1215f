#include "banner/FRotFont.h"

#include <windows.h>

#include <optional>

#include "app/ArtResources.h"
#include "app/MainWindow.h"
#include "banner/AutoStep.h"
#include "banner/BannerLayout.h"
#include "banner/BannerLine.h"
#include "banner/Form3.h"
#include "banner/IntervalText.h"
#include "banner/MCommDialogTest.h"
#include "media/Form14.h"
#include "resources/ArtIds.h"
#include "runtime/forms/Forms.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/forms/MsgBox.h"
#include "runtime/core/Files.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr short kAnsiCharset = 0;
constexpr OLE_COLOR kWindowBack = 0x00800000;
constexpr OLE_COLOR kPictureBack = 0x00000000;
constexpr OLE_COLOR kFirstPrintColor = 0x000080FF;
constexpr OLE_COLOR kNoticeColor = 0x00C000C0;
constexpr OLE_COLOR kHintColor = 0x0080FF80;
constexpr OLE_COLOR kAngleColor = 0x00FFFFFF;
constexpr OLE_COLOR kSwatchBack = 0x006912DE;
constexpr OLE_COLOR kBoxText = 0x00400040;
constexpr OLE_COLOR kEntryBack = 0x00C0FFC0;
constexpr OLE_COLOR kEntryText = 0x00800080;
constexpr OLE_COLOR kButtonBack = 0x00FFC0FF;
constexpr int kFullTurn = 360;
constexpr int kAngleStep = 15;
constexpr int kFirstTimerInterval = 1000;
constexpr int kLastTabIndex = 1000;  // beyond any control count: the order's end

std::wstring AngleCaption(int value) { return L"&旋转角度: (" + std::to_wstring(value) + L")"; }
// The reason a background could not be loaded, in the window's own language (the runtime's
// descriptions are English).
std::wstring BackgroundFailure(long number) {
    switch (number) {
        case rt::err::kInvalidPicture: return L"它不是可以显示的图片文件";
        case rt::err::kFileNotFound:
        case rt::err::kPathNotFound:
        case rt::err::kBadFileName: return L"找不到这个文件";
        case rt::err::kOutOfMemory: return L"内存不足";
        default: return L"无法读取这个文件";
    }
}

std::wstring DragCaption(int value) { return L"&Output Angle (" + std::to_wstring(value) + L"):"; }

}  // namespace

FRotFont::FRotFont() {
    Caption(L"Sembrel").ClientSize(15240, 10815).BackColor(kWindowBack);
    BorderStyle(rt::FormBorderStyle::Sizable).StartUpPosition(rt::StartUpPosition::CenterScreen);
    Font(L"宋体", 9, false, false, GB2312_CHARSET);
    Icon(app::ResourceIcon(IDI_FROTFONT));
    DefineControls();
    DefineButtons();
}

void FRotFont::DefineControls() {
    Place(Picture1, L"Picture1", -120, -30, 15315, 9735)
        .BackColor(kPictureBack)
        .ForeColor(kFirstPrintColor)
        .Font(L"Arial", 18, false, false, kAnsiCharset);
    // Printed lines stay when the picture is covered and uncovered.
    Picture1.AutoRedraw(true);
    Picture1.MouseUp = [this](int button, int shift, double x, double y) { Picture1_MouseUp(button, shift, x, y); };
    Picture1.Place(Label5, L"Label5", 12060, 9480, 2775, 195)
        .Caption(L"© 2026 Mirovast 版权所有")
        .Font(L"宋体", 9, false, false, GB2312_CHARSET)
        .ForeColor(kNoticeColor)
        .BackStyle(rt::BackStyle::Transparent);

    Place(HScroll1, L"HScroll1", 30, 9810, 15105, 315).Min(0).Max(kFullTurn).LargeChange(kAngleStep).SmallChange(1);
    HScroll1.Change = [this] { HScroll1_Change(); };
    HScroll1.Scroll = [this] { HScroll1_Scroll(); };

    // The bold green hints of the bottom row.
    auto hint = [&](rt::Label& label, const wchar_t* name, double left, double top, double width, double height,
                    const wchar_t* caption) {
        Place(label, name, left, top, width, height)
            .Caption(caption)
            .Font(L"宋体", 9, true, false, GB2312_CHARSET)
            .ForeColor(kHintColor)
            .BackStyle(rt::BackStyle::Transparent);
    };
    hint(Label2, L"Label2", 30, 10140, 1755, 180, L"点击上图可显示文字");
    Place(Label1, L"Label1", 60, 10350, 1920, 180)
        .Caption(L"旋转角度:")
        .ForeColor(kAngleColor)
        .BackStyle(rt::BackStyle::Transparent);
    Place(Text2, L"Text2", 1950, 10200, 795, 315).Text(L"字体颜色").BackColor(kSwatchBack).ForeColor(kBoxText);
    hint(Label3, L"Label3", 6060, 10230, 885, 255, L"变更文字");
    Place(Text1, L"Text1", 6990, 10200, 4275, 285).Text(L"******祝您生日快乐").BackColor(kEntryBack).ForeColor(kEntryText);
    hint(Label4, L"Label4", 11310, 10260, 405, 225, L"速度");
    Place(Text3, L"Text3", 11730, 10200, 465, 285).Text(L"10").BackColor(kEntryBack).ForeColor(kEntryText);
    Place(Check1, L"Check1", 12210, 10230, 1575, 285)
        .Caption(L"&选择旋转文字")
        .Font(L"宋体", 9, true, false, GB2312_CHARSET)
        .BackColor(kWindowBack)
        .ForeColor(kHintColor);
    Check1.Click = [this] { Check1_Click(); };

    Place(Timer1, L"Timer1").Interval(kFirstTimerInterval).Enabled(false);
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void FRotFont::DefineButtons() {
    auto button = [&](rt::CommandButton& b, const wchar_t* name, double left, double top, double width,
                      const wchar_t* caption) -> rt::CommandButton& {
        return Place(b, name, left, top, width, 315)
            .Caption(caption)
            .BackColor(kButtonBack)
            .Style(rt::ButtonStyle::Graphical);
    };
    button(Command2, L"Command2", 2820, 10200, 945, L"字体颜色");
    button(Command3, L"Command3", 3810, 10200, 975, L"背景颜色");
    button(Command5, L"Command5", 4830, 10200, 1065, L"背景图片");
    button(Command1, L"Command1", 13830, 10200, 1005, L"请 空");
    // Defined but never shown: nothing makes these two visible.
    button(Command4, L"Command4", 5940, 10200, 1005, L"保存图像").Visible(false);
    button(Command6, L"Command6", 1830, 10320, 945, L"打开音乐").Visible(false);
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    // The laid-out picture reaches over the scroll bar's top, and in a maximised window over
    // the whole row below it. Last in the tab order it lies at the bottom of the z-order, so
    // every other control is drawn whole above it and takes the clicks where it shows.
    Picture1.TabIndex(kLastTabIndex);
}

void FRotFont::Form_Load() {
    m_LogFont = std::make_unique<CLogFont>();
    m_LogFont->LogFont(Picture1.Font());
    HScroll1.Value(0);
}

// Every statement runs on its own: a minimised window gives negative sizes, which are refused
// and skipped.
void FRotFont::Form_Resize() {
    banner::BannerLayoutInput in;
    in.clientWidth = ScaleWidth();
    in.clientHeight = ScaleHeight();
    in.scrollLeft = HScroll1.Left();
    in.pictureTop = Picture1.Top();
    in.clearWidth = Command1.Width();
    in.modeWidth = Check1.Width();
    // Reading the designer's width loads it (it is not shown).
    rt::TryStatement([&] { in.designerWidth = rt::Forms::Get<Form3>().Width(); });
    const banner::BannerLayout layout = banner::LayOutBanner(in);
    rt::TryStatement([&] { HScroll1.SetWidth(layout.scrollWidth); });
    rt::TryStatement(
        [&] { Picture1.Move(layout.pictureLeft, layout.pictureTop, layout.pictureWidth, layout.pictureHeight); });
    rt::TryStatement([&] { UncoverHints(); });
    rt::TryStatement([&] { Command1.SetLeft(layout.clearLeft); });
    rt::TryStatement([&] { Check1.SetLeft(layout.modeLeft); });
    rt::TryStatement([&] { rt::Forms::Get<Form3>().Left(layout.designerLeft); });
}

// The bottom row's labels are drawn on the window itself, beneath every child window. Where the
// laid-out picture reaches over them (a maximised window) it is cut away, so they still show.
// A window region is in whole-window coordinates: the picture's edge belongs to it.
void FRotFont::UncoverHints() {
    HWND picture = Picture1.hWnd();
    if (!picture) return;
    RECT outer;
    GetWindowRect(picture, &outer);
    MapWindowPoints(nullptr, hWnd(), reinterpret_cast<POINT*>(&outer), 2);
    rt::Region shape(CreateRectRgn(0, 0, outer.right - outer.left, outer.bottom - outer.top));
    for (const rt::Label* label : {&Label2, &Label1, &Label3, &Label4}) {
        RECT hole = label->PixelRect();
        OffsetRect(&hole, -outer.left, -outer.top);
        rt::Region cut(CreateRectRgnIndirect(&hole));
        CombineRgn(shape.get(), shape.get(), cut.get(), RGN_DIFF);
    }
    // The window owns the region from here on.
    SetWindowRgn(picture, shape.release(), TRUE);
}

void FRotFont::HScroll1_Change() {
    if (m_LogFont) m_LogFont->Rotation(static_cast<float>(HScroll1.Value()));
    Label1.Caption(AngleCaption(HScroll1.Value()));
}

void FRotFont::HScroll1_Scroll() { Label1.Caption(DragCaption(HScroll1.Value())); }

void FRotFont::Picture1_MouseUp(int /*Button*/, int /*Shift*/, double X, double Y) { PrintBannerLine(X, Y); }

void FRotFont::PrintBannerLine(double x, double y) {
    // hDC() brings the picture's own font and colour into the DC first; the turned font then
    // replaces that font for this one line, and Print draws with what is selected.
    HDC dc = Picture1.hDC();
    {
        std::optional<rt::SelectGuard> turned;
        if (m_LogFont && m_LogFont->Handle()) turned.emplace(dc, m_LogFont->Handle());
        Picture1.CurrentX(x).CurrentY(y);
        SYSTEMTIME now = {};
        GetLocalTime(&now);
        Picture1.Print(banner::BannerLineText(Text1.Text(), now));
    }
    Picture1.ForeColor(Text2.BackColor());
}

void FRotFont::Timer1_Timer() {
    HScroll1.Value(banner::NextStepAngle(HScroll1.Value(), HScroll1.Min(), HScroll1.Max(), HScroll1.LargeChange()));
    const int angle = HScroll1.Value();
    if (banner::StepClears(angle)) Picture1.Cls();
    if (const auto colour = banner::StepColor(angle)) Picture1.ForeColor(*colour);
    const POINT centre = banner::StepCentre(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    Picture1_MouseUp(0, 0, centre.x, centre.y);
}

void FRotFont::Check1_Click() {
    Timer1.Enabled(Check1.Value() != rt::CheckBox::kUnchecked);
    HScroll1.Enabled(!Timer1.Enabled());
    if (Timer1.Enabled()) {
        HScroll1.Value(0);
        Picture1.Cls();
    }
    const banner::IntervalSetting setting = banner::ReadInterval(Text3.Text());
    Timer1.Interval(setting.interval);
    if (setting.showOne) Text3.Text(L"1");
}

void FRotFont::Command1_Click() { Picture1.Cls(); }

void FRotFont::Command2_Click() {
    COLORREF customColors[16] = {};
    MCommDialogTest::ChooseColorRecord record = MCommDialogTest::FillChooseColor(hWnd(), customColors);
    if (!MCommDialogTest::ChooseColorWith(record)) {
        rt::MsgBox(L"取消后重选", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The picture takes the new colour over at the end of the next print.
    Text2.BackColor(record.rgbResult);
}

void FRotFont::Command3_Click() { rt::Forms::Get<Form3>().Show(rt::ShowMode::Modeless, this); }

void FRotFont::Command5_Click() {
    CommonDialog1.DialogTitle = L"图像文件";
    CommonDialog1.Filter = L"图像文件 (*.bmp)|*.bmp|(*.jpg)|*.jpg|(*.ico)|*.ico|(*jif)|*.jif";
    CommonDialog1.Flags = 0;
    CommonDialog1.InitDir = rt::AppPath();
    // A cancel empties the dialog's file name, which would read as "no background": asking for
    // the cancel as an error tells it apart, and it leaves the background and the drawing be.
    CommonDialog1.CancelError = true;
    try {
        CommonDialog1.ShowOpen();
    } catch (const rt::RuntimeError& e) {
        if (e.Number() == rt::err::kCancelSelected) return;
        throw;
    }
    LoadBackground(CommonDialog1.FileName);
}

// An empty name removes the background picture. A file that no decoder takes leaves the
// background as it was and says so.
void FRotFont::LoadBackground(const std::wstring& path) {
    rt::PictureRef picture;
    if (const long failure = rt::TryStatement([&] { picture = rt::LoadPicture(path); })) {
        rt::MsgBox(L"无法把“" + path + L"”作为背景图片载入：" + BackgroundFailure(failure) +
                       L"。\n背景图片保持不变。",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Picture1.Picture(std::move(picture));
}

void FRotFont::Command4_Click() {
    cdlg.InitDir = rt::AppPath();
    cdlg.Filter = L"位图文件 (*.Bmp)|*.Bmp";
    cdlg.ShowSave();
    if (cdlg.FileName.empty()) return;
    int answer = IDYES;
    if (rt::FileExists(cdlg.FileName)) {
        answer = rt::MsgBox(L"文件已经存在，是否覆盖文件？", MB_YESNO | MB_ICONQUESTION, L"询问");
    }
    if (answer != IDYES) return;
    std::wstring failure;
    try {
        rt::SavePicture(Picture1.Image(), cdlg.FileName);
    } catch (const rt::RuntimeError& e) {
        failure = e.Description();
    } catch (const std::bad_alloc&) {
        failure = rt::StandardDescription(rt::err::kOutOfMemory);
    }
    if (!failure.empty()) rt::MsgBox(L"无法保存图像“" + cdlg.FileName + L"”：" + failure, MB_OK | MB_ICONEXCLAMATION);
}

void FRotFont::Command6_Click() {
    app::ISkinnedMainWindow* main = app::MainWindow();
    rt::Forms::Get<Form14>().Show(rt::ShowMode::Modeless, main ? &main->SkinnedForm() : nullptr);
}

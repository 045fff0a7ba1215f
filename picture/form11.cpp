#include "picture/form11.h"

#include "app/ArtResources.h"
#include "picture/FittingRule.h"
#include "resources/ArtIds.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr OLE_COLOR kBackColor = 0x00FF8080;
constexpr OLE_COLOR kPinkBack = 0x00FFC0FF;
constexpr OLE_COLOR kLilacBack = 0x00FFC0C0;
constexpr OLE_COLOR kGreenBack = 0x00C0FFC0;
constexpr OLE_COLOR kPurpleText = 0x00800080;
constexpr OLE_COLOR kHelpText = 0x0080FF80;
constexpr OLE_COLOR kFrameColor = 0x00FFFF80;
constexpr OLE_COLOR kWhite = 0x00FFFFFF;
constexpr int kThumbnailSize = 32;
constexpr int kSlideInterval = 2000;

rt::Label& HelpLabel(rt::Label& label, const wchar_t* text, OLE_COLOR color) {
    return label.Caption(text).BackStyle(rt::BackStyle::Transparent).ForeColor(color);
}

// The buttons are drawn in their back colour, so they are of the graphical style.
rt::CommandButton& ColouredButton(rt::CommandButton& button, const wchar_t* caption, OLE_COLOR back) {
    return button.Caption(caption).Style(rt::ButtonStyle::Graphical).BackColor(back);
}

}  // namespace

form11::form11() {
    Caption(L"Quorrin").ClientSize(15240, 10815).BackColor(kBackColor);
    StartUpPosition(rt::StartUpPosition::WindowsDefault);
    Font(L"宋体", 9, false, false, GB2312_CHARSET);
    Icon(app::ResourceIcon(IDI_FORM11));
    DefineDecoration();
    DefineHelpLabels();
    DefineBrowsing();
    DefineDisplay();
    DefineThumbnails();
    WireEvents();
}

form11::~form11() = default;

void form11::DefineDecoration() {
    struct Frame {
        rt::Shape* shape;
        const wchar_t* name;
        double left, top, width, height;
        OLE_COLOR border;
    };
    const Frame frames[] = {
        {&Shape1, L"Shape1", 390, 480, 5175, 3165, kFrameColor},    // thumbnails
        {&Shape2, L"Shape2", 450, 4320, 5115, 3090, kFrameColor},   // drive, folder, pattern and file lists
        {&Shape3, L"Shape3", 6240, 1020, 8355, 5745, kWhite},       // the display
        {&Shape4, L"Shape4", 6240, 7080, 8385, 555, kFrameColor},   // slide-show progress
        {&Shape5, L"Shape5", 6360, 8520, 8325, 2175, kFrameColor},  // size lines
        {&Shape6, L"Shape6", 540, 8580, 3525, 1620, kFrameColor},   // how to use
        {&Shape7, L"Shape7", 540, 7530, 5025, 465, kFrameColor},    // thumbnail buttons
        {&Shape8, L"Shape8", 12030, 7620, 2445, 465, kFrameColor},  // original picture and save
        {&Shape9, L"Shape9", 7050, 330, 6645, 585, kWhite},         // title
        {&Shape10, L"Shape10", 4290, 8760, 1695, 405, kFrameColor}, // size-line heading
    };
    for (const Frame& f : frames) {
        Place(*f.shape, f.name, f.left, f.top, f.width, f.height).BorderColor(f.border).BorderWidth(2);
    }
    Place(Line1, L"Line1", 0, 0, 0, 0).Points(450, 8370, 14625, 8370).BorderColor(kWhite).BorderWidth(1);
}

void form11::DefineHelpLabels() {
    Place(Label1, L"Label1", 7110, 390, 6525, 465)
        .Caption(L"Quorrin")
        .BackStyle(rt::BackStyle::Transparent)
        .ForeColor(kWhite)
        .Alignment(rt::Alignment::Center)
        .Font(L"楷体_GB2312", 21.75, true, false, GB2312_CHARSET);
    Place(Label2, L"Label2", 4410, 3780, 1005, 255)
        .Caption(L"Mirovast")
        .BackStyle(rt::BackStyle::Transparent)
        .ForeColor(0x00C000C0);
    HelpLabel(Place(Label3, L"Label3", 660, 8640, 1875, 375), L"使用方法：", 0x00FF80FF)
        .Font(L"宋体", 10.5, true, false, GB2312_CHARSET);
    HelpLabel(Place(Label5, L"Label5", 660, 9000, 2085, 315), L"1：从目录选定图片文件", kHelpText)
        .Font(L"宋体", 9, true, false, GB2312_CHARSET);
    HelpLabel(Place(Label6, L"Label6", 660, 9270, 1965, 315), L"2：打开缩略图", kHelpText)
        .Font(L"宋体", 9, true, false, GB2312_CHARSET);
    HelpLabel(Place(Label7, L"Label7", 660, 9540, 1875, 315), L"3：点击幻灯播放", kHelpText)
        .Font(L"宋体", 9, true, false, GB2312_CHARSET);
    HelpLabel(Place(Label8, L"Label8", 660, 9810, 3285, 285), L"4：单击文件可显示图片和画面大小", kHelpText)
        .Font(L"宋体", 9, true, false, GB2312_CHARSET);
    HelpLabel(Place(Label9, L"Label9", 7170, 7770, 4695, 405), L"任何打开的图片文件可转换成bmp通用文件保存", 0x0000FF00)
        .Font(L"宋体", 10.5, false, false, GB2312_CHARSET);
    HelpLabel(Place(Label4, L"Label4", 4350, 8820, 1575, 285), L"图片画面大小", 0x0080FFFF)
        .Font(L"宋体", 10.5, true, false, GB2312_CHARSET);
}

void form11::DefineBrowsing() {
    Place(Drive1, L"Drive1", 510, 4380, 2385, 360)
        .BackColor(kPinkBack)
        .ForeColor(0x00FF0000)
        .Font(L"MS Sans Serif", 9.75, true);
    Place(Dir1, L"Dir1", 510, 4740, 2385, 2610).BackColor(kLilacBack).ForeColor(0x00404000);
    Place(Combo1, L"Combo1", 2910, 4380, 2595, 360)
        .Text(L"Combo1")
        .BackColor(kGreenBack)
        .ForeColor(kPurpleText)
        .Font(L"MS Sans Serif", 9.75, true);
    Place(File1, L"File1", 2910, 4740, 2595, 2610).BackColor(kLilacBack).ForeColor(kPurpleText);
}

void form11::DefineDisplay() {
    Place(Image1, L"Image1", 6300, 1080, 8235, 5625).BackColor(kBackColor);
    // The welcome picture until the first file is opened; without it the display starts empty.
    rt::TryStatement([this] { Image1.Picture(app::ResourcePicture(IDR_FORM11_PICTURE)); });
    ApplyFittingRule();
    Place(txtOut, L"txtOut", 6420, 8580, 8205, 2055)
        .MultiLine(true)
        .ScrollBars(rt::ScrollBars::Vertical)
        .BackColor(kLilacBack)
        .ForeColor(kPurpleText);
    ColouredButton(Place(Command1, L"Command1", 12090, 7680, 1065, 345), L"图片原图", kPinkBack);
    ColouredButton(Place(Command2, L"Command2", 13350, 7680, 1065, 345), L"图片保存", kPinkBack);
    Place(Command3, L"Command3", 12120, 8160, 1095, 345).Caption(L"Command3").Visible(false);
    ColouredButton(Place(退出, L"退出", 4650, 7590, 855, 345), L"退 出", kBackColor);
}

void form11::DefineThumbnails() {
    ColouredButton(Place(cmdAuto, L"cmdAuto", 600, 7590, 1095, 345), L"打开缩略图", kBackColor);
    ColouredButton(Place(cmdAnimate, L"cmdAnimate", 1740, 7590, 855, 345), L"幻灯播放", kBackColor)
        .ToolTipText(L"See Slider Show");
    ColouredButton(Place(cmdSpeed, L"cmdSpeed", 2670, 7590, 855, 345), L"播放速度", kBackColor)
        .ToolTipText(L"Choose Animate Speed");
    ColouredButton(Place(cmdStop, L"cmdStop", 3600, 7590, 975, 345), L"暂 停", kBackColor);
    Place(ListView, L"ListView", 450, 540, 5055, 3045);
    Place(picTemp, L"picTemp", 5280, 4440, 735, 375).Visible(false);
    Place(ProgressBar1, L"ProgressBar1", 6300, 7140, 8265, 435);
    Place(Timer1, L"Timer1").Interval(kSlideInterval).Enabled(false);

    imgList.SetImageWidth(kThumbnailSize);
    imgList.SetImageHeight(kThumbnailSize);
    rt::TryStatement([this] { imgList.Add(L"Placeholder", app::ResourcePicture(IDR_FORM11_IMGLIST)); });
    ListView.Icons(&imgList);
}

void form11::WireEvents() {
    Combo1.Click = [this] { Combo1_Click(); };
    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    File1.Click = [this] { File1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    退出.Click = [this] { 退出_Click(); };
    cmdAuto.Click = [this] { cmdAuto_Click(); };
    cmdAnimate.Click = [this] { cmdAnimate_Click(); };
    cmdStop.Click = [this] { cmdStop_Click(); };
    cmdSpeed.Click = [this] { cmdSpeed_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    ListView.Click = [this] { ListView_Click(); };
}

void form11::ApplyFittingRule() {
    const rt::PictureRef& picture = Image1.Picture();
    if (!picture) return;
    const RECT display = Image1.PixelRect();
    const ctl::PictureSizeMode mode = FittingMode(picture->PixelWidth(), picture->PixelHeight(),
                                                  display.right - display.left, display.bottom - display.top);
    Image1.PictureSizeMode(static_cast<short>(mode));
}

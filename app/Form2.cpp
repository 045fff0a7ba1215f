#include "app/Form2.h"

#include "app/MainWindow.h"
#include "app/SettingsStore.h"
#include "app/SkinAttach.h"
#include "app/SkinLook.h"
#include "app/SkinTable.h"
#include "frame/cNeoCaption.h"
#include "runtime/forms/Forms.h"
#include "runtime/core/RuntimeError.h"

namespace {

constexpr OLE_COLOR kBackColor = 0x00FF8080;
constexpr OLE_COLOR kOptionTextColor = 0x0080FF80;
constexpr OLE_COLOR kHeadingColor = 0x0080FFFF;
constexpr OLE_COLOR kHintTitleColor = 0x000080FF;
constexpr OLE_COLOR kShapeBackColor = 0x00C0FFC0;
constexpr OLE_COLOR kShapeBorderColor = 0x0000FFFF;
constexpr OLE_COLOR kApplyBoxForeColor = 0x00C0E0FF;
constexpr double kOptionTop = 480;
constexpr double kOptionPitch = 390;

void AttachSkin(cNeoCaption& cap, app::ISkinnedMainWindow& main, int skin) {
    app::AttachSkinPictures(cap, main.SkinnedForm().hWnd(), main.SkinCaptionPicture(skin),
                            main.SkinBorderPicture(skin));
}

}  // namespace

Form2::Form2() {
    Caption(L"Form1").ClientSize(3300, 4680).BackColor(kBackColor);
    Place(Label1, L"Label1", 210, 90, 1455, 375)
        .Caption(L"选择界面皮肤")
        .BackStyle(rt::BackStyle::Transparent)
        .ForeColor(kHeadingColor)
        .Font(L"楷体_GB2312", 10.5, true, false, GB2312_CHARSET);
    const auto& names = app::ChooserSkinNames();
    for (int i = 0; i < app::kChooserSkinCount; ++i) {
        Place(Option1.Add(i), L"Option1", 240, kOptionTop + kOptionPitch * i, 1425, 345)
            .Caption(names[static_cast<size_t>(i)])
            .BackColor(kBackColor)
            .ForeColor(kOptionTextColor)
            .TabIndex(i);
    }
    Place(Shape1, L"Shape1", 1830, 1170, 1335, 1695)
        .BackStyle(rt::BackStyle::Opaque)
        .BackColor(kShapeBackColor)
        .BorderColor(kShapeBorderColor);
    Place(Label3, L"Label3", 2040, 1320, 585, 255)
        .Caption(L"提示")
        .BackStyle(rt::BackStyle::Transparent)
        .ForeColor(kHintTitleColor)
        .Font(L"宋体", 10.5, true, false, GB2312_CHARSET);
    Place(Label2, L"Label2", 2010, 1680, 975, 1065)
        .Caption(L"选择界面皮肤后，必须重启本软件后方可换肤生效。")
        .BackStyle(rt::BackStyle::Transparent)
        .ForeColor(kHeadingColor)
        .Font(L"楷体_GB2312", 9, true, false, GB2312_CHARSET);
    Place(RainButton1, L"RainButton1", 1830, 3990, 1335, 375)
        .BackColor(kBackColor)
        .ForeColor(kApplyBoxForeColor)
        .Font(L"楷体_GB2312", 9, false, false, GB2312_CHARSET);
    RainButton1.Click = [this] { RainButton1_Click(); };
}

Form2::~Form2() = default;

// Stores the chosen skin and dresses the main window with it. Every statement runs with
// errors ignored: nothing here reports an error to the user. With no main window loaded there
// is nothing to dress; the choice is still stored.
void Form2::RainButton1_Click() {
    int chosen = 0;
    app::SettingsSession session(app::OnError::Continue);
    session.Open();
    for (int i = 0; i < app::kChooserSkinCount; ++i) {
        if (!Option1(i).Value()) continue;
        session.WriteSkinIndex(static_cast<short>(i));
        chosen = i;
    }
    session.Update();
    session.Close();

    app::ISkinnedMainWindow* main = app::MainWindow();
    if (!main) return;
    // Let go only once the new painter has taken the main window over (see frmTest).
    const std::shared_ptr<cNeoCaption> previous = m_cN;
    m_cN = std::make_shared<cNeoCaption>();
    ApplySkin(*main, m_cN);
    rt::TryStatement([&] { AttachSkin(*m_cN, *main, chosen); });
    main->SkinnedForm().Refresh();
}

// The chooser's own copy of the main window's routine: errors are skipped statement by
// statement, the skin number stays local (0 when it cannot be read), the caption font is one
// point smaller, and the main window is refreshed at the end.
void Form2::ApplySkin(app::ISkinnedMainWindow& main, std::shared_ptr<cNeoCaption>& cap) {
    rt::Form& frm = main.SkinnedForm();
    app::SettingsSession session(app::OnError::Continue);
    session.Open();
    const short skin = session.ReadFirstSkinIndex(0);

    app::ConfigureSkinLook(*cap, app::kChooserCaptionFontSize);

    rt::TryStatement([&] { AttachSkin(*cap, main, skin); });
    frm.BackColor(app::kSkinnedBackColor);

    session.Close();
    frm.Refresh();
}

// Closing the chooser ends the whole program at once.
void Form2::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) { rt::Forms::End(); }

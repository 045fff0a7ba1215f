// The graphical buttons of the banner screen and of the gradient designer keep their colour
// while real Tab presses walk the focus through every control, and Enter on a focused one
// runs its click.
#include <gtest/gtest.h>

#include <vector>

#include "banner/FRotFont.h"
#include "banner/Form3.h"
#include "runtime/forms/Forms.h"
#include "tests/banner/BannerTestSupport.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Pixels.h"
#include "tests/support/Watchdog.h"

using namespace testing_support;

namespace {

constexpr COLORREF kPink = RGB(0xFF, 0xC0, 0xFF);
constexpr COLORREF kChosen = RGB(0, 200, 0);
constexpr DWORD kHangBound = 60000;
constexpr int kInside = 3;  // within the raised edge, outside the focus rectangle
constexpr int kTabs = 30;   // more than either window has tab stops

struct ShownForms {
    ~ShownForms() {
        if (rt::Forms::IsLoaded<Form3>()) rt::Forms::Get<Form3>().Unload();
        if (rt::Forms::IsLoaded<FRotFont>()) rt::Forms::Get<FRotFont>().Unload();
        PumpPending();
    }
};

void ShowInFront(rt::Form& form) {
    form.Show();
    PumpUntil([&] { return IsWindowVisible(form.hWnd()) != FALSE; });
    MakeForeground(form.hWnd());
    PumpPending(Processing::Program);
}

std::vector<COLORREF> InsideColours(const std::vector<rt::CommandButton*>& buttons) {
    std::vector<COLORREF> colours;
    for (rt::CommandButton* b : buttons) colours.push_back(CaptureClient(b->hWnd()).At(kInside, kInside));
    return colours;
}

void TabThroughEverything() {
    for (int i = 0; i < kTabs; ++i) Key(VK_TAB);
    PumpPending(Processing::Program);
}

void ExpectColoursKept(const std::vector<rt::CommandButton*>& buttons) {
    const std::vector<COLORREF> before = InsideColours(buttons);
    EXPECT_EQ(before, std::vector<COLORREF>(buttons.size(), kPink));
    TabThroughEverything();
    EXPECT_EQ(InsideColours(buttons), before);
    for (size_t i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(GetWindowLongPtrW(buttons[i]->hWnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "button " << i;
}

}  // namespace

TEST(ColouredButtons, BannerButtonsStayPinkThroughTabAndEnterPressesTheFocusedOne) {
    Watchdog watchdog(kHangBound, "Tab and Enter on graphical buttons");
    ShownForms cleanup;
    FRotFont& banner = rt::Forms::Get<FRotFont>();
    ShowInFront(banner);
    ExpectColoursKept({&banner.Command2, &banner.Command3, &banner.Command5, &banner.Command1});
    // Enter on 字体颜色 opens the colour dialog; the colour chosen there goes to the swatch.
    ASSERT_TRUE(FocusOn(banner.hWnd(), banner.Command2.hWnd()));
    DialogAnswers answers({ChooseColour(kChosen)});
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return answers.Done(); })) << "Enter opened no colour dialog";
    PumpPending(Processing::Program);
    EXPECT_EQ(banner.Text2.BackColor(), static_cast<OLE_COLOR>(kChosen));
}

TEST(ColouredButtons, DesignerButtonsStayPinkThroughTabAndEnterPressesTheFocusedOne) {
    Watchdog watchdog(kHangBound, "Tab and Enter on graphical buttons");
    ShownForms cleanup;
    Form3& designer = rt::Forms::Get<Form3>();
    ShowInFront(designer);
    ExpectColoursKept({&designer.Command1, &designer.Command3});
    // Enter on 退 出 hides the designer.
    ASSERT_TRUE(FocusOn(designer.hWnd(), designer.Command3.hWnd()));
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(designer.hWnd()); }));
}

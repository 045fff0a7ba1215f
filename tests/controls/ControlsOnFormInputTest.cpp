// The controls on a form under real input, through the form's own keyboard handling.
#include <gtest/gtest.h>

#include "tests/controls/ControlsTestForm.h"
#include "tests/support/Input.h"

using namespace controls_testing;
using namespace testing_support;

controls_testing::FormsCleanup::~FormsCleanup() {
    for (rt::Form* form : rt::Forms::detail::Loaded()) form->Unload();
    PumpPending(Processing::Program);
}

TEST(ControlsOnFormInput, GradientButtonsClickAndTakePartInTheTabOrder) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmControls>();
    form.Show();
    FormLog().clear();
    ASSERT_TRUE(FocusOn(form.hWnd(), form.RainButton4.hWnd()));

    Click(CentreOf(form.RainButton5.hWnd()));
    EXPECT_EQ(GetFocus(), form.RainButton5.hWnd());
    Key(VK_RETURN);
    Key(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), form.RainButton4.hWnd());
    Key(VK_SPACE);
    Key(VK_TAB);
    Key(VK_TAB);
    // After the two buttons and the picture display (which takes no focus) comes the list.
    EXPECT_TRUE(IsChild(form.ListView.hWnd(), GetFocus()));
    EXPECT_EQ(FormLog(), (std::vector<std::wstring>{L"RainButton5_Click", L"RainButton5_Click", L"RainButton4_Click"}));
}

TEST(ControlsOnFormInput, SliderRaisesChangeOnTheForm) {
    FormsCleanup cleanup;
    auto& form = rt::Forms::Get<frmControls>();
    form.Show();
    FormLog().clear();
    ASSERT_TRUE(FocusOn(form.hWnd(), form.Slider1.hWnd()));
    Key(VK_RIGHT);
    Key(VK_NEXT);
    EXPECT_EQ(FormLog(), (std::vector<std::wstring>{L"Slider1_Change 65", L"Slider1_Change 81"}));
    EXPECT_EQ(form.Slider1.Value(), 81);
}

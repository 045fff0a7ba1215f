#pragma once
// Form2: the skin chooser. Ten of the skins as option buttons; its apply box stores the chosen
// skin and dresses the main window with it at once, through a painter of its own. Closing the
// chooser ends the program.
#include <memory>

#include "runtime/forms/ControlArray.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/Label.h"
#include "runtime/intrinsics/OptionButton.h"
#include "runtime/intrinsics/PictureBox.h"
#include "runtime/intrinsics/Shape.h"

class cNeoCaption;
namespace app {
class ISkinnedMainWindow;
}

class Form2 : public rt::Form {
public:
    Form2();
    ~Form2() override;

    rt::Label Label1;
    rt::ControlArray<rt::OptionButton> Option1;
    rt::Shape Shape1;
    rt::Label Label3;
    rt::Label Label2;
    rt::PictureBox RainButton1;

    void RainButton1_Click();

    // The chooser's newest painter (attached to the main window).
    const std::shared_ptr<cNeoCaption>& Painter() const { return m_cN; }

private:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void ApplySkin(app::ISkinnedMainWindow& main, std::shared_ptr<cNeoCaption>& cap);

    std::shared_ptr<cNeoCaption> m_cN;
};

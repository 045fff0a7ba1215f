#pragma once
// Form13: the screen copy. Its button copies the whole screen, scaled to fit, into Picture1.
// Nothing in the program shows this window.
#include "runtime/intrinsics/CommandButton.h"
#include "runtime/forms/Form.h"
#include "runtime/intrinsics/PictureBox.h"

class Form13 : public rt::Form {
public:
    Form13();

    rt::PictureBox Picture1;
    rt::CommandButton Command1;

    void Command1_Click();
};

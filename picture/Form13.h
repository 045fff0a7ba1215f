#pragma once
// Form13: the screen copy. Its button copies the whole screen, scaled to fit, into Picture1.
// Nothing in the program shows this window.
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/PictureBox.h"

class Form13 : public rt::Form {
public:
    Form13();

    rt::PictureBox Picture1;
    rt::CommandButton Command1;

    void Command1_Click();
};

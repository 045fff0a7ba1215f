#pragma once
// Form1: the password book's record editor.
#include "runtime/Form.h"

class Form1 : public rt::Form {
public:
    Form1();
};

#pragma once
// Form12: the original-size view. The picture player gives it its picture as the window's
// background picture, drawn at its own size from the top left corner, and sizes the window
// from the picture's size.
#include "runtime/forms/Form.h"

class Form12 : public rt::Form {
public:
    Form12();
};

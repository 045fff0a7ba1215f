#pragma once
// Form12: the original-size view of the picture player's picture.
#include "runtime/Form.h"

class Form12 : public rt::Form {
public:
    Form12();
};

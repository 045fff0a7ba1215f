#pragma once
// form11: the picture player.
#include "runtime/Form.h"

class form11 : public rt::Form {
public:
    form11();
};

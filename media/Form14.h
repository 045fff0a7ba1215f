#pragma once
// Form14: the media player.
#include "runtime/Form.h"

class Form14 : public rt::Form {
public:
    Form14();
};

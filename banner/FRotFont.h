#pragma once
// FRotFont: the banner screen.
#include "runtime/Form.h"

class FRotFont : public rt::Form {
public:
    FRotFont();
};

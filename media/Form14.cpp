#include "media/Form14.h"

Form14::Form14() { Caption(L"Form14"); }

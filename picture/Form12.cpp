#include "picture/Form12.h"

Form12::Form12() { Caption(L"图片原图"); }

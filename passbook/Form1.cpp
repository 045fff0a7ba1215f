#include "passbook/Form1.h"

Form1::Form1() { Caption(L"密码本"); }

#include "main/PlaceholderForms.h"

form11::form11() { Caption(L"Quorrin"); }

FRotFont::FRotFont() { Caption(L"Sembrel"); }

Form1::Form1() { Caption(L"密码本"); }

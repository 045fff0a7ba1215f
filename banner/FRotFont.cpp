#include "banner/FRotFont.h"

FRotFont::FRotFont() { Caption(L"Sembrel"); }

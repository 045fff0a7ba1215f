#include "picture/form11.h"

form11::form11() { Caption(L"Quorrin"); }

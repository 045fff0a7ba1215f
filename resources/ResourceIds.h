#pragma once
// Resource numbers shared by the .rc file and the code.
#define IDI_LUMESCA 1

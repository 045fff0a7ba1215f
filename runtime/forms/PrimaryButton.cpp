#include "runtime/forms/PrimaryButton.h"

namespace rt {

bool PrimaryButtonHeld() {
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & kKeyHeld) != 0;
}

}  // namespace rt

#pragma once
// The automatic mode's schedule: the angle of the next step, whether a step clears the
// picture, the colour a step prints in, and the picture's centre it prints at.
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

#include <optional>

namespace banner {

constexpr OLE_COLOR kStepRed = 0x000000FF;
constexpr OLE_COLOR kStepGreen = 0x0000FF00;
constexpr OLE_COLOR kStepBlue = 0x00FF0000;

// From the maximum back to the minimum, otherwise one large change further.
int NextStepAngle(int value, int min, int max, int largeChange);

// A step at a multiple of 360 (0 or 360) clears the picture first.
bool StepClears(int angle);

// Red, green, blue for 15, 30, 45, ... (n = angle / 15 with n mod 3 = 1, 2, 0); nothing at 0
// or between the multiples of 15, where the colour of the last print stays.
std::optional<OLE_COLOR> StepColor(int angle);

// The centre a step prints at: each scale length to the nearest integer (halves to even),
// then halved with the remainder dropped.
POINT StepCentre(double scaleWidth, double scaleHeight);

}  // namespace banner

#pragma once
// Grad: the gradient painter for windows and picture boxes. The bands (see GradientBands) are
// computed from the target's outer size and drawn as filled boxes in its inner coordinates.
// The channels are the caller's variables and end 252 lower (never below 0).
namespace rt {
class Form;
class PictureBox;
}  // namespace rt

namespace Grad {

void Gradient(rt::PictureBox& target, long& red, long& green, long& blue, bool topDown);
void Gradient(rt::Form& target, long& red, long& green, long& blue, bool topDown);

}  // namespace Grad

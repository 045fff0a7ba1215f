#pragma once
// Painting through an off-screen bitmap: the whole picture is drawn out of sight and copied
// to the screen in one piece, so that nothing flickers while it is built up.
#include <windows.h>

#include <functional>

namespace rt {

// Draws a window's client area (client: its client rectangle, origin 0, 0) into a memory DC
// the size of the client area, then copies the part `area` to the same place of target.
// Nothing happens when either rectangle is empty.
void PaintBuffered(HDC target, const RECT& client, const RECT& area, const std::function<void(HDC dc)>& draw);

}  // namespace rt

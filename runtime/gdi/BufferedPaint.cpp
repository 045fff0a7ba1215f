#include "runtime/gdi/BufferedPaint.h"

#include "runtime/gdi/Gdi.h"

namespace rt {

void PaintBuffered(HDC target, const RECT& client, const RECT& area, const std::function<void(HDC dc)>& draw) {
    if (IsRectEmpty(&client) || IsRectEmpty(&area)) return;
    MemoryDC memory(target);
    Bitmap canvas(CreateCompatibleBitmap(target, client.right, client.bottom));
    SelectGuard selected(memory.get(), canvas.get());
    draw(memory.get());
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left,
           area.top, SRCCOPY);
}

}  // namespace rt

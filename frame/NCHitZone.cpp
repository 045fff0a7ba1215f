#include "frame/NCHitZone.h"

namespace {

// Top row, middle rows, bottom row of one vertical strip of the frame.
long StripZone(long y, const RECT& window, long edge, long top, long middle, long bottom) {
    if (y <= edge) return top;
    if (y >= window.bottom - edge) return bottom;
    return middle;
}

}  // namespace

long NCHitZone(POINT p, const RECT& window, const NCMargins& margins, bool sizable,
               long captionHeight) {
    if (!PtInRect(&window, p)) return HTCLIENT;
    const long edge = margins.bottom;
    if (p.x <= margins.left) {
        return sizable ? StripZone(p.y, window, edge, HTTOPLEFT, HTLEFT, HTBOTTOMLEFT) : HTCLIENT;
    }
    if (p.x >= window.right - margins.right) {
        return sizable ? StripZone(p.y, window, edge, HTTOPRIGHT, HTRIGHT, HTBOTTOMRIGHT) : HTCLIENT;
    }
    if (p.y <= edge) return sizable ? HTTOP : HTCLIENT;
    if (p.y >= window.bottom - edge) return sizable ? HTBOTTOM : HTCLIENT;
    if (p.y <= margins.top && p.y <= edge + captionHeight) {
        return p.x <= captionHeight ? HTSYSMENU : HTCAPTION;
    }
    return HTCLIENT;
}

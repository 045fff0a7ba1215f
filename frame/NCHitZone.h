#pragma once
// The hit-test zones of a frame drawn by cNCCalcSize, as pure arithmetic: window-relative
// point, window rectangle at (0, 0), the non-client margins and the caption height.
#include <windows.h>

struct NCMargins {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// The zone of point p. The top resize zone is as thick as the bottom margin; the caption band
// runs from there down to bottom margin + caption height (its first caption-height columns
// are the system menu); the rest of the top margin (the menu band) is client area. The edge
// and corner codes exist only for a sizable window; elsewhere the code is HTCLIENT.
long NCHitZone(POINT p, const RECT& window, const NCMargins& margins, bool sizable,
               long captionHeight);

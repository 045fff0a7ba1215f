#include "frame/CaptionLayout.h"

#include <algorithm>

namespace CaptionLayout {

namespace {
long ButtonAnchor(long rightX, long rightWidth, long border) { return rightX + rightWidth - border + kButtonAnchorShift; }
}  // namespace

CaptionStrip LayOutCaptionStrip(const CaptionPictureMetrics& m, long left, long right, bool active,
                                long border) {
    CaptionStrip strip;
    strip.variantOffset = active ? 0 : m.inactiveOffset;
    const long off = strip.variantOffset;

    strip.leftSlice = {left, m.activeLeftEnd + left, off};

    strip.rightWidth = m.activeRightEnd - m.activeRightStart + 1;
    strip.rightX = right - strip.rightWidth + 1;
    if (strip.rightX < left + strip.rightWidth) {
        strip.rightX = left + strip.rightWidth;
        strip.titleFits = false;
    }
    // With right = the window width the slice's last column lands just beyond the window.
    strip.rightSlice = {strip.rightX, strip.rightWidth, off + m.activeRightStart};
    strip.buttonAnchor = ButtonAnchor(strip.rightX, strip.rightWidth, border);

    long x = left + kMiddleStart;
    do {
        const long piece = x + kMiddlePieceWidth > strip.rightX ? strip.rightX - x : kMiddlePieceWidth;
        if (piece > 0) strip.middle.push_back({x, piece, m.activeLeftEnd + off + 1});
        x += kMiddlePieceWidth;
    } while (x < strip.rightX);
    return strip;
}

CaptionStrip LayOutIconicStrip(const CaptionPictureMetrics& m, long left, long right, bool active, long border) {
    CaptionStrip strip = LayOutCaptionStrip(m, left, right, active, border);
    if (strip.titleFits) return strip;
    strip.rightX = right - strip.rightWidth + 1;
    strip.rightSlice.destX = strip.rightX;
    strip.buttonAnchor = ButtonAnchor(strip.rightX, strip.rightWidth, border);
    strip.middle.clear();
    return strip;
}

long IconicSourceTop(long buttonHeight, long height, long captionHeight) {
    const long centred = kButtonTop + Half(buttonHeight) - Half(height);
    return std::clamp(centred, 0L, std::max(captionHeight - height, 0L));
}

bool ButtonPresence::Present(int index) const {
    switch (index) {
    case kCloseButton: return close;
    case kMaxRestoreButton: return maxRestore;
    case kMinButton: return min;
    default: return false;
    }
}

ButtonPresence PresenceFromStyle(LONG style) {
    ButtonPresence present;
    present.close = (style & WS_SYSMENU) != 0;
    present.maxRestore = (style & WS_MAXIMIZEBOX) != 0;
    present.min = (style & WS_MINIMIZEBOX) != 0;
    return present;
}

void LayOutCaptionButtons(RECT (&buttons)[kButtonCount], const ButtonPresence& present, long anchor,
                          long top, long buttonWidth, long buttonHeight) {
    const long step = buttonWidth + 1;  // the glyph plus one pixel of gap
    long nextRight = anchor;
    for (int i = kCloseButton; i < kButtonCount; ++i) {
        RECT& r = buttons[i];
        if (present.Present(i)) {
            r.left = nextRight - step;
            r.top = top;
            r.right = r.left + step;
            r.bottom = top + buttonHeight;
        } else {
            r.left = nextRight;
        }
        nextRight = r.left;
    }
}

bool GlyphSource(int index, bool pressed, bool maximized, long buttonWidth, long buttonHeight,
                 POINT& source) {
    switch (index) {
    case kCloseButton: source.x = kCloseGlyphColumn; break;
    case kMaxRestoreButton: source.x = kGlyphColumnBase + (maximized ? 1 : 2) * buttonWidth; break;
    case kMinButton: source.x = kGlyphColumnBase + 3 * buttonWidth; break;
    default: return false;
    }
    source.y = pressed ? buttonHeight : 0;
    return true;
}

RECT TitleRect(long left, long right, long border, long captionHeight) {
    RECT r;
    r.left = left + kTitleLeftInset;
    r.right = right - kTitleRightInset;
    r.top = border + 1;
    r.bottom = r.top + Half(captionHeight - border - 2);
    return r;
}

MenuBand MenuBandFor(long leftEnd, long rightX, long captionHeight) {
    MenuBand band;
    band.left = leftEnd;
    band.top = Half(captionHeight);
    band.width = rightX - leftEnd;
    band.height = Half(captionHeight);
    // The bar draws 2 pixels below band.top; its hit rectangles are kept relative to the
    // top of the client area, which starts at the caption's bottom.
    band.yOffset = 2 - Half(captionHeight);
    return band;
}

std::vector<EdgeCopy> SideEdgeCopies(long top, long bottom, long captionHeight, long border) {
    std::vector<EdgeCopy> copies;
    if (border <= 0) return copies;
    long y = captionHeight;
    long t = border;
    // First pass: one tile on each side from the border picture.
    copies.push_back({true, y + top, t, 0, RightEdgeTileX(border)});
    const long laidFrom = y + top;
    y += t;
    // Later passes copy everything laid so far below itself.
    while (y < bottom - border) {
        copies.push_back({false, y + top, t, laidFrom, border});
        y += t;
        t *= 2;
    }
    return copies;
}

long LeftEdgeTileX(long /*border*/) { return 0; }
long BottomLeftCornerX(long border) { return 2 * border; }
long BottomTileX(long border) { return 3 * border; }
long RightEdgeTileX(long border) { return 4 * border; }
long BottomRightCornerX(long border) { return 6 * border; }

BottomTiles LayOutBottomTiles(long left, long right, long border) {
    BottomTiles tiles;
    tiles.firstX = left + border;
    if (border <= 0) return tiles;
    long x = tiles.firstX;
    // Each step copies the tile just laid one tile further right; the last may reach under
    // the right corner, which is drawn afterwards.
    do {
        tiles.copies.push_back(x + border);
        x += border;
    } while (x < right - border);
    return tiles;
}

long BottomEdgeY(long bottom, long border, long captionHeight) {
    return std::max(bottom - border, captionHeight);
}

SIZE SmallestFrame(const CaptionPictureMetrics& m, long captionHeight, long border, long bandWidth) {
    const long rightWidth = m.activeRightEnd - m.activeRightStart + 1;
    // The right slice starts at width - rightWidth + 1 (its last column lies beyond the window);
    // it must clear the left slice and the band, and LayOutCaptionStrip must not raise it.
    const long rightStart = std::max({m.activeLeftEnd + std::max(bandWidth, 0L), rightWidth, 0L});
    const long width = std::max(rightStart + rightWidth - 1, 2 * border);
    return SIZE{width, captionHeight + border};
}

long ClippedWidth(long sourceX, long width, long sourceWidth) {
    if (sourceX < 0 || sourceX >= sourceWidth || width <= 0) return 0;
    return std::min(width, sourceWidth - sourceX);
}

}  // namespace CaptionLayout

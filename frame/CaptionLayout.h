#pragma once
// Arithmetic of the skinned frame: where each piece of the caption picture goes in the caption
// strip, where the caption buttons, the title and the menu band lie, which border tiles make
// the side and bottom edges, and how a copy is clipped to its source picture. No window and
// no device context are involved; cNeoCaption draws what these functions lay out.
// All values are pixels; destinations are window coordinates (origin at the window's top-left).
#include <windows.h>

#include <vector>

namespace CaptionLayout {

// The six lengths that say where things lie in the caption picture (cNeoCaption::Attach).
struct CaptionPictureMetrics {
    long buttonWidth = 0;       // W: width of a caption-button glyph
    long buttonHeight = 0;      // H: height of a glyph; pressed glyphs start at row H
    long activeLeftEnd = 0;     // LE: width of the left slice
    long activeRightStart = 0;  // RS: first source column of the right slice
    long activeRightEnd = 0;    // RE: last source column of the right slice (inclusive)
    long inactiveOffset = 0;    // IO: where the inactive variant starts
};

// The middle pieces always start this far into the strip, whatever the left slice's width.
constexpr long kMiddleStart = 90;
// A middle piece is at most this wide.
constexpr long kMiddlePieceWidth = 52;
// The caption buttons sit this far below the top of the window.
constexpr long kButtonTop = 5;
// The button anchor lies this far right of (right slice end - border thickness).
constexpr long kButtonAnchorShift = 4;
// Fixed source columns of the glyphs: the close glyph at 241, the others at 240 + k * W.
constexpr long kGlyphColumnBase = 240;
constexpr long kCloseGlyphColumn = 241;
// The title starts this far right of the left edge and stops this far before the right edge.
constexpr long kTitleLeftInset = 92;
constexpr long kTitleRightInset = 96;
// The icon zone of the caption, answered as the system-menu icon.
constexpr RECT kIconRect = {12, 11, 42, 43};

// One full-height copy from the caption picture into the strip.
struct StripCopy {
    long destX = 0;
    long width = 0;
    long sourceX = 0;
};

// The caption strip of a window whose rectangle runs from left to right (right = width).
struct CaptionStrip {
    long variantOffset = 0;  // 0 active, IO inactive
    StripCopy leftSlice;
    StripCopy rightSlice;
    std::vector<StripCopy> middle;  // in drawing order, between the slices
    long rightX = 0;                // rx: where the right slice starts
    long rightWidth = 0;            // rw
    bool titleFits = true;          // false when rx had to be raised: no title is drawn
    long buttonAnchor = 0;          // a: the close button's right edge
};

CaptionStrip LayOutCaptionStrip(const CaptionPictureMetrics& m, long left, long right, bool active,
                                long border);

// A minimised window's short caption piece: the right slice ends at the window's right edge
// even where it then covers part of the left slice, so the caption buttons stay whole.
CaptionStrip LayOutIconicStrip(const CaptionPictureMetrics& m, long left, long right, bool active, long border);
// The first caption-picture row a window only `height` high shows: the buttons' rows centred
// in it, within the picture.
long IconicSourceTop(long buttonHeight, long height, long captionHeight);

// Caption-button indices, as the painter's rectangles and glyphs number them.
enum CaptionButton : int { kCloseButton = 0, kMaxRestoreButton = 1, kMinButton = 2, kButtonCount = 3 };

// Which buttons a window style asks for: close with WS_SYSMENU, maximise/restore with
// WS_MAXIMIZEBOX, minimise with WS_MINIMIZEBOX.
struct ButtonPresence {
    bool close = false;
    bool maxRestore = false;
    bool min = false;
    bool Present(int index) const;
};
ButtonPresence PresenceFromStyle(LONG style);

// Lays the buttons out from the anchor leftwards, each W + 1 wide. An absent button takes no
// room: only its left edge moves to where the next button starts, and its other edges keep
// what they held (they are never used while it is absent).
void LayOutCaptionButtons(RECT (&buttons)[kButtonCount], const ButtonPresence& present, long anchor,
                          long top, long buttonWidth, long buttonHeight);

// Source of a glyph in the caption picture, or false for an unknown index.
bool GlyphSource(int index, bool pressed, bool maximized, long buttonWidth, long buttonHeight,
                 POINT& source);

// The title's rectangle (text is clipped to it and cut with an ellipsis at its right edge).
RECT TitleRect(long left, long right, long border, long captionHeight);

// What the painter hands to the menu bar's Render.
struct MenuBand {
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    long yOffset = 0;
};
MenuBand MenuBandFor(long leftEnd, long rightX, long captionHeight);

// One copy of the side edges, composed by doubling in the sides surface: both columns at
// rows destY .. destY + height - 1, from the border picture's left and right tiles on the
// first pass and from rows already laid (sourceY) afterwards.
struct EdgeCopy {
    bool fromBorder = false;
    long destY = 0;
    long height = 0;
    long sourceY = 0;
    long sourceRightX = 0;  // column of the right edge in the source
};
std::vector<EdgeCopy> SideEdgeCopies(long top, long bottom, long captionHeight, long border);

// Border-picture columns of the tiles (border thickness B).
long LeftEdgeTileX(long border);
long BottomLeftCornerX(long border);
long BottomTileX(long border);
long RightEdgeTileX(long border);
long BottomRightCornerX(long border);

// The bottom edge's tiles in the strip's top rows: the first from the border picture at
// firstX, then each copied from the previous one (destination x values in order).
struct BottomTiles {
    long firstX = 0;
    std::vector<long> copies;  // destination of each copy; its source is the previous tile
};
BottomTiles LayOutBottomTiles(long left, long right, long border);

// Window row of the bottom edge: B above the bottom, never above the caption band.
long BottomEdgeY(long bottom, long border, long captionHeight);

// A copy of `width` columns from sourceX of a picture sourceWidth wide, clipped to the
// picture: how many columns the picture can give (0 when none).
long ClippedWidth(long sourceX, long width, long sourceWidth);

// The smallest window that shows the caption picture's left slice, the whole right slice with
// its buttons, a menu band bandWidth wide between them, and the side and bottom edges.
SIZE SmallestFrame(const CaptionPictureMetrics& m, long captionHeight, long border, long bandWidth);

// Half of v, truncated toward zero.
constexpr long Half(long v) { return v / 2; }

}  // namespace CaptionLayout

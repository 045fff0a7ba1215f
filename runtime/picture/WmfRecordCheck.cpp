// Windows-metafile records as the player reads them: each allowed function with the
// parameters it trusts. A function missing from the switch is refused, whatever it holds.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "runtime/picture/MetafileRecords.h"
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr std::uint64_t kFontFields = 18;         // the LOGFONT16 fields before the face name
constexpr std::uint64_t kRegionFields = 22;       // the region object before its scans
constexpr std::uint64_t kScanFields = 8;          // a scan's count, top, bottom and closing count
constexpr std::uint64_t kPlainBlt = 18;           // DIBBITBLT without a bitmap: a pattern fill
constexpr std::uint64_t kBitBltFields = 16;       // DIBBITBLT before its bitmap
constexpr std::uint64_t kStretchBltFields = 20;   // DIBSTRETCHBLT before its bitmap
constexpr std::uint64_t kStretchDibFields = 22;   // STRETCHDIB before its bitmap
constexpr std::uint64_t kSetDibFields = 18;       // SETDIBTODEV before its bitmap

bool Fits(std::uint64_t at, std::uint64_t bytes, std::uint64_t length) { return at <= length && bytes <= length - at; }

MetaObject At(const PlaybackState& state, std::uint32_t index) {
    return index < state.slots.size() ? state.slots[index] : MetaObject::None;
}

// A new object takes the lowest free slot of the table, as the player gives it.
bool Make(PlaybackState& state, MetaObject kind) {
    for (MetaObject& slot : state.slots) {
        if (slot == MetaObject::None) {
            slot = kind;
            return true;
        }
    }
    return false;
}

std::int16_t Int16At(const std::uint8_t* p, size_t at) { return static_cast<std::int16_t>(Le16At(p, at)); }

bool Exists(const PlaybackState& state, std::uint32_t index) { return At(state, index) != MetaObject::None; }

// Scans of a count of x coordinates (an even number), top, bottom, the coordinates and the
// count again.
bool SoundRegion(const std::uint8_t* p, std::uint64_t params) {
    if (params < kRegionFields) return false;
    const unsigned scans = Le16At(p, 10);
    std::uint64_t at = kRegionFields;
    for (unsigned i = 0; i < scans; ++i) {
        if (!Fits(at, 2, params)) return false;
        const std::uint64_t coordinates = Le16At(p, at);
        const std::uint64_t scanBytes = kScanFields + 2 * coordinates;
        if (coordinates % 2 || !Fits(at, scanBytes, params) || Le16At(p, at + scanBytes - 2) != coordinates)
            return false;
        at += scanBytes;
    }
    return true;
}

bool SoundPolyPolygon(const std::uint8_t* p, std::uint64_t params) {
    if (params < 2) return false;
    const std::uint64_t polygons = Le16At(p, 0);
    if (!Fits(2, 2 * polygons, params)) return false;
    std::uint64_t points = 0;
    for (std::uint64_t i = 0; i < polygons; ++i) {
        const std::uint16_t count = Le16At(p, 2 + 2 * i);
        if (count > 0x7FFF) return false;  // the player adds them up as signed
        points += count;
    }
    return Fits(2 + 2 * polygons, 4 * points, params);
}

// The string, the rectangle when the options name one, and the spacing when there is any:
// the player takes spacing only when it covers every character.
bool SoundExtTextOut(const std::uint8_t* p, std::uint64_t params) {
    if (params < 8) return false;
    const std::uint64_t chars = Le16At(p, 4);
    const bool rectangle = Le16At(p, 6) & (ETO_OPAQUE | ETO_CLIPPED);
    const std::uint64_t stringAt = rectangle ? 16 : 8;
    const std::uint64_t afterString = stringAt + (chars + 1) / 2 * 2;
    if (afterString > params) return false;
    return params == afterString || params - afterString >= 2 * chars;
}

bool SoundEscape(const std::uint8_t* p, std::uint64_t params) {
    return params >= 4 && Le16At(p, 0) == MFCOMMENT && Fits(4, Le16At(p, 2), params);
}

bool SoundPatternBrush(const std::uint8_t* p, std::uint64_t params, PlaybackState& state) {
    if (params < 4) return false;
    const unsigned style = Le16At(p, 0);
    if (style != BS_PATTERN && style != BS_DIBPATTERN) return false;
    const unsigned usage = style == BS_PATTERN ? kRgbColours : Le16At(p, 2);
    return SoundPackedDib(p + 4, params - 4, usage) && Make(state, MetaObject::Brush);
}

// The records that change the mapping, followed in mapping. Their parameters run from y to x,
// and a scale's from the y denominator to the x numerator.
bool SoundMapping(const std::uint8_t* p, std::uint16_t function, std::uint64_t params, Mapping& m) {
    if (params < (function == META_SCALEWINDOWEXT || function == META_SCALEVIEWPORTEXT ? 8u : 4u)) return false;
    const std::int16_t y = Int16At(p, 0), x = Int16At(p, 2);
    const double largest = std::max(std::abs(x), std::abs(y));
    switch (function) {
    case META_SETWINDOWEXT: case META_SETVIEWPORTEXT:
        if (x == 0 || y == 0) return true;  // the platform refuses a zero extent
        (function == META_SETWINDOWEXT ? m.windowX : m.viewportX) = x;
        (function == META_SETWINDOWEXT ? m.windowY : m.viewportY) = y;
        return true;
    case META_SETWINDOWORG: m.windowOrigin = largest; return true;
    case META_SETVIEWPORTORG: m.viewportOrigin = largest; return true;
    case META_OFFSETWINDOWORG: m.windowOrigin += largest; return true;
    case META_OFFSETVIEWPORTORG: m.viewportOrigin += largest; return true;
    default: {
        const bool window = function == META_SCALEWINDOWEXT;
        const std::int16_t yDenominator = y, yNum = x, xDenominator = Int16At(p, 4), xNum = Int16At(p, 6);
        if (!SoundScale(xNum, xDenominator, window) || !SoundScale(yNum, yDenominator, window)) return false;
        (window ? m.windowX : m.viewportX) *= static_cast<double>(xNum) / xDenominator;
        (window ? m.windowY : m.viewportY) *= static_cast<double>(yNum) / yDenominator;
        return true;
    }
    }
}

// The fewest parameter bytes of the functions whose parameters are all fixed, or -1 for a
// function with more to check (or none allowed).
int FixedParams(std::uint16_t function) {
    switch (function) {
    case META_REALIZEPALETTE:
        return 0;
    case META_SETBKMODE: case META_SETMAPMODE: case META_SETROP2: case META_SETRELABS: case META_SETPOLYFILLMODE:
    case META_SETSTRETCHBLTMODE: case META_SETTEXTCHAREXTRA: case META_SETTEXTALIGN:
    case META_RESIZEPALETTE:
        return 2;
    case META_SETBKCOLOR: case META_SETTEXTCOLOR: case META_SETTEXTJUSTIFICATION: case META_LINETO: case META_MOVETO:
    case META_OFFSETCLIPRGN:
    case META_SETMAPPERFLAGS: case META_SETLAYOUT:
        return 4;
    case META_EXCLUDECLIPRECT: case META_INTERSECTCLIPRECT:
    case META_ELLIPSE: case META_RECTANGLE: case META_SETPIXEL: case META_FLOODFILL:
        return 8;
    case META_EXTFLOODFILL: return 10;
    case META_ROUNDRECT: case META_PATBLT: return 12;
    case META_ARC: case META_PIE: case META_CHORD: return 16;
    default: return -1;
    }
}

}  // namespace

bool SoundWmfRecord(const std::uint8_t* p, std::uint16_t function, std::uint64_t params, PlaybackState& state) {
    if (const int fixed = FixedParams(function); fixed >= 0) return params >= static_cast<std::uint64_t>(fixed);
    switch (function) {
    case META_SETWINDOWEXT: case META_SETVIEWPORTEXT: case META_SETWINDOWORG: case META_SETVIEWPORTORG:
    case META_OFFSETWINDOWORG: case META_OFFSETVIEWPORTORG: case META_SCALEWINDOWEXT: case META_SCALEVIEWPORTEXT:
        return SoundMapping(p, function, params, state.mapping) && state.Reaches(kLargestWmfCoordinate);
    case META_POLYGON: case META_POLYLINE: return params >= 2 && Fits(2, 4ull * Le16At(p, 0), params);
    case META_POLYPOLYGON: return SoundPolyPolygon(p, params);
    case META_TEXTOUT: return params >= 2 && Fits(2, (Le16At(p, 0) + 1ull) / 2 * 2 + 4, params);
    case META_EXTTEXTOUT: return SoundExtTextOut(p, params);
    case META_ESCAPE: return SoundEscape(p, params);
    case META_SETPALENTRIES: case META_ANIMATEPALETTE: return params >= 4 && Fits(4, 4ull * Le16At(p, 2), params);
    case META_CREATEPENINDIRECT: return params >= 10 && Make(state, MetaObject::Pen);
    case META_CREATEBRUSHINDIRECT: return params >= 8 && Make(state, MetaObject::Brush);
    case META_CREATEFONTINDIRECT:
        return params >= kFontFields + LF_FACESIZE && std::abs(Int16At(p, 0)) <= kLargestFont &&
               std::abs(Int16At(p, 2)) <= kLargestFont && Make(state, MetaObject::Font);
    case META_SAVEDC: state.saved.push_back(state.mapping); return true;
    case META_RESTOREDC: return params >= 2 && SoundRestore(Int16At(p, 0), state);
    case META_CREATEPALETTE:
        return params >= 4 && Fits(4, 4ull * Le16At(p, 2), params) && Make(state, MetaObject::Palette);
    case META_CREATEREGION: return SoundRegion(p, params) && Make(state, MetaObject::Region);
    case META_DIBCREATEPATTERNBRUSH: return SoundPatternBrush(p, params, state);
    case META_SELECTOBJECT: {
        const MetaObject kind = params >= 2 ? At(state, Le16At(p, 0)) : MetaObject::None;
        return kind != MetaObject::None && kind != MetaObject::Palette;
    }
    case META_DELETEOBJECT:
        if (params < 2 || !Exists(state, Le16At(p, 0))) return false;
        state.slots[Le16At(p, 0)] = MetaObject::None;
        return true;
    case META_SELECTPALETTE:
        // The palette's number is the first word; one player reads it from the word after
        // (the next record's when this one ends there), so that must index the table too.
        return params >= 2 && At(state, Le16At(p, 0)) == MetaObject::Palette && Le16At(p, 2) < state.slots.size();
    case META_FILLREGION: return params >= 4 && Exists(state, Le16At(p, 0)) && Exists(state, Le16At(p, 2));
    case META_FRAMEREGION: return params >= 8 && Exists(state, Le16At(p, 4)) && Exists(state, Le16At(p, 6));
    case META_INVERTREGION: case META_PAINTREGION: return params >= 2 && Exists(state, Le16At(p, 0));
    case META_SELECTCLIPREGION:
        // Region 0 stands for no clipping.
        return params >= 2 && (Le16At(p, 0) == 0 || Exists(state, Le16At(p, 0)));
    case META_DIBBITBLT:
        // The player takes the bitmap's colour usage from the raster operation, so the colour
        // table is checked at its largest.
        if (params == kPlainBlt) return true;
        return params > kPlainBlt && SoundPackedDib(p + kBitBltFields, params - kBitBltFields, kRgbColours);
    case META_DIBSTRETCHBLT:
        return params > kStretchBltFields &&
               SoundPackedDib(p + kStretchBltFields, params - kStretchBltFields, kRgbColours);
    case META_STRETCHDIB:
        return params > kStretchDibFields &&
               SoundPackedDib(p + kStretchDibFields, params - kStretchDibFields, Le16At(p, 4));
    case META_SETDIBTODEV:
        return params > kSetDibFields && SoundPackedDib(p + kSetDibFields, params - kSetDibFields, Le16At(p, 0));
    default:
        return false;
    }
}

}  // namespace rt

// Enhanced-metafile records as the player reads them: each allowed type with the fields it
// trusts. A type missing from the switch is refused, whatever it holds.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "runtime/picture/MetafileRecords.h"
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr std::uint32_t kStockObject = 0x80000000u;
constexpr std::uint32_t kLastStockObject = DC_PEN;
constexpr std::uint32_t kStockPalette = kStockObject | DEFAULT_PALETTE;
constexpr std::uint32_t kEmfPlusComment = 0x2B464D45;  // "EMF+"
constexpr std::uint64_t kEmfPlusRecordHeader = 12;
constexpr std::uint64_t kRegionHeader = sizeof(RGNDATAHEADER);
constexpr std::uint64_t kTextRecord = sizeof(EMRTEXT);
constexpr std::int64_t kLargestCoordinate = 1 << 27;  // GDI's coordinate space is 28 bits wide
constexpr std::uint32_t kSetTransform = 4;  // MWT_SET, the last mode of MODIFYWORLDTRANSFORM
constexpr std::uint32_t kSetTextJustification = 120;  // EMR_SETTEXTJUSTIFICATION, missing from the headers

bool Fits(std::uint64_t at, std::uint64_t bytes, std::uint64_t length) { return at <= length && bytes <= length - at; }
bool Within(std::int64_t value, std::int64_t largest) { return value >= -largest && value <= largest; }
std::int32_t Int32At(const std::uint8_t* r, size_t at) { return static_cast<std::int32_t>(Le32At(r, at)); }

MetaObject At(const PlaybackState& state, std::uint32_t index) {
    return index < state.slots.size() ? state.slots[index] : MetaObject::None;
}

// Slot 0 stands for the metafile itself; a new object goes into a free slot.
bool Make(PlaybackState& state, std::uint32_t index, MetaObject kind, std::uint32_t paletteEntries = 0) {
    if (index == 0 || index >= state.slots.size() || state.slots[index] != MetaObject::None) return false;
    state.slots[index] = kind;
    state.paletteEntries[index] = paletteEntries;
    return true;
}

bool SelectsObject(const PlaybackState& state, std::uint32_t index) {
    if (index & kStockObject) return (index & ~kStockObject) <= kLastStockObject;
    const MetaObject kind = At(state, index);
    return kind == MetaObject::Pen || kind == MetaObject::Brush || kind == MetaObject::Font;
}

// The bitmap whose header offset, header size, bits offset and bits size lie at fields; a
// record without a bitmap has neither header offset nor size, and the players then draw
// without one.
bool SoundBitmapAt(const std::uint8_t* r, std::uint64_t length, size_t fields, unsigned usage, bool required,
                   bool mono = false) {
    if (!Fits(fields, 16, length)) return false;
    const std::uint64_t infoAt = Le32At(r, fields), infoBytes = Le32At(r, fields + 4);
    const std::uint64_t bitsAt = Le32At(r, fields + 8), bitsBytes = Le32At(r, fields + 12);
    if (infoAt == 0 && infoBytes == 0) return !required;
    if (!Fits(infoAt, infoBytes, length) || !Fits(bitsAt, bitsBytes, length)) return false;
    return SoundDib(r + infoAt, infoBytes, bitsBytes, usage, mono);
}

// Points of two 32-bit or two 16-bit coordinates, each within the mapping's reach: a polygon
// far outside the device still costs the platform time in proportion to its size.
bool PointsReach(const std::uint8_t* points, std::uint64_t count, std::uint64_t pointBytes,
                 const PlaybackState& state) {
    for (std::uint64_t i = 0; i < 2 * count; ++i) {
        const std::uint64_t at = i * pointBytes / 2;
        const double c =
            pointBytes == sizeof(POINTL) ? Int32At(points, at) : static_cast<std::int16_t>(Le16At(points, at));
        if (!state.Reaches(c)) return false;
    }
    return true;
}

// A count at countAt, then its points (and their kinds, extraBytes a point, where a record
// has them).
bool SoundPoints(const std::uint8_t* r, std::uint64_t length, size_t countAt, std::uint64_t pointBytes,
                 std::uint64_t extraBytes, const PlaybackState& state) {
    if (!Fits(countAt, 4, length)) return false;
    const std::uint64_t count = Le32At(r, countAt);
    return Fits(countAt + 4, (pointBytes + extraBytes) * count, length) &&
           PointsReach(r + countAt + 4, count, pointBytes, state);
}

// Polygon counts after nPolys and the point count, then the points, which the counts share out.
bool SoundPolyPoints(const std::uint8_t* r, std::uint64_t length, std::uint64_t pointBytes,
                     const PlaybackState& state) {
    constexpr size_t kCounts = offsetof(EMRPOLYPOLYLINE, aPolyCounts);
    if (length < kCounts) return false;
    const std::uint64_t polygons = Le32At(r, offsetof(EMRPOLYPOLYLINE, nPolys));
    const std::uint64_t points = Le32At(r, offsetof(EMRPOLYPOLYLINE, cptl));
    if (!Fits(kCounts, 4 * polygons, length) || !Fits(kCounts + 4 * polygons, pointBytes * points, length))
        return false;
    std::uint64_t shared = 0;
    for (std::uint64_t i = 0; i < polygons; ++i) shared += Le32At(r, kCounts + 4 * i);
    return shared <= points && PointsReach(r + kCounts + 4 * polygons, points, pointBytes, state);
}

// A text's characters and spacing inside the record; text is the EMRTEXT's own offset.
bool SoundText(const std::uint8_t* r, std::uint64_t length, size_t text, bool wide) {
    if (!Fits(text, kTextRecord, length)) return false;
    const std::uint64_t chars = Le32At(r, text + offsetof(EMRTEXT, nChars));
    const std::uint32_t options = Le32At(r, text + offsetof(EMRTEXT, fOptions));
    const std::uint64_t charBytes = wide || (options & ETO_GLYPH_INDEX) ? 2 : 1;
    const std::uint64_t spacing = Le32At(r, text + offsetof(EMRTEXT, offDx));
    const std::uint64_t spacingBytes = (options & ETO_PDY ? 8 : 4) * chars;
    return Fits(Le32At(r, text + offsetof(EMRTEXT, offString)), charBytes * chars, length) &&
           Fits(spacing, spacingBytes, length);
}

bool SoundPolyText(const std::uint8_t* r, std::uint64_t length, bool wide) {
    constexpr size_t kTexts = offsetof(EMRPOLYTEXTOUTW, aemrtext);
    if (length < kTexts) return false;
    const std::uint64_t strings = Le32At(r, offsetof(EMRPOLYTEXTOUTW, cStrings));
    if (!Fits(kTexts, kTextRecord * strings, length)) return false;
    for (std::uint64_t i = 0; i < strings; ++i)
        if (!SoundText(r, length, kTexts + kTextRecord * i, wide)) return false;
    return true;
}

// Region data of bytes at at: a header whose rectangles lie inside it.
bool SoundRegion(const std::uint8_t* r, std::uint64_t length, size_t at, std::uint64_t bytes) {
    if (!Fits(at, bytes, length) || bytes < kRegionHeader) return false;
    const std::uint8_t* region = r + at;
    return Le32At(region, offsetof(RGNDATAHEADER, dwSize)) == kRegionHeader &&
           Le32At(region, offsetof(RGNDATAHEADER, iType)) == RDH_RECTANGLES &&
           Fits(kRegionHeader, std::uint64_t{sizeof(RECT)} * Le32At(region, offsetof(RGNDATAHEADER, nCount)), bytes);
}

bool SoundRegionRecord(const std::uint8_t* r, std::uint64_t length, size_t bytesAt, size_t dataAt) {
    return Fits(bytesAt, 4, length) && SoundRegion(r, length, dataAt, Le32At(r, bytesAt));
}

// The records inside an EMF+ comment, which a GDI+ player would read.
bool SoundEmfPlus(const std::uint8_t* data, std::uint64_t bytes) {
    for (std::uint64_t at = 4; at < bytes;) {
        if (!Fits(at, kEmfPlusRecordHeader, bytes)) return false;
        const std::uint64_t size = Le32At(data, at + 4), dataSize = Le32At(data, at + 8);
        if (size < kEmfPlusRecordHeader || size % 4 || !Fits(at, size, bytes) || dataSize > size - kEmfPlusRecordHeader)
            return false;
        at += size;
    }
    return true;
}

// A public comment's own counts; private comments are opaque to every player.
bool SoundComment(const std::uint8_t* r, std::uint64_t length) {
    constexpr size_t kData = offsetof(EMRGDICOMMENT, Data);
    if (length < kData) return false;
    const std::uint64_t bytes = Le32At(r, offsetof(EMRGDICOMMENT, cbData));
    if (!Fits(kData, bytes, length)) return false;
    const std::uint8_t* data = r + kData;
    if (bytes >= 4 && Le32At(data, 0) == kEmfPlusComment) return SoundEmfPlus(data, bytes);
    if (bytes < 8 || Le32At(data, 0) != GDICOMMENT_IDENTIFIER) return true;
    constexpr size_t kOutput = 8, kAfterOutput = kOutput + sizeof(RECTL);
    switch (Le32At(data, 4)) {
    case GDICOMMENT_BEGINGROUP:
        return Fits(kAfterOutput, 4, bytes) && Fits(kAfterOutput + 4, 2ull * Le32At(data, kAfterOutput), bytes);
    case GDICOMMENT_ENDGROUP:
    case GDICOMMENT_UNICODE_STRING:
    case GDICOMMENT_UNICODE_END:
        return true;
    case GDICOMMENT_WINDOWS_METAFILE:
        return Fits(8, 16, bytes) && Fits(24, Le32At(data, 20), bytes);
    case GDICOMMENT_MULTIFORMATS: {
        if (!Fits(kAfterOutput, 4, bytes)) return false;
        const std::uint64_t formats = Le32At(data, kAfterOutput);
        if (!Fits(kAfterOutput + 4, sizeof(EMRFORMAT) * formats, bytes)) return false;
        for (std::uint64_t i = 0; i < formats; ++i) {
            const std::uint8_t* format = data + kAfterOutput + 4 + sizeof(EMRFORMAT) * i;
            if (!Fits(Le32At(format, offsetof(EMRFORMAT, offData)), Le32At(format, offsetof(EMRFORMAT, cbData)), bytes))
                return false;
        }
        return true;
    }
    default:
        return false;
    }
}

bool SoundGradient(const std::uint8_t* r, std::uint64_t length) {
    constexpr size_t kVertices = offsetof(EMRGRADIENTFILL, Ver);
    if (length < kVertices) return false;
    const std::uint64_t vertices = Le32At(r, offsetof(EMRGRADIENTFILL, nVer));
    const std::uint64_t shapes = Le32At(r, offsetof(EMRGRADIENTFILL, nTri));
    const std::uint32_t mode = Le32At(r, offsetof(EMRGRADIENTFILL, ulMode));
    if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V && mode != GRADIENT_FILL_TRIANGLE) return false;
    const std::uint64_t corners = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
    const std::uint64_t shapesAt = kVertices + sizeof(TRIVERTEX) * vertices;
    if (!Fits(kVertices, sizeof(TRIVERTEX) * vertices, length) || !Fits(shapesAt, 4 * corners * shapes, length))
        return false;
    for (std::uint64_t i = 0; i < corners * shapes; ++i)
        if (Le32At(r, shapesAt + 4 * i) >= vertices) return false;
    return true;
}

bool SoundPaletteRecord(const std::uint8_t* r, std::uint64_t length, PlaybackState& state) {
    constexpr size_t kEntries = offsetof(EMRCREATEPALETTE, lgpl.palPalEntry);
    if (length < kEntries) return false;
    const std::uint32_t entries = Le16At(r, offsetof(EMRCREATEPALETTE, lgpl.palNumEntries));
    return Fits(kEntries, 4ull * entries, length) &&
           Make(state, Le32At(r, offsetof(EMRCREATEPALETTE, ihPal)), MetaObject::Palette, entries);
}

// A palette of the handle table, which the palette records change in place.
bool SoundPaletteChange(const std::uint8_t* r, std::uint64_t length, std::uint32_t type, PlaybackState& state) {
    const std::uint32_t index = Le32At(r, 8);
    if (At(state, index) != MetaObject::Palette) return false;
    if (type == EMR_RESIZEPALETTE) {
        const std::uint32_t entries = Le32At(r, offsetof(EMRRESIZEPALETTE, cEntries));
        if (entries == 0 || entries > 0xFFFF) return false;  // a LOGPALETTE counts in 16 bits
        state.paletteEntries[index] = entries;
        return true;
    }
    constexpr size_t kEntries = offsetof(EMRSETPALETTEENTRIES, aPalEntries);
    if (length < kEntries) return false;
    const std::uint64_t first = Le32At(r, offsetof(EMRSETPALETTEENTRIES, iStart));
    const std::uint64_t count = Le32At(r, offsetof(EMRSETPALETTEENTRIES, cEntries));
    return Fits(kEntries, 4 * count, length) && first + count <= state.paletteEntries[index];
}

bool SoundExtPen(const std::uint8_t* r, std::uint64_t length, PlaybackState& state) {
    constexpr size_t kStyles = offsetof(EMREXTCREATEPEN, elp.elpStyleEntry);
    if (length < kStyles || !Fits(kStyles, 4ull * Le32At(r, offsetof(EMREXTCREATEPEN, elp.elpNumEntries)), length))
        return false;
    const std::uint32_t brush = Le32At(r, offsetof(EMREXTCREATEPEN, elp.elpBrushStyle));
    const bool pattern = brush == BS_PATTERN || brush == BS_DIBPATTERN || brush == BS_DIBPATTERNPT;
    return SoundBitmapAt(r, length, offsetof(EMREXTCREATEPEN, offBmi), kRgbColours, pattern) &&
           Make(state, Le32At(r, offsetof(EMREXTCREATEPEN, ihPen)), MetaObject::Pen);
}

bool SoundPatternBrush(const std::uint8_t* r, std::uint64_t length, std::uint32_t type, PlaybackState& state) {
    const unsigned usage = length >= sizeof(EMRCREATEMONOBRUSH) ? Le32At(r, offsetof(EMRCREATEMONOBRUSH, iUsage)) : 0;
    return SoundBitmapAt(r, length, offsetof(EMRCREATEMONOBRUSH, offBmi), usage, true, type == EMR_CREATEMONOBRUSH) &&
           Make(state, Le32At(r, offsetof(EMRCREATEMONOBRUSH, ihBrush)), MetaObject::Brush);
}

// How many coordinates follow the type and size of the drawing records of fixed fields.
size_t ShapeCoordinates(std::uint32_t type) {
    switch (type) {
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO: return 8;
    case EMR_ROUNDRECT: return 6;
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: return 4;
    case EMR_ANGLEARC: return 3;  // the centre and the radius
    case EMR_LINETO: case EMR_MOVETOEX: case EMR_SETPIXELV: case EMR_EXTFLOODFILL: return 2;
    default: return 0;
    }
}


// The largest factor by which a transform stretches a coordinate, with its translation.
bool ReadTransform(const std::uint8_t* r, double& stretch, double& shift) {
    float m[6] = {};
    for (size_t i = 0; i < 6; ++i) {
        const std::uint32_t bits = Le32At(r, offsetof(EMRSETWORLDTRANSFORM, xform) + 4 * i);
        std::memcpy(&m[i], &bits, sizeof(m[i]));
        if (!std::isfinite(m[i]) || !(std::fabs(m[i]) <= (i < 4 ? kLargestMagnification : kLargestCoordinate)))
            return false;
    }
    stretch = std::max(std::fabs(m[0]) + std::fabs(m[1]), std::fabs(m[2]) + std::fabs(m[3]));
    shift = std::max(std::fabs(m[4]), std::fabs(m[5]));
    return true;
}

// The records that change the mapping, followed in state; the coordinates of the drawing
// records, which must stay within its reach.
bool SoundMapping(const std::uint8_t* r, std::uint64_t length, std::uint32_t type, PlaybackState& state) {
    Mapping& m = state.mapping;
    const std::int32_t x = length >= 12 ? Int32At(r, 8) : 0, y = length >= 16 ? Int32At(r, 12) : 0;
    const double largest = std::max(std::fabs(static_cast<double>(x)), std::fabs(static_cast<double>(y)));
    switch (type) {
    case EMR_SETWINDOWEXTEX: case EMR_SETVIEWPORTEXTEX:
        if (!Within(x, kLargestCoordinate) || !Within(y, kLargestCoordinate)) return false;
        if (x == 0 || y == 0) return true;  // the platform refuses a zero extent
        (type == EMR_SETWINDOWEXTEX ? m.windowX : m.viewportX) = x;
        (type == EMR_SETWINDOWEXTEX ? m.windowY : m.viewportY) = y;
        return true;
    case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTORGEX: case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN:
        if (!Within(x, kLargestCoordinate) || !Within(y, kLargestCoordinate)) return false;
        if (type == EMR_SETWINDOWORGEX) m.windowOrigin = largest;
        if (type == EMR_SETVIEWPORTORGEX) m.viewportOrigin = largest;
        return true;
    case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX: {
        const bool window = type == EMR_SCALEWINDOWEXTEX;
        const std::int32_t xNum = Int32At(r, offsetof(EMRSCALEVIEWPORTEXTEX, xNum));
        const std::int32_t xDenominator = Int32At(r, offsetof(EMRSCALEVIEWPORTEXTEX, xDenom));
        const std::int32_t yNum = Int32At(r, offsetof(EMRSCALEVIEWPORTEXTEX, yNum));
        const std::int32_t yDenominator = Int32At(r, offsetof(EMRSCALEVIEWPORTEXTEX, yDenom));
        if (!SoundScale(xNum, xDenominator, window) || !SoundScale(yNum, yDenominator, window)) return false;
        (window ? m.windowX : m.viewportX) *= static_cast<double>(xNum) / xDenominator;
        (window ? m.windowY : m.viewportY) *= static_cast<double>(yNum) / yDenominator;
        return true;
    }
    case EMR_SETWORLDTRANSFORM: case EMR_MODIFYWORLDTRANSFORM: {
        double stretch = 1, shift = 0;
        if (!ReadTransform(r, stretch, shift)) return false;
        const std::uint32_t mode =
            type == EMR_SETWORLDTRANSFORM ? kSetTransform : Le32At(r, offsetof(EMRMODIFYWORLDTRANSFORM, iMode));
        if (mode == MWT_IDENTITY) m.world = 1, m.worldShift = 0;
        else if (mode == kSetTransform) m.world = stretch, m.worldShift = shift;
        else if (mode == MWT_LEFTMULTIPLY || mode == MWT_RIGHTMULTIPLY)
            m.worldShift = (m.worldShift + shift) * std::max(1.0, stretch) * std::max(1.0, m.world), m.world *= stretch;
        else return false;
        return true;
    }
    case EMR_SAVEDC: state.saved.push_back(m); return true;
    case EMR_RESTOREDC: return SoundRestore(x, state);
    default:
        for (size_t i = 0; i < ShapeCoordinates(type); ++i)
            if (!state.Reaches(Int32At(r, 8 + 4 * i))) return false;
        return true;
    }
}

// A block transfer: its coordinates and sizes within reach, and its source bitmap and mask,
// where it has them, sound. Only the plain and stretching copies may go without a source.
bool SoundTransfer(const std::uint8_t* r, std::uint64_t length, std::uint32_t type, const PlaybackState& state) {
    const auto reach = [&](size_t first, size_t count) {
        for (size_t i = 0; i < count; ++i)
            if (!state.Reaches(Int32At(r, first + 4 * i))) return false;
        return true;
    };
    const auto bitmap = [&](size_t fields, size_t usage, bool required, bool mono = false) {
        return SoundBitmapAt(r, length, fields, Le32At(r, usage), required, mono);
    };
    switch (type) {
    case EMR_BITBLT:
        return length >= sizeof(EMRBITBLT) && reach(offsetof(EMRBITBLT, xDest), 4) &&
               reach(offsetof(EMRBITBLT, xSrc), 2) &&
               bitmap(offsetof(EMRBITBLT, offBmiSrc), offsetof(EMRBITBLT, iUsageSrc), false);
    case EMR_STRETCHBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
        return length >= sizeof(EMRSTRETCHBLT) && reach(offsetof(EMRSTRETCHBLT, xDest), 4) &&
               reach(offsetof(EMRSTRETCHBLT, xSrc), 2) && reach(offsetof(EMRSTRETCHBLT, cxSrc), 2) &&
               bitmap(offsetof(EMRSTRETCHBLT, offBmiSrc), offsetof(EMRSTRETCHBLT, iUsageSrc), type != EMR_STRETCHBLT);
    case EMR_MASKBLT:
        return length >= sizeof(EMRMASKBLT) && reach(offsetof(EMRMASKBLT, xDest), 4) &&
               reach(offsetof(EMRMASKBLT, xSrc), 2) && reach(offsetof(EMRMASKBLT, xMask), 2) &&
               bitmap(offsetof(EMRMASKBLT, offBmiSrc), offsetof(EMRMASKBLT, iUsageSrc), false) &&
               bitmap(offsetof(EMRMASKBLT, offBmiMask), offsetof(EMRMASKBLT, iUsageMask), false, true);
    case EMR_PLGBLT:
        return length >= sizeof(EMRPLGBLT) && reach(offsetof(EMRPLGBLT, aptlDest), 10) &&
               reach(offsetof(EMRPLGBLT, xMask), 2) &&
               bitmap(offsetof(EMRPLGBLT, offBmiSrc), offsetof(EMRPLGBLT, iUsageSrc), true) &&
               bitmap(offsetof(EMRPLGBLT, offBmiMask), offsetof(EMRPLGBLT, iUsageMask), false, true);
    case EMR_SETDIBITSTODEVICE:
        return length >= sizeof(EMRSETDIBITSTODEVICE) && reach(offsetof(EMRSETDIBITSTODEVICE, xDest), 6) &&
               bitmap(offsetof(EMRSETDIBITSTODEVICE, offBmiSrc), offsetof(EMRSETDIBITSTODEVICE, iUsageSrc), true);
    default:  // EMR_STRETCHDIBITS
        return length >= sizeof(EMRSTRETCHDIBITS) && reach(offsetof(EMRSTRETCHDIBITS, xDest), 6) &&
               reach(offsetof(EMRSTRETCHDIBITS, cxDest), 2) &&
               bitmap(offsetof(EMRSTRETCHDIBITS, offBmiSrc), offsetof(EMRSTRETCHDIBITS, iUsageSrc), true);
    }
}

// The least length of the records whose fields are all fixed, or 0 for a type with more to
// check (or none allowed).
size_t FixedLength(std::uint32_t type) {
    switch (type) {
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX: case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX: case EMR_MOVETOEX: case EMR_LINETO: case EMR_OFFSETCLIPRGN:
        return sizeof(EMRSETWINDOWEXTEX);
    case EMR_SETPIXELV: return sizeof(EMRSETPIXELV);
    case EMR_SETMAPPERFLAGS: case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE: case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR: case EMR_SETBKCOLOR:
    case EMR_RESTOREDC: case EMR_SETARCDIRECTION: case EMR_SETMITERLIMIT: case EMR_SELECTCLIPPATH:
    case EMR_SETICMMODE: case EMR_SETLAYOUT:
        return sizeof(EMRSETMAPMODE);
    case EMR_SETCOLORADJUSTMENT: return sizeof(EMRSETCOLORADJUSTMENT);
    case EMR_SETMETARGN: case EMR_SAVEDC: case EMR_REALIZEPALETTE: case EMR_BEGINPATH: case EMR_ENDPATH:
    case EMR_CLOSEFIGURE: case EMR_FLATTENPATH: case EMR_WIDENPATH: case EMR_ABORTPATH:
        return sizeof(EMR);
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: return sizeof(EMREXCLUDECLIPRECT);
    case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX: return sizeof(EMRSCALEVIEWPORTEXTEX);
    case EMR_SETWORLDTRANSFORM: return sizeof(EMRSETWORLDTRANSFORM);
    case EMR_MODIFYWORLDTRANSFORM: return sizeof(EMRMODIFYWORLDTRANSFORM);
    case EMR_ANGLEARC: return sizeof(EMRANGLEARC);
    case EMR_ELLIPSE: case EMR_RECTANGLE: return sizeof(EMRELLIPSE);
    case EMR_ROUNDRECT: return sizeof(EMRROUNDRECT);
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO: return sizeof(EMRARC);
    case EMR_EXTFLOODFILL: return sizeof(EMREXTFLOODFILL);
    case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH: return sizeof(EMRFILLPATH);
    case kSetTextJustification: return sizeof(EMR) + 8;  // the extra space and the count of breaks
    default: return 0;
    }
}

}  // namespace

bool SoundEmfRecord(const std::uint8_t* r, std::uint32_t type, std::uint64_t length, PlaybackState& state) {
    if (const size_t fixed = FixedLength(type)) return length >= fixed && SoundMapping(r, length, type, state);
    // Every other record names an object or has counts after its first field.
    if (length < 12) return false;
    switch (type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
        return SoundPoints(r, length, offsetof(EMRPOLYLINE, cptl), sizeof(POINTL), 0, state);
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
        return SoundPoints(r, length, offsetof(EMRPOLYLINE16, cpts), sizeof(POINTS), 0, state);
    case EMR_POLYDRAW: return SoundPoints(r, length, offsetof(EMRPOLYDRAW, cptl), sizeof(POINTL), 1, state);
    case EMR_POLYDRAW16: return SoundPoints(r, length, offsetof(EMRPOLYDRAW16, cpts), sizeof(POINTS), 1, state);
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: return SoundPolyPoints(r, length, sizeof(POINTL), state);
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: return SoundPolyPoints(r, length, sizeof(POINTS), state);
    case EMR_EOF: {
        const std::uint64_t entries = length >= sizeof(EMREOF) ? Le32At(r, offsetof(EMREOF, nPalEntries)) : 0;
        return length >= sizeof(EMREOF) && Fits(Le32At(r, offsetof(EMREOF, offPalEntries)), 4 * entries, length);
    }
    case EMR_SELECTOBJECT: return SelectsObject(state, Le32At(r, 8));
    case EMR_DELETEOBJECT: {
        const std::uint32_t index = Le32At(r, 8);
        if (index == 0 || At(state, index) == MetaObject::None) return false;
        state.slots[index] = MetaObject::None;
        return true;
    }
    case EMR_SELECTPALETTE: return Le32At(r, 8) == kStockPalette || At(state, Le32At(r, 8)) == MetaObject::Palette;
    case EMR_CREATEPEN:
        return length >= sizeof(EMRCREATEPEN) && Make(state, Le32At(r, 8), MetaObject::Pen);
    case EMR_CREATEBRUSHINDIRECT:
        return length >= sizeof(EMRCREATEBRUSHINDIRECT) && Make(state, Le32At(r, 8), MetaObject::Brush);
    case EMR_EXTCREATEFONTINDIRECTW:
        return length >= offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW) &&
               Within(Int32At(r, offsetof(EMREXTCREATEFONTINDIRECTW, elfw.elfLogFont.lfHeight)), kLargestFont) &&
               Within(Int32At(r, offsetof(EMREXTCREATEFONTINDIRECTW, elfw.elfLogFont.lfWidth)), kLargestFont) &&
               Make(state, Le32At(r, 8), MetaObject::Font);
    case EMR_EXTCREATEPEN: return SoundExtPen(r, length, state);
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT: return SoundPatternBrush(r, length, type, state);
    case EMR_CREATEPALETTE: return SoundPaletteRecord(r, length, state);
    case EMR_SETPALETTEENTRIES: case EMR_RESIZEPALETTE:
        return length >= sizeof(EMRRESIZEPALETTE) && SoundPaletteChange(r, length, type, state);
    case EMR_GDICOMMENT: return SoundComment(r, length);
    case EMR_FILLRGN: case EMR_FRAMERGN: {
        const size_t data = type == EMR_FILLRGN ? offsetof(EMRFILLRGN, RgnData) : offsetof(EMRFRAMERGN, RgnData);
        return length >= data && At(state, Le32At(r, offsetof(EMRFILLRGN, ihBrush))) == MetaObject::Brush &&
               SoundRegionRecord(r, length, offsetof(EMRFILLRGN, cbRgnData), data);
    }
    case EMR_INVERTRGN: case EMR_PAINTRGN:
        return SoundRegionRecord(r, length, offsetof(EMRINVERTRGN, cbRgnData), offsetof(EMRINVERTRGN, RgnData));
    case EMR_EXTSELECTCLIPRGN: {
        // RGN_COPY without data restores the default clipping.
        if (length < offsetof(EMREXTSELECTCLIPRGN, RgnData)) return false;
        const std::uint32_t bytes = Le32At(r, offsetof(EMREXTSELECTCLIPRGN, cbRgnData));
        if (bytes == 0 && Le32At(r, offsetof(EMREXTSELECTCLIPRGN, iMode)) == RGN_COPY) return true;
        return SoundRegion(r, length, offsetof(EMREXTSELECTCLIPRGN, RgnData), bytes);
    }
    case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT: case EMR_MASKBLT:
    case EMR_PLGBLT: case EMR_SETDIBITSTODEVICE: case EMR_STRETCHDIBITS:
        return SoundTransfer(r, length, type, state);
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW:
        return SoundText(r, length, offsetof(EMREXTTEXTOUTW, emrtext), type == EMR_EXTTEXTOUTW);
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: return SoundPolyText(r, length, type == EMR_POLYTEXTOUTW);
    case EMR_GRADIENTFILL: return SoundGradient(r, length);
    default:
        return false;
    }
}

}  // namespace rt

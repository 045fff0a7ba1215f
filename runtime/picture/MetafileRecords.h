#pragma once
// The record checks behind CheckWmf and CheckEmf. The players read each record's counts,
// offsets and embedded bitmaps as they stand and index their handle tables with its object
// numbers, so every record a player interprets is checked against its own length and against
// the objects that exist at that point of playback. Only the record types listed here pass.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt {

// What a slot of a metafile's handle table holds while the records play.
enum class MetaObject : std::uint8_t { None, Pen, Brush, Font, Palette, Region };

// Where the records so far map coordinates, kept as bounds: the largest extents ratio and
// world transform scale, and the largest shifts of the origins and the translation.
struct Mapping {
    double windowX = 1, windowY = 1, viewportX = 1, viewportY = 1;
    double windowOrigin = 0, viewportOrigin = 0;
    double world = 1, worldShift = 0;
};

// What the records so far have made: the handle table, the mapping and the saved states.
struct PlaybackState {
    std::vector<MetaObject> slots;
    std::vector<std::uint32_t> paletteEntries;  // per slot, for the palettes
    Mapping mapping;
    std::vector<Mapping> saved;
    double reach = 0;  // how far from the origin a coordinate may land on the device

    // The platform's shape drawing overflows, or takes time and memory without end, once a
    // shape's device coordinates pass about 2^27: a coordinate is drawn only within reach.
    bool Reaches(double coordinate) const;
};

// The furthest device coordinate a drawing may reach when its frame, in its first logical
// units, is frame long on its shorter side and is shown at any size on a screen.
double ReachOfFrame(double frame);

// A restore of saved state level (negative: counted back from the last save) that names a
// state saved before; it then drops the states after it.
bool SoundRestore(std::int64_t level, PlaybackState& state);

// A Windows metafile's coordinates are 16 bits wide.
constexpr double kLargestWmfCoordinate = 0x8000;

// The largest font height or width in logical units: the platform draws text by rendering its
// glyphs at their size.
constexpr std::int64_t kLargestFont = 1 << 14;

// The most one record may magnify the drawing (a scale or transform record): the platform's
// shape drawing takes time and memory in proportion to a shape's size on the device.
constexpr std::int64_t kLargestMagnification = 16;

// A scale record's factor num / denominator, which magnifies the drawing when it scales the
// viewport up or the window down.
bool SoundScale(std::int64_t num, std::int64_t denominator, bool window);

// Colour table entries: DIB_RGB_COLORS (4 bytes), DIB_PAL_COLORS (2), DIB_PAL_MONO (none).
constexpr unsigned kRgbColours = 0, kPaletteColours = 1, kMonoColours = 2;

// A bitmap header and colour table of infoBytes at info, whose bits are bitsBytes long: the
// header is one the players decode (no compression they would have to bound themselves), its
// colour table lies inside infoBytes and its rows inside bitsBytes. mono asks for one bit a
// pixel.
bool SoundDib(const std::uint8_t* info, std::uint64_t infoBytes, std::uint64_t bitsBytes, unsigned usage, bool mono);

// A packed bitmap (header, colours, bits one after the other) of bytes length.
bool SoundPackedDib(const std::uint8_t* dib, std::uint64_t bytes, unsigned usage);

// One enhanced-metafile record r of length bytes after the header; state follows the records
// that make and delete objects, change the mapping, and save and restore.
bool SoundEmfRecord(const std::uint8_t* r, std::uint32_t type, std::uint64_t length, PlaybackState& state);

// One Windows-metafile record's parameters (after its size and function), params bytes long,
// followed by at least the size of another record; state as above.
bool SoundWmfRecord(const std::uint8_t* p, std::uint16_t function, std::uint64_t params, PlaybackState& state);

}  // namespace rt

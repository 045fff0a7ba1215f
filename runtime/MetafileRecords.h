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

// What the records so far have made: the handle table, and the saved states to restore.
struct PlaybackState {
    std::vector<MetaObject> slots;
    std::vector<std::uint32_t> paletteEntries;  // per slot, for the palettes
    std::int64_t savedStates = 0;
};

// A restore of saved state level (negative: counted back from the last save) that names a
// state saved before; it then drops the states after it.
bool SoundRestore(std::int64_t level, PlaybackState& state);

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

// One enhanced-metafile record r of length bytes after the header; objects follows the
// records that make and delete objects.
bool SoundEmfRecord(const std::uint8_t* r, std::uint32_t type, std::uint64_t length, PlaybackState& objects);

// One Windows-metafile record's parameters (after its size and function), params bytes long,
// followed by at least the size of another record.
bool SoundWmfRecord(const std::uint8_t* p, std::uint16_t function, std::uint64_t params, PlaybackState& objects);

}  // namespace rt

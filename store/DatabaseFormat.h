#pragma once
// The settings database file, format version 1. Integers are little-endian; a name or a text
// is a u16 count of UTF-16 code units followed by the units.
//
//   Header, 20 bytes
//     0   8  magic 4C 4D 53 44 42 0D 0A 1A ("LMSDB", CR LF, Ctrl-Z: a text-mode copy breaks it)
//     8   2  format version, 1
//    10   2  table count
//    12   4  body length: the number of bytes after the header
//    16   4  CRC-32 of header bytes 0..15 followed by the whole body
//   Body: the tables, one after another
//     name          1..64 units, unique among the tables (case ignored)
//     field count   u16, 1..255
//     fields        per field: u8 type (1 16-bit integer, 2 32-bit integer, 3 text), then its
//                   name (1..64 units, unique in the table, case ignored)
//     record count  u32
//     records       per record, per field in order: u8 tag (0 Null, else the field's type),
//                   then a 16-bit integer: i16; a 32-bit integer: i32; a text: u16 count + units
//
// A file has exactly one encoding of its contents (no padding, no reserved bytes, nothing after
// the last table), so writing one value back leaves every other byte as it was. Anything that
// does not follow this layout exactly is refused with an error that says what is wrong.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/Database.h"

namespace store {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kMagic[8] = {'L', 'M', 'S', 'D', 'B', 0x0D, 0x0A, 0x1A};
constexpr std::uint16_t kFormatVersion = 1;
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kVersionOffset = 8;
constexpr std::size_t kTableCountOffset = 10;
constexpr std::size_t kBodyLengthOffset = 12;
constexpr std::size_t kChecksumOffset = 16;
constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kMaxFieldCount = 255;
constexpr std::size_t kMaxTableCount = 0xFFFF;
constexpr std::size_t kMaxTextLength = 0xFFFF;
// A settings file is a few dozen bytes; the limit keeps a hostile header from asking for
// gigabytes.
constexpr std::size_t kMaxBodyLength = 16u * 1024 * 1024;

// The file's bytes for database. Raises kInvalidArgument when database breaks a rule of the
// layout above (empty or duplicate names, a value of the wrong type, too many of something).
Bytes Encode(const Database& database);

// The database held in bytes. fileName names the file in the errors: kDamaged (empty,
// truncated, bad checksum or structure), kUnrecognizedFormat (not our magic), kWrongVersion.
Database Decode(const Bytes& bytes, const std::wstring& fileName);

// The CRC-32 that belongs in the header of bytes (header bytes 0..15 and the body).
std::uint32_t ChecksumOf(const Bytes& bytes);

}  // namespace store

#pragma once
// Fixed-width text fields of record files: text in a code page, left-aligned and padded with
// spaces to exactly the field's width in bytes, with no terminator.
#include <cstddef>
#include <string>

#include "runtime/core/Text.h"

namespace rt {

// The field's bytes: whole characters while they fit (a double-byte character never split),
// then spaces up to width.
std::string ToFixedField(const std::wstring& text, size_t width, unsigned codePage = kChineseCodePage);

// The text of a field's bytes (padding included; trim it where the blanks do not matter).
// NUL bytes read as spaces, so a field never written (zeros) reads as blanks.
std::wstring FromFixedField(const char* bytes, size_t width, unsigned codePage = kChineseCodePage);

// A text cut or padded with spaces to exactly `characters` characters (a fixed-length string).
std::wstring FitCharacters(const std::wstring& text, size_t characters);

}  // namespace rt

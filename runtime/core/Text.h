#pragma once
// Conversions between the program's UTF-16 strings and byte strings: UTF-8 for our own
// output, code page 936 (the system's ANSI page here) where Windows or a file wants bytes.
#include <string>

namespace rt {

constexpr unsigned kChineseCodePage = 936;

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& bytes);

// Code page 936 bytes of text; characters the page lacks become '?'.
std::string AnsiFromWide(const std::wstring& text, unsigned codePage = kChineseCodePage);
std::wstring WideFromAnsi(const std::string& bytes, unsigned codePage = kChineseCodePage);

}  // namespace rt

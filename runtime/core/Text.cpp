#include "runtime/core/Text.h"

#include <windows.h>

namespace rt {

namespace {

std::string Narrow(const std::wstring& text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring Widen(const std::string& bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int chars = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), chars);
    return out;
}

}  // namespace

std::string Utf8FromWide(const std::wstring& text) { return Narrow(text, CP_UTF8); }
std::wstring WideFromUtf8(const std::string& bytes) { return Widen(bytes, CP_UTF8); }
std::string AnsiFromWide(const std::wstring& text, unsigned codePage) { return Narrow(text, codePage); }
std::wstring WideFromAnsi(const std::string& bytes, unsigned codePage) { return Widen(bytes, codePage); }

}  // namespace rt

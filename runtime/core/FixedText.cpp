#include "runtime/core/FixedText.h"

#include <windows.h>

namespace rt {

namespace {

size_t BytesOf(const std::wstring& text, size_t start, size_t count, unsigned codePage) {
    const int bytes = WideCharToMultiByte(codePage, 0, text.data() + start, static_cast<int>(count), nullptr, 0,
                                          nullptr, nullptr);
    return static_cast<size_t>(bytes);
}

}  // namespace

std::string ToFixedField(const std::wstring& text, size_t width, unsigned codePage) {
    std::string field;
    size_t i = 0;
    while (i < text.size()) {
        // A surrogate pair is one character.
        const size_t count = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size()) ? 2 : 1;
        if (field.size() + BytesOf(text, i, count, codePage) > width) break;
        field += AnsiFromWide(text.substr(i, count), codePage);
        i += count;
    }
    field.resize(width, ' ');
    return field;
}

std::wstring FromFixedField(const char* bytes, size_t width, unsigned codePage) {
    std::string field(bytes, width);
    for (char& c : field) {
        if (c == '\0') c = ' ';
    }
    return WideFromAnsi(field, codePage);
}

std::wstring FitCharacters(const std::wstring& text, size_t characters) {
    std::wstring fitted = text.substr(0, characters);
    fitted.resize(characters, L' ');
    return fitted;
}

}  // namespace rt

#include "picture/SizeLine.h"

std::wstring SizeLine(const ImageSize& size, const std::wstring& bareName) {
    return std::to_wstring(size.Width) + L" x " + std::to_wstring(size.Height) + L"\t" + bareName;
}

std::wstring WithLineAppended(const std::wstring& text, const std::wstring& line) { return text + L"\r\n" + line; }

#pragma once
// IMAGES: the width and height of a PNG, GIF, JPEG or BMP file, read from its header.
#include <cstdint>
#include <string>

struct ImageSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// (0, 0) when no size is found; never raises.
ImageSize GetImageSize(const std::wstring& fileName);

// hi * 256 + lo.
std::int32_t MakeWord(std::uint8_t lo, std::uint8_t hi);

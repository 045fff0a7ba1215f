#include "runtime/picture/GifColourTable.h"

#include <cstdint>
#include <cstring>

#include "runtime/picture/GifBlocks.h"

namespace rt {

namespace {

using namespace gif;

constexpr int kDefaultEntries = 256;

// ChainEnd, or size when the chain runs past the end.
size_t SkipSubBlocks(const std::uint8_t* b, size_t size, size_t at) {
    const size_t end = ChainEnd(b, size, at);
    return end ? end : size;
}

std::vector<std::uint8_t> DefaultTable() {
    std::vector<std::uint8_t> table;
    table.reserve(3 * kDefaultEntries);
    auto add = [&](int r, int g, int b) {
        table.push_back(static_cast<std::uint8_t>(r));
        table.push_back(static_cast<std::uint8_t>(g));
        table.push_back(static_cast<std::uint8_t>(b));
    };
    // Two-colour pictures, the usual paletteless kind, come out black on white.
    add(0, 0, 0);
    add(255, 255, 255);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
    for (int grey = 0; table.size() < table.capacity(); ++grey) {
        const int level = 8 + grey * 6;
        add(level, level, level);
    }
    return table;
}

}  // namespace

bool GifLacksColourTable(const void* bytes, size_t size) {
    const auto* b = static_cast<const std::uint8_t*>(bytes);
    if (!b || size < kScreenDescriptorEnd || std::memcmp(b, "GIF8", 4) != 0) return false;
    if (b[kFlagsAt] & kHasTable) return false;
    bool sawFrame = false;
    size_t at = kScreenDescriptorEnd;
    while (at < size) {
        if (b[at] == kTrailer) return !sawFrame;
        if (b[at] == kExtension) {
            at = SkipSubBlocks(b, size, at + 2);
        } else if (b[at] == kImageSeparator && at + kImageDescriptorSize <= size) {
            const std::uint8_t flags = b[at + kImageDescriptorSize - 1];
            if (!(flags & kHasTable)) return true;
            sawFrame = true;
            at += kImageDescriptorSize + TableBytes(flags) + 1;  // + the LZW code size byte
            at = SkipSubBlocks(b, size, at);
        } else {
            return true;  // a block no walk can pass: assume the worst
        }
    }
    return true;
}

std::vector<char> WithDefaultGifColourTable(const void* bytes, size_t size) {
    const auto* b = static_cast<const char*>(bytes);
    const std::vector<std::uint8_t> table = DefaultTable();
    std::vector<char> copy;
    copy.reserve(size + table.size());
    copy.insert(copy.end(), b, b + kScreenDescriptorEnd);
    // 2^(7+1) = 256 entries; the colour resolution and sort bits stay as they were.
    copy[kFlagsAt] = static_cast<char>((copy[kFlagsAt] & ~kTableSizeBits) | kHasTable | kTableSizeBits);
    copy.insert(copy.end(), table.begin(), table.end());
    copy.insert(copy.end(), b + kScreenDescriptorEnd, b + size);
    return copy;
}

}  // namespace rt

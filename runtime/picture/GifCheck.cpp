// GIF files: the screen and every frame within the decoded size the program takes. A file cut
// off before its trailer is completed, so that the decoder shows the frames and rows it has,
// as viewers show such files: a block cut before its pixel data is dropped; a frame cut in its
// pixel data keeps the data it has, followed by zero bytes, enough codes of colour 0 to fill
// the frame, and the data's terminator; then the trailer. Files without colours get the
// default table as well.
#include <algorithm>

#include "runtime/picture/GifBlocks.h"
#include "runtime/picture/GifColourTable.h"
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

using namespace gif;

constexpr size_t kLongestSubBlock = 255;
constexpr std::uint64_t kWidestCode = 12;  // bits of an LZW code at most

// Where the walk over the blocks stopped.
struct Walk {
    size_t keep = 0;          // the whole blocks: the bytes kept as they are
    size_t cutData = 0;       // not 0: the first sub-block of a frame cut in its pixel data
    std::uint64_t cutPixels = 0;
    bool frame = false;       // a frame was kept
    bool complete = false;    // the trailer (or a block no walk passes) was reached: nothing to add
    bool fits = true;
};

Walk WalkBlocks(const std::uint8_t* b, size_t size) {
    Walk w;
    const std::uint8_t screenFlags = b[kFlagsAt];
    size_t at = kScreenDescriptorEnd + (screenFlags & kHasTable ? TableBytes(screenFlags) : 0);
    while (at < size) {
        if (b[at] == kExtension) {
            const size_t next = ChainEnd(b, size, at + 2);
            if (!next) break;
            at = next;
            continue;
        }
        if (b[at] != kImageSeparator) {  // the trailer, or a block the decoder judges itself
            w.complete = true;
            return w;
        }
        if (at + kImageDescriptorSize > size) break;
        const std::uint64_t width = Le16At(b, at + 5), height = Le16At(b, at + 7);
        w.fits = DecodedSizeFits(width, height);
        if (!w.fits) return w;
        const std::uint8_t flags = b[at + kImageDescriptorSize - 1];
        const size_t data = at + kImageDescriptorSize + (flags & kHasTable ? TableBytes(flags) : 0) + 1;  // + code size
        if (data >= size) break;
        w.frame = true;
        const size_t next = ChainEnd(b, size, data);
        if (!next) {
            w.keep = data;
            w.cutData = data;
            w.cutPixels = width * height;
            return w;
        }
        at = next;
    }
    w.keep = std::min(at, size);
    return w;
}

// Writes bytes as data sub-blocks.
class SubBlockWriter {
public:
    explicit SubBlockWriter(std::vector<char>& out) : m_out(out) {}
    void Put(char byte) {
        if (m_lengthAt == 0 || m_out.size() - m_lengthAt - 1 == kLongestSubBlock) {
            m_lengthAt = m_out.size();
            m_out.push_back(0);
        }
        m_out.push_back(byte);
        m_out[m_lengthAt] = static_cast<char>(m_out.size() - m_lengthAt - 1);
    }
    void End() { m_out.push_back(0); }

private:
    std::vector<char>& m_out;
    size_t m_lengthAt = 0;
};

std::vector<char> Completed(const std::uint8_t* b, size_t size, const Walk& w) {
    const std::uint64_t padding = w.cutData ? (w.cutPixels * kWidestCode + 7) / 8 : 0;
    std::vector<char> out;
    out.reserve(static_cast<size_t>(size + padding + padding / kLongestSubBlock + 4));
    out.assign(b, b + w.keep);
    if (w.cutData) {
        SubBlockWriter data(out);
        for (size_t at = w.cutData; at < size;) {
            const size_t length = b[at++];
            for (size_t i = 0; i < length && at < size; ++i) data.Put(static_cast<char>(b[at++]));
        }
        for (std::uint64_t i = 0; i < padding; ++i) data.Put(0);
        data.End();
    }
    out.push_back(static_cast<char>(kTrailer));
    return out;
}

}  // namespace

gif::Screen gif::ScreenOf(const std::uint8_t* b, size_t size) {
    Screen screen;
    if (size < kScreenDescriptorEnd) return screen;
    const std::uint8_t flags = b[kFlagsAt];
    const size_t table = kScreenDescriptorEnd;
    size_t at = table + (flags & kHasTable ? TableBytes(flags) : 0);
    const size_t background = b[kBackgroundAt];
    bool backgroundShows = (flags & kHasTable) && table + 3 * background + 3 <= at && at <= size;
    while (at < size) {
        if (b[at] == kExtension && at + 1 < size) {
            constexpr size_t kTransparentAt = 6;  // introducer, label, length, flags, delay (2)
            if (b[at + 1] == kGraphicControl && at + kTransparentAt < size && (b[at + 3] & kHasTransparency) &&
                b[at + kTransparentAt] == background)
                backgroundShows = false;
            at = ChainEnd(b, size, at + 2);
            if (!at) break;
            continue;
        }
        if (b[at] != kImageSeparator || at + kImageDescriptorSize > size) break;
        screen.width = Le16At(b, 6);
        screen.height = Le16At(b, 8);
        screen.frameLeft = Le16At(b, at + 1);
        screen.frameTop = Le16At(b, at + 3);
        if (backgroundShows) {
            const std::uint8_t* rgb = b + table + 3 * background;
            screen.background = 0xFF000000u | static_cast<std::uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
        }
        break;
    }
    return screen;
}

PictureCheck CheckGif(const std::uint8_t* b, size_t size) {
    if (size < kScreenDescriptorEnd || !DecodedSizeFits(Le16At(b, 6), Le16At(b, 8))) return Decodable(false);
    const Walk w = WalkBlocks(b, size);
    if (!w.fits) return Decodable(false);
    if (w.complete) {
        if (GifLacksColourTable(b, size)) return {true, WithDefaultGifColourTable(b, size)};
        return Decodable(true);
    }
    if (!w.frame) return Decodable(false);  // cut before its first frame: nothing to show
    std::vector<char> ended = Completed(b, size, w);
    if (GifLacksColourTable(ended.data(), ended.size())) ended = WithDefaultGifColourTable(ended.data(), ended.size());
    return {true, std::move(ended)};
}

}  // namespace rt

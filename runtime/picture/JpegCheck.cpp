// JPEG files: the segments before the first scan lie inside the file and say what the decoder
// needs: a baseline, extended or progressive frame with a size and sane components, valid
// quantisation and Huffman tables, and a scan over the frame's components. A file cut off in
// its scans gets its end marker back, so that the decoder shows the rows it has (grey below),
// as viewers show such files.
#include "runtime/picture/PictureChecks.h"

namespace rt {

namespace {

constexpr std::uint8_t kBaseline = 0xC0, kExtended = 0xC1, kProgressive = 0xC2;
constexpr std::uint8_t kHuffman = 0xC4, kQuantisation = 0xDB, kScan = 0xDA, kEnd = 0xD9;

bool Standalone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }
bool OtherFrame(std::uint8_t marker) { return marker >= 0xC3 && marker <= 0xCF && marker != kHuffman && marker != 0xC8 && marker != 0xCC; }

bool ValidFrame(const std::uint8_t* s, size_t length, unsigned& components) {
    if (length < 6) return false;
    components = s[5];
    if (s[0] != 8 && s[0] != 12) return false;
    if (Be16At(s, 1) == 0 || Be16At(s, 3) == 0 || components < 1 || components > 4) return false;
    if (!DecodedSizeFits(Be16At(s, 3), Be16At(s, 1))) return false;
    if (length != 6 + 3u * components) return false;
    for (unsigned c = 0; c < components; ++c) {
        const std::uint8_t sampling = s[6 + 3 * c + 1], table = s[6 + 3 * c + 2];
        if ((sampling >> 4) < 1 || (sampling >> 4) > 4 || (sampling & 15) < 1 || (sampling & 15) > 4 || table > 3)
            return false;
    }
    return true;
}

bool ValidQuantisation(const std::uint8_t* s, size_t length) {
    for (size_t at = 0; at < length;) {
        const size_t table = (s[at] >> 4) ? 128 : 64;
        if ((s[at] >> 4) > 1 || (s[at] & 15) > 3 || at + 1 + table > length) return false;
        at += 1 + table;
    }
    return true;
}

bool ValidHuffman(const std::uint8_t* s, size_t length) {
    for (size_t at = 0; at < length;) {
        if (at + 17 > length || (s[at] >> 4) > 1 || (s[at] & 15) > 3) return false;
        size_t codes = 0;
        for (int i = 1; i <= 16; ++i) codes += s[at + i];
        if (codes > 256 || at + 17 + codes > length) return false;
        at += 17 + codes;
    }
    return true;
}

bool ValidScan(const std::uint8_t* s, size_t length, unsigned frameComponents) {
    if (length < 1) return false;
    const unsigned n = s[0];
    return n >= 1 && n <= frameComponents && length == 4 + 2u * n;
}

// The file as it is when it ends with the end marker, else a copy with the marker added.
PictureCheck WithEndMarker(const std::uint8_t* b, size_t size) {
    if (size >= 2 && b[size - 2] == 0xFF && b[size - 1] == kEnd) return Decodable(true);
    PictureCheck ended{true, std::vector<char>(b, b + size)};
    ended.repaired.push_back('\xFF');
    ended.repaired.push_back(static_cast<char>(kEnd));
    return ended;
}

}  // namespace

PictureCheck CheckJpeg(const std::uint8_t* b, size_t size) {
    unsigned components = 0;
    for (size_t at = 2; at + 1 < size;) {
        if (b[at] != 0xFF) return Decodable(false);
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) {  // fill
            ++at;
            continue;
        }
        at += 2;
        if (Standalone(marker)) continue;
        if (marker == kEnd || at + 2 > size) return Decodable(false);
        const size_t length = Be16At(b, at);
        if (length < 2 || at + length > size) return Decodable(false);
        const std::uint8_t* s = b + at + 2;
        const size_t body = length - 2;
        bool valid = true;
        if (marker == kBaseline || marker == kExtended || marker == kProgressive) valid = components == 0 && ValidFrame(s, body, components);
        else if (OtherFrame(marker)) valid = false;  // lossless, hierarchical, arithmetic: no decoder here
        else if (marker == kQuantisation) valid = ValidQuantisation(s, body);
        else if (marker == kHuffman) valid = ValidHuffman(s, body);
        else if (marker == kScan) {
            if (components == 0 || !ValidScan(s, body, components)) return Decodable(false);
            return WithEndMarker(b, size);
        }
        if (!valid) return Decodable(false);
        at += length;
    }
    return Decodable(false);
}

}  // namespace rt

#include "tests/support/HeaderBytes.h"

namespace testing_support {

std::string Be16(unsigned v) { return {static_cast<char>(v >> 8), static_cast<char>(v)}; }
std::string Le16(unsigned v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Be32(std::uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }
std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

std::string Png(std::uint32_t width, std::uint32_t height) {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
           std::string("\x08\x02\x00\x00\x00", 5) + Be32(0);
}

std::string Gif(const char* version, unsigned width, unsigned height) {
    return std::string("GIF") + version + Le16(width) + Le16(height) + std::string("\x80\x00\x00", 3);
}

std::string JpegSegment(unsigned char marker, const std::string& payload) {
    const auto length = static_cast<unsigned>(payload.size() + 2);  // counts itself
    return std::string("\xFF", 1) + static_cast<char>(marker) + Be16(length) + payload;
}

std::string JpegFrame(unsigned char marker, unsigned width, unsigned height) {
    return JpegSegment(marker, std::string("\x08", 1) + Be16(height) + Be16(width) +
                                   std::string("\x01\x01\x11\x00\x02\x11\x01\x03\x11\x01", 10));
}

const std::string kSoi("\xFF\xD8", 2);
const std::string kEoi("\xFF\xD9", 2);
const std::string kApp0 = JpegSegment(0xE0, std::string("JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 14));
const std::string kApp1 = JpegSegment(0xE1, std::string("Exif\0\0", 6) + std::string(40, 'x'));
const std::string kDqt = JpegSegment(0xDB, std::string(65, '\x01'));
const std::string kDht = JpegSegment(0xC4, std::string(28, '\x02'));

std::string Bmp(std::int32_t width, std::int32_t height) {
    return "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(static_cast<std::uint32_t>(width)) +
           Le32(static_cast<std::uint32_t>(height)) + Le16(1) + Le16(24) + std::string(24, '\0');
}

std::string BmpCore(unsigned width, unsigned height) {
    return "BM" + Le32(0) + Le32(0) + Le32(26) + Le32(12) + Le16(width) + Le16(height) + Le16(1) + Le16(24);
}

std::vector<std::string> HeaderFuzzSeeds() {
    const std::string fill("\xFF\xFF", 2);
    return {
        Png(300, 200),
        Gif("87a", 320, 240),
        Gif("89a", 40000, 2),
        kSoi + kApp0 + kApp1 + kDqt + kDht + JpegFrame(0xC0, 640, 480) + kEoi,
        kSoi + fill + kApp0 + fill + JpegFrame(0xC2, 9, 9) + kEoi,
        kSoi + JpegSegment(0xE1, std::string(700, 'z')) + JpegFrame(0xCA, 700, 1) + kEoi,
        Bmp(640, -480),
        BmpCore(300, 200),
    };
}

void Mutate(std::string& bytes, std::mt19937& random) {
    const unsigned mutations = 1 + random() % 4;
    for (unsigned m = 0; m < mutations && !bytes.empty(); ++m) {
        const size_t at = random() % bytes.size();
        switch (random() % 6) {
            case 0: bytes[at] = static_cast<char>(random()); break;
            case 1: bytes[at] = '\xFF'; break;
            case 2: bytes[at] = '\0'; break;
            case 3: bytes.resize(random() % (bytes.size() + 1)); break;
            case 4: bytes.insert(at, 1, static_cast<char>(random())); break;
            default: bytes.erase(at, 1 + random() % 8); break;
        }
    }
}

std::string NextMutant(const std::vector<std::string>& seeds, std::mt19937& random) {
    std::string bytes = seeds[random() % seeds.size()];
    Mutate(bytes, random);
    return bytes;
}

}  // namespace testing_support

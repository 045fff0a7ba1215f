#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "picture/FileByteSource.h"
#include "picture/HeaderReader.h"
#include "picture/IMAGES.h"
#include "picture/MemoryByteSource.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HeaderBytes.h"
#include "tests/support/PictureFiles.h"

using namespace testing_support;

namespace {

// A source over a buffer that records every range asked for: a range past the end is counted
// (and refused), so a test sees a read outside the file even where it would be harmless.
class CheckedSource : public ByteSource {
public:
    explicit CheckedSource(const std::string& bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        requested += count;
        if (!RangeInside(offset, count, m_bytes.size())) {
            ++outside;
            return false;
        }
        std::memcpy(out, m_bytes.data() + offset, count);
        return true;
    }
    std::uint64_t requested = 0;
    int outside = 0;

private:
    const std::string& m_bytes;
};

struct Read {
    ImageSize size;
    std::uint64_t requested;
    int outside;
};

Read ReadBytes(const std::string& bytes) {
    CheckedSource source(bytes);
    const ImageSize size = ReadImageSize(source);
    return {size, source.requested, source.outside};
}

void ExpectSize(const std::string& bytes, std::int32_t width, std::int32_t height, const char* what) {
    const Read r = ReadBytes(bytes);
    EXPECT_EQ(r.size.Width, width) << what;
    EXPECT_EQ(r.size.Height, height) << what;
    EXPECT_EQ(r.outside, 0) << what;
}

}  // namespace

TEST(MakeWord, PutsTheHighByteAboveTheLowOne) {
    EXPECT_EQ(MakeWord(0x34, 0x12), 0x1234);
    EXPECT_EQ(MakeWord(0xFF, 0xFF), 65535) << "unsigned";
    EXPECT_EQ(MakeWord(0x40, 0x9C), 40000);
    EXPECT_EQ(MakeWord(0, 0), 0);
}

TEST(HeaderReader, PngGivesTheFull32BitIhdrSize) {
    ExpectSize(Png(300, 200), 300, 200, "small");
    ExpectSize(Png(70000, 3), 70000, 3, "wider than 16 bits");
    ExpectSize(Png(0x7FFFFFFF, 0x10000), 0x7FFFFFFF, 0x10000, "the largest the format allows");
    ExpectSize(Png(0x80000000u, 5), 0, 0, "beyond the format's limit");
}

TEST(HeaderReader, GifGivesItsLogicalScreenInBothVersions) {
    ExpectSize(Gif("87a", 320, 240), 320, 240, "87a");
    ExpectSize(Gif("89a", 40000, 7), 40000, 7, "89a, an unsigned word");
}

TEST(HeaderReader, JpegFindsTheFrameBehindOtherSegments) {
    ExpectSize(kSoi + kApp0 + kDqt + kDht + JpegFrame(0xC0, 640, 480) + kEoi, 640, 480, "baseline");
    ExpectSize(kSoi + kApp0 + kApp1 + kDqt + JpegFrame(0xC2, 1024, 768) + kEoi, 1024, 768, "progressive");
    ExpectSize(kSoi + kApp1 + kDqt + JpegFrame(0xC9, 800, 600) + kEoi, 800, 600, "arithmetic-coded");
    ExpectSize(kSoi + kApp0 + JpegSegment(0xDE, std::string(9, '\0')) + JpegFrame(0xC5, 33, 44) + kEoi, 33, 44,
               "hierarchical");
    ExpectSize(kSoi + kApp0 + JpegFrame(0xC0, 40000, 65535) + kEoi, 40000, 65535, "unsigned words");
}

TEST(HeaderReader, JpegAcceptsEveryStartOfFrameMarkerAndSkipsTheOthers) {
    // Each marker code carries a frame-shaped payload of 111 x 222; a real frame of 640 x 480
    // follows. Frames report the first, other segments are skipped to the second.
    for (unsigned code = 0xC0; code <= 0xCF; ++code) {
        const bool frame = code != 0xC4 && code != 0xC8 && code != 0xCC;
        const Read r = ReadBytes(kSoi + kApp0 + JpegFrame(static_cast<unsigned char>(code), 111, 222) +
                                 JpegFrame(0xC0, 640, 480) + kEoi);
        EXPECT_EQ(r.size.Width, frame ? 111 : 640) << std::hex << code;
        EXPECT_EQ(r.size.Height, frame ? 222 : 480) << std::hex << code;
    }
}

TEST(HeaderReader, JpegPassesFillBytesAndSeeksOverLongSegments) {
    const std::string fill("\xFF\xFF\xFF\xFF", 4);
    ExpectSize(kSoi + fill + kApp0 + fill + kDqt + fill + JpegFrame(0xC0, 12, 34) + kEoi, 12, 34, "fill bytes");

    const std::string longSegment = JpegSegment(0xE1, std::string(40000 - 2, '\xFF'));
    const Read r = ReadBytes(kSoi + kApp0 + longSegment + JpegFrame(0xC2, 4000, 3000) + kEoi);
    EXPECT_EQ(r.size.Width, 4000);
    EXPECT_EQ(r.size.Height, 3000);
    EXPECT_LT(r.requested, 64u) << "the 40,000-byte segment is skipped by its length, not read";
}

TEST(HeaderReader, BmpGivesItsInfoHeaderSizeWhicheverWayItsRowsGo) {
    ExpectSize(Bmp(640, 480), 640, 480, "bottom-up");
    ExpectSize(Bmp(640, -480), 640, 480, "top-down: the height's absolute value");
    ExpectSize(Bmp(70000, 3), 70000, 3, "wider than 16 bits");
    ExpectSize(BmpCore(300, 200), 300, 200, "old core header: 16-bit fields");
    ExpectSize(BmpCore(65535, 1), 65535, 1, "core header, unsigned");
    ExpectSize(Bmp(-5, 5), 0, 0, "negative width");
}

TEST(HeaderReader, ReadsOnlyTheFieldsItNeeds) {
    EXPECT_LE(ReadBytes(Png(1, 1) + std::string(100000, 'x')).requested, 12u);
    EXPECT_LE(ReadBytes(Gif("89a", 1, 1) + std::string(100000, 'x')).requested, 8u);
    EXPECT_LE(ReadBytes(Bmp(1, 1) + std::string(100000, 'x')).requested, 16u);
    EXPECT_LE(ReadBytes(kSoi + kApp0 + kDqt + JpegFrame(0xC0, 1, 1) + std::string(100000, 'x')).requested, 18u);
}

TEST(HeaderReader, ForeignEmptyAndShortBytesGiveZero) {
    ExpectSize("", 0, 0, "empty");
    ExpectSize(std::string("\xFF\xD8\xFF", 3), 0, 0, "three bytes of a JPEG signature");
    ExpectSize("width 640 x 480: just some text in a file\r\n", 0, 0, "text");
    ExpectSize(std::string("\0\0\1\0\1\0 \x20\0\0\1\0 ", 14), 0, 0, "an icon");
    ExpectSize(kSoi + kApp0 + kDqt + kEoi, 0, 0, "a JPEG without a frame");
    ExpectSize(kSoi + std::string(5000, '\0'), 0, 0, "a JPEG signature followed by zeros");
    ExpectSize(std::string("BM", 2) + Le32(0) + Le32(0) + Le32(54) + Le32(5) + Le32(64) + Le32(64), 0, 0,
               "a bitmap header of no known size");
}

TEST(HeaderReader, AFileCutShortInAnySizeFieldGivesZero) {
    const std::string jpeg = kSoi + kApp0 + kDqt + JpegFrame(0xC1, 640, 480);
    const struct {
        std::string bytes;
        size_t fieldsEnd;  // the first byte after the last size field
        const char* what;
    } cases[] = {
        {Png(300, 200), 24, "PNG"},
        {Gif("89a", 320, 240), 10, "GIF"},
        {jpeg, jpeg.size() - 10, "JPEG"},
        {Bmp(640, -480), 26, "BMP"},
        {BmpCore(300, 200), 22, "BMP core"},
    };
    for (const auto& c : cases) {
        ASSERT_NE(ReadBytes(c.bytes.substr(0, c.fieldsEnd)).size.Width, 0) << c.what << " whole fields";
        for (size_t length = 0; length < c.fieldsEnd; ++length) {
            const Read r = ReadBytes(c.bytes.substr(0, length));
            EXPECT_EQ(r.size.Width, 0) << c.what << " cut at " << length;
            EXPECT_EQ(r.size.Height, 0) << c.what << " cut at " << length;
            EXPECT_EQ(r.outside, 0) << c.what << " cut at " << length;
        }
    }
}

// Mutated and truncated headers of every kind: the reader must neither crash nor ask for a
// byte past the end, must not report a negative size, and must keep its reads near the size
// of what it was given. Seeded, so every run sees the same inputs.
TEST(HeaderReader, FuzzedHeadersNeverReadOutsideOrFail) {
    const std::vector<std::string> seeds = HeaderFuzzSeeds();
    std::mt19937 random(kHeaderFuzzSeed);
    constexpr int kRounds = kHeaderFuzzRounds;
    int rounds = 0, sized = 0;
    std::uint64_t worstOverread = 0;
    for (; rounds < kRounds; ++rounds) {
        const std::string bytes = NextMutant(seeds, random);
        const Read r = ReadBytes(bytes);
        ASSERT_EQ(r.outside, 0) << "round " << rounds;
        ASSERT_GE(r.size.Width, 0) << "round " << rounds;
        ASSERT_GE(r.size.Height, 0) << "round " << rounds;
        if (r.requested > bytes.size()) worstOverread = std::max(worstOverread, r.requested - bytes.size());
        if (r.size.Width || r.size.Height) ++sized;
    }
    EXPECT_EQ(rounds, kRounds);
    EXPECT_GT(sized, kRounds / 10) << "many mutations keep a readable header";
    EXPECT_LT(sized, kRounds) << "and many break it";
    EXPECT_LE(worstOverread, 64u) << "bytes asked for beyond the input's own length (re-reads)";
}

TEST(GetImageSize, ReadsPictureFilesByTheirContentNotTheirName) {
    TempFolder folder;
    ASSERT_TRUE(WritePatternEncoded(folder.File(L"a.png"), 300, 200, L"image/png"));
    ASSERT_TRUE(WritePatternEncoded(folder.File(L"b.jpg"), 321, 123, L"image/jpeg"));
    ASSERT_TRUE(WritePatternGif(folder.File(L"c.gif"), 40, 30));
    ASSERT_TRUE(WritePatternBmp(folder.File(L"d.bmp"), 64, 48));
    ASSERT_TRUE(WritePatternBmp(folder.File(L"bitmap.jpg"), 65, 49));
    ASSERT_TRUE(WritePatternBmp(folder.File(L"图片.bmp"), 7, 5));
    ASSERT_TRUE(WriteBytes(folder.File(L"empty.jpg"), ""));
    ASSERT_TRUE(WriteBytes(folder.File(L"text.jpg"), "not a picture\r\n"));
    const struct {
        const wchar_t* name;
        std::int32_t width, height;
    } cases[] = {
        {L"a.png", 300, 200}, {L"b.jpg", 321, 123},     {L"c.gif", 40, 30},     {L"d.bmp", 64, 48},
        {L"bitmap.jpg", 65, 49}, {L"图片.bmp", 7, 5}, {L"empty.jpg", 0, 0}, {L"text.jpg", 0, 0},
        {L"missing.jpg", 0, 0},
    };
    for (const auto& c : cases) {
        const ImageSize size = GetImageSize(folder.File(c.name));
        EXPECT_EQ(size.Width, c.width) << static_cast<int>(&c - cases);
        EXPECT_EQ(size.Height, c.height) << static_cast<int>(&c - cases);
    }
    EXPECT_EQ(GetImageSize(folder.Path()).Width, 0) << "a folder";
}

TEST(GetImageSize, SeeksOverSegmentsInAFile) {
    TempFolder folder;
    const std::string bytes =
        kSoi + kApp0 + JpegSegment(0xE1, std::string(40000 - 2, 'q')) + JpegFrame(0xC0, 4000, 3000) + kEoi;
    ASSERT_TRUE(WriteBytes(folder.File(L"long.jpg"), bytes));
    FileByteSource file(folder.File(L"long.jpg"));
    const ImageSize size = ReadImageSize(file);
    EXPECT_EQ(size.Width, 4000);
    EXPECT_EQ(size.Height, 3000);
    EXPECT_EQ(file.Size(), bytes.size());
    EXPECT_LT(file.BytesRead(), 64u);
    EXPECT_EQ(GetImageSize(folder.File(L"long.jpg")).Width, 4000);
}

TEST(ByteSource, MemoryAndFileSourcesRefuseRangesPastTheEnd) {
    const std::string bytes = "0123456789";
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"ten"), bytes));
    MemoryByteSource memory(bytes);
    FileByteSource file(folder.File(L"ten"));
    for (ByteSource* source : {static_cast<ByteSource*>(&memory), static_cast<ByteSource*>(&file)}) {
        std::uint8_t out[4] = {};
        EXPECT_EQ(source->Size(), 10u);
        EXPECT_TRUE(source->ReadAt(6, out, 4));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), "6789");
        EXPECT_FALSE(source->ReadAt(7, out, 4)) << "one byte past the end";
        EXPECT_FALSE(source->ReadAt(11, out, 0)) << "an offset past the end";
        EXPECT_FALSE(source->ReadAt(~std::uint64_t{0} - 1, out, 4)) << "a range that wraps around";
    }
    EXPECT_EQ(memory.BytesRead(), 4u);
    EXPECT_EQ(file.BytesRead(), 4u);
    FileByteSource missing(folder.File(L"missing"));
    std::uint8_t out[1] = {};
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.Size(), 0u);
    EXPECT_FALSE(missing.ReadAt(0, out, 1));
}

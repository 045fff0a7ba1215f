// Picture objects: loading each format the program reads, errors for missing and undecodable
// files, BMP saving that round-trips pixel for pixel, HIMETRIC sizes and ownership.
#include "runtime/picture/StdPicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>

#include "runtime/picture/BmpSection.h"
#include "runtime/picture/ByteStream.h"
#include "runtime/picture/PictureChecks.h"

#include "runtime/core/RuntimeError.h"
#include "runtime/core/Text.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/GdiCount.h"
#include "tests/support/HeaderBytes.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Pixels.h"

using namespace testing_support;

namespace {

long ExpectedHimetric(int pixels, int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, 2540, dpi);
}

// The picture drawn 1:1 onto a fresh bitmap, read back.
Pixels Rendered(const rt::StdPicture& picture) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.PixelWidth(), picture.PixelHeight());
    HGDIOBJ old = SelectObject(dc, bitmap);
    picture.Render(dc, 0, 0);
    SelectObject(dc, old);
    Pixels pixels = CaptureBitmap(bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A device that is always full: Wine shows the host's /dev/full under Z:.
const wchar_t kFullDevice[] = L"Z:\\dev\\full";

bool FullDeviceAvailable() {
    HANDLE device = CreateFileW(kFullDevice, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    CloseHandle(device);
    return true;
}

struct FormatCase {
    const wchar_t* name;
    rt::PictureType type;
    int width;
    int height;
};

}  // namespace

TEST(StdPicture, LoadsEveryFormatWithItsSizeInPixelsAndHimetric) {
    TempFolder folder;
    ASSERT_TRUE(WritePatternBmp(folder.File(L"a.bmp"), 40, 30));
    ASSERT_TRUE(WritePatternEncoded(folder.File(L"a.jpg"), 41, 31, L"image/jpeg"));
    ASSERT_TRUE(WritePatternGif(folder.File(L"a.gif"), 42, 32));
    ASSERT_TRUE(WritePatternEncoded(folder.File(L"a.png"), 43, 33, L"image/png"));
    ASSERT_TRUE(WriteIconFile(folder.File(L"a.ico"), 32, 32, false));
    ASSERT_TRUE(WriteIconFile(folder.File(L"a.cur"), 32, 32, true));

    const FormatCase cases[] = {
        {L"a.bmp", rt::PictureType::Bitmap, 40, 30}, {L"a.jpg", rt::PictureType::Bitmap, 41, 31},
        {L"a.gif", rt::PictureType::Bitmap, 42, 32}, {L"a.png", rt::PictureType::Bitmap, 43, 33},
        {L"a.ico", rt::PictureType::Icon, 32, 32},   {L"a.cur", rt::PictureType::Icon, 32, 32},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(rt::Utf8FromWide(c.name));
        rt::PictureRef picture;
        try {
            picture = rt::LoadPicture(folder.File(c.name));
        } catch (const rt::RuntimeError& e) {
            ADD_FAILURE() << "error " << e.Number();
            continue;
        }
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Type(), c.type);
        EXPECT_NE(picture->Handle(), nullptr);
        EXPECT_EQ(picture->PixelWidth(), c.width);
        EXPECT_EQ(picture->PixelHeight(), c.height);
        EXPECT_NEAR(picture->Width(), ExpectedHimetric(c.width, LOGPIXELSX), 1);
        EXPECT_NEAR(picture->Height(), ExpectedHimetric(c.height, LOGPIXELSY), 1);
    }
    // The lossless ones show the very pixels that went in.
    for (const wchar_t* name : {L"a.bmp", L"a.png", L"a.ico"}) {
        const Pixels pixels = Rendered(*rt::LoadPicture(folder.File(name)));
        EXPECT_EQ(pixels.At(0, 0), PatternColor(0, 0));
        EXPECT_EQ(pixels.At(17, 9), PatternColor(17, 9));
        EXPECT_EQ(pixels.At(31, 29), PatternColor(31, 29));
    }
    const Pixels gif = Rendered(*rt::LoadPicture(folder.File(L"a.gif")));
    EXPECT_EQ(gif.At(0, 0), GifPatternColor(0, 0));
    EXPECT_EQ(gif.At(41, 31), GifPatternColor(41, 31));
    EXPECT_EQ(gif.At(20, 10), GifPatternColor(20, 10));
}

TEST(StdPicture, LoadsMetafilesWithTheirFrameSize) {
    TempFolder folder;
    // One inch by half an inch.
    ASSERT_TRUE(WritePlaceableWmf(folder.File(L"a.wmf"), 1440, 720));
    ASSERT_TRUE(WriteEmf(folder.File(L"a.emf"), 2540, 1270));

    const rt::PictureRef wmf = rt::LoadPicture(folder.File(L"a.wmf"));
    ASSERT_TRUE(wmf);
    EXPECT_EQ(wmf->Type(), rt::PictureType::Metafile);
    EXPECT_NEAR(wmf->Width(), 2540, 2);
    EXPECT_NEAR(wmf->Height(), 1270, 2);
    EXPECT_NEAR(wmf->PixelWidth(), rt::HimetricToPixelsX(2540), 1);

    const rt::PictureRef emf = rt::LoadPicture(folder.File(L"a.emf"));
    ASSERT_TRUE(emf);
    EXPECT_EQ(emf->Type(), rt::PictureType::EnhMetafile);
    EXPECT_NEAR(emf->Width(), 2540, 2);
    EXPECT_NEAR(emf->Height(), 1270, 2);

    // Both draw something of their own colour into the rectangle they are given.
    const Pixels wmfPixels = Rendered(*wmf);
    EXPECT_TRUE(ColorNear(wmfPixels.At(wmfPixels.width / 2, wmfPixels.height / 2), RGB(200, 30, 30), 8));
    const Pixels emfPixels = Rendered(*emf);
    EXPECT_TRUE(ColorNear(emfPixels.At(2, 2), RGB(30, 30, 200), 8));
}

TEST(StdPicture, FormatsTheOleLoaderRefusesAreDecodedByGdiPlus) {
    TempFolder folder;
    // TIFF is beyond the OLE loader everywhere, so it shows the second decoder at work.
    if (!WritePatternEncoded(folder.File(L"a.tif"), 21, 13, L"image/tiff")) GTEST_SKIP() << "no TIFF encoder";
    const rt::PictureRef picture = rt::LoadPicture(folder.File(L"a.tif"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Type(), rt::PictureType::Bitmap);
    EXPECT_EQ(picture->PixelWidth(), 21);
    EXPECT_EQ(picture->PixelHeight(), 13);
    EXPECT_EQ(Rendered(*picture).At(20, 12), PatternColor(20, 12));
}

TEST(StdPicture, MissingAndUndecodableFilesRaiseClearErrors) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"notes.jpg"), "These are plain words, not a picture.\r\n"));
    ASSERT_TRUE(WriteBytes(folder.File(L"empty.bmp"), ""));

    EXPECT_EQ(ErrorOf([&] { rt::LoadPicture(folder.File(L"notes.jpg")); }), rt::err::kInvalidPicture);
    EXPECT_EQ(ErrorOf([&] { rt::LoadPicture(folder.File(L"empty.bmp")); }), rt::err::kInvalidPicture);
    EXPECT_EQ(ErrorOf([&] { rt::LoadPicture(folder.File(L"absent.bmp")); }), rt::err::kFileNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::LoadPicture(folder.File(L"no folder\\absent.bmp")); }), rt::err::kPathNotFound);
    try {
        rt::LoadPicture(folder.File(L"notes.jpg"));
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Description(), L"无效的图片");
    }
    // An empty name is no picture at all, not an error.
    EXPECT_EQ(rt::LoadPicture(L""), nullptr);
}

TEST(StdPicture, SavedBmpLoadsBackWithIdenticalPixels) {
    TempFolder folder;
    const rt::PictureRef original = rt::StdPicture::FromBitmap(CreatePatternBitmap(37, 23));
    rt::SavePicture(original, folder.File(L"saved.bmp"));

    // A plain BMP: "BM", a 40-byte info header, 24 bits, rows padded to four bytes.
    HANDLE file = CreateFileW(folder.File(L"saved.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char header[54] = {};
    DWORD read = 0;
    ReadFile(file, header, sizeof(header), &read, nullptr);
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(*reinterpret_cast<DWORD*>(header + 14), 40u);
    EXPECT_EQ(*reinterpret_cast<WORD*>(header + 28), 24);
    EXPECT_EQ(size, 54u + ((37u * 3 + 3) & ~3u) * 23u);

    const rt::PictureRef loaded = rt::LoadPicture(folder.File(L"saved.bmp"));
    ASSERT_EQ(loaded->PixelWidth(), 37);
    ASSERT_EQ(loaded->PixelHeight(), 23);
    const Pixels before = Rendered(*original);
    const Pixels after = Rendered(*loaded);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            ASSERT_EQ(after.At(x, y), before.At(x, y)) << x << "," << y;
        }
    }
}

TEST(StdPicture, SavingIconsAndMetafilesWritesBitmaps) {
    TempFolder folder;
    ASSERT_TRUE(WriteIconFile(folder.File(L"a.ico"), 32, 32, false));
    rt::SavePicture(rt::LoadPicture(folder.File(L"a.ico")), folder.File(L"icon.bmp"));
    const rt::PictureRef icon = rt::LoadPicture(folder.File(L"icon.bmp"));
    EXPECT_EQ(icon->Type(), rt::PictureType::Bitmap);
    EXPECT_EQ(Rendered(*icon).At(5, 7), PatternColor(5, 7));
}

TEST(StdPicture, SaveFailuresRaiseAndLeaveNoPartialFile) {
    TempFolder folder;
    const rt::PictureRef picture = rt::StdPicture::FromBitmap(CreatePatternBitmap(8, 8));
    EXPECT_EQ(ErrorOf([&] { rt::SavePicture(picture, folder.File(L"missing\\x.bmp")); }), rt::err::kPathNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::SavePicture(nullptr, folder.File(L"x.bmp")); }), 380);
    EXPECT_EQ(GetFileAttributesW(folder.File(L"x.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // A folder of that name cannot become a file.
    CreateDirectoryW(folder.File(L"taken.bmp").c_str(), nullptr);
    EXPECT_EQ(ErrorOf([&] { rt::SavePicture(picture, folder.File(L"taken.bmp")); }), rt::err::kPathFileAccess);
    RemoveDirectoryW(folder.File(L"taken.bmp").c_str());

    // A device that is always full (Wine shows the host's /dev/full under Z:).
    if (!FullDeviceAvailable()) GTEST_SKIP() << "no full device here";
    EXPECT_EQ(ErrorOf([&] { rt::SavePicture(picture, kFullDevice); }), rt::err::kDiskFull);
    EXPECT_TRUE(FullDeviceAvailable());
}

TEST(StdPicture, LoadsPicturesFromMemoryAndFromRcdataResources) {
    TempFolder folder;
    ASSERT_TRUE(WritePatternBmp(folder.File(L"a.bmp"), 12, 10));
    HANDLE file = CreateFileW(folder.File(L"a.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);

    const rt::PictureRef fromMemory = rt::LoadPictureFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(fromMemory->PixelWidth(), 12);
    EXPECT_EQ(Rendered(*fromMemory).At(3, 4), PatternColor(3, 4));

    // A copy of this test program with the picture added as RCDATA 701.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring copy = folder.File(L"carrier.exe");
    ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(701), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                bytes.data(), static_cast<DWORD>(bytes.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    HMODULE module = LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const rt::PictureRef fromResource = rt::LoadPictureResource(701, module);
    EXPECT_EQ(fromResource->PixelHeight(), 10);
    EXPECT_EQ(Rendered(*fromResource).At(11, 9), PatternColor(11, 9));
    EXPECT_EQ(ErrorOf([&] { rt::LoadPictureResource(702, module); }), 326);
    FreeLibrary(module);
}

TEST(StdPicture, OwnsItsHandleAndReleasesItWithTheLastReference) {
    rt::StdPicture::FromBitmap(CreatePatternBitmap(16, 16));  // first use sets up OLE's own objects
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        rt::PictureRef picture = rt::StdPicture::FromBitmap(CreatePatternBitmap(16, 16));
        rt::PictureRef shared = picture;
        picture.reset();
        EXPECT_NE(shared->Bitmap(), nullptr);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(StdPicture, HimetricAndPixelsConvertThroughTheScreenResolution) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rt::PixelsToHimetricX(dpi), 2540);
    EXPECT_EQ(rt::HimetricToPixelsX(2540), dpi);
    EXPECT_EQ(rt::HimetricToPixelsY(rt::PixelsToHimetricY(123)), 123);
    EXPECT_EQ(rt::PixelsToHimetricX(0), 0);
}

// A GIF may leave its colours to the decoder; the platform's decoder faults on that, so the
// loader hands it a default table, while a frame's own table still decides its colours.
TEST(StdPicture, GifsWithoutAColourTableLoadWithTheDefaultOne) {
    const std::string none = PatternGif(19, 11, GifTable::None);
    const rt::PictureRef plain = rt::LoadPictureFromMemory(none.data(), none.size());
    ASSERT_EQ(plain->Type(), rt::PictureType::Bitmap);
    EXPECT_EQ(plain->PixelWidth(), 19);
    EXPECT_EQ(plain->PixelHeight(), 11);
    const Pixels defaults = Rendered(*plain);
    EXPECT_EQ(defaults.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(defaults.At(1, 0), RGB(255, 255, 255));

    // Cut off inside its frame, such a file gets the table and its end, and shows its top row.
    const std::string cut = none.substr(0, none.size() / 2);
    const Pixels cutShown = Rendered(*rt::LoadPictureFromMemory(cut.data(), cut.size()));
    EXPECT_EQ(cutShown.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(cutShown.At(1, 0), RGB(255, 255, 255));

    const std::string local = PatternGif(19, 11, GifTable::Local);
    const Pixels own = Rendered(*rt::LoadPictureFromMemory(local.data(), local.size()));
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {7, 5}}) EXPECT_EQ(own.At(x, y), GifPatternColor(x, y));
}

// A file too large for the process to hold twice is no picture, whatever its first bytes say.
TEST(StdPicture, FilesAbove256MegabytesAreNotReadButRefused) {
    TempFolder folder;
    const std::wstring path = folder.File(L"huge.bmp");
    ASSERT_TRUE(WritePatternBmp(path, 8, 8));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 256LL * 1024 * 1024 + 1;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    EXPECT_EQ(ErrorOf([&] { rt::LoadPicture(path); }), rt::err::kInvalidPicture);
}

// Each kind of damage that made a platform decoder fault or hang is refused before it: an
// unknown header size, a PNG with no image data, a JPEG with no scan, metafile records that
// do not advance, bytes of no known format.
TEST(StdPicture, DamageThatFaultsTheDecodersIsRefusedBeforeThem) {
    TempFolder folder;
    ASSERT_TRUE(WritePatternBmp(folder.File(L"a.bmp"), 8, 6));
    ASSERT_TRUE(WriteEmf(folder.File(L"a.emf"), 1000, 500));
    std::string bmp = FileBytes(folder.File(L"a.bmp"));
    bmp[15] = '\xD8';  // a header of 55,336 bytes
    std::string emf = FileBytes(folder.File(L"a.emf"));
    std::uint32_t second = 0;  // the header record's length
    memcpy(&second, emf.data() + 4, sizeof(second));
    emf.replace(second + 4, 4, std::string(4, '\0'));  // a record of no length
    const std::string damaged[] = {
        bmp, emf, Png(300, 200), kSoi + kApp0 + kDqt + JpegFrame(0xC0, 64, 48) + kEoi,
        std::string("\0\0\x77\x1A\0\x37\0\x0C\0\0\0\x2C\x01\xC8\0\x01\0\x18\0", 19),
    };
    for (const std::string& bytes : damaged)
        EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(bytes.data(), bytes.size()); }), rt::err::kInvalidPicture);
}

// A BMP cut off in its pixels shows what it has; the rows it lacks are black.
TEST(StdPicture, ABmpCutOffInItsPixelsShowsItsRowsAndBlackForTheRest) {
    TempFolder folder;
    ASSERT_TRUE(WritePatternBmp(folder.File(L"a.bmp"), 8, 6));
    const std::string whole = FileBytes(folder.File(L"a.bmp"));
    const std::string cut = whole.substr(0, whole.size() - 3 * 24);  // the top three rows
    const Pixels shown = Rendered(*rt::LoadPictureFromMemory(cut.data(), cut.size()));
    EXPECT_EQ(shown.At(0, 5), PatternColor(0, 5));
    EXPECT_EQ(shown.At(7, 3), PatternColor(7, 3));
    EXPECT_EQ(shown.At(3, 1), RGB(0, 0, 0));
}

namespace {

std::string Seed(const wchar_t* name) { return FileBytes(BinDir() + L"\\loader-seeds\\" + name); }

// The first half of a JPEG's scan data, as a download cut off there leaves it.
std::string CutInItsScan(const std::string& jpeg) {
    const size_t scan = jpeg.find("\xFF\xDA");
    return jpeg.substr(0, scan + (jpeg.size() - scan) * 2 / 5);
}

Pixels LoadedFromMemory(const std::string& bytes) {
    return Rendered(*rt::LoadPictureFromMemory(bytes.data(), bytes.size()));
}

}  // namespace

// Cut-off JPEG and GIF files show the part they hold, as viewers show them: red above, and
// below, where a baseline JPEG's data ended, no blue.
TEST(StdPicture, CutOffJpegsAndGifsShowThePartTheyHold) {
    const std::string halves = Seed(L"halves.jpg");
    ASSERT_FALSE(halves.empty());
    const Pixels baseline = LoadedFromMemory(CutInItsScan(halves));
    ASSERT_EQ(baseline.width, 64);
    EXPECT_TRUE(ColorNear(baseline.At(2, 2), RGB(220, 20, 20), 40)) << std::hex << baseline.At(2, 2);
    EXPECT_FALSE(ColorNear(baseline.At(2, 61), RGB(20, 20, 220), 80)) << std::hex << baseline.At(2, 61);
    const Pixels progressive = LoadedFromMemory(CutInItsScan(Seed(L"halves-progressive.jpg")));
    EXPECT_TRUE(ColorNear(progressive.At(2, 2), RGB(220, 20, 20), 60)) << std::hex << progressive.At(2, 2);

    const std::string gif = PatternGif(19, 11, GifTable::Global);
    const size_t data = 13 + 3 * 256 + 11;  // header, colour table, frame descriptor, code size
    for (size_t keep : {(data + gif.size()) / 2, gif.size() - 1}) {
        const Pixels shown = LoadedFromMemory(gif.substr(0, keep));
        EXPECT_EQ(shown.At(0, 0), GifPatternColor(0, 0)) << keep;
        EXPECT_EQ(shown.At(18, 0), GifPatternColor(18, 0)) << keep;
    }
}

// However few bytes a file has, a picture beyond 8192 x 8192 pixels is refused; one at that
// size is taken, and a header-only BMP of it costs its pixels once.
TEST(StdPicture, PicturesBeyondTheDecodedLimitAreRefusedWhateverTheirFileSize) {
    std::string jpeg = Seed(L"halves.jpg");
    const size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpeg.replace(frame + 5, 4, Be16(9000) + Be16(9000));
    EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(jpeg.data(), jpeg.size()); }), rt::err::kInvalidPicture);
    const std::string bmp = Bmp(8193, 8192);
    EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(bmp.data(), bmp.size()); }), rt::err::kInvalidPicture);
    const std::string gif = Gif("89a", 9000, 9000) + std::string(6, '\0') + ";";
    EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(gif.data(), gif.size()); }), rt::err::kInvalidPicture);

    std::string largest = Bmp(8192, 8192);
    largest.replace(28, 2, Le16(32));
    const rt::PictureRef picture = rt::LoadPictureFromMemory(largest.data(), largest.size());
    EXPECT_EQ(picture->PixelWidth(), 8192);
    EXPECT_EQ(picture->PixelHeight(), 8192);
}

// A PNG's transparency is kept: red at alpha 80 drawn over white comes out pink.
TEST(StdPicture, TranslucentPngsAreDrawnOverWhatLiesBeneath) {
    const std::string png = Seed(L"translucent.png");
    const rt::PictureRef picture = rt::LoadPictureFromMemory(png.data(), png.size());
    EXPECT_TRUE(picture->HasAlpha());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture->Render(dc, 0, 0);
    SelectObject(dc, old);
    const Pixels shown = CaptureBitmap(bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(ColorNear(shown.At(8, 8), RGB(255, 175, 175), 6)) << std::hex << shown.At(8, 8);
}

// A field that claims more than the file holds costs no memory: a 1 x 1 run-length BMP whose
// image size says 256 MB is rebuilt at the size of its data, and a 60-byte core-header BMP
// claiming 8191 x 8192 needs no padded copy (its missing rows are black in its section).
TEST(StdPicture, BmpFieldsClaimingMoreThanTheFileHoldsCostNoMemory) {
    std::string rle = "BM" + Le32(0) + Le32(0) + Le32(54 + 1024) + Le32(40) + Le32(1) + Le32(1) + Le16(1) + Le16(8) +
                      Le32(BI_RLE8) + Le32(0x10000000) + std::string(16, '\0') + std::string(1024, '\0');
    rle[54 + 4 * 7 + 2] = '\xFF';  // colour 7 is red
    rle += std::string("\x01\x07\x00\x00\x00\x01", 6);
    const rt::PictureCheck check = rt::CheckPicture(rle.data(), rle.size());
    EXPECT_TRUE(check.decodable);
    EXPECT_LE(check.repaired.size(), rle.size());
    EXPECT_EQ(LoadedFromMemory(rle).At(0, 0), RGB(255, 0, 0));

    const std::string core = BmpCore(8191, 8192) + std::string(34, '\x40');
    ASSERT_EQ(core.size(), 60u);
    const rt::PictureCheck coreCheck = rt::CheckPicture(core.data(), core.size());
    EXPECT_TRUE(coreCheck.decodable);
    EXPECT_TRUE(coreCheck.repaired.empty());
    const rt::PictureRef picture = rt::LoadPictureFromMemory(core.data(), core.size());
    EXPECT_EQ(picture->PixelWidth(), 8191);
    EXPECT_EQ(picture->PixelHeight(), 8192);

    // Nor does any mutant of them: a rebuilt copy grows by its header and palette at most.
    std::mt19937 random(33);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = i % 2 ? rle : core;
        Mutate(bytes, random);
        const rt::PictureCheck mutant = rt::CheckPicture(bytes.data(), bytes.size());
        ASSERT_LE(mutant.repaired.size(), bytes.size() + 28 + 256) << i;
    }
}

// The platform reads the header, the masks of BI_BITFIELDS and biClrUsed colours at any depth:
// the info it is handed is rebuilt to hold exactly that, however many colours or what
// colour-profile offsets the file's header names.
TEST(StdPicture, TheBitmapInfoHandedToThePlatformHoldsExactlyWhatItReads) {
    auto platformReads = [](const std::vector<std::uint32_t>& info) {
        BITMAPINFOHEADER h;
        memcpy(&h, info.data(), sizeof(h));
        const size_t colours = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? 1u << h.biBitCount : 0;
        return h.biSize + (h.biCompression == BI_BITFIELDS ? 12 : 0) + 4 * colours;
    };
    std::string deep = Bmp(2, 2);
    deep.replace(28, 2, Le16(32));
    deep.replace(46, 4, Le32(4096));  // biClrUsed
    deep.replace(10, 4, Le32(54 + 4 * 4096));
    deep += std::string(4 * 4096 + 16, '\x7F');
    const std::vector<std::uint32_t> info = rt::BmpInfo(reinterpret_cast<const std::uint8_t*>(deep.data()), 0);
    EXPECT_EQ(info.size() * 4, 40u);
    EXPECT_EQ(info.size() * 4, platformReads(info));
    EXPECT_EQ(rt::LoadPictureFromMemory(deep.data(), deep.size())->PixelWidth(), 2);

    // A V5 header naming an embedded profile far away, 16 colours of 8 bits.
    std::string v5 = "BM" + Le32(0) + Le32(0) + Le32(14 + 124 + 64) + Le32(124) + Le32(4) + Le32(1) + Le16(1) +
                     Le16(8) + Le32(BI_RGB) + Le32(0) + std::string(8, '\0') + Le32(16) + Le32(0) +
                     std::string(124 - 40, '\xEE') + std::string(64, '\x11') + std::string(4, '\x03');
    const std::vector<std::uint32_t> v5Info = rt::BmpInfo(reinterpret_cast<const std::uint8_t*>(v5.data()), 0);
    EXPECT_EQ(v5Info.size() * 4, 40u + 64);
    EXPECT_EQ(v5Info.size() * 4, platformReads(v5Info));
    EXPECT_EQ(LoadedFromMemory(v5).At(3, 0), RGB(0x11, 0x11, 0x11));
}

// A GIF is as large as its screen, its first frame at its place over the background colour.
TEST(StdPicture, GifsShowTheirScreenWithTheFirstFrameAtItsPlace) {
    std::string gif = PatternGif(10, 10, GifTable::Global);
    gif.replace(6, 4, Le16(20) + Le16(20));
    gif[11] = 5;                                   // background: colour 5
    gif.replace(13 + 768 + 1, 4, Le16(5) + Le16(5));  // the frame at (5, 5)
    const Pixels shown = LoadedFromMemory(gif);
    ASSERT_EQ(shown.width, 20);
    ASSERT_EQ(shown.height, 20);
    EXPECT_EQ(shown.At(7, 8), GifPatternColor(2, 3));
    EXPECT_EQ(shown.At(14, 14), GifPatternColor(9, 9));
    for (auto [x, y] : {std::pair{0, 0}, {4, 10}, {15, 15}, {19, 0}}) EXPECT_EQ(shown.At(x, y), GifPatternColor(5, 0));
}

// Seeks that would overflow the stream's position fail and leave it where it was.
TEST(StdPicture, ByteStreamSeeksBeyondTheirRangeFail) {
    IStream* stream = rt::CreateByteStream("abcd", 4);
    ASSERT_TRUE(stream);
    LARGE_INTEGER move;
    move.QuadPart = 2;
    ULARGE_INTEGER at = {};
    EXPECT_EQ(stream->Seek(move, STREAM_SEEK_SET, &at), S_OK);
    move.QuadPart = std::numeric_limits<LONGLONG>::max();
    EXPECT_EQ(stream->Seek(move, STREAM_SEEK_CUR, nullptr), STG_E_INVALIDFUNCTION);
    move.QuadPart = 0;
    EXPECT_EQ(stream->Seek(move, STREAM_SEEK_CUR, &at), S_OK);
    EXPECT_EQ(at.QuadPart, 2u);
    IStream* copy = nullptr;
    EXPECT_EQ(stream->Clone(&copy), S_OK);
    char read[2] = {};
    EXPECT_EQ(copy->Read(read, 2, nullptr), S_OK);
    EXPECT_EQ(std::string(read, 2), "cd");
    copy->Release();
    stream->Release();
}

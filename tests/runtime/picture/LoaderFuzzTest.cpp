#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/picture/StdPicture.h"
#include "tests/runtime/picture/LoaderProbe/ProbeProgress.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeaderBytes.h"
#include "tests/support/PictureFiles.h"

using namespace testing_support;

namespace {

constexpr std::uint32_t kPictureFuzzSeed = 3102;
constexpr int kPictureMutants = 5000;
constexpr int kHeaderMutants = 2000;
constexpr size_t kMutatedRecordBytes = 160;  // a record's fixed fields and an embedded bitmap header
constexpr DWORD kStallMs = 10000;  // a probe that moves on no further input for this long hangs

struct Input {
    std::string bytes;
    std::string origin;  // the seed it was made from, for the failure message
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A picture of every format the loader takes: written here, or by the build (Pillow) where
// the test has no encoder for the form.
std::vector<Input> PictureSeeds(const TempFolder& folder) {
    std::vector<Input> seeds;
    auto add = [&](const wchar_t* name, bool written) {
        EXPECT_TRUE(written) << Narrow(name);
        seeds.push_back({FileBytes(folder.File(name)), Narrow(name)});
    };
    add(L"pattern.bmp", WritePatternBmp(folder.File(L"pattern.bmp"), 23, 17));
    add(L"pattern.jpg", WritePatternEncoded(folder.File(L"pattern.jpg"), 31, 19, L"image/jpeg"));
    add(L"pattern.png", WritePatternEncoded(folder.File(L"pattern.png"), 21, 13, L"image/png"));
    add(L"pattern.tif", WritePatternEncoded(folder.File(L"pattern.tif"), 21, 13, L"image/tiff"));
    add(L"icon.ico", WriteIconFile(folder.File(L"icon.ico"), 32, 32, false));
    add(L"cursor.cur", WriteIconFile(folder.File(L"cursor.cur"), 32, 32, true));
    add(L"frame.wmf", WritePlaceableWmf(folder.File(L"frame.wmf"), 1440, 720));
    add(L"frame.emf", WriteEmf(folder.File(L"frame.emf"), 2000, 1000));
    seeds.push_back({PatternGif(19, 11, GifTable::Global), "global-table.gif"});
    seeds.push_back({PatternGif(19, 11, GifTable::Local), "local-table.gif"});
    seeds.push_back({PatternGif(19, 11, GifTable::None), "no-table.gif"});
    for (const wchar_t* name : {L"baseline.jpg", L"progressive.jpg", L"grey-progressive.jpg", L"palette.png",
                                L"alpha.png", L"animated.gif", L"indexed.bmp", L"mono.bmp", L"sizes.ico"}) {
        seeds.push_back({FileBytes(BinDir() + L"\\loader-seeds\\" + name), Narrow(name)});
        EXPECT_FALSE(seeds.back().bytes.empty()) << Narrow(name) << " was not made by the build";
    }
    return seeds;
}

bool WriteBatch(const std::wstring& path, const std::vector<Input>& inputs);

// For a longer run: LUMESCA_LOADER_FUZZ_SCALE multiplies the mutants, and
// LUMESCA_LOADER_FUZZ_KEEP names a folder that receives each input that ended a probe.
void Keep(const std::vector<Input>& inputs, int first, int at) {
    wchar_t folder[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LUMESCA_LOADER_FUZZ_KEEP", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const std::wstring name = std::wstring(folder) + L"\\fault-" + std::to_wstring(at);
    WriteBytes(name + L".bin", inputs[at].bytes);
    // What the probe loaded before, for a fault that an earlier input prepared.
    WriteBatch(name + L"-run.batch", std::vector<Input>(inputs.begin() + first, inputs.begin() + at + 1));
}

// LUMESCA_METAFILE_FUZZ_OUT names a folder that receives every metafile mutant, named by
// its format or as a JPEG every other time, for a run through the program itself.
void WriteMutants(const std::vector<Input>& inputs) {
    wchar_t folder[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LUMESCA_METAFILE_FUZZ_OUT", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const bool enhanced = inputs[i].bytes.compare(40, 4, " EMF") == 0;
        const wchar_t* type = i % 2 ? L".jpg" : enhanced ? L".emf" : L".wmf";
        WriteBytes(std::wstring(folder) + L"\\mutant-" + std::to_wstring(i) + type, inputs[i].bytes);
    }
}

int Scaled(int count) {
    const char* scale = std::getenv("LUMESCA_LOADER_FUZZ_SCALE");
    return scale && std::atoi(scale) > 1 ? count * std::atoi(scale) : count;
}

std::vector<Input> FuzzInputs(const std::vector<Input>& pictures) {
    std::vector<Input> inputs = pictures;
    std::vector<std::string> seeds;
    for (const Input& p : pictures) seeds.push_back(p.bytes);
    std::mt19937 random(kPictureFuzzSeed);
    for (int i = 0, n = Scaled(kPictureMutants); i < n; ++i) {
        const size_t from = random() % seeds.size();
        std::string bytes = seeds[from];
        Mutate(bytes, random);
        inputs.push_back({bytes, "mutant of " + pictures[from].origin});
    }
    const std::vector<std::string> headers = HeaderFuzzSeeds();
    for (const std::string& h : headers) inputs.push_back({h, "header seed"});
    std::mt19937 headerRandom(kHeaderFuzzSeed);
    for (int i = 0, n = std::min(Scaled(kHeaderMutants), kHeaderFuzzRounds); i < n; ++i)
        inputs.push_back({NextMutant(headers, headerRandom), "header corpus"});
    return inputs;
}

bool WriteBatch(const std::wstring& path, const std::vector<Input>& inputs) {
    std::string batch;
    for (const Input& input : inputs) {
        const auto length = static_cast<std::uint32_t>(input.bytes.size());
        batch.append(reinterpret_cast<const char*>(&length), sizeof(length));
        batch += input.bytes;
    }
    return WriteBytes(path, batch);
}

ProbeProgress ReadProgress(const std::wstring& path) {
    ProbeProgress progress;
    const std::string bytes = FileBytes(path);
    if (bytes.size() == sizeof(progress)) memcpy(&progress, bytes.data(), sizeof(progress));
    return progress;
}

// Waits for the probe to end while it moves on through its inputs; STILL_ACTIVE when it has
// stayed on one input for kStallMs.
DWORD WaitWhileMoving(const ChildProcess& probe, const std::wstring& progressFile) {
    constexpr DWORD kSlice = 500;
    int last = -1;
    for (DWORD still = 0; still < kStallMs; still += kSlice) {
        const DWORD code = probe.WaitForExit(kSlice);
        if (code != STILL_ACTIVE) return code;
        const int current = ReadProgress(progressFile).current;
        if (current != last) still = 0;
        last = current;
    }
    return STILL_ACTIVE;
}

struct FuzzRun {
    int pictures = 0;
    int refused = 0;
    int probes = 0;
    std::vector<std::string> faults;
};

// Runs the batch through probes until every input was tried: a probe that faults or hangs is
// noted with its input, and the next one starts after it.
FuzzRun RunBatch(const TempFolder& folder, const std::vector<Input>& inputs) {
    FuzzRun run;
    const std::wstring batch = folder.File(L"batch.bin");
    const std::wstring progressFile = folder.File(L"progress.bin");
    EXPECT_TRUE(WriteBatch(batch, inputs));
    for (int first = 0; first < static_cast<int>(inputs.size());) {
        DeleteFileW(progressFile.c_str());
        ChildProcess probe(L"\"" + BinDir() + L"\\loader_probe.exe\" \"" + batch + L"\" \"" + progressFile + L"\" " +
                           std::to_wstring(first));
        if (!probe.Started()) {
            ADD_FAILURE() << "loader_probe did not start";
            break;
        }
        ++run.probes;
        const DWORD code = WaitWhileMoving(probe, progressFile);
        probe.Kill();
        const ProbeProgress progress = ReadProgress(progressFile);
        run.pictures += progress.pictures;
        run.refused += progress.refused;
        if (progress.finished) break;
        const int at = std::max(progress.current, first);
        std::ostringstream fault;
        fault << "input " << at << " (" << (at < static_cast<int>(inputs.size()) ? inputs[at].origin : "?")
              << "): " << (code == STILL_ACTIVE ? "no answer" : "fault") << " code 0x" << std::hex
              << progress.faultCode << " at 0x" << progress.faultAddress << " " << progress.faultModule << ", exit 0x"
              << code;
        run.faults.push_back(fault.str());
        std::printf("%s\n", fault.str().c_str());
        std::fflush(stdout);
        if (at < static_cast<int>(inputs.size())) Keep(inputs, first, at);
        first = at + 1;
    }
    return run;
}

// Everything the metafile recorders write: lines and shapes in 16- and 32-bit points, text
// with spacing, bitmaps through every transfer, pattern brushes, palettes, regions, comments.
void DrawEveryRecord(HDC dc) {
    SaveDC(dc);
    const XFORM shift = {1, 0, 0, 1, 2, 3};
    SetMapMode(dc, MM_ANISOTROPIC), SetWindowExtEx(dc, 200, 150, nullptr), SetViewportExtEx(dc, 200, 150, nullptr);
    ScaleViewportExtEx(dc, 2, 1, 2, 1, nullptr), ScaleWindowExtEx(dc, 2, 1, 2, 1, nullptr);
    SetGraphicsMode(dc, GM_ADVANCED), ModifyWorldTransform(dc, &shift, MWT_LEFTMULTIPLY), SetWorldTransform(dc, &shift);
    const POINT shape[] = {{10, 10}, {90, 20}, {40, 80}, {60, 5}, {5, 60}, {30, 30}};
    const POINT wide[] = {{10, 10}, {70000, 20}, {40, 80}, {60, 5}};
    const INT counts[] = {3, 3};
    const DWORD lineCounts[] = {3, 3};
    const BYTE kinds[] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO};
    Polygon(dc, shape, 3), Polyline(dc, shape, 4), PolyBezier(dc, shape, 4), PolyPolygon(dc, shape, counts, 2);
    PolyPolyline(dc, shape, lineCounts, 2), PolylineTo(dc, shape, 3), PolyBezierTo(dc, shape + 1, 3);
    Polygon(dc, wide, 4), Polyline(dc, wide, 3), PolyDraw(dc, shape, kinds, 5);
    HPEN pen = CreatePen(PS_DASH, 1, RGB(200, 0, 0));
    const LOGBRUSH penBrush = {BS_SOLID, RGB(0, 90, 0), 0};
    HPEN wider = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 3, &penBrush, 0, nullptr);
    HFONT font = CreateFontW(14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ oldPen = SelectObject(dc, pen), oldFont = SelectObject(dc, font);
    Ellipse(dc, 5, 5, 50, 40), RoundRect(dc, 1, 1, 30, 30, 5, 5), Pie(dc, 0, 0, 40, 40, 0, 20, 20, 0);
    SelectObject(dc, wider), Arc(dc, 0, 0, 40, 40, 0, 20, 20, 0), Chord(dc, 0, 0, 40, 40, 0, 20, 20, 0);
    const RECT box = {2, 2, 80, 20};
    const INT spacing[] = {7, 7, 7, 7};
    SetTextColor(dc, RGB(0, 0, 255)), SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 3, 3, L"Text", 4), ExtTextOutW(dc, 3, 30, ETO_OPAQUE | ETO_CLIPPED, &box, L"Wide", 4, spacing);
    ExtTextOutA(dc, 3, 50, 0, nullptr, "Abcd", 4, spacing);
    POLYTEXTW texts[2] = {{4, 4, 2, L"ab", 0, {0, 0, 0, 0}, nullptr}, {9, 40, 3, L"xyz", 0, {0, 0, 0, 0}, nullptr}};
    PolyTextOutW(dc, texts, 2);
    SelectObject(dc, oldPen), SelectObject(dc, oldFont);
    DeleteObject(pen), DeleteObject(wider), DeleteObject(font);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[4];
    } info = {{sizeof(BITMAPINFOHEADER), 4, 3, 1, 8, BI_RGB, 12, 0, 0, 4, 0},
              {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {9, 9, 9, 0}}};
    const BYTE indexes[12] = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2};
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(&info);
    StretchDIBits(dc, 0, 0, 20, 15, 0, 0, 4, 3, indexes, bmi, DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dc, 30, 0, 4, 3, 0, 0, 0, 3, indexes, bmi, DIB_RGB_COLORS);
    std::string packed(reinterpret_cast<const char*>(&info), sizeof(info));
    packed.append(reinterpret_cast<const char*>(indexes), sizeof(indexes));
    HBRUSH pattern = CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
    const LOGBRUSH penPattern = {BS_DIBPATTERNPT, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(packed.data())};
    HPEN patterned = ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 4, &penPattern, 0, nullptr);
    HGDIOBJ plainPen = SelectObject(dc, patterned);
    LineTo(dc, 70, 70), SelectObject(dc, plainPen), DeleteObject(patterned);
    const WORD monoBits[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, monoBits);
    HBRUSH monoBrush = CreatePatternBrush(mono);
    HGDIOBJ oldBrush = SelectObject(dc, pattern);
    Rectangle(dc, 0, 0, 40, 40), SelectObject(dc, monoBrush), Rectangle(dc, 40, 0, 80, 40);
    HRGN region = CreateRectRgn(5, 5, 30, 30);
    FillRgn(dc, region, pattern), FrameRgn(dc, region, monoBrush, 2, 2), InvertRgn(dc, region), PaintRgn(dc, region);
    SelectObject(dc, oldBrush), DeleteObject(pattern), DeleteObject(monoBrush), DeleteObject(mono);

    HDC source = CreateCompatibleDC(nullptr);
    HBITMAP sourceBits = CreatePatternBitmap(6, 5);
    HGDIOBJ oldBits = SelectObject(source, sourceBits);
    BitBlt(dc, 50, 50, 6, 5, source, 0, 0, SRCCOPY), StretchBlt(dc, 0, 50, 20, 20, source, 0, 0, 6, 5, SRCCOPY);
    BitBlt(dc, 0, 0, 10, 10, nullptr, 0, 0, PATCOPY);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 128, 0};
    AlphaBlend(dc, 10, 60, 12, 10, source, 0, 0, 6, 5, blend);
    TransparentBlt(dc, 30, 60, 12, 10, source, 0, 0, 6, 5, RGB(0, 0, 0));
    SelectObject(source, oldBits), DeleteObject(sourceBits), DeleteDC(source);

    struct {
        WORD version, entries;
        PALETTEENTRY colours[4];
    } palette = {0x300, 4, {{1, 2, 3, 0}, {50, 60, 70, 0}, {200, 100, 0, 0}, {9, 9, 9, 0}}};
    HPALETTE hpal = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
    HPALETTE oldPal = SelectPalette(dc, hpal, FALSE);
    RealizePalette(dc), SetPaletteEntries(hpal, 1, 2, palette.colours), ResizePalette(hpal, 8);
    SelectPalette(dc, oldPal, FALSE), DeleteObject(hpal);

    TRIVERTEX corners[2] = {{0, 0, 0xFF00, 0, 0, 0}, {40, 40, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT span = {0, 1};
    GradientFill(dc, corners, 2, &span, 1, GRADIENT_FILL_RECT_H);
    GdiComment(dc, 8, reinterpret_cast<const BYTE*>("privates"));
    Escape(dc, MFCOMMENT, 8, "comment", nullptr);
    SelectClipRgn(dc, region), IntersectClipRect(dc, 0, 0, 60, 60), SetPixel(dc, 3, 3, RGB(1, 2, 3));
    DeleteObject(region);
    RestoreDC(dc, -1);
}

std::uint32_t Read32(const std::uint8_t* b) {
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// Records the recorder here does not write, put in after the palette it made: the palette
// resized and given entries, text of single-byte characters and several texts at once.
void AddUnrecordedRecords(std::string& emf) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(emf.data());
    size_t at = 0;
    while (at + 8 <= emf.size() && Read32(b + at) != EMR_CREATEPALETTE) at += Read32(b + at + 4);
    ASSERT_LT(at + 8, emf.size()) << "no palette was recorded";
    const std::uint32_t palette = Read32(b + at + 8);
    const std::string noBounds = Le32(0) + Le32(0) + Le32(~0u) + Le32(~0u) + Le32(GM_COMPATIBLE) + Le32(0) + Le32(0);
    const auto text = [](int x, int chars, int string, int spacing) {
        return Le32(x) + Le32(x) + Le32(chars) + Le32(string) + Le32(0) + std::string(16, '\0') + Le32(spacing);
    };
    std::string added = Le32(EMR_RESIZEPALETTE) + Le32(16) + Le32(palette) + Le32(8);
    added += Le32(EMR_SETPALETTEENTRIES) + Le32(28) + Le32(palette) + Le32(1) + Le32(2);
    added += Le32(0x102030) + Le32(0x405060);
    added += Le32(EMR_EXTTEXTOUTA) + Le32(96) + noBounds + text(3, 4, 76, 80) + "Abcd" + std::string(16, '\7');
    added += Le32(EMR_POLYTEXTOUTW) + Le32(152) + noBounds + Le32(2) + text(4, 2, 120, 132) + text(9, 3, 124, 140);
    added += std::string(reinterpret_cast<const char*>(L"abxyz"), 10) + std::string(2, '\0') + std::string(20, '\7');
    emf.insert(at + Read32(b + at + 4), added);
    auto* header = reinterpret_cast<std::uint8_t*>(emf.data());
    const std::string totals = Le32(static_cast<std::uint32_t>(emf.size())) + Le32(Read32(header + 52) + 4);
    emf.replace(48, 8, totals);
}

std::string RecordedEmf() {
    const RECT frame = {0, 0, 3000, 2000};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"fuzz\0seed\0");
    DrawEveryRecord(dc);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    std::string bytes(GetEnhMetaFileBits(emf, 0, nullptr), '\0');
    GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
    DeleteEnhMetaFile(emf);
    // The recorder leaves the unused tail of a font record as it found it: cleared, every run
    // mutates the same bytes.
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    constexpr size_t kFontUsed = offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW);
    for (size_t at = 0; at + 8 <= bytes.size() && Read32(b + at + 4) >= 8; at += Read32(b + at + 4)) {
        if (Read32(b + at) == EMR_EXTCREATEFONTINDIRECTW && Read32(b + at + 4) > kFontUsed)
            std::fill(bytes.begin() + at + kFontUsed, bytes.begin() + at + Read32(b + at + 4), '\0');
    }
    AddUnrecordedRecords(bytes);
    return bytes;
}

// The picture loader takes Windows metafiles with the placeable header that gives their size.
std::string RecordedPlaceableWmf() {
    HDC dc = CreateMetaFileW(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr), SetWindowExtEx(dc, 100, 80, nullptr);
    DrawEveryRecord(dc);
    HMETAFILE wmf = CloseMetaFile(dc);
    std::string body(GetMetaFileBitsEx(wmf, 0, nullptr), '\0');
    GetMetaFileBitsEx(wmf, static_cast<UINT>(body.size()), body.data());
    DeleteMetaFile(wmf);
    WORD header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 80, 96, 0, 0, 0};
    for (int i = 0; i < 10; ++i) header[10] ^= header[i];
    return std::string(reinterpret_cast<const char*>(header), sizeof(header)) + body;
}

// Where each record starts and how long it is.
std::vector<std::pair<size_t, size_t>> Records(const std::string& bytes, bool enhanced) {
    std::vector<std::pair<size_t, size_t>> records;
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    size_t at = enhanced ? 0 : 22 + 18;
    while (at + 8 <= bytes.size()) {
        const size_t length = enhanced ? Read32(b + at + 4) : 2 * Read32(b + at);
        if (length < 6 || at + length > bytes.size()) break;
        records.push_back({at, length});
        at += length;
    }
    return records;
}

void Put(std::string& bytes, size_t at, std::uint32_t value, size_t width = 4) {
    for (size_t i = 0; i < width && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Every field of every record (its counts, offsets, object numbers, the header of a bitmap it
// holds) in turn set to values the players would trust to their cost: a huge count, a
// negative height, an offset past the record, a colour table past its header.
void AddRecordMutants(const Input& seed, std::mt19937& random, std::vector<Input>& inputs) {
    static const std::uint32_t kHostile[] = {0, 1, 3, 0xFF, 0xFFFF, 0x8000, 0x10028, 0x2000, 0xFFFFE000, 0x1000,
                                             0x7FFFFFFF, 0x80000000, 0x80808080, 0xFFFFFFFF};
    const bool enhanced = seed.bytes.compare(40, 4, " EMF") == 0;
    const size_t width = enhanced ? 4 : 2;
    for (const auto& [at, length] : Records(seed.bytes, enhanced)) {
        for (size_t field = at; field < at + std::min<size_t>(length, kMutatedRecordBytes); field += width) {
            const auto* b = reinterpret_cast<const std::uint8_t*>(seed.bytes.data());
            const std::uint32_t old = width == 4 ? Read32(b + field) : b[field] | b[field + 1] << 8;
            const std::uint32_t nearby[] = {old + 1, old - 1, old * 2, old + 0x100, static_cast<std::uint32_t>(length)};
            const std::uint32_t first = kHostile[random() % std::size(kHostile)];
            const std::uint32_t second = kHostile[random() % std::size(kHostile)];
            for (const std::uint32_t value : {first, second, nearby[random() % std::size(nearby)]}) {
                std::string bytes = seed.bytes;
                Put(bytes, field, value, width);
                inputs.push_back({bytes, "record mutant of " + seed.origin + " at " + std::to_string(field)});
            }
        }
    }
}

// Where the first record of a type starts.
size_t RecordOf(const std::string& bytes, std::uint32_t type) {
    const bool enhanced = bytes.compare(40, 4, " EMF") == 0;
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (const auto& [at, length] : Records(bytes, enhanced))
        if ((enhanced ? Read32(b + at) : b[at + 4] | b[at + 5] << 8) == type) return at;
    ADD_FAILURE() << "no record of type " << type;
    return 0;
}

}  // namespace

// Mutated and cut-off files of every format the picture player opens, and the header reader's
// fuzz corpus, each loaded and drawn by the program's loader in a probe process: no input may
// end the process, and the run must see both pictures and refusals.
TEST(PictureLoaderFuzz, NoMutatedPictureEndsTheLoadingProcess) {
    TempFolder folder;
    const std::vector<Input> seeds = PictureSeeds(folder);
    for (const Input& seed : seeds)
        EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(seed.bytes.data(), seed.bytes.size()); }), 0) << seed.origin;
    const std::vector<Input> inputs = FuzzInputs(seeds);
    const FuzzRun run = RunBatch(folder, inputs);
    std::ostringstream faults;
    for (const std::string& f : run.faults) faults << "\n  " << f;
    EXPECT_TRUE(run.faults.empty()) << run.faults.size() << " inputs ended the probe:" << faults.str();
    EXPECT_EQ(run.pictures + run.refused + static_cast<int>(run.faults.size()), static_cast<int>(inputs.size()));
    EXPECT_GT(run.pictures, kPictureMutants / 10) << "many mutants still decode";
    EXPECT_GT(run.refused, kPictureMutants / 10) << "and many are refused";
    std::printf("loader fuzz: %zu inputs, %d pictures, %d refused, %zu faults, %d probes\n", inputs.size(),
                run.pictures, run.refused, run.faults.size(), run.probes);
}

// Metafiles recorded with every kind of record, then one field of one record changed at a
// time and each mutant drawn as the thumbnails draw it: the record check refuses what the
// players would read outside the record or their tables, and draws the rest.
TEST(PictureLoaderFuzz, NoRecordMutatedMetafileEndsTheDrawingProcess) {
    TempFolder folder;
    const std::vector<Input> seeds = {{RecordedEmf(), "recorded.emf"}, {RecordedPlaceableWmf(), "recorded.wmf"}};
    for (const Input& seed : seeds)
        EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(seed.bytes.data(), seed.bytes.size()); }), 0) << seed.origin;
    std::vector<Input> inputs;
    std::mt19937 random(kPictureFuzzSeed);
    for (int round = 0; round < Scaled(1); ++round)
        for (const Input& seed : seeds) AddRecordMutants(seed, random, inputs);
    WriteMutants(inputs);
    const FuzzRun run = RunBatch(folder, inputs);
    std::ostringstream faults;
    for (const std::string& f : run.faults) faults << "\n  " << f;
    EXPECT_TRUE(run.faults.empty()) << run.faults.size() << " metafiles ended the probe:" << faults.str();
    EXPECT_GT(run.pictures, static_cast<int>(inputs.size() / 4)) << "many mutants still draw";
    EXPECT_GT(run.refused, static_cast<int>(inputs.size() / 20)) << "and the hostile ones are refused";
    std::printf("metafile fuzz: %zu mutants, %d drawn, %d refused, %zu faults\n", inputs.size(), run.pictures,
                run.refused, run.faults.size());
}

// The records that ended the program during thumbnails, each given a count, header or object
// number that claims more than it holds: the file is refused, where the recorded one draws.
TEST(PictureLoaderFuzz, MetafileRecordsClaimingMoreThanTheyHoldAreRefused) {
    const std::string emf = RecordedEmf(), wmf = RecordedPlaceableWmf();
    std::vector<std::pair<std::string, std::string>> hostile;
    auto emfField = [&](std::uint32_t type, size_t at, std::uint32_t value, const char* what) {
        std::string bytes = emf;
        Put(bytes, RecordOf(emf, type) + at, value);
        hostile.push_back({bytes, what});
    };
    emfField(EMR_POLYGON16, offsetof(EMRPOLYGON16, cpts), 0x80808080, "POLYGON16 points");
    emfField(EMR_POLYPOLYGON16, offsetof(EMRPOLYPOLYGON16, aPolyCounts), 0x10000, "POLYPOLYGON16 counts");
    emfField(EMR_POLYLINE, offsetof(EMRPOLYLINE, cptl), 0x1000, "POLYLINE points");
    emfField(EMR_EXTTEXTOUTW, offsetof(EMREXTTEXTOUTW, emrtext.nChars), 0x10000, "EXTTEXTOUTW characters");
    constexpr size_t kSecondText = offsetof(EMRPOLYTEXTOUTW, aemrtext) + sizeof(EMRTEXT);
    emfField(EMR_POLYTEXTOUTW, kSecondText + offsetof(EMRTEXT, offString), 0x10000, "POLYTEXTOUTW string");
    emfField(EMR_ALPHABLEND, offsetof(EMRALPHABLEND, offBitsSrc), 0x8000, "ALPHABLEND bits");
    emfField(EMR_RESIZEPALETTE, offsetof(EMRRESIZEPALETTE, ihPal), 0x7FFF, "RESIZEPALETTE of no palette");
    emfField(EMR_SETPALETTEENTRIES, offsetof(EMRSETPALETTEENTRIES, ihPal), 0x7FFF, "SETPALETTEENTRIES of no palette");
    for (const std::uint32_t type : {EMR_STRETCHDIBITS, EMR_SETDIBITSTODEVICE, EMR_BITBLT}) {
        std::string bytes = emf;
        const size_t at = RecordOf(emf, type);
        const size_t headerOffsetAt =
            at + (type == EMR_BITBLT ? offsetof(EMRBITBLT, offBmiSrc) : offsetof(EMRSTRETCHDIBITS, offBmiSrc));
        const size_t header = at + Read32(reinterpret_cast<const std::uint8_t*>(emf.data()) + headerOffsetAt);
        Put(bytes, header + offsetof(BITMAPINFOHEADER, biHeight), 0xFFFFE000);
        hostile.push_back({bytes, "a bitmap claiming 8192 rows top-down"});
    }
    auto wmfField = [&](std::uint32_t function, size_t at, std::uint32_t value, size_t width, const char* what) {
        std::string bytes = wmf;
        Put(bytes, RecordOf(wmf, function) + at, value, width);
        hostile.push_back({bytes, what});
    };
    constexpr size_t kParams = 6;
    wmfField(META_POLYGON, kParams, 0xFFFF, 2, "POLYGON points");
    wmfField(META_POLYPOLYGON, kParams + 2, 0xFFFF, 2, "POLYPOLYGON counts");
    wmfField(META_DIBSTRETCHBLT, kParams + 20, 0x10028, 4, "DIBSTRETCHBLT header size");
    wmfField(META_STRETCHDIB, kParams + 22 + offsetof(BITMAPINFOHEADER, biWidth), 8192, 4, "STRETCHDIB width");
    wmfField(META_SETDIBTODEV, kParams + 18 + offsetof(BITMAPINFOHEADER, biHeight), 8192, 4, "SETDIBTODEV height");
    wmfField(META_EXTTEXTOUT, kParams + 4, 0x7FFF, 2, "EXTTEXTOUT characters");
    wmfField(META_SELECTOBJECT, kParams, 0x7FFF, 2, "SELECTOBJECT of no object");
    for (const std::string* recorded : {&emf, &wmf})
        EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(recorded->data(), recorded->size()); }), 0);
    for (const auto& [bytes, what] : hostile)
        EXPECT_EQ(ErrorOf([&] { rt::LoadPictureFromMemory(bytes.data(), bytes.size()); }), rt::err::kInvalidPicture)
            << what;
}

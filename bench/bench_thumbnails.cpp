// The picture player's thumbnail run against a bare decode-and-scale of the same files.
//   bench_thumbnails.exe [count]      (default 200 JPEGs of 1600 x 1200)
// Prints both times, the GDI and USER handle counts before the run and after the thumbnails
// are reset, and last the ratio line.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/PictureScaling.h"
#include "picture/form11.h"
#include "runtime/DoEvents.h"
#include "runtime/Forms.h"
#include "runtime/StdPicture.h"

// The bench links no test library: the project's pattern writer and GDI count come in whole.
#include "tests/support/GdiCount.cpp"
#include "tests/support/PictureFiles.cpp"
#include "tests/support/Pixels.cpp"

namespace {

constexpr int kDefaultFiles = 200;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr int kThumbnailSize = 32;
constexpr int kRounds = 3;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

std::wstring FileName(int i) {
    wchar_t name[32];
    swprintf(name, 32, L"photo%04d.jpg", i);
    return name;
}

// count copies of one pattern JPEG in a new folder under the temp folder.
std::wstring MakeFolder(int count) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lumesca-bench-thumbnails-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring first = folder + L"\\" + FileName(0);
    if (!testing_support::WritePatternEncoded(first, kWidth, kHeight, L"image/jpeg")) return {};
    for (int i = 1; i < count; ++i) CopyFileW(first.c_str(), (folder + L"\\" + FileName(i)).c_str(), FALSE);
    return folder;
}

void RemoveFolder(const std::wstring& folder, int count) {
    for (int i = 0; i < count; ++i) DeleteFileW((folder + L"\\" + FileName(i)).c_str());
    RemoveDirectoryW(folder.c_str());
}

double DecodeAndScale(const std::wstring& folder, int count) {
    const auto start = Clock::now();
    size_t checksum = 0;
    for (int i = 0; i < count; ++i) {
        const rt::PictureRef picture = rt::LoadPicture(folder + L"\\" + FileName(i));
        checksum += ctl::FittedPixels(*picture, kThumbnailSize, kThumbnailSize).size();
    }
    const double seconds = Seconds(start);
    if (checksum != static_cast<size_t>(count) * kThumbnailSize * kThumbnailSize) std::printf("scaling went wrong\n");
    return seconds;
}

double ThumbnailRun(form11& player) {
    const auto start = Clock::now();
    player.cmdAuto_Click();
    const double seconds = Seconds(start);
    if (player.mCount != player.File1.ListCount()) std::printf("only %d thumbnails\n", player.mCount);
    player.ResetThumbnails();
    rt::DoEvents();
    return seconds;
}

unsigned long UserObjects() { return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? std::max(2, _wtoi(argv[1])) : kDefaultFiles;
    const std::wstring folder = MakeFolder(count);
    if (folder.empty()) {
        std::printf("could not write the test JPEG\n");
        return 1;
    }
    form11& player = rt::Forms::Get<form11>();
    player.Show();
    player.Dir1.Path(folder);
    rt::DoEvents();
    DecodeAndScale(folder, 1);  // the decoders load once

    // The first run makes what stays for the window's life (the image list's own bitmaps, the
    // list view's); after that every run must give back all it takes.
    const unsigned long gdiStart = testing_support::GdiObjectCount();
    double bare = DecodeAndScale(folder, count);
    double run = ThumbnailRun(player);
    const unsigned long gdiBefore = testing_support::GdiObjectCount();
    const unsigned long userBefore = UserObjects();
    for (int round = 1; round < kRounds; ++round) {
        bare = std::min(bare, DecodeAndScale(folder, count));
        run = std::min(run, ThumbnailRun(player));
    }
    const unsigned long gdiAfter = testing_support::GdiObjectCount();
    const unsigned long userAfter = UserObjects();

    std::printf("files: %d JPEG %d x %d, best of %d rounds\n", count, kWidth, kHeight, kRounds);
    std::printf("decode-and-scale: %.3f s (%.2f ms per file)\n", bare, 1000 * bare / count);
    std::printf("cmdAuto_Click: %.3f s (%.2f ms per file)\n", run, 1000 * run / count);
    std::printf("GDI objects: %lu before any thumbnails, %lu after the first reset, %lu after the last\n", gdiStart,
                gdiBefore, gdiAfter);
    std::printf("USER objects: %lu after the first reset, %lu after the last\n", userBefore, userAfter);
    player.Unload();
    RemoveFolder(folder, count);
    std::printf("thumbnails/decode: %.2f\n", run / bare);
    return 0;
}

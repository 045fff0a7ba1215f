// The picture player's thumbnail run against a bare decode-and-scale of the same files, once
// over a folder of many small pictures and once over photos, then one run over a folder of
// large photos for the memory it takes.
//   bench_thumbnails.exe [count] [photos] [small]   (default 200 JPEGs of 1600 x 1200, then 100
//                                                    of 4000 x 3000, and 3000 of 160 x 120)
// Prints the times per file of the small pictures and their ratio to the bare work, both times
// of the photos, the GDI and USER handle counts before the run and after the thumbnails are
// reset, the peak private bytes of the runs over the small pictures and the large photos
// (sampled every 2 ms by a second thread, since the system keeps no peak of them that can be
// reset), and last the ratio line of the photos.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "controls/PictureScaling.h"
#include "picture/form11.h"
#include "runtime/forms/DoEvents.h"
#include "runtime/forms/Forms.h"
#include "runtime/picture/StdPicture.h"

// The bench links no test library: the project's pattern writer and GDI count come in whole.
#include "tests/support/GdiCount.cpp"
#include "tests/support/PictureFiles.cpp"
#include "tests/support/Pixels.cpp"

namespace {

constexpr int kDefaultFiles = 200;
constexpr int kDefaultSmall = 3000;
constexpr int kSmallWidth = 160;
constexpr int kSmallHeight = 120;
constexpr int kSmallRounds = 2;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr int kDefaultPhotos = 100;
constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;
constexpr auto kSampleEvery = std::chrono::milliseconds(2);
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
std::wstring MakeFolder(const wchar_t* name, int count, int width, int height) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring first = folder + L"\\" + FileName(0);
    if (!testing_support::WritePatternEncoded(first, width, height, L"image/jpeg")) return {};
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

// The private bytes the process has committed: PagefileUsage, which Windows counts as the same
// figure as PrivateUsage and Wine fills (from the process's anonymous resident memory) where
// it leaves PrivateUsage 0.
size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return std::max<size_t>(counters.PrivateUsage, counters.PagefileUsage);
}

// The largest PrivateUsage seen while body runs, sampled by a thread of its own.
size_t PeakPrivateBytesDuring(const std::function<void()>& body) {
    std::atomic<bool> done{false};
    std::atomic<size_t> peak{PrivateBytes()};
    std::thread sampler([&] {
        while (!done) {
            const size_t now = PrivateBytes();
            if (now > peak) peak = now;
            std::this_thread::sleep_for(kSampleEvery);
        }
    });
    body();
    done = true;
    sampler.join();
    return std::max(peak.load(), PrivateBytes());
}

constexpr size_t kMegabyte = 1024 * 1024;

}  // namespace

// One thumbnail run over the large photos of folder; prints the peak memory line.
void MemoryRun(form11& player, const std::wstring& folder, int photos) {
    player.Dir1.Path(folder);
    rt::DoEvents();
    const size_t before = PrivateBytes();
    const auto start = Clock::now();
    const size_t peak = PeakPrivateBytesDuring([&] { player.cmdAuto_Click(); });
    const double seconds = Seconds(start);
    const size_t after = PrivateBytes();
    std::printf("photos: %d JPEG %d x %d, %d thumbnails in %.1f s; private bytes %zu MB before the run, %zu MB after\n",
                photos, kPhotoWidth, kPhotoHeight, player.mCount, seconds, before / kMegabyte, after / kMegabyte);
    player.ResetThumbnails();
    rt::DoEvents();
    std::printf("peak memory: %zu MB\n", peak / kMegabyte);
}

// One thumbnail run over many small pictures against the bare work on them; prints the time
// per file, its ratio and the run's peak memory.
void SmallFilesRun(form11& player, int count) {
    const std::wstring folder = MakeFolder(L"lumesca-bench-small-", count, kSmallWidth, kSmallHeight);
    if (folder.empty()) {
        std::printf("could not write the small JPEG\n");
        return;
    }
    player.Dir1.Path(folder);
    rt::DoEvents();
    double bare = 0;
    double run = 0;
    const size_t peak = PeakPrivateBytesDuring([&] {
        for (int round = 0; round < kSmallRounds; ++round) {
            const double roundBare = DecodeAndScale(folder, count);
            const double roundRun = ThumbnailRun(player);
            bare = round == 0 ? roundBare : std::min(bare, roundBare);
            run = round == 0 ? roundRun : std::min(run, roundRun);
        }
    });
    RemoveFolder(folder, count);
    std::printf("small files: %d JPEG %d x %d, best of %d rounds, decode-and-scale %.2f ms per file\n", count,
                kSmallWidth, kSmallHeight, kSmallRounds, 1000 * bare / count);
    std::printf("small files: %.2f ms per file\n", 1000 * run / count);
    std::printf("small/decode: %.2f\n", run / bare);
    std::printf("peak memory (small files): %zu MB\n", peak / kMegabyte);
}

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? std::max(2, _wtoi(argv[1])) : kDefaultFiles;
    const int photos = argc > 2 ? std::max(2, _wtoi(argv[2])) : kDefaultPhotos;
    const int small = argc > 3 ? std::max(2, _wtoi(argv[3])) : kDefaultSmall;
    const std::wstring folder = MakeFolder(L"lumesca-bench-thumbnails-", count, kWidth, kHeight);
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
    SmallFilesRun(player, small);
    const std::wstring photoFolder = MakeFolder(L"lumesca-bench-photos-", photos, kPhotoWidth, kPhotoHeight);
    if (photoFolder.empty()) std::printf("could not write the large JPEG\n");
    else MemoryRun(player, photoFolder, photos);
    player.Unload();
    RemoveFolder(folder, count);
    if (!photoFolder.empty()) RemoveFolder(photoFolder, photos);
    std::printf("thumbnails/decode: %.2f\n", run / bare);
    return 0;
}

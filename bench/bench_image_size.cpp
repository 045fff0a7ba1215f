// The header size reader against a full decode. For each file given (or each file of each
// folder given) it prints the picture player's size line, a tab and the bytes the reader read;
// then it times the reader and the platform's decoder over the same files and prints, last,
// `decode/header: R`.
// Before that it writes a folder of tiny files whose headers claim 9000 x 9000 to
// 65000 x 65000 pixels (BMP, JPEG, PNG, GIF) and has the picture player click them one after
// another, make their thumbnails and run the slide show, in three orders; it prints what each
// order showed and the process's `peak memory`; then the same for pictures of 8192 x 8192, the
// largest the loader takes. Without arguments the timing runs over the first folder.
// Given files or folders, it first has a fresh copy of itself put them through the picture
// player (a click on each file; for a folder, its thumbnails and slides as well) and prints
// that process's peak on its own line, `peak memory (given files)`: the bench's own runs
// cannot raise it. Its temporary files have names no other copy uses.
//   bench_image_size [FILE|FOLDER...]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "picture/FileByteSource.h"
#include "picture/HeaderReader.h"
#include "picture/IMAGES.h"
#include "picture/form11.h"
#include "runtime/forms/DoEvents.h"
#include "runtime/forms/Forms.h"
#include "runtime/picture/StdPicture.h"
#include "runtime/core/FileLists.h"
#include "runtime/core/Text.h"
#include "tests/support/DialogAnswers.h"

// The bench links no test library: the project's header and pattern writers come in whole.
#include "tests/support/HeaderBytes.cpp"
#include "tests/support/PictureFiles.cpp"
#include "tests/support/Pixels.cpp"

namespace {

constexpr double kHeaderSeconds = 0.5;  // least time spent on each side, for a steady figure
constexpr double kDecodeSeconds = 1.0;
constexpr int kLeastHeaderRounds = 10;
constexpr int kLeastDecodeRounds = 2;

// UTF-16 to the console, UTF-8 to a pipe or file, so Chinese names survive either way.
void Print(const std::wstring& line) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const std::wstring text = line + L"\n";
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = rt::Utf8FromWide(text);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring Fixed(double value, int decimals) {
    wchar_t buffer[64];
    swprintf(buffer, 64, L"%.*f", decimals, value);
    return buffer;
}

std::wstring BareName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

// Runs one round over all files until both the time and the round count are reached; returns
// seconds per file.
template <class Work>
double TimePerFile(const std::vector<std::wstring>& files, double leastSeconds, int leastRounds, Work work) {
    const double start = Seconds();
    long rounds = 0;
    double elapsed = 0;
    do {
        for (const auto& file : files) work(file);
        ++rounds;
        elapsed = Seconds() - start;
    } while (elapsed < leastSeconds || rounds < leastRounds);
    return elapsed / (static_cast<double>(rounds) * static_cast<double>(files.size()));
}

constexpr size_t kMegabyte = 1024 * 1024;
constexpr size_t kPngWidthAt = 16, kPngHeaderChecksumAt = 29;
constexpr int kOrders = 3;

// The peak of the process's resident memory (the system keeps it; Wine takes the kernel's).
size_t PeakMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return std::max(counters.PeakWorkingSetSize, counters.PeakPagefileUsage);
}

std::uint32_t Crc32(const std::string& bytes, size_t from, size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < from + length; ++i) {
        crc ^= static_cast<std::uint8_t>(bytes[i]);
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

// A real small file of the format, its header changed to claim width x height: its pixel data
// ends long before the claimed pixels do, as that of a header-only BMP or GIF.
std::string ClaimingJpeg(const std::string& small, unsigned width, unsigned height) {
    std::string bytes = small;
    const size_t frame = bytes.find("\xFF\xC0");
    if (frame != std::string::npos) bytes.replace(frame + 5, 4, testing_support::Be16(height) + testing_support::Be16(width));
    return bytes;
}
std::string ClaimingPng(const std::string& small, std::uint32_t width, std::uint32_t height) {
    std::string bytes = small;
    bytes.replace(kPngWidthAt, 8, testing_support::Be32(width) + testing_support::Be32(height));
    bytes.replace(kPngHeaderChecksumAt, 4, testing_support::Be32(Crc32(bytes, kPngWidthAt - 4, 17)));
    return bytes;
}
std::string ClaimingGif(unsigned width, unsigned height) {
    using testing_support::Le16;
    return testing_support::Gif("89a", width, height) + std::string(6, '\0') + "\x2C" + Le16(0) + Le16(0) +
           Le16(width) + Le16(height) + std::string("\0\x08\x04\x00\x01\x02\x03", 7);
}
std::string ClaimingBmp(std::int32_t width, std::int32_t height, unsigned bits) {
    std::string bytes = testing_support::Bmp(width, height);
    bytes.replace(28, 2, testing_support::Le16(bits));
    return bytes;
}

struct Claim {
    std::wstring name;
    std::string bytes;
};

std::vector<Claim> HugeClaims(const std::string& jpeg, const std::string& png) {
    return {{L"h01.bmp", ClaimingBmp(9000, 9000, 24)},     {L"h02.bmp", ClaimingBmp(16000, 5000, 24)},
            {L"h03.bmp", ClaimingBmp(65000, 65000, 32)},   {L"h04.jpg", ClaimingJpeg(jpeg, 9000, 9000)},
            {L"h05.jpg", ClaimingJpeg(jpeg, 30000, 20000)}, {L"h06.jpg", ClaimingJpeg(jpeg, 65000, 65000)},
            {L"h07.png", ClaimingPng(png, 9400, 9400)},    {L"h08.png", ClaimingPng(png, 65000, 65000)},
            {L"h09.gif", ClaimingGif(9000, 9000)},         {L"h10.gif", ClaimingGif(65000, 65000)}};
}

std::vector<Claim> LargestClaims(const std::string& jpeg, const std::string& png) {
    return {{L"l1.bmp", ClaimingBmp(8192, 8192, 32)}, {L"l2.jpg", ClaimingJpeg(jpeg, 8192, 8192)},
            {L"l3.png", ClaimingPng(png, 8192, 8192)}, {L"l4.gif", ClaimingGif(8192, 8192)}};
}

std::wstring WriteClaims(const wchar_t* name, const std::vector<Claim>& claims) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const Claim& claim : claims) testing_support::WriteBytes(folder + L"\\" + claim.name, claim.bytes);
    return folder;
}

void RemoveClaims(const std::wstring& folder, const std::vector<Claim>& claims) {
    for (const Claim& claim : claims) DeleteFileW((folder + L"\\" + claim.name).c_str());
    RemoveDirectoryW(folder.c_str());
}

// Clicks each file in the order given, then makes the thumbnails and shows every slide once;
// gives for each file whether its click showed a picture, and the thumbnail count.
std::map<std::wstring, bool> PlayerRun(form11& player, const std::vector<int>& order, int& thumbnails) {
    std::map<std::wstring, bool> shown;
    for (int index : order) {
        if (player.File1.ListIndex() == index) player.File1_Click();  // a click on the selected file
        else player.File1.ListIndex(index);
        rt::DoEvents();
        shown[player.File1.List(index)] = player.Image1.Picture() != nullptr;  // a refused file empties it
    }
    player.cmdAuto_Click();
    thumbnails = player.mCount;
    for (int slide = 0; slide < thumbnails; ++slide) player.ShowNextSlide();
    player.ResetThumbnails();
    return shown;
}

// The three orders of the folder's files through the player; prints the outcome and the peak.
void ClaimsRun(form11& player, const wchar_t* label, const std::wstring& folder) {
    player.Dir1.Path(folder);
    rt::DoEvents();
    std::vector<int> order(static_cast<size_t>(player.File1.ListCount()));
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::mt19937 random(27);
    std::map<std::wstring, bool> first;
    int firstThumbnails = 0;
    bool same = true;
    for (int round = 0; round < kOrders; ++round) {
        if (round == 1) std::reverse(order.begin(), order.end());
        if (round == 2) std::shuffle(order.begin(), order.end(), random);
        int thumbnails = 0;
        const auto shown = PlayerRun(player, order, thumbnails);
        if (round == 0) {
            first = shown;
            firstThumbnails = thumbnails;
        }
        same = same && shown == first && thumbnails == firstThumbnails;
    }
    std::wstring outcome;
    for (const auto& [name, changed] : first) outcome += L" " + name + (changed ? L" shown," : L" refused,");
    Print(std::wstring(label) + L":" + outcome + L" " + std::to_wstring(firstThumbnails) + L" thumbnails; " +
          (same ? L"the same in every order" : L"NOT the same in every order"));
    Print(L"peak memory: " + std::to_wstring(PeakMemory() / kMegabyte) + L" MB");
}

// A new empty file in the temporary folder whose name no other process has.
std::wstring UniqueTempFile() {
    wchar_t temp[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetTempFileNameW(temp, L"lum", 0, name);
    return name;
}

// The player over the claimed sizes, first those beyond the loader, then the largest it takes.
std::wstring MemoryRuns() {
    const std::wstring jpegPath = UniqueTempFile(), pngPath = UniqueTempFile();
    testing_support::WritePatternEncoded(jpegPath, 16, 16, L"image/jpeg");
    testing_support::WritePatternEncoded(pngPath, 16, 16, L"image/png");
    const std::string jpeg = testing_support::FileBytes(jpegPath), png = testing_support::FileBytes(pngPath);
    DeleteFileW(jpegPath.c_str());
    DeleteFileW(pngPath.c_str());
    testing_support::DialogAnswers closeEveryMessage({});
    form11& player = rt::Forms::Get<form11>();
    player.Show();
    player.Combo1.ListIndex(8);  // *.*
    rt::DoEvents();
    const auto huge = HugeClaims(jpeg, png);
    const std::wstring hugeFolder = WriteClaims(L"lumesca-bench-huge-", huge);
    Print(L"start: " + std::to_wstring(PeakMemory() / kMegabyte) + L" MB peak before the first click");
    ClaimsRun(player, L"9000 x 9000 to 65000 x 65000", hugeFolder);
    const auto largest = LargestClaims(jpeg, png);
    const std::wstring largestFolder = WriteClaims(L"lumesca-bench-largest-", largest);
    ClaimsRun(player, L"8192 x 8192", largestFolder);
    player.Unload();
    RemoveClaims(largestFolder, largest);
    return hugeFolder;
}

constexpr wchar_t kGivenFilesSwitch[] = L"--given-files";

// In the copy: the player over the given files and folders; the exit code is the peak in MB.
int GivenFilesRun(const std::vector<std::wstring>& paths) {
    testing_support::DialogAnswers closeEveryMessage({});
    form11& player = rt::Forms::Get<form11>();
    player.Show();
    player.Combo1.ListIndex(8);  // *.*
    for (const std::wstring& path : paths) {
        const bool folder = rt::FolderExists(path);
        const size_t slash = path.find_last_of(L"\\/");
        player.Dir1.Path(folder || slash == std::wstring::npos ? path : path.substr(0, slash));
        rt::DoEvents();
        for (int i = 0; i < player.File1.ListCount(); ++i) {
            if (!folder && player.File1.List(i) != BareName(path)) continue;
            if (player.File1.ListIndex() == i) player.File1_Click();
            else player.File1.ListIndex(i);
            rt::DoEvents();
        }
        if (!folder) continue;
        player.cmdAuto_Click();
        for (int slide = 0; slide < player.mCount; ++slide) player.ShowNextSlide();
        player.ResetThumbnails();
    }
    player.Unload();
    return static_cast<int>(PeakMemory() / kMegabyte);
}

// Runs GivenFilesRun in a fresh copy of this program; its peak in MB, or -1.
long GivenFilesPeak(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + kGivenFilesSwitch;
    for (int i = 1; i < argc; ++i) command += L" \"" + std::wstring(argv[i]) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code > 0xFFFFF ? -1 : static_cast<long>(code);  // a crash ends it with a status code
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wstring(argv[1]) == kGivenFilesSwitch)
        return GivenFilesRun(std::vector<std::wstring>(argv + 2, argv + argc));
    if (argc > 1) {
        const long peak = GivenFilesPeak(argc, argv);
        Print(peak < 0 ? L"peak memory (given files): the run did not end normally"
                       : L"peak memory (given files): " + std::to_wstring(peak) + L" MB");
    }
    std::vector<std::wstring> files;
    for (int i = 1; i < argc; ++i) {
        if (rt::FolderExists(argv[i])) {
            for (const auto& name : rt::MatchingFiles(argv[i], L"*.*"))
                files.push_back(std::wstring(argv[i]) + L"\\" + name);
        } else {
            files.emplace_back(argv[i]);
        }
    }
    const std::wstring hugeFolder = MemoryRuns();
    if (files.empty()) {
        for (const auto& name : rt::MatchingFiles(hugeFolder, L"*.*")) files.push_back(hugeFolder + L"\\" + name);
    }

    std::uint64_t totalRead = 0, totalBytes = 0;
    for (const auto& file : files) {
        FileByteSource source(file);
        const ImageSize size = ReadImageSize(source);
        totalRead += source.BytesRead();
        totalBytes += source.Size();
        Print(std::to_wstring(size.Width) + L" x " + std::to_wstring(size.Height) + L"\t" + BareName(file) + L"\t" +
              std::to_wstring(source.BytesRead()));
    }

    long headerChecksum = 0;
    const double header = TimePerFile(files, kHeaderSeconds, kLeastHeaderRounds, [&](const std::wstring& file) {
        headerChecksum += GetImageSize(file).Width;
    });
    int failedDecodes = 0;
    const double decode = TimePerFile(files, kDecodeSeconds, kLeastDecodeRounds, [&](const std::wstring& file) {
        try {
            rt::PictureRef picture = rt::LoadPicture(file);
        } catch (...) {
            ++failedDecodes;
        }
    });

    const double count = static_cast<double>(files.size());
    Print(L"files: " + std::to_wstring(files.size()) + L", bytes read per file: " +
          Fixed(static_cast<double>(totalRead) / count, 1) + L" of " +
          Fixed(static_cast<double>(totalBytes) / count, 1));
    Print(L"header reader: " + Fixed(header * 1e6, 2) + L" us per file (checksum " + std::to_wstring(headerChecksum) +
          L")");
    Print(L"full decode: " + Fixed(decode * 1e3, 2) + L" ms per file" +
          (failedDecodes ? L" (" + std::to_wstring(failedDecodes) + L" decodes failed)" : L""));
    Print(L"decode/header: " + Fixed(decode / header, 1));
    for (const auto& name : rt::MatchingFiles(hugeFolder, L"*.*")) DeleteFileW((hugeFolder + L"\\" + name).c_str());
    RemoveDirectoryW(hugeFolder.c_str());
    return 0;
}

// The header size reader against a full decode. For each file given (or each file of each
// folder given) it prints the picture player's size line, a tab and the bytes the reader read;
// then it times the reader and the platform's decoder over the same files and prints, last,
// `decode/header: R`.
//   bench_image_size FILE|FOLDER...
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "picture/FileByteSource.h"
#include "picture/HeaderReader.h"
#include "picture/IMAGES.h"
#include "runtime/StdPicture.h"
#include "runtime/core/FileLists.h"
#include "runtime/core/Text.h"

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> files;
    for (int i = 1; i < argc; ++i) {
        if (rt::FolderExists(argv[i])) {
            for (const auto& name : rt::MatchingFiles(argv[i], L"*.*"))
                files.push_back(std::wstring(argv[i]) + L"\\" + name);
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (files.empty()) {
        Print(L"usage: bench_image_size FILE|FOLDER...");
        return 2;
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
    return 0;
}

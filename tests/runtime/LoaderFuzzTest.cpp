#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/StdPicture.h"
#include "tests/runtime/LoaderProbe/ProbeProgress.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeaderBytes.h"
#include "tests/support/PictureFiles.h"

using namespace testing_support;

namespace {

constexpr std::uint32_t kPictureFuzzSeed = 3102;
constexpr int kPictureMutants = 5000;
constexpr int kHeaderMutants = 2000;
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

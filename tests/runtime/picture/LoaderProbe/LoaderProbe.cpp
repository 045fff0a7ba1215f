// Loads and draws a batch of inputs with the program's picture loader, for the loader's fuzz
// test: a decoder fault ends only this process, and the progress file tells the test which
// input it was.
//   loader_probe BATCH PROGRESS FIRST
// BATCH holds the inputs one after the other, each as a 32-bit length and its bytes. Before
// each input from FIRST on, the probe writes its number to PROGRESS; a fault adds the
// exception code and address; the end of the batch adds the counts of pictures and refusals.
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/gdi/Dib.h"
#include "runtime/gdi/Gdi.h"
#include "runtime/picture/StdPicture.h"
#include "runtime/core/RuntimeError.h"
#include "tests/runtime/picture/LoaderProbe/ProbeProgress.h"

namespace {

constexpr int kCanvas = 48;
HANDLE g_progress = INVALID_HANDLE_VALUE;
ProbeProgress g_state;

void WriteProgress() {
    DWORD written = 0;
    SetFilePointer(g_progress, 0, nullptr, FILE_BEGIN);
    WriteFile(g_progress, &g_state, sizeof(g_state), &written, nullptr);
}

LONG WINAPI RecordFault(EXCEPTION_POINTERS* info) {
    g_state.faultCode = info->ExceptionRecord->ExceptionCode;
    g_state.faultAddress = reinterpret_cast<std::uintptr_t>(info->ExceptionRecord->ExceptionAddress);
    HMODULE module = nullptr;
    char path[MAX_PATH] = {};
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(info->ExceptionRecord->ExceptionAddress), &module) &&
        GetModuleFileNameA(module, path, MAX_PATH)) {
        const char* name = strrchr(path, '\\') ? strrchr(path, '\\') + 1 : path;
        lstrcpynA(g_state.faultModule, name, sizeof(g_state.faultModule));
    }
    WriteProgress();
    TerminateProcess(GetCurrentProcess(), kProbeFaulted);
    return EXCEPTION_EXECUTE_HANDLER;
}

std::vector<char> ReadAll(const wchar_t* path) {
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Metafiles are only played when drawn, so every picture is drawn as the display would.
void LoadAndDraw(const char* bytes, size_t size) {
    const rt::PictureRef picture = rt::LoadPictureFromMemory(bytes, size);
    void* bits = nullptr;
    rt::Bitmap canvas = rt::CreateTopDownDib(kCanvas, kCanvas, &bits, 24);
    rt::MemoryDC dc(nullptr);
    rt::SelectGuard select(dc.get(), canvas.get());
    picture->Render(dc.get(), 0, 0, kCanvas, kCanvas);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return kProbeUsage;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(RecordFault);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::vector<char> batch = ReadAll(argv[1]);
    g_progress = CreateFileW(argv[2], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (g_progress == INVALID_HANDLE_VALUE) return kProbeUsage;
    const int first = _wtoi(argv[3]);
    size_t at = 0;
    for (int index = 0; at + sizeof(std::uint32_t) <= batch.size(); ++index) {
        std::uint32_t length = 0;
        memcpy(&length, batch.data() + at, sizeof(length));
        at += sizeof(length);
        if (length > batch.size() - at) break;
        if (index >= first) {
            g_state.current = index;
            WriteProgress();
            try {
                LoadAndDraw(batch.data() + at, length);
                ++g_state.pictures;
            } catch (const rt::RuntimeError&) {
                ++g_state.refused;
            }
        }
        at += length;
    }
    g_state.finished = 1;
    WriteProgress();
    CloseHandle(g_progress);
    return 0;
}

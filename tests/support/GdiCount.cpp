#include "tests/support/GdiCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace testing_support {

namespace {

// Wine keeps a per-process GDI handle table that the PEB points to (GdiSharedHandleTable):
// 0x10000 entries of 24 bytes; bytes 12-13 hold the handle's high word, byte 14 the object
// type (0 for a free entry). Wine's GetGuiResources reports 0, so we count that table instead.
constexpr size_t kWineEntrySize = 24;
constexpr size_t kWineEntryCount = 0x10000;
constexpr size_t kUniqueOffset = 12;
constexpr size_t kTypeOffset = 14;

const unsigned char* WineHandleTable() {
    using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
        return nullptr;
    const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
    // GdiSharedHandleTable sits at offset 0x94 of the 32-bit PEB.
    const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + 0x94);
    if (!table) return nullptr;
    // Check the layout with an object of our own before trusting it.
    HBRUSH probe = CreateSolidBrush(RGB(7, 7, 7));
    const auto value = reinterpret_cast<uintptr_t>(probe);
    const unsigned char* entry = table + (value & 0xFFFF) * kWineEntrySize;
    const bool matches = *reinterpret_cast<const uint16_t*>(entry + kUniqueOffset) == (value >> 16) &&
                         entry[kTypeOffset] != 0;
    DeleteObject(probe);
    return matches && entry[kTypeOffset] == 0 ? table : nullptr;
}

}  // namespace

unsigned long GdiObjectCount() {
    static const unsigned char* table = WineHandleTable();
    if (!table) return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    unsigned long count = 0;
    for (size_t i = 0; i < kWineEntryCount; ++i) count += table[i * kWineEntrySize + kTypeOffset] != 0;
    return count;
}

}  // namespace testing_support

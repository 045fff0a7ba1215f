#include "tests/passbook/BookProbe.h"

#include <atomic>

#include "passbook/AccountRecord.h"

using namespace testing_support;

namespace passbook_tests {

std::string TestRecord(long i) {
    AccountRecord r;
    r.PasswordNo = static_cast<short>(i % 30000);
    r.Balance = i * 10.25;
    r.LastDepositDate = 40000 + i;
    r.HolderName = FieldText(L"持卡人" + std::to_wstring(i), kNameWidth);
    r.Remarks = FieldText(L"第 " + std::to_wstring(i) + L" 条", kRemarksWidth);
    const RecordBytes bytes = EncodeRecord(r);
    return std::string(bytes.begin(), bytes.end());
}

std::string TestBook(long records, const std::string& tail) {
    std::string book;
    for (long i = 1; i <= records; ++i) book += TestRecord(i);
    return book + tail;
}

bool IsPartlyShifted(const std::string& found, const std::string& before, const std::string& shifted) {
    if (found.size() != before.size() || shifted.size() != before.size()) return false;
    size_t at = 0;
    while (at < found.size() && found[at] == shifted[at]) ++at;
    at -= at % kRecordLength;
    return found.compare(at, std::string::npos, before, at, std::string::npos) == 0;
}

double Now() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Probe::Probe(const std::wstring& mode, const std::wstring& book, long number) {
    static std::atomic<int> serial{0};
    const std::wstring eventName =
        L"passbook_probe_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial);
    m_ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    m_child = std::make_unique<ChildProcess>(L"\"" + BinDir() + L"\\passbook_probe.exe\" " + mode + L" \"" + book +
                                             L"\" " + std::to_wstring(number) + L" " + eventName);
}

Probe::~Probe() { CloseHandle(m_ready); }

bool Probe::KillOnceChanged(const std::wstring& book, long long offset, const std::string& unchanged) {
    HANDLE file = CreateFileW(book.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    bool changed = false;
    std::string seen(unchanged.size(), '\0');
    for (const double deadline = Now() + 60; !changed && file != INVALID_HANDLE_VALUE && Now() < deadline;) {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        changed = ReadFile(file, seen.data(), static_cast<DWORD>(seen.size()), &read, &at) &&
                  std::string(seen.data(), read) != unchanged;
    }
    Kill();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return changed;
}

bool Probe::WaitUntilWorking() const {
    return m_child->Started() && WaitForSingleObject(m_ready, 60000) == WAIT_OBJECT_0;
}

}  // namespace passbook_tests

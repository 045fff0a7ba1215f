#include "tests/support/ChildProcess.h"

#include "tests/support/MessagePump.h"

namespace testing_support {

namespace {

std::wstring EnvOr(const wchar_t* name, const std::wstring& fallback) {
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    if (n == 0 || n >= 1024) return fallback;
    std::wstring value(buffer, n);
    // ctest hands over Unix paths; turn them into Wine's drive Z: form.
    if (!value.empty() && value[0] == L'/') {
        for (auto& c : value) if (c == L'/') c = L'\\';
        value = L"Z:" + value;
    }
    return value;
}

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.erase(folder.find_last_of(L"\\/"));
    return folder;
}

struct FindData {
    DWORD pid;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND hwnd, LPARAM lParam) {
    auto* data = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != data->pid || !IsWindowVisible(hwnd)) return TRUE;
    if (!data->title->empty() && WindowText(hwnd) != *data->title) return TRUE;
    data->found = hwnd;
    return FALSE;
}

}  // namespace

std::wstring BinDir() { return EnvOr(L"LUMESCA_BIN_DIR", ExeFolder()); }
std::wstring SourceDir() { return EnvOr(L"LUMESCA_SOURCE_DIR", ExeFolder() + L"\\..\\.."); }

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& workingDir) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    std::wstring cmd = commandLine;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &si, &m_info)) {
        m_info = {};
    }
}

ChildProcess::~ChildProcess() {
    Kill();
    if (m_info.hThread) CloseHandle(m_info.hThread);
    if (m_info.hProcess) CloseHandle(m_info.hProcess);
}

HWND ChildProcess::WaitForWindow(const std::wstring& title, DWORD timeoutMs) const {
    FindData data{m_info.dwProcessId, &title, nullptr};
    PumpUntil(
        [&] {
            EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&data));
            return data.found != nullptr;
        },
        timeoutMs);
    return data.found;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) const {
    if (!m_info.hProcess) return STILL_ACTIVE;
    PumpUntil([&] { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void ChildProcess::Kill() {
    if (m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 259);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    return text;
}

std::vector<std::wstring> ChildTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(WindowText(child));
    }
    return texts;
}

}  // namespace testing_support

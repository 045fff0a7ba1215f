#pragma once
// Starting another exe of the build (lumesca.exe, probe programs) from a test, finding its
// windows and its message boxes, and collecting its exit code. Tests already run under Wine,
// so a child is a plain CreateProcess in the same Wine session.
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Folder of the built executables (from LUMESCA_BIN_DIR, else the test exe's own folder).
std::wstring BinDir();
// The source tree (from LUMESCA_SOURCE_DIR), for test data.
std::wstring SourceDir();
// A new empty folder under the temp folder, removed with its files by the destructor; a
// folder that stays (a file left open in it) fails the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

class ChildProcess {
public:
    // commandLine's first word is the exe; workingDir may be empty.
    explicit ChildProcess(const std::wstring& commandLine, const std::wstring& workingDir = {});
    ~ChildProcess();  // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    // A visible top-level window of the child whose caption is title ("" = any), or nullptr.
    HWND WaitForWindow(const std::wstring& title, DWORD timeoutMs = 15000) const;
    // Waits for the end; returns the exit code, or STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD timeoutMs = 15000) const;
    void Kill();

private:
    PROCESS_INFORMATION m_info = {};
};

// The texts of the child controls of a dialog or message box, in z-order.
std::vector<std::wstring> ChildTexts(HWND dialog);
std::wstring WindowText(HWND hwnd);

}  // namespace testing_support

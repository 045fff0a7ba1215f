#pragma once
// The runtime's file errors: turning a Win32 error code into the run-time error number the
// program reports (53 file not found, 61 disk full, 75 path/file access error, ...).
#include <windows.h>

namespace rt {

// The run-time error number for a Win32 error met while opening, reading or writing a file.
long FileErrorNumber(DWORD win32Error);

// Raises FileErrorNumber(win32Error) with the runtime's standard text.
[[noreturn]] void RaiseFileError(DWORD win32Error);

// Raises the run-time error for GetLastError().
[[noreturn]] void RaiseLastFileError();

// The same, with the runtime's text followed by the system call that failed ("磁盘已满
// (WriteFile)"), where one operation makes several calls that can fail alike.
[[noreturn]] void RaiseFileError(DWORD win32Error, const wchar_t* call);
[[noreturn]] void RaiseLastFileError(const wchar_t* call);

}  // namespace rt

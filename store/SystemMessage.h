#pragma once
// The system's text for a Win32 error code, for the detail of the store's errors.
#include <windows.h>

#include <string>

namespace store {

// "The process cannot access the file because it is being used by another process. (32)"
std::wstring SystemMessage(DWORD code);

}  // namespace store

#include "runtime/core/Wine.h"

#include <windows.h>

namespace rt {

// Wine's ntdll exports its version; Windows' has no such function.
bool RunningUnderWine() {
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

}  // namespace rt

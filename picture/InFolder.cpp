#include "picture/InFolder.h"

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
    const bool hasSeparator = !folder.empty() && folder.back() == L'\\';
    return folder + (hasSeparator ? L"" : L"\\") + name;
}

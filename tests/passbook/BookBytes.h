#pragma once
// A book's bytes as they stand on disk, read past whatever handles the program holds.
#include <string>

namespace passbook_tests {

// The file's bytes, or "<missing>" when it cannot be opened.
std::string ReadAll(const std::wstring& path);

}  // namespace passbook_tests

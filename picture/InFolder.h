#pragma once
// The path of a file named in a folder list: the folder, a backslash unless the folder is a
// drive's root (which ends in one already), and the name.
#include <string>

std::wstring InFolder(const std::wstring& folder, const std::wstring& name);

#pragma once
// What makes a file the file it is, apart from its bytes and its name: attributes, creation
// time, access list, compression, encryption and extra data streams. A finished copy gets
// them from the file it is about to replace, so that the replacement stays that file.
#include <string>

namespace rt {

// The path of the file that `path` names, with every symbolic link and junction on the way
// followed; for a missing file the full path of the name. Raises the file error of a path
// that cannot be resolved.
std::wstring FinalPathOf(const std::wstring& path);

// Copies the identity of `from` onto `to` (a closed file nobody else uses). What the volume
// or the user's rights cannot carry over is left as it is: the owner, a creation time Wine
// cannot set, and under Wine the access list (there a Unix mode, which Win32 cannot copy
// faithfully: the copy gets the mode of a new file). What would expose data if it were lost (the access list, encryption, a
// stream) raises its file error instead.
void CopyFileIdentity(const std::wstring& from, const std::wstring& to);

}  // namespace rt

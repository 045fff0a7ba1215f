#pragma once
// What makes a file the file it is, apart from its bytes, its name, its access list and its
// encryption (which a replacing file gets when it is created): creation time, attributes,
// compression and extra data streams. A finished copy gets them from the file it is about to
// replace, so that the replacement stays that file.
#include <windows.h>

#include <string>

namespace rt {

// The path of the file that `path` names, with every symbolic link and junction on the way
// followed; for a missing file the full path of the name. Raises the file error of a path
// that cannot be resolved.
std::wstring FinalPathOf(const std::wstring& path);

// Copies the identity of `from` onto the copy open as `copy` (with write access) under
// `copyPath`. The copy is marked as changed (the archive bit), whatever `from` was, so that a
// backup takes it. A creation time the volume cannot set and a compression it cannot apply
// are left as they are; a stream that cannot be copied raises its file error, naming the call.
void CopyFileIdentity(const std::wstring& from, HANDLE copy, const std::wstring& copyPath);

}  // namespace rt

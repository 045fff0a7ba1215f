#pragma once
// What the drive, folder and file lists show, without windows: the machine's drives, the
// folders above and below a path, and the files of a folder matching a pattern.
#include <string>
#include <vector>

namespace rt {

// "c: [label]" for a fixed drive with a label, "c:" otherwise; in drive order.
std::vector<std::wstring> DriveEntries();

// The full path a drive list text or a path names: "c:" or "c: [label]" means that drive's
// current folder; a path is made absolute. No trailing "\" except at a drive's root.
std::wstring NormalizeFolderPath(const std::wstring& pathOrDrive);

// Whether a folder exists.
bool FolderExists(const std::wstring& path);

// The folders from the root down to path ("c:\", "c:\work", "c:\work\pics").
std::vector<std::wstring> FolderChain(const std::wstring& path);

// The names of the visible (not hidden, not system) subfolders of path, sorted without
// regard to case.
std::vector<std::wstring> SubfolderNames(const std::wstring& path);

// Whether a file name matches a pattern list ("*.jpg", "*.bmp;*.gif"): the long name is
// matched, never its 8.3 alias (so "*.jpg" does not take "x.jpeg").
bool MatchesPattern(const std::wstring& name, const std::wstring& patterns);

// The names of the visible files of path that match the patterns, sorted without regard to
// case.
std::vector<std::wstring> MatchingFiles(const std::wstring& path, const std::wstring& patterns);

}  // namespace rt

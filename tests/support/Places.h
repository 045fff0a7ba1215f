#pragma once
// The build's real places where writing fails (mounted by tests/support/places.sh before the
// tests that need them): "picture-full" and "passbook-full" hold no more data, their files
// can only be rewritten within the space they have; "passbook-nonew" and "picture-nonew" take
// no new file (the latter is an immutable folder holding a writable "old.bmp");
// "settings-immutable" holds the default settings database in a folder that is made immutable.
#include <functional>
#include <map>
#include <string>

namespace testing_support {

// The place's folder as Wine names it, or empty when it was not set up (mounting needs root):
// a test then skips.
std::wstring PlaceFolder(const wchar_t* place);

// Every file of a folder with its bytes, to show that nothing but the expected changed.
std::map<std::wstring, std::string> FilesWithBytes(const std::wstring& folder);

// Rewrites an existing file with as many whole records record(1), record(2), ... as its size
// holds (so that a full place stays full); returns how many.
long FillWithRecords(const std::wstring& path, size_t recordLength, const std::function<std::string(long)>& record);

}  // namespace testing_support

#pragma once
// Compaction of a password book: the book rewritten to exactly its counted records, through
// the temporary file "~~Tmp~~.Tmp" in the book's own folder, without ever leaving a torn
// book. The temporary file is emptied first (a longer leftover of an earlier crash adds
// nothing), filled, put on the disk, and then replaces the book in one atomic step of the
// file system: whenever the program stops, the book is the old one or the new one.
#include <string>

constexpr wchar_t kTemporaryBookName[] = L"~~Tmp~~.Tmp";

// The temporary file's path for a book: beside the book.
std::wstring TemporaryBookPath(const std::wstring& bookName);

// Rewrites the book open under fileNum to its first lastRecord records and opens it again;
// fileNum becomes the new file number. On failure the book's file is as it was, it is open
// again under fileNum (0 when even that failed), and the run-time error is raised.
void CompactBook(const std::wstring& bookName, short& fileNum, long lastRecord);

// Puts the file `from` in the place of `to` in one step (both in one folder), waiting a
// moment for a reader that holds `to` open. Raises the file error of a failure; `to` is then
// untouched.
void ReplaceBookFile(const std::wstring& from, const std::wstring& to);

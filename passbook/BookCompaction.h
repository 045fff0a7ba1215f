#pragma once
// Compaction of a password book: the book rewritten to exactly its counted records, without
// ever leaving a torn book. The records are copied into a new file of a fresh name beside the
// book (no existing file is ever opened, emptied or replaced but the book), put on the disk,
// and the copy then replaces the book in one atomic step of the file system. When no such
// copy can be made (a folder that takes no new file, a full disk, a book another program
// holds open), the book is cut to its records in place, which one truncation does as
// atomically. Whenever the program stops, the book is the old one or the new one.
#include <string>

// Rewrites the book open under fileNum to its first lastRecord records and opens it again;
// fileNum becomes the new file number. When neither way works the book's file holds what it
// held before, it is open again under fileNum (0 when even that failed), and the run-time
// error of the copy is raised. A book that can only be read is never touched: error 54.
void CompactBook(const std::wstring& bookName, short& fileNum, long lastRecord);

#pragma once
// Compaction of a password book: the book cut to exactly its counted records. What a
// compaction removes always lies after the last counted record (the deletion's shift has
// already moved the records down), so the book is cut where it stands, through its own open
// file, in one step of the file system: whenever the program stops, the book has its old
// length or its new one, and it stays the file it was (its access list, attributes, streams,
// links and encryption are its own; nothing is created beside it).
// A copy that replaced the book would need the right to create a file in its folder and room
// for a second book, and would have to carry all of that over; the cut needs neither.

// Cuts the book open under fileNum to its first lastRecord records and puts it on the disk;
// the book stays open under fileNum. A failure raises its run-time error, and the first
// lastRecord records are whole either way; when the cut is made but putting it on the disk
// fails, the book may already have lost what lay after them. A book that can only be read is
// never touched: error 54.
void CompactBook(short fileNum, long lastRecord);

#pragma once
// The record-level operations on an open password book: counting, reading and writing
// records by number, and deleting one by shifting the later records down.
#include <functional>
#include <string>

#include "passbook/AccountRecord.h"

// Opens a book's file for records under a new file number, with no question and no message
// (the file is created when missing); raises the file error of a failure.
short OpenBookFile(const std::wstring& path);

// The number of whole records of the open book (a trailing part of a record is none).
long RecordCount(short fileNum);

// Record n (from 1) of the book; a record beyond the end reads as zeros.
AccountRecord ReadRecord(short fileNum, long n);
// Writes record n and hands it to the system at once, so that a failure (a full disk, a
// vanished file) is raised here and not at some later write.
void WriteRecord(short fileNum, long n, const AccountRecord& record);

// Hands records first to last to use in runs of a few thousand, each read in one call:
// use(number of the run's first record, records in the run, their stored bytes in order).
void ForEachRecordRun(short fileNum, long first, long last,
                      const std::function<void(long, long, const unsigned char*)>& use);

// The stored bytes of records first to last, as the file holds them.
std::string StoredRecords(short fileNum, long first, long last);

// Deletes record k of a book of n records by moving records k + 1 to n one place down; the
// last record then stands twice until the book is compacted. The records move as stored
// bytes, in order from k upwards, so that an interruption at any moment loses no record but
// the one being deleted.
void DeleteByShifting(short fileNum, long k, long n);

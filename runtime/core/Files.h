#pragma once
// The form runtime's file services: the program's folder, the current drive and folder, file
// tests, copies and deletions, and files opened under small numbers in one of five modes,
// read and written by record (random access) or by byte (binary). Failures raise the
// runtime's file errors (53 file not found, 55 file already open, 61 disk full, ...).
#include <cstddef>
#include <string>
#include <vector>

namespace rt {

// The mode codes the program passes around as numbers.
enum class OpenMode : short {
    Output = 1,  // write; the file is created or emptied
    Input = 2,   // read an existing file
    Append = 3,  // write at the end; created when missing
    Random = 4,  // records of a fixed length, read and written by number; created when missing
    Binary = 5,  // bytes by position; created when missing
};

// What a Random or Binary file may be used for. Read opens only an existing file (error 53
// otherwise) and refuses writes with error 54; Default reads and writes, creating the file.
enum class FileAccess : short {
    Default = 0,
    Read = 1,
};

constexpr int kDefaultRecordLength = 128;
constexpr int kMaxRecordLength = 32767;
constexpr int kMaxFileNumber = 511;

// The folder of the running executable, without a trailing backslash (except a drive root).
std::wstring AppPath();

// The process's current folder.
std::wstring CurDir();
// The full path of a file name, a relative one taken against the current folder now. Raises
// the file error of a name that cannot be resolved.
std::wstring FullPath(const std::wstring& path);
// Makes the drive of `drive` (its first letter) current. Error 68 for a drive that is absent.
void ChDrive(const std::wstring& drive);
// Makes the folder current. Error 76 for a folder that is absent.
void ChDir(const std::wstring& path);

// True when a directory search for `path` with normal attributes finds an entry: plain,
// read-only or archive files; never folders, hidden or system files.
bool FileExists(const std::wstring& path);

// Copies a file over another (replacing it). Errors 53, 76, 75, 70 (open elsewhere), 61.
void FileCopy(const std::wstring& source, const std::wstring& destination);
// Deletes a file. Error 53 when it does not exist.
void Kill(const std::wstring& path);
// The length in bytes of a file by name. Error 53 when it does not exist.
long long FileLen(const std::wstring& path);

// The lowest file number not in use (1 to 511). Error 67 when all are taken.
int FreeFile();

// Opens the file under fileNumber. Errors: 52 for a number outside 1..511, 55 for a number in
// use (or a file already open for writing under another number), 53 when Input finds no
// file, 5 for a record length outside 1..32767, and the platform's file errors.
void Open(const std::wstring& path, OpenMode mode, int fileNumber, int recordLength = kDefaultRecordLength,
          FileAccess access = FileAccess::Default);
// Closes one file (error 52 when the number is not open); CloseAll closes every open file.
// Each ends the file's operation: its pending record writes are written first, and a failure
// (61 for a full disk) is raised after the file is closed all the same.
void Close(int fileNumber);
void CloseAll();
bool IsOpen(int fileNumber);

// The length of an open file in bytes, pending record writes included.
long long Lof(int fileNumber);

// Record reads always read the file: they see what another file number or another program
// has written and flushed, with this handle's own pending writes laid over it. Record writes
// come in operations (a save, a shift of records, a copy), each ended by Flush, Commit or
// Close. A write that does not continue the previous one goes to the file at once and raises
// its own failure; the writes of a run that follows it (each beginning where the last ended)
// collect in a window in memory, written when the run breaks or the window is full (by the
// write that finds it so) and when the operation ends. Either raises the failure of that
// write (61 for a full disk), and the window's bytes are then forgotten: the file holds the
// writes before them and at most a first part of them. End every operation before the
// program waits for the user. When the form runtime's message loop ends it closes every file,
// which writes what is pending; a program ended at once (Forms::End, a fatal error) or
// killed loses the pending writes, as if it had stopped before them. Commit also makes the system put the file's data on the disk before it
// returns.
void Flush(int fileNumber);
void Commit(int fileNumber);

// Random access: record n (from 1) of the file's record length. Reading beyond the end of the
// file gives zero bytes for the missing part; writing beyond it extends the file. Errors: 54
// for a file not open in Random mode (or a write to one opened for reading), 63 for a record
// number below 1, 59 for a buffer longer than the record length, 61 when the disk is full.
void GetRecord(int fileNumber, long recordNumber, void* buffer, size_t size);
// Records firstRecord to firstRecord + count - 1 at once into buffer (count record lengths),
// in one read of the file: a run of records costs one system call.
void GetRecords(int fileNumber, long firstRecord, long count, void* buffer);
void PutRecord(int fileNumber, long recordNumber, const void* buffer, size_t size);

// Binary: bytes from position (from 1). Bytes beyond the end read as zero.
// Errors: 54 for a file not open in Binary mode, 63 for a position below 1.
std::vector<unsigned char> GetBytes(int fileNumber, long long position, size_t count);
unsigned char GetByte(int fileNumber, long long position);
void PutBytes(int fileNumber, long long position, const void* bytes, size_t count);

// True when the file can only be read: opened for Input, with FileAccess::Read, or a Random
// or Binary file that Open had to fall back to reading (a read-only file, a read-only share).
bool OpenedReadOnly(int fileNumber);

// Makes the file exactly length bytes long (cut or extended with zeros), after writing its
// pending record writes. Error 54 for a file that can only be read; the platform's file
// errors otherwise.
void SetLength(int fileNumber, long long length);

}  // namespace rt

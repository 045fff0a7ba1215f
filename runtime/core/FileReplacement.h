#pragma once
// The replacement of a file by new content: the content goes whole into a fresh file beside the
// target, which takes the target's place by a rename on the same volume.
//
//     FileReplacement replacement(target);
//     replacement.Write(bytes, size);
//     replacement.Finish();
//     replacement.ReplaceTarget();
//
// The target stays the file it was: a link's file is replaced, not the link. The fresh file is
// created with the target's security descriptor and, for an encrypted target, encrypted, so
// that no byte of it is ever readable by more people than the target's bytes; it takes the
// target's creation time, compression and streams before the rename, and the archive bit of a
// changed file. Other hard links of the target keep the old bytes. Whenever the program stops,
// the target is the whole old file or the whole new one, on every volume whose rename replaces
// a file in one step (NTFS, and the Linux volumes under Wine); on FAT a rename over a file is a
// deletion and a rename, and a crash between the two leaves the new file under the fresh
// file's name and no file under the target's.
//
// Where the fresh file cannot take the target's place the target is written in place instead:
// in a folder that takes no new file (the user may change files there but not create them),
// and for a target the user may write but not delete. The overwrite question the program asks
// before any save covers that too; a crash while it writes leaves the target part old, part new.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace rt {

// The system calls whose answers Wine cannot act out as Windows gives them (it has no access
// lists or encryption, and lets whoever may write a file rename over it): the replacement
// makes them through this seam, which the tests replace.
class ReplaceCalls {
public:
    virtual ~ReplaceCalls() = default;
    // GetFileSecurityW: the self-relative descriptor, or the error (ERROR_NOT_SUPPORTED where
    // the volume keeps no access lists).
    virtual DWORD ReadSecurity(const std::wstring& path, SECURITY_INFORMATION parts,
                               std::vector<unsigned char>& descriptor);
    // CreateFileW with CREATE_NEW.
    virtual HANDLE CreateNew(const std::wstring& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                             DWORD flagsAndAttributes);
    // GetFileAttributesW.
    virtual DWORD Attributes(const std::wstring& path);
    // MoveFileExW over an existing file.
    virtual BOOL Move(const std::wstring& from, const std::wstring& to);
};

// The real calls.
ReplaceCalls& SystemReplaceCalls();

// Raises error 75 for a read-only, hidden or system file, which no save replaces: the user who
// picked the name may not know the file is there, or has marked it not to be changed. The
// description says which it is ("该文件是隐藏文件，不能覆盖").
void RefuseProtectedTarget(const std::wstring& path);

// The fresh file is created with CREATE_NEW, so no existing file is ever opened, emptied or
// replaced by it; it is removed again when the replacement goes, unless it has become the target.
class FileReplacement {
public:
    // Raises the run-time file error of a target that cannot be resolved, the refusal of
    // RefuseProtectedTarget, and error 75 for a target whose access list cannot be read (a file
    // that may not be replaced by one its owner did not protect alike). Failures name the
    // system call that failed.
    explicit FileReplacement(const std::wstring& target, ReplaceCalls& calls = SystemReplaceCalls());
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Raises the file error of a failed or short write (61 for a full disk).
    void Write(const void* bytes, size_t count);
    // Puts the data on the disk.
    void Finish();
    // The fresh file's path; empty when the target is written in place from the start.
    const std::wstring& Path() const { return m_path; }
    // Puts the finished content in the target's place, waiting a moment for a reader that
    // holds the target open. Raises the file error of a failure; the target is then as it was.
    // In place, a full disk is met before any byte of the target changes where the volume can
    // set space aside; otherwise a failed write leaves it part old, part new.
    void ReplaceTarget();

private:
    void Create(const std::wstring& folder, DWORD targetAttributes);
    void ReplaceByRename();
    void WriteInPlace(HANDLE target, bool fromFreshFile);
    void Discard();
    void Close();

    ReplaceCalls& m_calls;
    std::wstring m_target;
    std::wstring m_path;
    std::vector<unsigned char> m_security;   // the target's descriptor; empty without access lists
    HANDLE m_handle = INVALID_HANDLE_VALUE;  // the fresh file, or the target written in place
    bool m_inPlace = false;
    std::vector<unsigned char> m_bytes;  // in place: the new content, until ReplaceTarget
};

}  // namespace rt

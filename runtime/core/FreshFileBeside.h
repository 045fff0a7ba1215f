#pragma once
// A new file beside another one, of a name no file had: the place where a whole copy is
// written before it replaces the other file by a rename on the same volume.
//
//     FreshFileBeside copy(target);
//     copy.Write(bytes, size);
//     copy.Finish();
//     copy.ReplaceTarget();
//
// The target stays the file it was: a link's file is replaced, not the link, and the copy
// takes the target's attributes, creation time, access list, compression, encryption and
// streams before the rename. Other hard links of the target keep the old bytes. Whenever the
// program stops, the target is the whole old file or the whole new one, on every volume whose
// rename replaces a file in one step (NTFS, and the Linux volumes under Wine); on FAT a
// rename over a file is a deletion and a rename, and a crash between the two leaves the new
// file under the copy's name and no file under the target's.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace rt {

// Created with CREATE_NEW, so no existing file is ever opened, emptied or replaced; removed
// again when it goes, unless it has become the target.
class FreshFileBeside {
public:
    // Raises the run-time file error of a target that cannot be resolved, and error 75 for a
    // read-only target, which is never replaced. When the folder takes no new file (the user
    // may change files there but not create them), an existing target is written in place
    // instead: its bytes are collected and written over it by ReplaceTarget, which is then no
    // longer one step.
    explicit FreshFileBeside(const std::wstring& target);
    ~FreshFileBeside();
    FreshFileBeside(const FreshFileBeside&) = delete;
    FreshFileBeside& operator=(const FreshFileBeside&) = delete;

    // Raises the file error of a failed or short write (61 for a full disk).
    void Write(const void* bytes, size_t count);
    // Puts the data on the disk and lets go of the file, so that it can be renamed.
    void Finish();
    // The copy's path; empty when the target is written in place.
    const std::wstring& Path() const { return m_path; }
    // Puts the finished file in the target's place in one step, waiting a moment for a reader
    // that holds the target open. Raises the file error of a failure; the target is then as
    // it was. In place, a full disk is met before any byte of the target changes where the
    // volume can set space aside; otherwise a failed write leaves it part old, part new.
    void ReplaceTarget();

private:
    void Close();
    void ReplaceByRename();
    void WriteInPlace();

    std::wstring m_target;
    std::wstring m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_inPlace = false;
    std::vector<unsigned char> m_bytes;  // in place: the new content, until ReplaceTarget
};

}  // namespace rt

#pragma once
// A new file beside another one, of a name no file had: the place where a whole copy is
// written before it replaces the other file by a rename on the same volume.
//
//     FreshFileBeside copy(target);
//     copy.Write(bytes, size);
//     copy.Finish();
//     copy.ReplaceTarget();
#include <windows.h>

#include <cstddef>
#include <string>

namespace rt {

// Created with CREATE_NEW, so no existing file is ever opened, emptied or replaced; removed
// again when it goes, unless it has become the target.
class FreshFileBeside {
public:
    // Raises the run-time file error when the folder takes no new file.
    explicit FreshFileBeside(const std::wstring& target);
    ~FreshFileBeside();
    FreshFileBeside(const FreshFileBeside&) = delete;
    FreshFileBeside& operator=(const FreshFileBeside&) = delete;

    // Raises the file error of a failed or short write (61 for a full disk).
    void Write(const void* bytes, size_t count);
    // Puts the data on the disk and lets go of the file, so that it can be renamed.
    void Finish();
    const std::wstring& Path() const { return m_path; }
    // Puts the finished file in the target's place in one step, waiting a moment for a reader
    // that holds the target open. Raises the file error of a failure; the target is then as
    // it was.
    void ReplaceTarget();

private:
    void Close();

    std::wstring m_target;
    std::wstring m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

}  // namespace rt

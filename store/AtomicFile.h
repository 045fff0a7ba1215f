#pragma once
// Whole-file reads and crash-safe whole-file writes. A write goes to a temporary file in the
// target's folder, is flushed to disk, and then replaces the target in one rename, so a crash
// at any moment leaves either the old file or the new one, never a mixture.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace store {

// The file's bytes. A missing file raises err::kFileNotFound; one that cannot be opened or
// read err::kCannotOpenFile. A file larger than maxBytes yields only its first maxBytes + 1
// bytes (the caller decides what to say about it).
std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path, std::size_t maxBytes);

// Replaces path's contents with bytes atomically. A read-only target raises err::kReadOnly;
// any failure to write, flush or rename raises err::kDiskError and leaves path untouched.
void ReplaceFileAtomically(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

// For tests: runs after the temporary file is written and flushed, just before the rename,
// with the temporary file's path. A hook that ends the process there is a crash between the
// two steps. An empty function removes the hook.
void SetBeforeReplaceHook(std::function<void(const std::wstring& temporaryPath)> hook);

}  // namespace store

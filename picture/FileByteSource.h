#pragma once
// A file opened for reading as a ByteSource: each read seeks to its offset and reads just the
// bytes asked for, so skipping part of a file costs nothing. A file that cannot be opened is
// an empty source. Counts the bytes read, for the benchmark and the tests.
#include <windows.h>

#include <string>

#include "picture/ByteSource.h"

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const std::wstring& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;

    std::uint64_t BytesRead() const { return m_bytesRead; }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::uint64_t m_size = 0;
    std::uint64_t m_bytesRead = 0;
};

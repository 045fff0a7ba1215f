#include "picture/FileByteSource.h"

#include <limits>

FileByteSource::FileByteSource(const std::wstring& path) {
    // Others may write or delete the file meanwhile (a picture being saved into the folder
    // shown): a read that then comes up short is reported as such, not trusted.
    m_file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(m_file, &size) && size.QuadPart > 0) m_size = static_cast<std::uint64_t>(size.QuadPart);
}

FileByteSource::~FileByteSource() {
    if (IsOpen()) CloseHandle(m_file);
}

bool FileByteSource::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (!IsOpen() || !RangeInside(offset, count, m_size)) return false;
    if (count > std::numeric_limits<DWORD>::max()) return false;
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(m_file, position, nullptr, FILE_BEGIN)) return false;
    DWORD got = 0;
    if (!ReadFile(m_file, out, static_cast<DWORD>(count), &got, nullptr)) return false;
    m_bytesRead += got;
    return got == count;
}

#include "picture/MemoryByteSource.h"

#include <cstring>

bool MemoryByteSource::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (!RangeInside(offset, count, m_size)) return false;
    if (count) std::memcpy(out, m_bytes + offset, count);
    m_bytesRead += count;
    return true;
}

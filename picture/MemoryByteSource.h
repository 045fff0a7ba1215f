#pragma once
// Bytes held in memory as a ByteSource (a buffer the caller keeps alive), counting the bytes
// handed out.
#include <cstdint>
#include <string_view>

#include "picture/ByteSource.h"

class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const void* bytes, std::size_t size)
        : m_bytes(static_cast<const std::uint8_t*>(bytes)), m_size(size) {}
    explicit MemoryByteSource(std::string_view bytes) : MemoryByteSource(bytes.data(), bytes.size()) {}

    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;

    std::uint64_t BytesRead() const { return m_bytesRead; }

private:
    const std::uint8_t* m_bytes;
    std::size_t m_size;
    std::uint64_t m_bytesRead = 0;
};

#pragma once
// Random access to the bytes of a picture, for the header reader. The reader asks only for
// ranges that lie inside Size(), so a source never has to make up bytes past its end.
#include <cstddef>
#include <cstdint>

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The number of bytes; 0 when the bytes cannot be reached at all.
    virtual std::uint64_t Size() const = 0;
    // Copies count bytes from offset into out. False when they cannot all be had (a range
    // past the end included); out is then not to be trusted.
    virtual bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) = 0;
};

// Whether [offset, offset + count) lies inside a source of size bytes, without overflow.
inline bool RangeInside(std::uint64_t offset, std::size_t count, std::uint64_t size) {
    return offset <= size && size - offset >= count;
}

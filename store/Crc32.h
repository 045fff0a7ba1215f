#pragma once
// CRC-32 (the IEEE polynomial of zip and PNG) over byte ranges; the settings file carries one
// to tell a damaged file from a good one.
#include <cstddef>
#include <cstdint>

namespace store {

// Continues crc over data; start with 0.
std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

}  // namespace store

// CRC-32 of PNG chunks (reflected polynomial 0xEDB88320), table driven.
#pragma once
#include <cstddef>
#include <cstdint>

namespace acpng {

// Continues crc over the block: the value is inverted before and after, so
// PngCrc32(0, ...) starts a fresh CRC. A null block yields 0.
uint32_t PngCrc32(uint32_t crc, const void* block, size_t size);

}  // namespace acpng

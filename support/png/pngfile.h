// Reading one PNG file out of a longer byte stream: chunk by chunk, from the
// signature up to and including IEND's CRC, so a picture stored inside a form
// stream or a resource reads its own bytes and nothing that follows it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace acpng {

// Hands out the next bytes of the source in order: fills up to count bytes at
// buffer and returns how many it gave, 0 at the end.
using TPngByteSource = std::function<size_t(uint8_t* buffer, size_t count)>;

// The PNG file's bytes. When the source ends early, or a chunk length is one no
// PNG file can have, reading stops and the bytes read so far are returned: the
// decoder then reports the fault at the place it finds it, and decodes the rows
// that came before it.
std::vector<uint8_t> ReadPngFile(const TPngByteSource& read);

}  // namespace acpng

// fuzz-deps: dozuri_png dozuri_system
// Feeds arbitrary bytes to the PNG decoder: every input must either decode or
// raise the class library's exceptions, never crash, hang or over-allocate.
//
// Chunk CRCs stop almost every mutation at the first chunk, so when the first
// byte of the input is odd the target decodes the rest with every chunk's CRC
// recomputed, which lets the fuzzer reach the header checks, the chunk loop,
// inflate, the filters and the converter.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <zlib.h>

#include "classlib/system/exceptions.h"
#include "support/png/pngreader.h"

namespace {

void FixChunkCrcs(std::vector<uint8_t>& file) {
  size_t pos = 8;
  while (pos + 12 <= file.size()) {
    const uint64_t length =
        uint64_t(file[pos]) << 24 | uint64_t(file[pos + 1]) << 16 | uint64_t(file[pos + 2]) << 8 | file[pos + 3];
    if (pos + 12 + length > file.size()) return;
    const uint32_t crc = uint32_t(crc32(0, file.data() + pos + 4, uInt(length + 4)));
    uint8_t* stored = file.data() + pos + 8 + length;
    for (int i = 0; i < 4; ++i) stored[i] = uint8_t(crc >> (24 - 8 * i));
    pos += 12 + size_t(length);
  }
}

void Decode(const uint8_t* data, size_t size) {
  acpng::TPngReader reader;
  acpng::TPngImage image;
  try {
    const size_t used = reader.LoadFromMemory(data, size, image);
    if (used > size || size_t(image.Height) * image.Stride != image.Pixels.size()) __builtin_trap();
  } catch (const Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) {
    std::vector<uint8_t> file(data + 1, data + size);
    FixChunkCrcs(file);
    Decode(file.data(), file.size());
  } else {
    Decode(data + 1, size - 1);
  }
  return 0;
}

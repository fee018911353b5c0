#include "support/png/pngfile.h"

#include <algorithm>

namespace acpng {
namespace {

constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;
// Bytes asked for at once: a chunk length is only believed as far as the
// source really holds bytes, so a damaged length cannot allocate gigabytes.
constexpr size_t kReadBlock = 65536;

// Appends count bytes from the source to out; false when the source ends first.
bool Append(const TPngByteSource& read, std::vector<uint8_t>& out, uint64_t count) {
  while (count > 0) {
    const size_t want = size_t(std::min<uint64_t>(count, kReadBlock));
    const size_t old = out.size();
    out.resize(old + want);
    const size_t got = read(out.data() + old, want);
    out.resize(old + std::min(got, want));
    if (got < want) return false;
    count -= want;
  }
  return true;
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// IEND in any letter case, as the decoder compares chunk types.
bool IsEnd(const uint8_t* type) {
  const char name[4] = {'I', 'E', 'N', 'D'};
  for (int i = 0; i < 4; ++i)
    if ((type[i] & ~0x20) != name[i]) return false;
  return true;
}

}  // namespace

std::vector<uint8_t> ReadPngFile(const TPngByteSource& read) {
  std::vector<uint8_t> file;
  static const uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  // Bytes that are no PNG file end the reading at once: the decoder rejects them.
  if (!Append(read, file, 8) || !std::equal(file.begin(), file.end(), kSignature)) return file;
  for (;;) {
    const size_t header = file.size();
    if (!Append(read, file, 8)) return file;
    const uint32_t length = BigEndian32(file.data() + header);
    if (length > kMaxChunkLength) return file;
    const bool last = IsEnd(file.data() + header + 4);
    if (!Append(read, file, uint64_t(length) + 4) || last) return file;
  }
}

}  // namespace acpng

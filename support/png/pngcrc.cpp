#include "support/png/pngcrc.h"

#include <array>

namespace acpng {
namespace {

// Eight tables so that the loop takes eight bytes per turn; table 0 is the
// classic byte-wise table.
struct CrcTables {
  std::array<std::array<uint32_t, 256>, 8> t;

  CrcTables() {
    // x^32 + x^26 + x^23 + x^22 + x^16 + x^12 + x^11 + x^10 + x^8 + x^7 + x^5 + x^4 + x^2 + x + 1, reflected.
    static const int kExponents[] = {0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16, 22, 23, 26};
    uint32_t poly = 0;
    for (int e : kExponents) poly |= 1u << (31 - e);
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? poly ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
      for (size_t k = 1; k < 8; ++k) t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
  }
};

const CrcTables& Tables() {
  static const CrcTables tables;
  return tables;
}

}  // namespace

uint32_t PngCrc32(uint32_t crc, const void* block, size_t size) {
  if (!block) return 0;
  const auto& t = Tables().t;
  const uint8_t* p = static_cast<const uint8_t*>(block);
  crc = ~crc;
  for (; size >= 8; size -= 8, p += 8) {
    const uint32_t lo = crc ^ (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^ t[3][p[4]] ^
          t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; size > 0; --size, ++p) crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

}  // namespace acpng

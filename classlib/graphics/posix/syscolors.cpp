// System colours of the classic Windows scheme, for the native build, which
// has no colour scheme to ask.
#include <iterator>

#include "classlib/graphics/colors.h"

TColor SystemColorRGB(int index) {
  static constexpr TColor kClassic[] = {
      0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
      0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0,
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
      0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};
  if (index < 0 || index >= static_cast<int>(std::size(kClassic)))
    return 0;
  return kClassic[index];
}

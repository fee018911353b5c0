// System colours from the current Windows colour scheme.
#include <windows.h>

#include "classlib/graphics/colors.h"

TColor SystemColorRGB(int index) {
  return static_cast<TColor>(GetSysColor(index));
}

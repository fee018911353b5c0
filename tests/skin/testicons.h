// ICO files made in the tests, for image lists read from streams.
// Header-only, for the Windows tests.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/icon.h"
#include "skin/core/skinbitmaps.h"

// A one-image 32-bit ICO file of Size x Size: an opaque square of Colour
// from Size / 4 to 3 * Size / 4, fully transparent around it.
inline std::vector<std::uint8_t> TestIcoFile(int Size, TColor Colour) {
  std::unique_ptr<TBitmap> colour(CreateBitmap32(Size, Size));
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(Size, Size);
  for (int y = 0; y < Size; ++y) {
    auto* c = static_cast<std::uint8_t*>(colour->ScanLine(y));
    auto* m = static_cast<std::uint8_t*>(mask.ScanLine(y));
    for (int x = 0; x < Size; ++x) {
      const bool inside = x >= Size / 4 && x < 3 * Size / 4 && y >= Size / 4 && y < 3 * Size / 4;
      const std::uint8_t pixel[4] = {static_cast<std::uint8_t>(Colour >> 16), static_cast<std::uint8_t>(Colour >> 8),
                                     static_cast<std::uint8_t>(Colour), 255};
      for (int i = 0; i < 4; ++i)
        c[x * 4 + i] = inside ? pixel[i] : 0;
      if (inside)
        m[x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
      else
        m[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  ICONINFO info{TRUE, 0, 0, mask.Handle(), colour->Handle()};
  TIcon icon;
  icon.SetHandle(CreateIconIndirect(&info));
  TMemoryStream file;
  icon.SaveToStream(file);
  const auto* bytes = static_cast<const std::uint8_t*>(file.Memory());
  return std::vector<std::uint8_t>(bytes, bytes + file.Size());
}

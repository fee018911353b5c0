// Image files through the Windows Imaging Component: decoding any format it
// knows into a bitmap, encoding a bitmap as JPEG or GIF.
#pragma once
#include <cstdint>
#include <vector>

class TBitmap;

// Decodes the first frame into a 32-bit bitmap. EInvalidGraphic when WIC
// cannot read the bytes.
void WicDecode(const std::vector<std::uint8_t>& bytes, TBitmap& into);

// quality 1..100.
std::vector<std::uint8_t> WicEncodeJpeg(TBitmap& bitmap, int quality);

// An 8-bit GIF: the image's own colours when it has at most 256, otherwise
// the nearest colours of a fixed 256-colour table.
std::vector<std::uint8_t> WicEncodeGif(TBitmap& bitmap);

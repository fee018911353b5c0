// 32-bit images of image lists, and button glyphs drawn from them: the
// alpha path for an alpha image list, the list's own drawing for others.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/imagelist.h"

// The colour and mask bitmaps of an icon, released with the object.
class TIconPieces {
public:
  explicit TIconPieces(HICON Icon);
  ~TIconPieces();
  TIconPieces(const TIconPieces&) = delete;
  TIconPieces& operator=(const TIconPieces&) = delete;

  HBITMAP Mask() const { return info_.hbmMask; }
  // The colour bitmap read into Target as a 32-bit bitmap of the icon's
  // size; false for an icon without one.
  bool Colour32(TBitmap& Target) const;

private:
  ICONINFO info_{};
};

// Image Index of List as a 32-bit bitmap. An alpha list's PNG item is
// decoded from its data (resampled with the Mitchell filter to Bitmap's size
// when the list has another size); anything else comes from the system
// list's icon. False without a handle, without Bitmap, for an Index outside
// the list or when the image cannot be obtained (a damaged PNG item).
bool GetImageListBitmap32(TImageList* List, int Index, TBitmap* Bitmap);
// A 32-bit bitmap whose alpha bytes are all 0 gets alpha 255 on every pixel
// whose colour is not that of its bottom-left pixel. Any non-zero alpha
// leaves it unchanged, as does a bitmap of another format.
void MakeAlphaFromCornerKey(TBitmap* Bitmap);

// Draws column State (held to 0 .. NumGlyphs - 1) of image ImageIndex, the
// list's width divided into NumGlyphs columns, onto the 24-bit Bmp at
// (X, Y); Size becomes the column's size. An alpha list draws with the
// image's alpha, faded by Blend percent, tinted unless TintColor is kNoTint
// and reflected below with Reflected. Nothing for a Bmp of width 0, a list
// without a handle or a NumGlyphs below 1 (Size then 0 x 0).
void DrawImageListGlyph(TImageList* List, TBitmap* Bmp, int X, SIZE& Size, bool Reflected, int NumGlyphs, int State,
                        TColor TintColor, int Blend, int ImageIndex, int Y);
// The same onto a device context, through a bitmap of the list's width and
// height (and half the height more when Reflected) taken from DC at (X, Y).
void DrawImageListGlyphDC(TImageList* List, HDC DC, int X, bool Reflected, int NumGlyphs, int State, TColor TintColor,
                          int Blend, int ImageIndex, int Y);

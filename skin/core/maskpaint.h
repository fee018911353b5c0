// The pixel rules of skin images on pixel views: the border widths of a
// 3 x 3 cut fitted to a rectangle, the state cell of an image, keyed copies
// (clFuchsia pixels are transparent), masked copies (a mask of the same size
// below the picture gives each channel's opacity) and the transparent runs
// of an image's corners. Portable: no Win32.
#pragma once
#include <algorithm>
#include <vector>

#include "skin/core/alphablend.h"
#include "skin/core/pixelview.h"

// A skin image as the painters see it: the bitmap that holds it, its
// rectangle there, its state columns, its kind and its border widths.
struct TMaskImage {
  TPixelView Bitmap;
  TPixelRect R;
  int ImageCount = 1;
  int MaskType = 0;  // 0 keyed by clFuchsia, 1 or more masked
  int StretchMode = 0;
  int WL = 0, WT = 0, WR = 0, WB = 0;

  int FrameWidth() const { return ImageCount == 0 ? 0 : (R.right - R.left) / ImageCount; }
  int FrameHeight() const { return MaskType == -1 ? 0 : (R.bottom - R.top) / (MaskType + 1); }
  // The left edge of the cell of a state.
  int CellLeft(int State) const;
};

// Fits two border widths to a size: when they exceed it, half the excess is
// taken from both, the second loses one more for an odd size, and neither
// stays negative.
void FitBorderWidths(int& First, int& Second, int Size);

// The masked pixel rule: ((d - p) * m + p * 256) >> 8, clamped to a byte.
inline int MaskedPixel(int d, int p, int m) { return std::clamp(((d - p) * m + p * 256) >> 8, 0, 255); }

// Copies the pixels of the inclusive rectangle SR of S that are not Key to
// (X, Y) of D; both 24-bit. Parts outside either bitmap are skipped.
void CopyPlainKeyed(const TPixelView& D, const TPixelView& S, int X, int Y, TColor Key, TPixelRect SR);
// The keyed piece copy: key pixels take the background (CB with a
// background bitmap), stay (a Ready background) or get its fill colour.
void CopyKeyedPiece(const TPixelView& D, const TPixelView& S, int X, int Y, bool CB, const TPixelBackground& Src,
                    TColor Key, TPixelRect SR);
// Copies the cell of Image for State at P of B through its mask (or keyed,
// for MaskType 0); with Faint each mask byte m counts as min(255, m + 100).
void CopyMaskedGlyph(const TPixelView& B, TPixelPoint P, int State, const TMaskImage& Image, bool Faint);
// One rectangle per run of clFuchsia pixels in the left and right corners
// (top WT rows, or with Bottom the WB bottom rows) of the first cell, the
// right ones moved to the right edge of a window Width wide.
void CollectMaskTransparentRects(std::vector<TPixelRect>& A, int Width, const TMaskImage& Image, bool Bottom,
                                 int Y0);

// The masked piece copy: the w x h block at (SX, SY) of S to (X, Y) of D by
// the masked pixel rule, the mask MaskOffset rows below; clFuchsia pixels
// take the background (CB with a background bitmap), its fill colour (CB
// without one) or are left alone.
void CopyMaskedPiece(const TPixelView& D, int X, int Y, const TPixelView& S, int SX, int SY, int W, int H,
                     int MaskOffset, bool CB, const TPixelBackground& Src);
// The masked cell copy of pattern tiling: the picture at SR of S (the
// master bitmap) through the mask half SR's height below it onto DR of the
// 24-bit D, rows and columns limited by both rectangles and bitmaps, a
// negative origin dropping the same rows or columns on both sides.
// clFuchsia pixels take the background bitmap's pixel at (Src.X + x,
// Src.Y + y), or without one Src.FillColor unless that is clFuchsia too.
void CopyMaskedCell(TPixelRect DR, TPixelRect SR, const TPixelView& D, const TPixelView& S,
                    const TPixelBackground& Src);
// Lays the cell of Image for State over R of B cut into nine pieces: the
// corners keyed or masked, the edges and (with FC and StretchMode bit 4) the
// centre tiled, or for keyed images with StretchMode bit 1 stretched. With
// StretchMode bit 2 nothing is drawn in state 0.
void DrawMaskRect(const TPixelView& B, const TPixelRect& R, bool FC, bool CB, int State, const TMaskImage& Image,
                  const TPixelBackground& Src);

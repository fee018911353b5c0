// Alpha and keyed drawing on pixel views: constant-factor blends of a bitmap
// or a colour, tinting through a mask, drawing through a mask or a per-pixel
// alpha channel (faded, tinted and reflected), keyed copies, the two-bitmap
// mix of animated showing, channel copies and the column choice of glyph
// strips. Portable: no Win32.
//
// M(a, b, w) = ((a - b) * w + b * 256) >> 8 mixes two channel bytes with a
// weight 0..255 (0 gives b).
#pragma once
#include <cstdint>

#include "classlib/graphics/colors.h"
#include "skin/core/pixelview.h"

// Where the pixels behind a transparent pixel come from: a bitmap read at
// (X + x, Y + y) for destination pixel (x, y), or else FillColor.
struct TPixelBackground {
  TPixelView Bitmap;
  int X = 0;
  int Y = 0;
  TColor FillColor = 0;
  bool Ready = false;
};

// No tint for DrawAlphaBitmap.
constexpr TColor kNoTint = 0x1FFFFFFF;

inline int MixBytes(int a, int b, int w) { return ((a - b) * w + b * 256) >> 8; }

// Each drawn channel becomes Round(s - Factor * (s - d)); SR is inclusive;
// source pixels matching Key are skipped (a Key with top byte 0xFF keys
// nothing). A 32-bit destination takes a 24-bit source and keeps its alpha.
void BlendBitmapRect(const TPixelView& Dst, int X, int Y, const TPixelView& Src, TPixelRect SR, double Factor,
                     TColor Key);
// Every pixel not matching Key becomes Factor * pixel + (1 - Factor) * Color.
void BlendBitmapColor(const TPixelView& B, TColor Color, TColor Key, double Factor);
// Each channel c of a 24-bit B becomes M(c, Color's channel, mask byte); both
// bitmaps of the same size.
void TintThroughMask(const TPixelView& B, const TPixelView& Mask, TColor Color);
// Draws SR of Src at DR of Dst through the mask in Src's lower half (24-bit
// source: white keeps the destination) or through its alpha (32-bit).
void BlendThroughMask(TPixelRect DR, TPixelRect SR, const TPixelView& Dst, const TPixelView& Src,
                      const TPixelBackground& Bg, bool UseBackground);
// Draws a 32-bit image with per-pixel alpha onto a 24-bit bitmap, faded by
// Percent, tinted unless TintColor is kNoTint, and reflected below it.
void DrawAlphaBitmap(TPixelRect DR, TPixelRect SR, const TPixelView& Dst, const TPixelView& Src,
                     const TPixelBackground& Bg, bool UseBackground, TColor TintColor, int Percent, bool Reflect);
// Copies the pixels of a 24-bit Src that do not match Key to (X, Y).
void CopyBitmapKeyed(const TPixelView& Dst, const TPixelView& Src, int X, int Y, TColor Key);
// D (32-bit, at least as large) gets M(a, b, Weight), or M(a, b, mask byte)
// with a mask, from the 24-bit A and B of the same size.
void MixBitmapsInto32(const TPixelView& D, const TPixelView& A, const TPixelView& B, const TPixelView* Mask,
                      int Weight);
// Copies byte I of every 32-bit pixel into an 8-bit bitmap, or back.
void CopyPixelChannel(const TPixelView& Bmp32, const TPixelView& Bmp8, int I, bool ToBmp8);

// Makes every multi-column glyph use the columns of a 16-colour one. Off.
extern bool ClassicGlyphColumns;
// The column of a glyph strip drawn for a state (0 normal, 1 hot, 2 pressed).
int GlyphColumn(int NumGlyphs, bool Enabled, int State, bool Down, bool SixteenColour);

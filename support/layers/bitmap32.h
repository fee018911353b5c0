// TBitmap32: a 32-bit ARGB pixel buffer (0xAARRGGBB, top row first) with a
// font, anti-aliased text and the blending it is drawn with onto another
// bitmap: opaque, or blended by each pixel's alpha times MasterAlpha.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/graphics/font.h"
#include "classlib/system/ansistring.h"

using TColor32 = std::uint32_t;

enum TDrawMode { dmOpaque, dmBlend };

class TBitmap;

class TBitmap32 {
public:
  TBitmap32();
  ~TBitmap32();
  TBitmap32(const TBitmap32&) = delete;
  TBitmap32& operator=(const TBitmap32&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Resizes; every pixel becomes transparent black.
  void SetSize(int Width, int Height);
  void Clear(TColor32 Color);
  TColor32 Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TColor32 Color);
  const TColor32* Bits() const { return pixels_.data(); }
  // The pixels of a picture, each opaque.
  void Assign(TBitmap& Source);

  TFont* Font() const { return font_.get(); }
  TDrawMode DrawMode() const { return drawMode_; }
  void SetDrawMode(TDrawMode Value) { drawMode_ = Value; }
  unsigned MasterAlpha() const { return masterAlpha_; }
  void SetMasterAlpha(unsigned Value) { masterAlpha_ = Value > 255 ? 255 : Value; }

  // The width in pixels of the text in the bitmap's font.
  int TextWidth(const AnsiString& Text) const;
  // Draws the text with its top-left corner at (X, Y), blended over the
  // pixels there; AALevel n renders at 2^n times the size and averages the
  // coverage down (0: no smoothing). What falls outside is cut.
  void RenderText(int X, int Y, const AnsiString& Text, int AALevel, TColor32 Color);

  // Draws this bitmap onto Target with its top-left corner at (Left, Top),
  // one pixel for one, by DrawMode and MasterAlpha.
  void DrawTo(TBitmap32& Target, int Left, int Top) const;

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TColor32> pixels_;
  std::unique_ptr<TFont> font_;
  TDrawMode drawMode_ = dmOpaque;
  unsigned masterAlpha_ = 255;
};

// Source laid over Target by its alpha scaled by Alpha (0-255): the usual
// "over" rule, so an opaque result stays opaque.
TColor32 BlendColor32(TColor32 Source, TColor32 Target, unsigned Alpha);

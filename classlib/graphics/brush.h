// TBrush: the fill of a canvas: a solid colour, a hatch, a pattern bitmap
// or nothing (bsClear).
#pragma once
#include "classlib/classes/typinfo.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/graphicsobject.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
DOZURI_ENUM(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross",
            "bsDiagCross");

class TBrush : public TGraphicsObject {
  DECLARE_CLASS(TBrush, TGraphicsObject)

public:
  TBrush() = default;

  void Assign(TPersistent* Source) override;

  HBRUSH Handle() { return static_cast<HBRUSH>(HandleObject()); }
  void SetHandle(HBRUSH brush);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);
  // The pattern bitmap, not owned; nullptr for none. Its handle is used
  // while the brush exists, so it must outlive the brush's use.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* value);

protected:
  HGDIOBJ CreateHandle() override;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
};

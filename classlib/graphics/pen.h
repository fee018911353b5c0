// TPen: colour, width, style and the raster mode a canvas draws lines with.
#pragma once
#include "classlib/classes/typinfo.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/graphicsobject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
DOZURI_ENUM(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame");
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
DOZURI_ENUM(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
            "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor");

// The SetROP2 code of a pen mode.
int PenModeToROP2(TPenMode mode);

class TPen : public TGraphicsObject {
  DECLARE_CLASS(TPen, TGraphicsObject)

public:
  TPen() = default;

  void Assign(TPersistent* Source) override;

  HPEN Handle() { return static_cast<HPEN>(HandleObject()); }
  void SetHandle(HPEN pen);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  // Not part of the GDI pen: the canvas applies it with SetROP2.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);

protected:
  HGDIOBJ CreateHandle() override;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

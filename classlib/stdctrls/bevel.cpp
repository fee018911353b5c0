#include "classlib/stdctrls/bevel.h"

BEGIN_PUBLISHED(TBevel)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(Shape, Shape, SetShape).Default(bsBox),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Style, Style, SetStyle).Default(bsLowered),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
END_PUBLISHED

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = FControlStyle + TControlStyle{csReplicatable};
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  if (FShape == Value)
    return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (FStyle == Value)
    return;
  FStyle = Value;
  Invalidate();
}

// A lowered bevel has its shadow at the top and left, a raised one at the
// bottom and right; a frame is a box drawn twice, one pixel apart.
void TBevel::Paint() {
  TCanvas& canvas = *Canvas();
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  canvas.Pen().SetWidth(1);
  auto line = [&](TColor colour, int x1, int y1, int x2, int y2) {
    canvas.Pen().SetColor(colour);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  };
  auto box = [&](int x, int y, int bw, int bh, TColor topLeft, TColor bottomRight) {
    line(topLeft, x, y + bh - 1, x, y);
    line(topLeft, x, y, x + bw - 1, y);
    line(bottomRight, x + bw - 1, y, x + bw - 1, y + bh - 1);
    line(bottomRight, x + bw - 1, y + bh - 1, x - 1, y + bh - 1);
  };
  switch (FShape) {
    case bsBox: box(0, 0, w, h, first, second); break;
    case bsFrame:
      box(1, 1, w - 1, h - 1, second, second);
      box(0, 0, w - 1, h - 1, first, first);
      break;
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

#include "classlib/stdctrls/shape.h"

#include <algorithm>

BEGIN_PUBLISHED(TShape)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Brush, Brush, SetBrush),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(Pen, Pen, SetPen),
  PROPERTY(Shape, Shape, SetShape).Default(stRectangle),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FControlStyle = FControlStyle + TControlStyle{csReplicatable};
  SetBounds(0, 0, 65, 65);
  FPen->OnChange = [this](TObject*) { Invalidate(); };
  FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TShape::SetShape(TShapeType Value) {
  if (FShape == Value)
    return;
  FShape = Value;
  Invalidate();
}

TRect TShape::ShapeRect() const {
  int inset = FPen->Width() / 2;
  int x = inset, y = inset;
  int w = Width() - FPen->Width() + 1, h = Height() - FPen->Width() + 1;
  if (FPen->Width() == 0) {
    --w;
    --h;
  }
  if (w < h && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
    y += (h - w) / 2;
    h = w;
  } else if (h < w && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
    x += (w - h) / 2;
    w = h;
  }
  return Bounds(x, y, w, h);
}

void TShape::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.SetPen(*FPen);
  canvas.SetBrush(*FBrush);
  TRect r = ShapeRect();
  int corner = std::min(r.right - r.left, r.bottom - r.top) / 4;
  switch (FShape) {
    case stRectangle:
    case stSquare: canvas.Rectangle(r); break;
    case stRoundRect:
    case stRoundSquare: canvas.RoundRect(r.left, r.top, r.right, r.bottom, corner, corner); break;
    case stEllipse:
    case stCircle: canvas.Ellipse(r); break;
  }
}

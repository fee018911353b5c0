// A shape (rectangle, square, rounded, ellipse, circle) outlined with Pen
// and filled with Brush, painted by the parent. Squares and circles take
// the smaller side, centred.
#pragma once
#include <memory>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/graphics/brush.h"
#include "classlib/graphics/pen.h"

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
DOZURI_ENUM(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle");

class TShape : public TGraphicControl {
  DECLARE_CLASS(TShape, TGraphicControl)

public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;

  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  // The rectangle the shape fills, inside the pen (client coordinates).
  TRect ShapeRect() const;

protected:
  void Paint() override;

private:
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TShapeType FShape = stRectangle;
};

// TQRShape: a rectangle, ellipse, rounded rectangle or lines drawn with a
// pen and a brush, on the design surface in control pixels and on the
// report's page in device pixels converted from its size in 0.1 mm.
#pragma once
#include <memory>

#include "classlib/graphics/brush.h"
#include "classlib/graphics/pen.h"
#include "reportengine/report/qrprintable.h"

class IQRExportFilter;

enum TQRShapeType {
  qrsRectangle,
  qrsCircle,
  qrsVertLine,
  qrsHorLine,
  qrsTopAndBottom,
  qrsRightAndLeft,
  qrsRoundRect
};
DOZURI_ENUM(TQRShapeType, "qrsRectangle", "qrsCircle", "qrsVertLine", "qrsHorLine", "qrsTopAndBottom",
            "qrsRightAndLeft", "qrsRoundRect");

class TQRShape : public TQRPrintable {
  DECLARE_CLASS(TQRShape, TQRPrintable)

public:
  explicit TQRShape(TComponent* AOwner);
  ~TQRShape() override;

  // Hands the shape to an export filter, or draws it on the run's page.
  // A shape prints no frame.
  void Print(int OfsX, int OfsY) override;

  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TQRShapeType Shape() const { return FShape; }
  void SetShape(TQRShapeType Value);
  float RoundFactor() const { return FRoundFactor; }
  void SetRoundFactor(float Value);
  // Kept with the layout; drawing does not use it.
  int VertAdjust() const { return FVertAdjust; }
  void SetVertAdjust(int Value) { FVertAdjust = Value; }
  // The corner size of a rounded rectangle: the design width times
  // RoundFactor, truncated; the same number of device pixels on the page.
  int CornerSize() const;

protected:
  void Paint() override;

private:
  // Width and Height published with the shape's default of 65.
  int GetWidthProp() const { return Width(); }
  void SetWidthProp(int Value) { SetWidth(Value); }
  int GetHeightProp() const { return Height(); }
  void SetHeightProp(int Value) { SetHeight(Value); }
  // The shape's box and middle in device pixels.
  struct TGeometry {
    RECT Box;
    POINT Middle;
  };
  TGeometry PageGeometry(int OfsX, int OfsY);
  void DrawOnPage(TCanvas& Canvas, const TGeometry& Geometry);
  void HandToFilter(IQRExportFilter& Filter, int OfsX, int OfsY);

  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  TQRShapeType FShape = qrsRectangle;
  float FRoundFactor = 0;
  int FVertAdjust = 0;
};

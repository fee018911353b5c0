#include "reportengine/printables/qrshape.h"

#include "classlib/graphics/canvas.h"
#include "reportengine/printables/qrgraphicexport.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrbasepanel.h"

BEGIN_PUBLISHED(TQRShape)
  PROPERTY(Brush, Brush, SetBrush),
  PROPERTY(Height, GetHeightProp, SetHeightProp).Default(65),
  PROPERTY(Pen, Pen, SetPen),
  PROPERTY(Shape, Shape, SetShape),
  PROPERTY(Width, GetWidthProp, SetWidthProp).Default(65),
  PROPERTY(RoundFactor, RoundFactor, SetRoundFactor),
  PROPERTY(VertAdjust, VertAdjust, SetVertAdjust),
END_PUBLISHED

TQRShape::TQRShape(TComponent* AOwner)
    : TQRPrintable(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  SetBounds(Left(), Top(), 65, 65);
  FPen->OnChange = [this](TObject*) { Invalidate(); };
  FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

TQRShape::~TQRShape() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TQRShape::SetShape(TQRShapeType Value) {
  if (FShape == Value)
    return;
  FShape = Value;
  Invalidate();
}

void TQRShape::SetRoundFactor(float Value) {
  if (FRoundFactor == Value)
    return;
  FRoundFactor = Value;
  Invalidate();
}

int TQRShape::CornerSize() const { return static_cast<int>(Width() * FRoundFactor); }

void TQRShape::Paint() {
  TQRPrintable::Paint();
  if (IsPrinting())
    return;
  TCanvas& canvas = *Canvas();
  canvas.SetPen(*FPen);
  canvas.SetBrush(*FBrush);
  int w = Width(), h = Height();
  switch (FShape) {
    case qrsRectangle:
      canvas.Rectangle(0, 0, w, h);
      break;
    case qrsCircle:
      canvas.Ellipse(0, 0, w, h);
      break;
    case qrsVertLine:
      canvas.MoveTo(w / 2, 0);
      canvas.LineTo(w / 2, h);
      break;
    case qrsHorLine:
      canvas.MoveTo(0, h / 2);
      canvas.LineTo(w, h / 2);
      break;
    case qrsTopAndBottom:
      canvas.MoveTo(0, 0);
      canvas.LineTo(w, 0);
      canvas.MoveTo(0, h - 1);
      canvas.LineTo(w, h - 1);
      break;
    case qrsRightAndLeft:
      canvas.MoveTo(0, 0);
      canvas.LineTo(0, h);
      canvas.MoveTo(w - 1, 0);
      canvas.LineTo(w - 1, h);
      break;
    case qrsRoundRect:
      canvas.RoundRect(0, 0, w, h, CornerSize(), CornerSize());
      break;
  }
}

void TQRShape::Print(int OfsX, int OfsY) {
  TQRBasePanel* report = ParentReport();
  TQRPrinter* printer = QRPrinter();
  if (report == nullptr || printer == nullptr || !ShouldPrint())
    return;
  long double left = OfsX + Size()->NativeValue(TQRPrintableSize::LeftIndex);
  long double top = OfsY + Size()->NativeValue(TQRPrintableSize::TopIndex);
  if (IQRGraphicExport* filter = QRGraphicExportOf(*this)) {
    filter->AcceptShape(*this, printer->DeviceX(left), printer->DeviceY(top));
    return;
  }
  if (report->UsesPrinterPages())
    DrawOnPage(printer->CurrentCanvas(), OfsX, OfsY);
}

// The geometry in 0.1 mm, each edge converted by the printer object, so a
// line in the middle falls where the middle of the size falls.
void TQRShape::DrawOnPage(TCanvas& Canvas, int OfsX, int OfsY) {
  TQRPrinter& printer = *QRPrinter();
  long double left = OfsX + Size()->NativeValue(TQRPrintableSize::LeftIndex);
  long double top = OfsY + Size()->NativeValue(TQRPrintableSize::TopIndex);
  long double width = Size()->NativeValue(TQRPrintableSize::WidthIndex);
  long double height = Size()->NativeValue(TQRPrintableSize::HeightIndex);
  int x1 = printer.DeviceX(left), y1 = printer.DeviceY(top);
  int x2 = printer.DeviceX(left + width), y2 = printer.DeviceY(top + height);
  Canvas.SetBrush(*FBrush);
  Canvas.SetPen(*FPen);
  switch (FShape) {
    case qrsRectangle:
      Canvas.Rectangle(x1, y1, x2, y2);
      break;
    case qrsCircle:
      Canvas.Ellipse(x1, y1, x2, y2);
      break;
    case qrsVertLine: {
      int x = printer.DeviceX(left + width / 2);
      Canvas.MoveTo(x, y1);
      Canvas.LineTo(x, y2);
      break;
    }
    case qrsHorLine: {
      int y = printer.DeviceY(top + height / 2);
      Canvas.MoveTo(x1, y);
      Canvas.LineTo(x2, y);
      break;
    }
    case qrsTopAndBottom:
      Canvas.MoveTo(x1, y1);
      Canvas.LineTo(x2, y1);
      Canvas.MoveTo(x1, y2);
      Canvas.LineTo(x2, y2);
      break;
    case qrsRightAndLeft:
      Canvas.MoveTo(x1, y1);
      Canvas.LineTo(x1, y2);
      Canvas.MoveTo(x2, y1);
      Canvas.LineTo(x2, y2);
      break;
    case qrsRoundRect:
      Canvas.RoundRect(x1, y1, x2, y2, CornerSize(), CornerSize());
      break;
  }
}

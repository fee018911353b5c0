#include "reportengine/printables/qrshape.h"

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/metafile.h"
#include "reportengine/printables/qrprintableexport.h"
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
  if (IQRExportFilter* filter = QRExportFilterOf(*this)) {
    HandToFilter(*filter, OfsX, OfsY);
    return;
  }
  if (report->UsesPrinterPages())
    DrawOnPage(printer->CurrentCanvas(), PageGeometry(OfsX, OfsY));
}

// The geometry in 0.1 mm, each edge converted by the printer object, so a
// line in the middle falls where the middle of the size falls.
TQRShape::TGeometry TQRShape::PageGeometry(int OfsX, int OfsY) {
  TQRPrinter& printer = *QRPrinter();
  long double left = OfsX + Size()->NativeValue(TQRPrintableSize::LeftIndex);
  long double top = OfsY + Size()->NativeValue(TQRPrintableSize::TopIndex);
  long double width = Size()->NativeValue(TQRPrintableSize::WidthIndex);
  long double height = Size()->NativeValue(TQRPrintableSize::HeightIndex);
  return TGeometry{RECT{printer.DeviceX(left), printer.DeviceY(top), printer.DeviceX(left + width),
                        printer.DeviceY(top + height)},
                   POINT{printer.DeviceX(left + width / 2), printer.DeviceY(top + height / 2)}};
}

// The filter gets the shape as a picture of its own size in device pixels,
// drawn as it would be on the page.
void TQRShape::HandToFilter(IQRExportFilter& Filter, int OfsX, int OfsY) {
  TGeometry geometry = PageGeometry(OfsX, OfsY);
  const RECT& box = geometry.Box;
  TGeometry local{RECT{0, 0, box.right - box.left, box.bottom - box.top},
                  POINT{geometry.Middle.x - box.left, geometry.Middle.y - box.top}};
  TMetafile picture;
  picture.SetWidth(local.Box.right + 1);
  picture.SetHeight(local.Box.bottom + 1);
  {
    TMetafileCanvas canvas(&picture, nullptr);
    DrawOnPage(canvas, local);
  }
  Filter.AcceptGraphic(OfsX + Size()->NativeValue(TQRPrintableSize::LeftIndex),
                       OfsY + Size()->NativeValue(TQRPrintableSize::TopIndex), &picture);
}

void TQRShape::DrawOnPage(TCanvas& Canvas, const TGeometry& Geometry) {
  int x1 = Geometry.Box.left, y1 = Geometry.Box.top, x2 = Geometry.Box.right, y2 = Geometry.Box.bottom;
  Canvas.SetBrush(*FBrush);
  Canvas.SetPen(*FPen);
  switch (FShape) {
    case qrsRectangle:
      Canvas.Rectangle(x1, y1, x2, y2);
      break;
    case qrsCircle:
      Canvas.Ellipse(x1, y1, x2, y2);
      break;
    case qrsVertLine:
      Canvas.MoveTo(Geometry.Middle.x, y1);
      Canvas.LineTo(Geometry.Middle.x, y2);
      break;
    case qrsHorLine:
      Canvas.MoveTo(x1, Geometry.Middle.y);
      Canvas.LineTo(x2, Geometry.Middle.y);
      break;
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

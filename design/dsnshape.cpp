#include "design/dsnshape.h"

#include "classlib/controls/wincontrol.h"

// ---- TFundamentalShape ---------------------------------------------------------------
void TFundamentalShape::PreparePen() {
  TPen& pen = FCanvas.Pen();
  pen.SetMode(pmXor);
  pen.SetWidth(PenWidth);
  pen.SetStyle(PenStyle);
}

// Four lines: the top edge from left to right, the right edge, the bottom
// edge from right to left and the left edge.
void TFundamentalShape::Draw(const TRect& Rect) {
  FCanvas.MoveTo(Rect.left, Rect.top);
  FCanvas.LineTo(Rect.right, Rect.top);
  FCanvas.LineTo(Rect.right, Rect.bottom);
  FCanvas.LineTo(Rect.left, Rect.bottom);
  FCanvas.LineTo(Rect.left, Rect.top);
}

void TFundamentalShape::DrawAt(int X, int Y) {
  if (FState == Hidden)
    return;
  PreparePen();
  if (FState == Drawn)
    Draw(FLastRect);
  FCanvas.Pen().SetColor(Color);
  const int left = X + Offset.x;
  const int top = Y + Offset.y;
  FLastRect = TRect{left, top, left + Width, top + Height};
  Draw(FLastRect);
  FState = Drawn;
}

void TFundamentalShape::Hide() {
  if (FState == Drawn) {
    PreparePen();
    Draw(FLastRect);
  }
  FState = Hidden;
}

// ---- TMultiShape ----------------------------------------------------------------------
TMultiShape::TMultiShape() : FScreen(GetDC(nullptr)) {
  FCanvas = std::make_unique<TCanvas>(FScreen, TCanvasOwnership::Borrows);
}

TMultiShape::~TMultiShape() {
  Hide();
  FShapes.clear();
  FCanvas.reset();
  if (FScreen != nullptr)
    ReleaseDC(nullptr, FScreen);
}

TFundamentalShape* TMultiShape::CreateControlShape() { return new TFundamentalShape(*FCanvas); }

TFundamentalShape* TMultiShape::CreateFrameShape() { return new TFundamentalShape(*FCanvas); }

TFundamentalShape* TMultiShape::AddShape(TFundamentalShape* Shape) {
  Shape->Color = Color;
  Shape->PenWidth = PenWidth;
  Shape->PenStyle = PenStyle;
  FShapes.emplace_back(Shape);
  return Shape;
}

void TMultiShape::Show(TControl* Control) {
  if (Control == nullptr)
    return;
  const TPoint origin = Control->ClientToScreen(Point(0, 0));
  FClipRect = TRect{origin.x, origin.y, origin.x + Control->Width(), origin.y + Control->Height()};
  ClipCursor(&FClipRect);
  FClipping = true;
}

void TMultiShape::MoveTo(TPoint Point) {
  for (auto& shape : FShapes)
    shape->DrawAt(Point.x, Point.y);
}

void TMultiShape::ReleaseCursor() {
  if (!FClipping)
    return;
  FClipping = false;
  ClipCursor(nullptr);
}

void TMultiShape::Hide() {
  ReleaseCursor();
  for (auto& shape : FShapes)
    shape->Hide();
}

void TMultiShape::AddControl(TControl* Control) {
  if (Control == nullptr)
    return;
  TFundamentalShape* shape = AddShape(CreateControlShape());
  shape->Width = Control->Width();
  shape->Height = Control->Height();
  TPoint onScreen = Control->Parent() != nullptr ? Control->Parent()->ClientToScreen(Point(Control->Left(), Control->Top()))
                                                 : Control->ClientToScreen(Point(0, 0));
  shape->Offset = Point(onScreen.x - Origin.x, onScreen.y - Origin.y);
}

void TMultiShape::SetSingleRect() {
  for (auto& shape : FShapes)
    shape->Hide();
  FShapes.clear();
  AddShape(CreateFrameShape());
}

void TMultiShape::SetWidth(int Value) {
  if (!FShapes.empty())
    FShapes.front()->Width = Value;
}

void TMultiShape::SetHeight(int Value) {
  if (!FShapes.empty())
    FShapes.front()->Height = Value;
}

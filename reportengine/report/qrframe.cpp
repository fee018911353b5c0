#include "reportengine/report/qrframe.h"

#include <algorithm>
#include <cmath>

#include "classlib/controls/control.h"
#include "classlib/graphics/canvas.h"
#include "classlib/system/mathutils.h"

// Color and the four sides have no stream default, so a stored frame always
// says what it draws; Style and Width are written only when they differ.
BEGIN_PUBLISHED(TQRFrame)
  PROPERTY(Color, Color, SetColor).TypeName("TColor"),
  PROPERTY(DrawTop, DrawTop, SetDrawTop),
  PROPERTY(DrawBottom, DrawBottom, SetDrawBottom),
  PROPERTY(DrawLeft, DrawLeft, SetDrawLeft),
  PROPERTY(DrawRight, DrawRight, SetDrawRight),
  PROPERTY(Style, Style, SetStyle).Default(psSolid),
  PROPERTY(Width, Width, SetWidth).Default(1),
END_PUBLISHED

namespace {
// No page or screen is this many pixels wide; a damaged layout's width
// stops here instead of overflowing while painting.
constexpr long double kMaxThickness = 1000000;
}  // namespace

int QRFrameThickness(long double Factor, int Width) {
  if (Width == -1)
    return 1;
  if (Width < 1)
    return 0;
  long double exact = Factor / 72 * 254 * Width;
  if (!std::isfinite(exact) || exact < 1)
    return 1;
  if (exact > kMaxThickness)
    exact = kMaxThickness;
  return CheckedInt32(Round(static_cast<double>(exact)));
}

TQRFrame::TQRFrame(TControl* Owner) : FOwner(Owner) {}

TPersistent* TQRFrame::GetOwner() { return FOwner; }

void TQRFrame::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TQRFrame*>(Source);
  if (other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = other->FColor;
  FDrawTop = other->FDrawTop;
  FDrawBottom = other->FDrawBottom;
  FDrawLeft = other->FDrawLeft;
  FDrawRight = other->FDrawRight;
  FStyle = other->FStyle;
  FWidth = other->FWidth;
  Changed();
}

void TQRFrame::ApplyPen(TPen& Pen) const {
  Pen.SetWidth(1);
  Pen.SetStyle(FStyle);
  Pen.SetColor(FColor);
}

void TQRFrame::Paint(TCanvas& Canvas, const RECT& Rect, long double XFactor, long double YFactor) const {
  if (!AnyFrame())
    return;
  int horizontal = QRFrameThickness(YFactor, FWidth);
  int vertical = QRFrameThickness(XFactor, FWidth);
  if (horizontal <= 0 && vertical <= 0)
    return;
  ApplyPen(Canvas.Pen());
  Canvas.Brush().SetColor(FColor);
  Canvas.Brush().SetStyle(bsSolid);
  // A line thicker than the rectangle stops at its far edge, so a frame
  // never paints over the neighbours of its control.
  const RECT& r = Rect;
  int height = std::max(0L, r.bottom - r.top);
  int width = std::max(0L, r.right - r.left);
  horizontal = std::min(horizontal, height);
  vertical = std::min(vertical, width);
  if (FDrawTop && horizontal > 0)
    Canvas.FillRect(::Rect(r.left, r.top, r.right, r.top + horizontal));
  if (FDrawBottom && horizontal > 0)
    Canvas.FillRect(::Rect(r.left, r.bottom - horizontal, r.right, r.bottom));
  if (FDrawLeft && vertical > 0)
    Canvas.FillRect(::Rect(r.left, r.top, r.left + vertical, r.bottom));
  if (FDrawRight && vertical > 0)
    Canvas.FillRect(::Rect(r.right - vertical, r.top, r.right, r.bottom));
}

void TQRFrame::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TQRFrame::SetSide(bool& Side, bool Value) {
  Side = Value;
  Changed();
}

void TQRFrame::SetStyle(TPenStyle Value) {
  FStyle = Value;
  Changed();
}

void TQRFrame::SetWidth(int Value) {
  FWidth = Value;
  Changed();
}

void TQRFrame::Changed() {
  if (FOwner != nullptr)
    FOwner->Invalidate();
}

#include "classlib/graphics/brush.h"

#include "classlib/graphics/bitmap.h"

BEGIN_PUBLISHED(TBrush)
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(clWhite),
  PROPERTY(Style, Style, SetStyle).Default(bsSolid),
END_PUBLISHED

void TBrush::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TBrush*>(Source);
  if (other == nullptr) {
    TGraphicsObject::Assign(Source);
    return;
  }
  color_ = other->color_;
  style_ = other->style_;
  bitmap_ = other->bitmap_;
  Changed();
}

void TBrush::SetHandle(HBRUSH brush) {
  LOGBRUSH lb{};
  if (brush == nullptr || GetObjectW(brush, sizeof(lb), &lb) == 0)
    return;
  color_ = static_cast<TColor>(lb.lbColor);
  bitmap_ = nullptr;
  if (lb.lbStyle == BS_NULL)
    style_ = bsClear;
  else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS)
    style_ = static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch);
  else
    style_ = bsSolid;
  AdoptHandle(brush);
}

void TBrush::SetColor(TColor value) {
  if (value == color_)
    return;
  color_ = value;
  // A colour makes a clear brush solid, as on the platform.
  if (style_ == bsClear)
    style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (value == style_)
    return;
  style_ = value;
  Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
  bitmap_ = value;
  Changed();
}

HGDIOBJ TBrush::CreateHandle() {
  if (bitmap_ != nullptr && !bitmap_->Empty())
    return CreatePatternBrush(bitmap_->Handle());
  LOGBRUSH lb{BS_SOLID, static_cast<COLORREF>(ColorToRGB(color_)), 0};
  if (style_ == bsClear) {
    lb.lbStyle = BS_NULL;
  } else if (style_ != bsSolid) {
    lb.lbStyle = BS_HATCHED;
    lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal);
  }
  return CreateBrushIndirect(&lb);
}

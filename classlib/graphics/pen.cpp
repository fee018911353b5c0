#include "classlib/graphics/pen.h"

BEGIN_PUBLISHED(TPen)
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(clBlack),
  PROPERTY(Mode, Mode, SetMode).Default(pmCopy),
  PROPERTY(Style, Style, SetStyle).Default(psSolid),
  PROPERTY(Width, Width, SetWidth).Default(1),
END_PUBLISHED

int PenModeToROP2(TPenMode mode) {
  static constexpr int kCodes[] = {
      R2_BLACK,      R2_WHITE,      R2_NOP,       R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
      R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
      R2_MASKPEN,    R2_NOTMASKPEN, R2_XORPEN,    R2_NOTXORPEN};
  return kCodes[mode];
}

void TPen::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TPen*>(Source);
  if (other == nullptr) {
    TGraphicsObject::Assign(Source);
    return;
  }
  color_ = other->color_;
  width_ = other->width_;
  style_ = other->style_;
  mode_ = other->mode_;
  Changed();
}

void TPen::SetHandle(HPEN pen) {
  LOGPEN lp{};
  if (pen == nullptr || GetObjectW(pen, sizeof(lp), &lp) == 0)
    return;
  color_ = static_cast<TColor>(lp.lopnColor);
  width_ = lp.lopnWidth.x;
  style_ = lp.lopnStyle <= PS_INSIDEFRAME ? static_cast<TPenStyle>(lp.lopnStyle) : psSolid;
  AdoptHandle(pen);
}

void TPen::SetColor(TColor value) {
  if (value == color_)
    return;
  color_ = value;
  Changed();
}

void TPen::SetWidth(int value) {
  if (value < 0 || value == width_)
    return;
  width_ = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (value == style_)
    return;
  style_ = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  if (value == mode_)
    return;
  mode_ = value;
  Changed();
}

HGDIOBJ TPen::CreateHandle() {
  // PS_SOLID .. PS_INSIDEFRAME have the values of the styles in this order.
  LOGPEN lp{static_cast<UINT>(style_), {width_, 0}, static_cast<COLORREF>(ColorToRGB(color_))};
  return CreatePenIndirect(&lp);
}

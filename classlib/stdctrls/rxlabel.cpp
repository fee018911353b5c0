#include "classlib/stdctrls/rxlabel.h"

BEGIN_PUBLISHED(TRxLabel)
  PROPERTY(ShadowColor, ShadowColor, SetShadowColor).Default(clBtnHighlight),
  PROPERTY(ShadowPos, ShadowPos, SetShadowPos).Default(spLeftTop),
  PROPERTY(ShadowSize, ShadowSize, SetShadowSize).Default(1),
END_PUBLISHED

void TRxLabel::SetShadowColor(TColor Value) {
  if (FShadowColor == Value)
    return;
  FShadowColor = Value;
  Invalidate();
}

void TRxLabel::SetShadowSize(int Value) {
  if (Value < 0 || FShadowSize == Value)
    return;
  FShadowSize = Value;
  AdjustBounds();
  Invalidate();
}

void TRxLabel::SetShadowPos(TShadowPosition Value) {
  if (FShadowPos == Value)
    return;
  FShadowPos = Value;
  Invalidate();
}

// The text leaves room for the shadow on the shadow's side.
void TRxLabel::DoDrawText(TRect& Rect, UINT Flags) {
  if ((Flags & DT_CALCRECT) != 0) {
    TCustomLabel::DoDrawText(Rect, Flags);
    Rect.right += FShadowSize;
    Rect.bottom += FShadowSize;
    return;
  }
  if (FShadowSize == 0 || !Enabled()) {
    TCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  const bool left = FShadowPos == spLeftTop || FShadowPos == spLeftBottom;
  const bool top = FShadowPos == spLeftTop || FShadowPos == spRightTop;
  TRect text = Rect, shadow = Rect;
  OffsetRect(&text, left ? FShadowSize : 0, top ? FShadowSize : 0);
  OffsetRect(&shadow, left ? 0 : FShadowSize, top ? 0 : FShadowSize);
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  canvas.Font().SetColor(FShadowColor);
  UINT flags = static_cast<UINT>(DrawTextBiDiModeFlags(static_cast<int>(Flags)));
  if (!ShowAccelChar())
    flags |= DT_NOPREFIX;
  canvas.TextRect(shadow, GetLabelText(), flags);
  TCustomLabel::DoDrawText(text, Flags);
}

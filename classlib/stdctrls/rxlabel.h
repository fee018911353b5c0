// A label with a shadow: the caption drawn once more in ShadowColor,
// ShadowSize pixels off towards ShadowPos, behind the text.
#pragma once
#include "classlib/controls/stdctrls.h"

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
DOZURI_ENUM(TShadowPosition, "spLeftTop", "spLeftBottom", "spRightBottom", "spRightTop");

class TRxLabel : public TCustomLabel {
  DECLARE_CLASS(TRxLabel, TCustomLabel)

public:
  explicit TRxLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}

  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value);
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int Value);
  TShadowPosition ShadowPos() const { return FShadowPos; }
  void SetShadowPos(TShadowPosition Value);

protected:
  void DoDrawText(TRect& Rect, UINT Flags) override;

private:
  TColor FShadowColor = clBtnHighlight;
  int FShadowSize = 1;
  TShadowPosition FShadowPos = spLeftTop;
};

// A paint box: a rectangle of the parent that OnPaint draws on Canvas.
#pragma once
#include "classlib/controls/graphiccontrol.h"

class TPaintBox : public TGraphicControl {
  DECLARE_CLASS(TPaintBox, TGraphicControl)

public:
  explicit TPaintBox(TComponent* AOwner);

  TNotifyEvent OnPaint;

protected:
  void Paint() override;
};

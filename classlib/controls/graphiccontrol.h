// TGraphicControl: a control without a window of its own. Its parent paints
// it (WM_PAINT through its WindowProc, WParam the parent's DC with the
// origin at the control's top left and clipped to it) and hands it the mouse
// messages that fall on it.
#pragma once
#include <memory>

#include "classlib/controls/control.h"
#include "classlib/controls/controlcanvas.h"

class TGraphicControl : public TControl {
  DECLARE_CLASS(TGraphicControl, TControl)

public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}
  virtual void WMPaint(TMessage& Message);

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

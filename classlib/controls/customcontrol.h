// TCustomControl: a windowed control that paints itself on its own canvas
// (Paint), as opposed to the standard window classes that paint themselves.
#pragma once
#include <memory>

#include "classlib/controls/controlcanvas.h"
#include "classlib/controls/wincontrol.h"

class TCustomControl : public TWinControl {
  DECLARE_CLASS(TCustomControl, TWinControl)

public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;
  void DestroyWnd() override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

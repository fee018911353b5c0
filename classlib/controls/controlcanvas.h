// TControlCanvas: a canvas on a control's window. Outside painting it takes
// a DC of the control's window (a non-windowed control: its parent's, with
// the origin moved to the control and clipped to it) and gives it back when
// freed or when the control's window goes. During painting the control
// lends it the paint DC instead.
#pragma once
#include "classlib/graphics/canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
  DECLARE_CLASS(TControlCanvas, TCanvas)

public:
  TControlCanvas() = default;
  ~TControlCanvas() override;

  TControl* Control() const { return FControl; }
  void SetControl(TControl* AControl);
  // Gives back a DC this canvas took from the window.
  void FreeDeviceContext();
  // Right-to-left reading for text output when the control's BiDiMode asks.
  void UpdateTextFlags();

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HWND FDeviceWindow = nullptr;
  HDC FDeviceContext = nullptr;
};

// The multi-selection controller: Shift+click toggles a control in the
// selection and a press on the stage (or with Ctrl) starts a rubber band.
#pragma once
#include "design/dsnregister.h"

class TDsnMlRegister : public TDsnRegister {
  DECLARE_CLASS(TDsnMlRegister, TDsnRegister)

public:
  explicit TDsnMlRegister(TComponent* AOwner) : TDsnRegister(AOwner) {}

  // ---- Overridables, in slot order ----
  // The rubber band: selects the controls it touches when released.
  virtual void MarqueeStart(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point) {}
  virtual void MarqueeMove(TWinControl* Cover, TPoint Point, TShiftState Shift) {}
  virtual void MarqueeEnd(TWinControl* Cover, TPoint Point, TShiftState Shift) {}
  virtual void CreateMarqueeShape() {}
};

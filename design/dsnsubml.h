// The multi-selection controller: Shift+click toggles a control in the
// selection and a press on the stage (or with Ctrl) starts a rubber band.
#pragma once
#include <memory>

#include "design/dsnregister.h"

class TDsnMlRegister : public TDsnRegister {
  DECLARE_CLASS(TDsnMlRegister, TDsnRegister)

public:
  explicit TDsnMlRegister(TComponent* AOwner);
  ~TDsnMlRegister() override;

  // With a template: a create drag. Else Ctrl or a press on the stage
  // itself: a rubber band. Else selecting and moving.
  void DoMouseDown(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point) override;
  void DoMouseMove(TWinControl* Cover, TPoint Point, TShiftState Shift) override;
  void DoMouseUp(TWinControl* Cover, TPoint Point, TShiftState Shift) override;
  void DropOutlines() override;
  // The stage itself is never selected by a right click.
  void SelectForPopup(TWinControl* Cover, TControl* Target, int X, int Y) override;
  TMultiShape* MarqueeShape() const { return FMarqueeShape.get(); }

  // ---- Overridables, in slot order ----
  // The rubber band: when released it selects the direct children of its
  // container whose rectangles meet the band.
  virtual void MarqueeStart(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point);
  virtual void MarqueeMove(TWinControl* Cover, TPoint Point, TShiftState Shift);
  virtual void MarqueeEnd(TWinControl* Cover, TPoint Point, TShiftState Shift);
  // A dotted maroon outline of pen width 1.
  virtual void CreateMarqueeShape();

private:
  std::unique_ptr<TMultiShape> FMarqueeShape;
};

// A splitter: a bar aligned to an edge of its parent, next to the control
// aligned to the same edge; dragging it resizes that control (never below
// MinSize, and leaving MinSize for the rest of the parent). OnMoved fires
// after a drag that changed the size.
#pragma once
#include "classlib/controls/graphiccontrol.h"

class TSplitter : public TGraphicControl {
  DECLARE_CLASS(TSplitter, TGraphicControl)

public:
  explicit TSplitter(TComponent* AOwner);

  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value < 1 ? 1 : Value; }
  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool Value);
  // The control the splitter resizes (nullptr when none is next to it).
  TControl* FindControl();

  TNotifyEvent OnMoved;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void CMAlignChanged();
  // The size of the resized control for a drag of Delta pixels, within limits.
  int NewSize(int Delta);

  int FMinSize = 30;
  bool FBeveled = false;
  TControl* FControl = nullptr;
  TPoint FDownPos{};
  int FStartSize = 0;
  int FMaxSize = 0;
  int FLastSize = 0;
};

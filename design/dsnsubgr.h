// The controller that shows a selection of two or more controls by marks in
// their corners instead of grips, and its cover agent, which has the marks
// painted after each paint of its control.
#pragma once
#include <functional>

#include "design/dsnctrl.h"
#include "design/dsnsubml.h"

class TDsnGrRegister : public TDsnMlRegister {
  DECLARE_CLASS(TDsnGrRegister, TDsnMlRegister)

public:
  explicit TDsnGrRegister(TComponent* AOwner) : TDsnMlRegister(AOwner) {}

  // Clears the group-mark painter, then starts or ends design mode.
  void SetActive(bool Value) override;
  TDsnCtrl* CreateCover(TWinControl* Control) override;
  // Group marks instead of grips from two selected controls on.
  TMultiHandler* CreateHandler() override;
  // The group-mark painter is set while two or more components are
  // selected, and cleared otherwise.
  void UpdateGroupMarks() override;
  // Four grey 6 by 6 squares in the corners of a selected control, painted
  // on its window (a non-windowed control: on its parent's); a windowed
  // control first has those of its selected non-windowed children painted.
  void PaintGroupMarks(TControl* Control);

  // Paints the group marks of a control; empty while fewer than two
  // components are selected.
  using TGroupMarkPainter = std::function<void(TControl* Control)>;
  const TGroupMarkPainter& GroupMarkPainter() const { return FGroupMarkPainter; }

protected:
  TGroupMarkPainter FGroupMarkPainter;
};

class TDsnGrCtrl : public TDsnCtrl {
public:
  static TDsnGrCtrl* Create(TDsnRegister* Controller, TWinControl* Control);

  // The control paints itself, then the controller paints its group marks.
  void PaintMessage(TMessage& Message) override;

protected:
  TDsnGrCtrl(TDsnRegister* Controller, TWinControl* Control) : TDsnCtrl(Controller, Control) {}
};

// A bevel: a lowered or raised box, frame or single line, painted by the
// parent; it takes no input.
#pragma once
#include "classlib/controls/graphiccontrol.h"

enum TBevelStyle { bsLowered, bsRaised };
DOZURI_ENUM(TBevelStyle, "bsLowered", "bsRaised");
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
DOZURI_ENUM(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer");

class TBevel : public TGraphicControl {
  DECLARE_CLASS(TBevel, TGraphicControl)

public:
  explicit TBevel(TComponent* AOwner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// Panels: a windowed container with raised or lowered bevels, a border and a
// caption in its middle.
#pragma once
#include "classlib/controls/customcontrol.h"

class TCanvas;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
DOZURI_ENUM(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace");
using TBevelWidth = int;

// Draws Width frames inside Rect, top/left in TopColor and bottom/right in
// BottomColor, and leaves Rect as the area inside them.
void Frame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
  DECLARE_CLASS(TCustomPanel, TCustomControl)

public:
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelWidth BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;

private:
  void CMTextChanged(TMessage& Message) override;
  void CMCtl3DChanged(TMessage& Message) override;
  int BevelSize() const;

  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  TBevelWidth FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
  DECLARE_CLASS(TPanel, TCustomPanel)

public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

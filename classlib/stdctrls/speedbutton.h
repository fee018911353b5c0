// A speed button: a button without a window, painted by its parent, with a
// glyph and a caption. Buttons of one parent with the same GroupIndex (not
// 0) act as a group: pressing one holds it down and releases the others;
// AllowAllUp lets the held one be released too. A Flat button shows its
// frame only while the mouse is over it.
#pragma once
#include "classlib/controls/graphiccontrol.h"
#include "classlib/stdctrls/buttonglyph.h"

class TSpeedButton : public TGraphicControl {
  DECLARE_CLASS(TSpeedButton, TGraphicControl)

public:
  explicit TSpeedButton(TComponent* AOwner);

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* Glyph() const { return FGlyph.Glyph(); }
  void SetGlyph(TBitmap* Value) { FGlyph.SetGlyph(Value); }
  TNumGlyphs NumGlyphs() const { return FGlyph.NumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value) { FGlyph.SetNumGlyphs(Value); }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // What the button shows: up, down (pressed or held) or disabled.
  TButtonState State() const { return FState; }

  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The frame of the button for its state.
  virtual void PaintFrame(TCanvas& Canvas, TRect& Client);

  bool FMouseInControl = false;

private:
  void UpdateExclusive();
  void CMButtonPressed(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override { Invalidate(); }

  TButtonGlyph FGlyph;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FFlat = false;
  bool FDragging = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FTransparent = true;
  TButtonState FState = bsUp;
};

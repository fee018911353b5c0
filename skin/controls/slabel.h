// The skinned graphic labels. TsCustomLabel takes its font colour (and, with
// a SkinSection, its background) from the default manager's active skin and
// otherwise paints as the standard transparent label; TsLabel can keep its
// own colour (UseSkinColor off); TsEditLabel is the label a bound caption
// places beside an edit-like control. Labels own no skin state of their own.
#pragma once
#include "classlib/controls/stdctrls.h"

class TsBoundLabel;
class TsSkinManager;

// The default manager when it exists, is not being freed and has its loaded
// skin applied; nullptr otherwise.
TsSkinManager* ActiveSkinOfDefaultManager();

class TsCustomLabel : public TCustomLabel {
  DECLARE_CLASS(TsCustomLabel, TCustomLabel)

public:
  explicit TsCustomLabel(TComponent* AOwner);

  AnsiString SkinSection() const { return FSkinSection; }
  void SetSkinSection(const AnsiString& Value);

  // The label's Font, recoloured from the skin's section that gives the
  // parent's font (GLOBALINFO's colour when none does). A colour of
  // clFuchsia means "none given" and leaves the font as it is.
  virtual TFont* GetCurrentFont();

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void DoDrawText(TRect& Rect, UINT Flags) override;
  // The mouse events fire from WndProc, around the standard handling.
  void MouseEnter() override {}
  void MouseLeave() override {}

  bool Destroying() const { return ComponentState().Contains(csDestroying); }
  // The caption as measured or drawn: one space for an empty caption or a
  // lone "&" when measuring; DT_NOPREFIX and the right-to-left flags added.
  AnsiString TextToDraw(UINT& Flags) const;

private:
  void ApplyFontColour();
  void PaintSectionBackground();
  void FontChangedOutsidePaint(TMessage& Message);

  AnsiString FSkinSection;
};

class TsLabel : public TsCustomLabel {
  DECLARE_CLASS(TsLabel, TsCustomLabel)

public:
  explicit TsLabel(TComponent* AOwner);

  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }

  TFont* GetCurrentFont() override;
  void WndProc(TMessage& Message) override;

private:
  bool FUseSkinColor = true;
};

// Made and kept by a TsBoundLabel; when it is freed by anyone else, the
// bound label is left inactive.
class TsEditLabel : public TsLabel {
  DECLARE_CLASS(TsEditLabel, TsLabel)

public:
  TsEditLabel(TComponent* AOwner, TsBoundLabel* BoundLabel);
  explicit TsEditLabel(TComponent* AOwner) : TsEditLabel(AOwner, nullptr) {}
  ~TsEditLabel() override;

  TsBoundLabel* BoundLabel() const { return FBoundLabel; }

private:
  friend class TsBoundLabel;
  TsBoundLabel* FBoundLabel;
};

// A push button with a glyph: the system's BUTTON drawn by the control
// (owner-drawn). Kind gives the common buttons their caption, modal result,
// default or cancel role and glyph in one setting.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/stdctrls/buttonglyph.h"

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
DOZURI_ENUM(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
            "bkRetry", "bkIgnore", "bkAll");

class TBitBtn : public TButton {
  DECLARE_CLASS(TBitBtn, TButton)

public:
  explicit TBitBtn(TComponent* AOwner);

  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  TBitmap* Glyph() const { return FGlyph.Glyph(); }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FGlyph.NumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value) { FGlyph.SetNumGlyphs(Value); }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);

  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void CNDrawItem(TMessage& Message);
  void BMSetStyle(TMessage& Message);
  void MakeKindGlyph();
  void Redraw();

  TButtonGlyph FGlyph;
  TBitBtnKind FKind = bkCustom;
  bool FOwnGlyph = false;   // a glyph set by hand, not the kind's
  bool FShowsDefault = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

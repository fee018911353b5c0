#include "classlib/stdctrls/bitbtn.h"

#include "classlib/forms/forms.h"

BEGIN_PUBLISHED(TBitBtn)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Default(bdLeftToRight),
  PROPERTY(Cancel, Cancel, SetCancel).Default(false),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Default, Default, SetDefault).Default(false),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Glyph, Glyph, SetGlyph),
  PROPERTY(Kind, Kind, SetKind).Default(bkCustom),
  PROPERTY(Layout, Layout, SetLayout).Default(blGlyphLeft),
  PROPERTY(Margin, Margin, SetMargin).Default(-1),
  PROPERTY(ModalResult, ModalResult, SetModalResult).Default(mrNone),
  PROPERTY(NumGlyphs, NumGlyphs, SetNumGlyphs).Default(1),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Spacing, Spacing, SetSpacing).Default(4),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
END_PUBLISHED

namespace {

struct KindFacts {
  const char* Caption;
  TModalResult Result;
  bool Default;
  bool Cancel;
  TColor Colour;  // of the glyph's mark
  bool Tick;      // a tick (else a cross, or for help a question mark)
};

const KindFacts& FactsOf(TBitBtnKind kind) {
  static const KindFacts facts[] = {
      {"", mrNone, false, false, clBlack, false},          {"OK", mrOk, true, false, clGreen, true},
      {"Cancel", mrCancel, false, true, clRed, false},     {"&Help", mrNone, false, false, clNavy, false},
      {"&Yes", mrYes, true, false, clGreen, true},         {"&No", mrNo, false, true, clRed, false},
      {"&Close", mrNone, false, false, clOlive, false},    {"Abort", mrAbort, false, false, clRed, false},
      {"&Retry", mrRetry, false, false, clGreen, true},    {"&Ignore", mrIgnore, false, false, clNavy, true},
      {"&All", mrAll, false, false, clGreen, true}};
  return facts[kind];
}

}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
  FGlyph.OnChange = [this](TObject*) { Redraw(); };
}

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  FShowsDefault = (Params.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  Params.Style = (Params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::Redraw() {
  if (HandleAllocated())
    InvalidateRect(FHandle, nullptr, TRUE);
}

// The common buttons' captions, results and roles; the glyph drawn here
// unless one was given by hand.
void TBitBtn::SetKind(TBitBtnKind Value) {
  if (FKind == Value)
    return;
  FKind = Value;
  if (Value == bkCustom)
    return;
  const KindFacts& facts = FactsOf(Value);
  SetCaption(facts.Caption);
  SetModalResult(facts.Result);
  SetDefault(facts.Default);
  SetCancel(facts.Cancel);
  if (!FOwnGlyph)
    MakeKindGlyph();
}

void TBitBtn::MakeKindGlyph() {
  TBitmap glyph;
  glyph.SetSize(18, 18);
  TCanvas& canvas = glyph.Canvas();
  canvas.Brush().SetColor(clOlive);  // the transparent colour (bottom-left pixel)
  canvas.FillRect(Rect(0, 0, 18, 18));
  const KindFacts& facts = FactsOf(FKind);
  canvas.Pen().SetColor(facts.Colour);
  canvas.Pen().SetWidth(3);
  if (FKind == bkHelp) {
    canvas.Font().SetColor(facts.Colour);
    canvas.Font().SetStyle(TFontStyles{fsBold});
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(5, 1, "?");
  } else if (facts.Tick) {
    canvas.MoveTo(3, 9);
    canvas.LineTo(7, 13);
    canvas.LineTo(15, 4);
  } else {
    canvas.MoveTo(4, 4);
    canvas.LineTo(14, 14);
    canvas.MoveTo(14, 4);
    canvas.LineTo(4, 14);
  }
  FGlyph.SetGlyph(&glyph);
  FGlyph.SetNumGlyphs(1);
}

void TBitBtn::SetGlyph(TBitmap* Value) {
  FOwnGlyph = Value != nullptr && !Value->Empty();
  FGlyph.SetGlyph(Value);
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Redraw();
}

void TBitBtn::SetMargin(int Value) {
  if (Value < -1)
    return;
  FMargin = Value;
  Redraw();
}

void TBitBtn::SetSpacing(int Value) {
  FSpacing = Value;
  Redraw();
}

// bkClose closes the form; bkHelp has no action of its own here.
void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (auto* form = dynamic_cast<TCustomForm*>(TopLevelControl())) {
      form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case BM_SETSTYLE: BMSetStyle(Message); break;
    default: TButton::Dispatch(Message); break;
  }
}

// The button stays owner-drawn; the default role only changes its frame.
void TBitBtn::BMSetStyle(TMessage& Message) {
  FShowsDefault = (Message.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  Message.WParam = (Message.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
  DefaultHandler(Message);
  Redraw();
}

void TBitBtn::CNDrawItem(TMessage& Message) {
  auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool isDefault = FShowsDefault || focused;
  TCanvas canvas(item.hDC, TCanvasOwnership::Borrows);
  TRect r = item.rcItem;
  if (isDefault) {
    canvas.Brush().SetColor(clWindowFrame);
    canvas.FrameRect(r);
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | DFCS_ADJUSTRECT);
  canvas.SetFont(*Font());
  TButtonState state = !Enabled() ? bsDisabled : pushed ? bsDown : bsUp;
  TPoint offset = pushed ? Point(1, 1) : Point(0, 0);
  TRect textBounds = FGlyph.Draw(canvas, r, offset, Caption(), FLayout, FMargin, FSpacing, state,
                                 DrawTextBiDiModeFlags(0));
  if (focused) {
    InflateRect(&textBounds, 2, 1);
    canvas.Brush().SetColor(clBtnFace);
    canvas.DrawFocusRect(textBounds);
  }
  Message.Result = 1;
}

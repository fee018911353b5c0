#include "classlib/dbctrls/dbtext.h"

BEGIN_PUBLISHED(TDBText)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(false),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(Layout, Layout, SetLayout).Default(tlTop),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(false),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TDBText::TDBText(TComponent* AOwner) : TCustomLabel(AOwner), FDataLink(this) {
  SetAutoSize(false);
  SetShowAccelChar(false);
  FDataLink.OnDataChange = [this](TObject* s) { DataChange(s); };
  FDataLink.OnActiveChange = [this](TObject* s) { DataChange(s); };
}

void TDBText::SetDataSource(TDataSource* Value) { FDataLink.SetControlDataSource(Value); }

void TDBText::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomLabel::Notification(AComponent, Operation);
  FDataLink.NotifyRemoved(AComponent, Operation);
}

void TDBText::Dispatch(TMessage& Message) {
  if (FDataLink.AnswerQuery(Message))
    return;
  TCustomLabel::Dispatch(Message);
}

// The caption is the field's display text ("" without a field).
void TDBText::DataChange(TObject* Sender) {
  SetCaption(FDataLink.Field() != nullptr ? FDataLink.Field()->DisplayText() : AnsiString());
}

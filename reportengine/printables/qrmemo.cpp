#include "reportengine/printables/qrmemo.h"

BEGIN_PUBLISHED(TQRMemo)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(AlignToBand, AlignToBand, SetAlignToBand).Default(false),
  PROPERTY(AutoSize, AutoSize, SetAutoSize),
  PROPERTY(AutoStretch, AutoStretch, SetAutoStretch).Default(false),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Lines, Lines, SetLines),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
  PROPERTY(OnPrint, OnPrint, OnPrint),
END_PUBLISHED

void TQRMemo::SetLines(TStrings* Value) {
  Lines()->Assign(Value);
  SetIsLaidOut(false);
  Invalidate();
}

// The caption is empty while the memo prints and shows the name afterwards.
void TQRMemo::Print(int OfsX, int OfsY) {
  SetCaption("");
  TQRCustomLabel::Print(OfsX, OfsY);
  SetCaption(Name());
}

void TQRMemo::MeasureHeight(int& Height) {
  FormatLines();
  Height = LaidOutLines()->Count() * LineHeight();
}

void TQRMemo::Paint() {
  if (!Caption().empty() && Lines()->Count() > 0)
    SetCaption("");
  TQRCustomLabel::Paint();
}

#include "reportengine/printables/qrdbtext.h"

#include "classlib/data/blobfields.h"
#include "classlib/data/dataset.h"
#include "classlib/data/datetimefields.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/stringfield.h"
#include "classlib/system/datetime.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

BEGIN_PUBLISHED(TQRDBText)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(AlignToBand, AlignToBand, SetAlignToBand).Default(false),
  PROPERTY(AutoSize, AutoSize, SetAutoSize),
  PROPERTY(AutoStretch, AutoStretch, SetAutoStretch).Default(false),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Mask, Mask, SetMask),
  PROPERTY(OnPrint, OnPrint, OnPrint),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
END_PUBLISHED

TQRDBText::TQRDBText(TComponent* AOwner) : TQRCustomLabel(AOwner) {}

TQRDBText::~TQRDBText() { SetDataSet(nullptr); }

void TQRDBText::SetDataSet(TDataSet* Value) { ReplaceComponentReference(this, FDataSet, Value); }

void TQRDBText::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomLabel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) {
    FDataSet = nullptr;
    FBoundField = nullptr;
    FFieldFound = false;
  }
}

void TQRDBText::ApplyDataField(const AnsiString& Value) {
  FDataField = Value;
  ApplyCaption(Value);
}

void TQRDBText::Prepare() {
  TQRCustomLabel::Prepare();
  FBoundField = nullptr;
  FBoundFieldIndex = -1;
  FFieldFound = false;
  FHoldsMemo = false;
  if (FDataSet == nullptr)
    return;
  TFields& fields = FDataSet->Fields();
  for (int i = 0; i < fields.Count(); ++i) {
    if (!SameText(fields[i]->FieldName(), FDataField))
      continue;
    FBoundField = fields[i];
    FBoundFieldIndex = i;
    FFieldFound = true;
    FHoldsMemo = dynamic_cast<TBlobField*>(FBoundField) != nullptr;
    if (FHoldsMemo)
      SetOutputText("");
    return;
  }
}

AnsiString TQRDBText::FormattedText(TField& Field) {
  if (FMask.empty() || dynamic_cast<TStringField*>(&Field) != nullptr)
    return Field.DisplayText();
  if (dynamic_cast<TIntegerField*>(&Field) != nullptr)
    return FormatFloat(FMask, Field.AsInteger());
  if (dynamic_cast<TFloatField*>(&Field) != nullptr || dynamic_cast<TBCDField*>(&Field) != nullptr)
    return FormatFloat(FMask, Field.AsFloat());
  if (dynamic_cast<TDateTimeField*>(&Field) != nullptr)
    return FormatDateTime(FMask, Field.AsDateTime());
  return Field.DisplayText();
}

AnsiString TQRDBText::FieldText() {
  // A memo's lines are this record's or none: a read that fails must not
  // leave the record before it to print.
  if (FHoldsMemo)
    Lines()->Clear();
  if (!FFieldFound || FDataSet == nullptr)
    return "";
  try {
    // A data set with default fields may have made its fields anew.
    if (FDataSet->DefaultFields()) {
      if (FBoundFieldIndex < 0 || FBoundFieldIndex >= FDataSet->Fields().Count())
        return "";
      FBoundField = FDataSet->Fields()[FBoundFieldIndex];
    }
    if (dynamic_cast<TBlobField*>(FBoundField) != nullptr) {
      Lines()->SetText(FBoundField->AsString());
      return "";
    }
    return FormattedText(*FBoundField);
  } catch (...) {
    return "";
  }
}

void TQRDBText::Print(int OfsX, int OfsY) {
  if (!ShouldPrint())
    return;
  SetOutputText(FieldText());
  SetIsLaidOut(false);
  TQRCustomLabel::Print(OfsX, OfsY);
}

void TQRDBText::GetDataText(AnsiString& Text) { Text = FieldText(); }

void TQRDBText::MeasureHeight(int& Height) {
  AnsiString text;
  GetDataText(text);
  SetOutputText(text);
  FormatLines();
  Height = LaidOutLines()->Count() * LineHeight();
}

// The binding ends with the run: a memo field's lines are let go, so the
// design surface shows the field's name again rather than the last record.
void TQRDBText::Unprepare() {
  FBoundField = nullptr;
  FHoldsMemo = false;
  Lines()->Clear();
  TQRCustomLabel::Unprepare();
  // Without a field the name shows; the binding itself stays empty.
  if (FDataField.empty())
    ApplyCaption(Name());
  else
    ApplyDataField(FDataField);
}

bool TQRDBText::UsesRightToLeftAlignment() const {
  if (BiDiMode() != bdRightToLeft)
    return false;
  if (FBoundField == nullptr)
    return true;
  TFieldType type = FBoundField->DataType();
  return type == ftUnknown || type == ftString || type == ftBoolean || (type > ftDateTime && type != ftAutoInc);
}

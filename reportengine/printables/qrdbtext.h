// TQRDBText: prints a field of the current record, through a display mask
// when one is set. Memo and blob fields print their lines through Lines.
// Between runs the design surface shows the field's name.
#pragma once
#include "reportengine/printables/qrlabel.h"

class TDataSet;
class TField;

class TQRDBText : public TQRCustomLabel {
  DECLARE_CLASS(TQRDBText, TQRCustomLabel)

public:
  explicit TQRDBText(TComponent* AOwner);
  ~TQRDBText() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Prepare() override;
  void Print(int OfsX, int OfsY) override;
  void Unprepare() override;
  void MeasureHeight(int& Height) override;
  void GetDataText(AnsiString& Text) override;
  bool IsCaptionBased() override { return !FHoldsMemo; }
  // A band measures a data text for its height pre-calculation.
  bool StretchesWithData() override { return true; }
  // Right to left only for a field of a text-like type (or no field):
  // numbers and dates keep their alignment.
  bool UsesRightToLeftAlignment() const override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  AnsiString DataField() const { return FDataField; }
  void SetDataField(const AnsiString& Value) { ApplyDataField(Value); }
  // Stores the field name and shows it as the caption.
  void ApplyDataField(const AnsiString& Value);
  AnsiString Mask() const { return FMask; }
  void SetMask(const AnsiString& Value) { FMask = Value; }

  TField* BoundField() const { return FBoundField; }
  int BoundFieldIndex() const { return FBoundFieldIndex; }
  bool FieldFound() const { return FFieldFound; }
  bool HoldsMemo() const { return FHoldsMemo; }

private:
  // The text of the bound field for this record; a memo or blob field fills
  // Lines and gives "". Any failure gives "".
  AnsiString FieldText();
  AnsiString FormattedText(TField& Field);

  TDataSet* FDataSet = nullptr;
  AnsiString FDataField;
  AnsiString FMask;
  TField* FBoundField = nullptr;
  int FBoundFieldIndex = -1;
  bool FFieldFound = false;
  bool FHoldsMemo = false;
};

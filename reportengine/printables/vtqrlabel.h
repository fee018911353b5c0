// TVtQrLabel: a label whose text is one line turned by a multiple of 90
// degrees (or any angle, through Escapment), for vertical captions on
// labels. TVtQrDBText takes the line from a field of the current record.
//
// The text is measured unturned: TW along the text and TH across it (each
// one more than the text's extent). An auto-sized label without Align takes
// TH x TW when it reads up or down, TW x TH otherwise. Where the turned text
// starts inside the control follows from the direction and the alignment.
// On the run's page the text is clipped to the control's area.
#pragma once
#include "classlib/classes/alignment.h"
#include "reportengine/printables/qrlabel.h"

class TDataSet;

enum TVtLabelDir { fldLeftRight, fldRightLeft, fldUpDown, fldDownUp };
DOZURI_ENUM(TVtLabelDir, "fldLeftRight", "fldRightLeft", "fldUpDown", "fldDownUp");

// The escapement (tenths of a degree, counter-clockwise) a direction sets.
int VtEscapementOf(TVtLabelDir Direction);

// The turned font for a font and an escapement: TrueType only, weight,
// italic, underline and strike-out from the style, pitch from the font's.
// The caller deletes it.
HFONT CreateVtRotatedFont(TFont& Font, int Escapement);

class TVtQrLabel : public TQRCustomLabel {
  DECLARE_CLASS(TVtQrLabel, TQRCustomLabel)

public:
  explicit TVtQrLabel(TComponent* AOwner);

  // While the report prints: the caption at the control's place on the page.
  void Print(int OfsX, int OfsY) override;
  // Stores a new alignment and repaints.
  void ApplyAlignment(TAlignment Value) override;
  // One turned line instead of the engine's line layout; with AutoSize the
  // control takes the turned text's size.
  void FormatLines() override;

  TVtLabelDir Direction() const { return FDirection; }
  // A new direction also sets Escapment.
  void SetDirection(TVtLabelDir Value);
  int Escapment() const { return FEscapment; }
  void SetEscapment(int Value);

  // Where the turned text starts inside a control of W x H pixels, for a
  // text TW long and TH high.
  static POINT StartPoint(TVtLabelDir Direction, TAlignment Alignment, int W, int H, int TW, int TH);
  // The unturned extent of Text in the label's font at the report's zoom,
  // each side plus one: cx is TW, cy is TH.
  SIZE TextBox(const AnsiString& Text);

  // Draws Text turned on Canvas. On the run's page (OnPage) X and Y are the
  // print position in 0.1 mm and the text is clipped to the control's area;
  // otherwise they are pixels and nothing is clipped.
  void DrawText(TCanvas& Canvas, int X, int Y, const AnsiString& Text, bool OnPage);

protected:
  void Paint() override;

private:
  // The label's font at the report's zoom.
  void ZoomedFont(TFont& Font);
  void FitToText(const SIZE& Box);

  TVtLabelDir FDirection = fldLeftRight;
  int FEscapment = 0;
};

class TVtQrDBText : public TVtQrLabel {
  DECLARE_CLASS(TVtQrDBText, TVtQrLabel)

public:
  explicit TVtQrDBText(TComponent* AOwner);
  ~TVtQrDBText() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Takes the caption from the field first, when the data set has it.
  void Print(int OfsX, int OfsY) override;
  // The field name shows again once the run is over.
  void Unprepare() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  AnsiString DataField() const { return FDataField; }
  // A new field name is stored and shown as the caption.
  void SetDataField(const AnsiString& Value);

private:
  TDataSet* FDataSet = nullptr;
  AnsiString FDataField;
};

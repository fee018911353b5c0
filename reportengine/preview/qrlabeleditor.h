// TQRLabelEditor: the run-time property editor of a label. It answers for
// the label's colour, font and caption, and Edit opens the label editor form
// on the label's text, size and switches and writes them back on OK.
//
// Width and height are shown and read in the report's current units. Both
// are checked before anything is written: a size that is not a number is
// reported in Turkish and the form opens again with what was typed, so the
// label never ends up half changed.
#pragma once
#include "reportengine/report/qrprintable.h"

class TQRCustomLabel;

// What Edit says when the width or height typed is not a number.
inline constexpr const char* SQRLabelSizeNotANumber = "Genişlik ve yükseklik sayı olmalıdır.";

class TQRLabelEditor : public TQRPrintableEditor {
  DECLARE_CLASS(TQRLabelEditor, TQRPrintableEditor)

public:
  TQRLabelEditor() = default;

  // The label edited; nullptr when the printable is no label.
  TQRCustomLabel* Label() const;

  bool GetColor(TColor& Color) override;
  bool GetFont(TFont& Font) override;
  TClass EditedClass() override;
  AnsiString GetCaption() override;
  AnsiString EditorName() override;
  AnsiString Description() override;
  virtual void SetColor(TColor Color);
  virtual void SetFont(TFont& Font);
  virtual void SetCaption(const AnsiString& Caption);
  // Runs the editor form modally; true when OK was chosen and the values
  // were written to the label.
  virtual bool Edit();
};

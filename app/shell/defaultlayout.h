// The default label layout `etiket.vlp` that ships beside the program, so a
// fresh install prints labels before anyone designs a layout: an A4 sheet of
// 3 x 7 labels of 63.5 x 38.1 mm, each with the EAN-13 barcode of METIN1
// (digits shown), METIN2 in bold and METIN3.
#pragma once
#include "classlib/system/ansistring.h"

class TForm;

// The sheet's measures, in millimetres.
struct TDefaultLabelSheet {
  static constexpr int Columns = 3;
  static constexpr int Rows = 7;
  static constexpr double LabelWidth = 63.5;
  static constexpr double LabelHeight = 38.1;
  static constexpr double ColumnSpace = 2.5;
  static constexpr double TopMargin = 15.0;
  static constexpr double BottomMargin = 15.0;
  // (210 - 3 x 63.5 - 2 x 2.5) / 2: the labels sit in the middle of the sheet.
  static constexpr double SideMargin = 7.25;
};

// Builds the layout on a design stage owned by Form (its components owned
// by Form, as the designer keeps them) and writes it to FileName.
void WriteDefaultLabelLayout(TForm& Form, const AnsiString& FileName);

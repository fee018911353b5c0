// The colours and line styles the report designer paints with: rulers,
// margins and band outlines. One of two sets is chosen once, from the
// screen's colour count: screens with more than 256 colours (or an
// unlimited count) get the light set, others a set that stays visible with
// few colours.
#pragma once
#include "classlib/graphics/colors.h"
#include "classlib/graphics/pen.h"

struct TQRDesignColors {
  TPenStyle RulerMinorStyle;
  TPenStyle RulerMajorStyle;
  TColor RulerMinorColor;
  TColor RulerMajorColor;
  const char* RulerFontName;
  int RulerFontSize;
  TColor RulerFontColor;
  TPenStyle MarginStyle;
  TColor MarginColor;
  TPenStyle BandOutlineStyle;
  TColor BandOutlineColor;
};

// The set for a screen of NumColors colours (GetDeviceCaps NUMCOLORS; -1 or
// a count above 256 means many colours).
TQRDesignColors QRDesignColorsFor(int NumColors);

// The set in force: the innermost scope's, else the one chosen from the
// screen when first asked.
const TQRDesignColors& QRDesignColors();

// Puts a set in place for a test.
class QRDesignColorsScope {
public:
  explicit QRDesignColorsScope(const TQRDesignColors& colors);
  ~QRDesignColorsScope();
  QRDesignColorsScope(const QRDesignColorsScope&) = delete;
  QRDesignColorsScope& operator=(const QRDesignColorsScope&) = delete;

private:
  const TQRDesignColors* saved_;
  TQRDesignColors colors_;
};

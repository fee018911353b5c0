// The design-time ruler of a report page or band: lines across the whole
// panel every quarter inch, half centimetre or ten characters (and every
// text line), drawn in the design colours, with numbers on the report.
#pragma once
#include "reportengine/printer/qrunits.h"

class TCanvas;

struct TQRRulerArea {
  int Width = 0;            // the panel's client size in pixels
  int Height = 0;
  int PixelsPerInch = 96;   // the screen's
  int Zoom = 100;           // percent; Characters ignores it
  int FontSize = 12;        // report font size, for Characters
  bool Numbers = false;     // numbers are drawn only on the report
};

// Draws the ruler of Units (Inches, MM or Characters; Pixels and Native
// have none). Sets the canvas font to the ruler font and colour and the pen
// to $C0C0C0 width 1; the pen style is solid again afterwards.
void QRPaintRuler(TCanvas& Canvas, TQRUnit Units, const TQRRulerArea& Area);

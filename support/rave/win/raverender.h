// Draws a page of the report project on the printer object's current page:
// every region's bands with their barcodes (black bars, the readable text
// centred under them) and texts (their font, in black). Positions are the
// elements' inches from the page's corner, through the printer object's
// 0.1 mm conversion.
#pragma once
#include "reportengine/printer/qrprinter.h"
#include "support/rave/raveproject.h"

// The font the barcodes' readable text is drawn in.
inline constexpr const char* RaveBarCodeFontName = "Arial";
constexpr int RaveBarCodeFontSize = 8;
// Wide elements of the two-width symbologies, in narrow ones.
constexpr double RaveWideToNarrow = 3.0;

// Raises EStBarCodeError for a barcode its kind cannot encode.
void DrawRavePage(TQRPrinter& printer, const TRavePage& page);

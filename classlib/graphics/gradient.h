// Gradient fills: a rectangle painted in bands of colours stepping evenly
// from one colour to another, along one of four directions.
#pragma once
#include <windows.h>

#include "classlib/classes/typinfo.h"
#include "classlib/graphics/colors.h"

class TCanvas;

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };
DOZURI_ENUM(TFillDirection, "fdTopToBottom", "fdBottomToTop", "fdLeftToRight", "fdRightToLeft");

// Fills Rect with Colors bands (clamped to 1..256, and to the rectangle's
// extent along Direction so that every band is at least one pixel wide).
// The first band in Direction has BeginColor, the last EndColor, and the
// ones between step evenly from one to the other in each of red, green and
// blue. A single band is BeginColor. The canvas brush is left as it was.
void GradientFillRect(TCanvas& Canvas, const RECT& Rect, TColor BeginColor, TColor EndColor,
                      TFillDirection Direction, int Colors);

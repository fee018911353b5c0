// Small tool-bar pictures drawn on a 16 x 16 canvas, for the buttons of the
// report previews: page arrows, a printer, a disk and a lens. The outlines
// are black; what a picture adds of its own (a mark, a colour) its caller
// draws after it.
#pragma once
#include "classlib/graphics/colors.h"

class TCanvas;

constexpr int ToolGlyphSize = 16;

enum TPageArrow { paFirst, paPrior, paNext, paLast };

// A rectangle outlined with the canvas's pen and filled with Fill.
void DrawGlyphBox(TCanvas& Canvas, int Left, int Top, int Right, int Bottom, TColor Fill);
// An arrow head to the first, prior, next or last page (first and last with
// a bar at the end), pen and brush in Color.
void DrawPageArrow(TCanvas& Canvas, TPageArrow Arrow, TColor Color);
// A printer: the sheet going in, the body, the sheet coming out.
void DrawPrinterGlyph(TCanvas& Canvas);
// A disk with its label and shutter.
void DrawDiskGlyph(TCanvas& Canvas);
// A lens with its handle.
void DrawLensGlyph(TCanvas& Canvas);

// Text in the colours of a skin section: a contour of up to four colours one
// pixel off, the text colour, a faded colour when disabled and a blurred glow
// behind the text; the shortening of a text with "...", the dotted focus
// frame and thin measuring and drawing wrappers.
#pragma once
#include <windows.h>

#include <memory>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/system/ansistring.h"

class TsCommonData;
class TsSkinManager;

// The directions of the text copies DrawTextBlurShadow blurs.
constexpr unsigned kGlowLeft = 1, kGlowUp = 2, kGlowRight = 4, kGlowDown = 8;
constexpr unsigned kGlowAllSides = kGlowLeft | kGlowUp | kGlowRight | kGlowDown;

// A control's caption in the colours of its section; State 0 is normal,
// others hot. The canvas keeps the font and brush it is given here; its
// clipping is restored. Without a valid section the text is drawn once in
// the canvas font as it is.
void DrawControlText(TCanvas* Canvas, const char* Text, bool Enabled, RECT R, UINT Format, TsCommonData* CD,
                     int State);
// A text in the colours of section SectionIndex of M (nil: the default
// manager): no font copy, no clipping and no glow.
void DrawSectionText(TCanvas* Canvas, const char* Text, bool Enabled, RECT R, UINT Format, int SectionIndex,
                     int State, TsSkinManager* M);
// Colours B with the blurred shape of the text: Color under the text,
// fading into the picture Radius pixels away. Mask is the 8-bit mask of the
// text, Radius + 4 pixels larger than R on every side; one of that size is
// used as it is (the caller keeps it while text, font and size stay), any
// other is redrawn and blurred, and nil makes a new one. The text itself is
// not drawn.
void DrawTextBlurShadow(TBitmap* B, const char* Text, RECT R, UINT Format, unsigned Offsets, int Radius,
                        TColor Color, std::unique_ptr<TBitmap>& Mask);
// The Gaussian blur of a device-independent 8-bit bitmap; other bitmaps and
// a Radius of 0 or below leave it unchanged.
void BlurBitmap8(TBitmap* B, double Radius);

// Text cut at the end to fit W pixels with "..." appended; unchanged when
// it fits; empty when W is 0 or below or not one character fits.
void CutTextToWidth(TCanvas* Canvas, const AnsiString& Text, int W, AnsiString& Result);
// Black dots every three pixels along the edges of R, with white ones a
// pixel up and left of them.
void DrawDottedFocusRect(TCanvas* Canvas, const RECT& R);

void DrawTextOnDC(HDC DC, const AnsiString& Text, RECT& R, UINT Format);
int CanvasTextWidth(TCanvas* Canvas, const AnsiString& Text);
void CanvasTextExtent(TCanvas* Canvas, const AnsiString& Text, SIZE& Size);
void CanvasTextRect(TCanvas* Canvas, const RECT& R, int X, int Y, const AnsiString& Text);
// Measures Text in the font on the screen; 0 x 0 when that fails.
void FontTextExtent(HFONT Font, const AnsiString& Text, SIZE& Size);

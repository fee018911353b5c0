// Painting a skin section into a bitmap, usually a control's cache: the
// background (section colour, texture, gradient and transparency over what
// lies behind the control), then the section's border mask and its four
// corner images, for a state (0 normal, 1 hot or pressed, 2 and up further
// image columns).
//
// Every painter needs a skin manager (the given one, else the default one)
// and a valid section index and paints nothing otherwise; none raises on
// skin data: invalid indexes, missing textures and rectangles outside the
// bitmap paint nothing, a missing gradient text paints the colour.
//
// P, the offset point, is the control's position inside the background
// source's bitmap; rectangles are in the target bitmap's coordinates.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "skin/core/skinbackground.h"

class TControl;
class TsCommonData;
class TsSkinManager;

// The background of section S for state St into R of B. CustomColor other
// than clFuchsia paints that colour opaque. PI and HI name the texture of
// the normal and the hot state (-1: the section's PATTERN or HOTPATTERN).
void PaintSectionBackground(int S, const AnsiString& Name, const TsBackgroundSource& Src, int St, const RECT& R,
                            POINT P, TBitmap* B, TsSkinManager* M, int PI, int HI, TColor CustomColor);
// The same without custom colour and without texture look-up by name: PI
// (state 0) or HI is the texture, -1 none.
void PaintSectionBackgroundAt(int S, int PI, int HI, const TsBackgroundSource& Src, int St, const RECT& R, POINT P,
                              TBitmap* B, TsSkinManager* M);
// The background of a control from its skin state; with CustomColor set
// the control's own colour (a provider's form colour) is painted.
void PaintControlBackground(TsCommonData* D, const TsBackgroundSource& Src, int St, const RECT& R, POINT P,
                            TBitmap* B);
// Background, border mask (FC lets it paint its centre, CB makes its corners
// take their transparent pixels from Src) and corner images of a control.
void PaintControlItem(TsCommonData* D, const TsBackgroundSource& Src, bool FC, int St, const RECT& R, POINT P,
                      TBitmap* B, bool CB);
// The same over what Parent answers to the background query.
void PaintControlItemOverParent(TsCommonData* D, TControl* Parent, bool FC, int St, const RECT& R, POINT P,
                                TBitmap* B, bool CB);
// Background, corner images, then the border mask of section S.
void PaintSectionWithCorners(int S, const AnsiString& Name, const TsBackgroundSource& Src, bool FC, int St,
                             const RECT& R, POINT P, TBitmap* B, TsSkinManager* M, int PI, int HI);
// PaintSectionBackgroundAt, then the skin image BI as the border; Src is
// moved by P during the call and moved back.
void PaintSectionWithBorder(int S, int BI, int PI, int HI, TsBackgroundSource& Src, bool FC, int St, const RECT& R,
                            POINT P, TBitmap* B, TsSkinManager* M);
// PaintSectionWithCorners into a 24-bit work bitmap of R's size, copied to
// R of the device context.
void PaintSectionToDC(int S, const AnsiString& Name, const TsBackgroundSource& Src, bool FC, int St, const RECT& R,
                      POINT P, HDC DC, TsSkinManager* M);
// Paints section Name (else Name2) over the whole of B with the default
// manager, over the picture of DC at SR's top-left when DC is given, else
// over the colour C. Gives the section index used (invalid: nothing painted).
int PaintSectionByName(TBitmap* B, const AnsiString& Name, const AnsiString& Name2, int St, TsSkinManager* M,
                       const RECT& SR, TColor C, HDC DC);

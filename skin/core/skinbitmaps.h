// The skin library's bitmaps on the platform: the pixel view of a TBitmap,
// working bitmaps, fills and frames on device contexts, the border strips of
// a window image, clipping graphic children out, and the start-up look-up of
// layered windows.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "skin/core/alphagraph.h"
#include "skin/core/bitmappixels.h"

class TWinControl;

// New bitmaps owned by the caller.
TBitmap* CreateBitmapLike(TBitmap* Bitmap);
TBitmap* CreateBitmap24(int Width, int Height);
TBitmap* CreateBitmap32(int Width, int Height);

// Saves a device context's state for its life and restores it, also when
// painting raises.
class TDCStateScope {
public:
  explicit TDCStateScope(HDC DC) : dc_(DC), saved_(SaveDC(DC)) {}
  ~TDCStateScope() { RestoreDC(dc_, saved_); }
  TDCStateScope(const TDCStateScope&) = delete;
  TDCStateScope& operator=(const TDCStateScope&) = delete;

private:
  HDC dc_;
  int saved_;
};

// Fills R with the colour (system colours resolved); the device context is
// restored and the brush freed also when filling fails.
void FillDeviceRect(HDC DC, const RECT& R, TColor Color);
// Fills the four sides of R with the given widths: top, left, bottom, right.
void FillDeviceFrame(HDC DC, const RECT& R, int WL, int WT, int WR, int WB, TColor Color);
// Copies the four border strips, BW wide, of the area (X, Y, W, H) of S at
// (SX, SY) to the same places of D.
void CopyBorderStrips(HDC D, int X, int Y, int W, int H, HDC S, int SX, int SY, int BW);
// Clips the visible graphic children of Parent, moved by (X, Y), out of DC.
void ExcludeGraphicControls(HDC DC, TWinControl* Parent, int X, int Y);
// With it on, ExcludeGraphicControls excludes nothing. Off at start.
extern bool NoGraphicControlExclusion;

// The accessor mask painting re-binds to the background it reads; made when
// the unit starts.
TacFast32* SharedFast32();
// True when the system offers UpdateLayeredWindow (looked up at start-up).
bool LayeredWindowsSupported();
using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
TUpdateLayeredWindow UpdateLayeredWindowEntry();

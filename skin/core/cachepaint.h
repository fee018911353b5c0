// Copying a control's cache bitmap to its device context around its
// children, so that children that paint themselves are not painted over
// and do not flicker.
#pragma once
#include <windows.h>

class TWinControl;
class TsCommonData;

// Copies Dest's size of Data's cache from Src's top-left corner to Dest of
// DC, leaving out the rectangles (moved by DX, DY) of the visible child
// controls over Dest that are opaque, graphic or being designed. With
// RedrawCorners the cache's transparent corners first take the parent's
// current background.
void PaintCacheExceptChildren(TWinControl* Control, TsCommonData* Data, const RECT& Src, int DY, int DX,
                              bool RedrawCorners, HDC DC, const RECT& Dest);
// The same for a plain window, walking its visible child windows (their
// places in Wnd's window rectangle, less DX and DY). Of a group box without
// client edge only the frame strips are left out, by the caption height it
// answers and the borders of the skin's group-box mask, and only while a
// default skin manager exists.
void PaintCacheExceptChildWindows(HWND Wnd, TsCommonData* Data, const RECT& Src, int DY, int DX,
                                  bool RedrawCorners, HDC DC, const RECT& Dest);

// Work on a control's picture after its section was painted: the border of a
// windowed control painted into its cache and onto its device context, the
// transparent corner pixels filled again when the background behind changed,
// and the disabled look.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skinglyphs.h"

class TControl;
class TsCommonData;
class TsSkinManager;

// Paints the border of D's owner in state St: with a border mask, the mask
// (without centre) into D's cache over R, a ring of the state colour out to
// the border width BW, and the strips BW wide copied to DC (when it is not
// the cache's); ClientRect becomes the part inside the border. Without a
// mask the strips BW wide inside R of DC take the state colour and
// ClientRect is left as it is.
void PaintControlBorder(HDC DC, const RECT& R, int BW, TsCommonData* D, int St, RECT& ClientRect);
// Gives the clFuchsia pixels of the border mask's four corner pieces in D's
// cache the parent's current background.
void RepaintCacheCorners(TsCommonData* D, int St);
// Both bitmaps 32-bit: the pixels of DR in Dst that are transparent take
// the whole pixel (alpha too) of Bg at the same offset from BP.
// Transparent means clFuchsia in Dst itself for MI -1, else clFuchsia in
// skin image MI's picture, read from its corner named by the hit-test code
// K (HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT; others as top-left).
void RestoreTransparentPixels(TBitmap* Dst, TBitmap* Bg, const RECT& DR, POINT BP, int MI, TsSkinManager* M, int K);
// The disabled look of B: greyed (dkGrayed), then (dkBlended) 40 percent of
// the picture over the background of Src at (Src.X + P.x, Src.Y + P.y), or
// half over the fill colour (C's background colour when that is unknown).
void ApplyDisabledKind(TBitmap* B, TsDisabledKind K, TControl* C, const TsBackgroundSource& Src, POINT P);

// The size a text takes in a font, as DrawText lays it out on the screen:
// message forms, input forms and hints size themselves by it.
#pragma once
#include <windows.h>

#include "classlib/graphics/font.h"

// The rectangle (at the origin) DrawText gives text with format (DT_...) when
// it may be at most maxWidth wide. An empty text measures as one blank.
RECT TextBounds(TFont& font, const AnsiString& text, int maxWidth, UINT format);

// The preview's toolbar pieces: borderless panels and speed buttons with
// small pictures drawn here (arrows, printer, disk, page number, lens).
#pragma once
#include "classlib/controls/extctrls.h"
#include "classlib/stdctrls/speedbutton.h"

enum TZRPreviewGlyph {
  zpgFirst, zpgPrior, zpgNext, zpgLast, zpgSetup, zpgPrint, zpgSave, zpgLoad, zpgPageNo, zpgSearch
};

TPanel* MakePreviewPanel(TComponent* Owner, TWinControl* Parent, const char* Name, TAlign Align);
// A flat button at Left on a toolbar, 24 pixels high, with its picture.
TSpeedButton* MakePreviewButton(TComponent* Owner, TWinControl* Parent, const char* Name, TZRPreviewGlyph Glyph,
                                int Left, int Width);

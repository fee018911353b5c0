// The print helper path of a single report page of custom paper: the
// prepared pages go to the print helper library's "Execute", which
// previews (mode 1) or prints (mode 2) them by itself.
#pragma once
#include "classlib/system/ansistring.h"
#include "layouts/printhelper.h"

class TCustomQuickRep;

inline constexpr int PrintHelperPreview = 1;
inline constexpr int PrintHelperPrint = 2;

// Makes the printer form of the page's size first (a refusal, after its
// message, does not stop the hand-over), then calls Execute with the
// printer's name, the page's copies, the mode, the page's width and length
// in its units, and every prepared page's metafile in base64 joined by
// "|||". The page must have been prepared.
void RunPrintHelper(TPrintHelperExecute Execute, TCustomQuickRep& Page, const AnsiString& PrinterName, int Mode);

// Links on a previewed page: the areas of a page that lead somewhere, the
// handlers that take internal links, and what a click on a link does.
//
// A link text beginning with "EXT:" names something the system shell opens;
// one beginning with "INT:" goes to the internal link handlers; any other
// text is offered to the handlers first and opened with the shell when none
// takes it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/classes/events.h"
#include "classlib/system/ansistring.h"

class TQRPrinter;

enum TQRHyperlinkEventType { heCursorMoveOver, heCursorMoveAway, heGoto, heGotoNewWindow };

DOZURI_EVENT(TQRPreviewHyperlinkEvent,
             void(TObject* Sender, TQRHyperlinkEventType EventType, const AnsiString& Link, bool& Handled));

// One link area of a page, in page units (image pixels x 100 / Zoom).
struct TQRHyperlinkArea {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  AnsiString Link;
};

// The index of the first area holding the image point (X, Y) at the zoom,
// or -1.
int QRHyperlinkHit(const std::vector<TQRHyperlinkArea>& areas, int X, int Y, int Zoom);

// An internal link handler: receives the printer object and the text after
// its prefix.
using TQRHyperlinkHandler = std::function<void(TQRPrinter* Printer, const AnsiString& Text)>;

struct TQRHyperlinkSourceRecord {
  AnsiString Prefix;
  TQRHyperlinkHandler Handler;
};

// Adds a handler after those registered before it.
void RegisterQRHyperlinkSource(const AnsiString& Prefix, TQRHyperlinkHandler Handler);
// Takes the handlers registered with the prefix out again.
void UnregisterQRHyperlinkSource(const AnsiString& Prefix);
// Offers the text to the handlers in registration order; the first whose
// prefix begins the text (exact letter case) takes it. True when taken.
bool OfferQRHyperlink(TQRPrinter* Printer, const AnsiString& Text);

// Follows a link nobody handled (prefixes compared without regard to case).
void DispatchQRHyperlink(TQRPrinter* Printer, const AnsiString& Link, HWND Parent);

// Opens a text with the shell's "open" verb, shown normally. Tests put an
// opener of their own in place; nullptr restores the shell. Gives the
// previous opener.
using TQRShellOpener = std::function<void(HWND Parent, const AnsiString& Target)>;
TQRShellOpener SetQRShellOpener(TQRShellOpener Opener);

// The palette's prototypes, shared by the designer and the runner: a hidden
// panel "DsnDpstPanel" holding one fully set-up component per palette entry,
// a graphic prototype page with the band prototypes and a text prototype page
// "ZReport1" with the text label prototypes. Every prototype page and barcode
// carries the prototype tag, so the runner never runs them.
//
// The designer's palette buttons name their prototype by "GeneName" (the
// palette looks it up by name, letter case ignored); the runner keeps the
// same set so that a layout's components never take a prototype's name.
#pragma once
#include <span>

#include "classlib/controls/extctrls.h"

class TQuickRep;
class TZReport;

struct TLayoutPrototypes {
  TPanel* Panel = nullptr;          // "DsnDpstPanel", hidden
  TQuickRep* GraphicPage = nullptr;  // "PrototypeReport": the band prototypes
  TZReport* TextPage = nullptr;      // "ZReport1": the text label prototypes
};

// A component of a registered class, owned by Owner, named and (when it is
// a control and Parent is given) parented; nullptr when the program does not
// register the class.
TComponent* MakeRegisteredComponent(TComponent* Owner, const char* ClassName, const AnsiString& Name,
                                    TWinControl* Parent);

// Makes the hidden panel on Parent and every prototype, all owned by Owner.
TLayoutPrototypes BuildLayoutPrototypes(TComponent* Owner, TWinControl* Parent);

// Which layouts a palette button serves: the layout-kind switch enables
// graphic buttons on graphic layouts, text buttons on text layouts, and
// leaves the others alone.
enum class TPaletteKind { Graphic, Text, Either };

struct TPaletteEntry {
  const char* Hint;
  const char* GeneName;
  TPaletteKind Kind;
};

// The designer's palette buttons, in palette order.
std::span<const TPaletteEntry> LayoutPaletteEntries();

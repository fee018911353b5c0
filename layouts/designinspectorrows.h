// The rows of the designer's property inspector: which properties of the
// selected controls it shows, in a fixed order, with Turkish captions and
// the value of the first selected control; and the property each row's key
// stands for on a given control.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/system/ansistring.h"

class TObject;
class TControl;

// One row: its caption and value as drawn, its key (a property path or a
// logical name) and its kind, which chooses the editor.
struct TInspectorRow {
  AnsiString Caption;
  AnsiString Value;
  AnsiString Key;
  AnsiString Kind;
};

// What the row list depends on besides the selection.
struct TInspectorContext {
  std::vector<TControl*> Selection;
  bool TextLayout = false;
  bool InvoiceLayout = false;
  // The current graphic page's scale for barcodes (0: none).
  double BarcodePixelsPerMm = 0;
  AnsiString TextYes = "Var";
  AnsiString TextNo = "Yok";
  // Captions and fixed value texts go through it; nullptr leaves them.
  std::function<AnsiString(const AnsiString&)> Translate;
};

// The rows the selection shows, in drawing order; none for an empty one.
std::vector<TInspectorRow> BuildInspectorRows(const TInspectorContext& Context);

// True when every control of Selection publishes Name (also for none).
bool CommonProps(const std::vector<TControl*>& Selection, const AnsiString& Name);

// ---- Property paths ---------------------------------------------------------------
// The object a published object property holds ("Page", "Frame"), or nullptr.
TObject* PublishedObject(TObject* Instance, const AnsiString& Name);
// The type name of a published property in lower case ("tqrprintablesize"),
// "" when Instance does not publish it.
AnsiString PropTypeName(TObject* Instance, const AnsiString& Name);
// The property that a path such as "Page.Length" or "Frame.DrawTop" reaches:
// Owner is the object holding the last part. False when a part is missing.
struct TPropertyPlace {
  TObject* Owner = nullptr;
  AnsiString Name;
};
bool ResolvePath(TObject* Instance, const AnsiString& Path, TPropertyPlace& Place);

// The property path that a row's key stands for on Instance: the key itself
// for most rows; the text frame's sides, the text page's margins and band
// switches, the text alignment's "Alignment.X", "Karakter" (Tag),
// "ComponentName" (Name) and "SysData" (Data or DataKind) by the control.
AnsiString PathOfKey(TObject* Instance, const AnsiString& Key);

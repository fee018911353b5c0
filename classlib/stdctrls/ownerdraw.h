// What the owner-drawn list controls (list boxes, combo boxes) share: the
// draw and measure events and the canvas lent to them for one item.
#pragma once
#include "classlib/controls/wincontrol.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/canvas.h"

DOZURI_EVENT(TDrawItemEvent, void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State));
DOZURI_EVENT(TMeasureItemEvent, void(TWinControl* Control, int Index, int& Height));

// Lends Canvas the item's DC for one WM_DRAWITEM, with the control's font
// and the colours of the item's state, and takes it back afterwards.
class TItemPaintScope {
public:
  TItemPaintScope(TCanvas& Canvas, TWinControl& Control, const DRAWITEMSTRUCT& Item);
  ~TItemPaintScope();
  TItemPaintScope(const TItemPaintScope&) = delete;
  TItemPaintScope& operator=(const TItemPaintScope&) = delete;

private:
  TCanvas& FCanvas;
  int FSaved;
};

// The default look of an item: its text on the state's colours.
void DrawItemText(TCanvas& Canvas, const TRect& Rect, const AnsiString& Text);

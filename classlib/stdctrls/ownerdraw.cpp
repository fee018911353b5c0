#include "classlib/stdctrls/ownerdraw.h"

TItemPaintScope::TItemPaintScope(TCanvas& Canvas, TWinControl& Control, const DRAWITEMSTRUCT& Item)
    : FCanvas(Canvas), FSaved(SaveDC(Item.hDC)) {
  FCanvas.SetHandle(Item.hDC);
  FCanvas.SetFont(*Control.Font());
  FCanvas.Brush().SetStyle(bsSolid);
  if ((Item.itemState & ODS_SELECTED) != 0) {
    FCanvas.Brush().SetColor(clHighlight);
    FCanvas.Font().SetColor(clHighlightText);
  } else {
    FCanvas.Brush().SetColor(Control.Color());
  }
}

TItemPaintScope::~TItemPaintScope() {
  HDC dc = FCanvas.Handle();
  FCanvas.SetHandle(nullptr);
  RestoreDC(dc, FSaved);
}

void DrawItemText(TCanvas& Canvas, const TRect& Rect, const AnsiString& Text) {
  Canvas.FillRect(Rect);
  Canvas.TextRect(Rect, Rect.left + 2, Rect.top, Text);
}

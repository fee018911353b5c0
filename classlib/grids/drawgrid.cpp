#include "classlib/grids/drawgrid.h"

#include "classlib/grids/gridpublished.h"

IMPLEMENT_CLASS(TCustomDrawGrid)

BEGIN_PUBLISHED(TDrawGrid)
  DOZURI_GRID_PUBLISHED_PROPERTIES,
  DOZURI_GRID_PUBLISHED_EVENTS,
END_PUBLISHED

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell)
    OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool canSelect = true;
  if (OnSelectCell)
    OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged)
    OnTopLeftChanged(this);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved)
    OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved)
    OnRowMoved(this, FromIndex, ToIndex);
}

AnsiString TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  AnsiString value;
  if (OnGetEditText)
    OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
  if (OnSetEditText)
    OnSetEditText(this, ACol, ARow, Value);
}

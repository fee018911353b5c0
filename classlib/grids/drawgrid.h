// TDrawGrid: a grid whose cells the program draws (OnDrawCell) and whose
// moves it may refuse (OnSelectCell); the in-place editor's text comes from
// OnGetEditText and goes to OnSetEditText.
#pragma once
#include "classlib/grids/grids.h"

class TCustomDrawGrid : public TCustomGrid {
  DECLARE_CLASS(TCustomDrawGrid, TCustomGrid)

public:
  explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  TNotifyEvent OnTopLeftChanged;
  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  AnsiString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
};

class TDrawGrid : public TCustomDrawGrid {
  DECLARE_CLASS(TDrawGrid, TCustomDrawGrid)

public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

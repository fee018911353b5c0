// TCustomGrid: a custom-drawn grid of cells in rows and columns.
//
// The first FixedRows rows and FixedCols columns are fixed: they stay in
// place while the others scroll (TopRow and LeftCol are the first scrolling
// row and column on the screen). One cell is current (Col, Row); with
// goRangeSelect the selection stretches from an anchor to it, with
// goRowSelect it covers whole rows. Moving the current cell, by code, key
// or mouse, scrolls it into view and asks SelectCell first, which may
// refuse. The grid draws every visible cell through DrawCell; descendants
// (TDrawGrid, TStringGrid, the data grid) decide what a cell shows. With
// goEditing an in-place editor (TInplaceEdit) opens over the current cell
// on F2, Enter or typing, and its text goes back through SetEditText.
//
// What descendants build on: DrawCell, SelectCell, SizeChanged,
// ColWidthsChanged/RowHeightsChanged, TopLeftChanged, ColumnMoved/RowMoved,
// CanEditShow/CanEditAcceptKey/CanEditModify, GetEditText/SetEditText,
// GetEditLimit, CreateEditor, InvalidateCell/InvalidateRow/InvalidateCol.
#pragma once
#include <windows.h>

#include <vector>

#include "classlib/controls/customcontrol.h"
#include "classlib/grids/gridaxis.h"
#include "classlib/grids/gridtypes.h"

class TInplaceEdit;

class TCustomGrid : public TCustomControl {
  DECLARE_CLASS(TCustomGrid, TCustomControl)

public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // ---- Size and look ----
  int ColCount() const { return static_cast<int>(FColWidths.size()); }
  void SetColCount(int Value);
  int RowCount() const { return static_cast<int>(FRowHeights.size()); }
  void SetRowCount(int Value);
  // Changing a fixed count makes the first scrolling cell current.
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  // Setting a default size gives every column (row) that size.
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  // Raise EInvalidGridOperation for an index out of range.
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  // Which of its own scroll bars the grid may show (each only when needed).
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Whether the grid fills each cell's background and draws its focus
  // before DrawCell (descendants draw their text only when set).
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);

  // ---- The current cell, the selection and the view ----
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  // Scrolling columns (rows) wholly on the screen.
  int VisibleColCount();
  int VisibleRowCount();
  TGridRect Selection() const;
  // Selects a block; its bottom right corner becomes the current cell.
  void SetSelection(const TGridRect& Value);

  // ---- Geometry ----
  // The client rectangle of a cell on the screen, without its grid lines;
  // empty (0, 0, 0, 0) for a cell scrolled out of view or out of range.
  TRect CellRect(int ACol, int ARow);
  // The cell under a client point; -1 for a coordinate outside every cell.
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  TGridCoord MouseCoord(int X, int Y);

  // ---- The in-place editor ----
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Streams ColWidths and RowHeights when some differ from the defaults.
  void DefineProperties(TFiler& Filer) override;

protected:
  friend class TInplaceEdit;

  // ---- Extension points ----
  // Draws one cell; the grid has filled its background already when
  // DefaultDrawing.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
  // Asked before a cell becomes current; false keeps the current one.
  virtual bool SelectCell(int ACol, int ARow) { return true; }
  virtual void SizeChanged(int OldColCount, int OldRowCount) {}
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void TopLeftChanged();
  virtual void ColumnMoved(int FromIndex, int ToIndex) {}
  virtual void RowMoved(int FromIndex, int ToIndex) {}
  // Whether the editor may be shown now.
  virtual bool CanEditShow();
  // Whether a typed character may open and go into the editor.
  virtual bool CanEditAcceptKey(char Key) { return static_cast<unsigned char>(Key) >= 32; }
  // Asked when the editor is about to change the cell's text.
  virtual bool CanEditModify() { return true; }
  // Whether the grid handles a navigation key (the data grid refuses some).
  virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift) { return true; }
  virtual AnsiString GetEditText(int ACol, int ARow) { return ""; }
  virtual void SetEditText(int ACol, int ARow, const AnsiString& Value) {}
  // The editor's MaxLength (0: no limit).
  virtual int GetEditLimit() { return 0; }
  virtual TInplaceEdit* CreateEditor();

  // ---- Editing ----
  void ShowEditor();
  // Writes the editor's text back, then hides it.
  void HideEditor();
  // Opens the editor with the character typed (it replaces the text).
  void ShowEditorChar(char Ch);
  // Writes the editor's text to the current cell through SetEditText.
  void UpdateText();
  // Reloads the editor from the cell (after the cell changed under it).
  void InvalidateEditor();

  // ---- Moving and repainting ----
  // Makes (ACol, ARow) current when SelectCell allows; MoveAnchor restarts
  // the selection there; Show scrolls it into view.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  void FocusCell(int ACol, int ARow, bool MoveAnchor) { MoveColRow(ACol, ARow, MoveAnchor, true); }
  // Moves a column (row) to another place; the descendant's data follows in
  // ColumnMoved (RowMoved).
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  void InvalidateGrid() { Invalidate(); }
  TGridState GridState() const { return FGridState; }
  // Sets the ranges of the grid's own scroll bars and shows each only when
  // the cells do not fit (a data grid shows the record position instead).
  virtual void UpdateScrollBars();

  // ---- Overrides ----
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  // Geometry of the columns and of the rows.
  TGridAxis ColAxis();
  TGridAxis RowAxis();
  int VertLineWidth() const;
  int HorzLineWidth() const;
  bool IsFixed(int ACol, int ARow) const { return ACol < FFixedCols || ARow < FFixedRows; }
  // Sets the counts, keeping the sizes of the cells that stay.
  void ChangeSize(int NewColCount, int NewRowCount);
  // Puts the current cell, anchor and top left back into range.
  void ClampPositions();
  void RestartAtFirstCell();
  void SetTopLeft(int ALeftCol, int ATopRow);
  // Scrolls so that the cell is wholly visible (as far as it fits).
  void ClampInView(const TGridCoord& Cell);
  void InvalidateSelection(const TGridRect& Sel);
  void InvalidateClientRect(const TRect& R);
  bool ApplyScrollBar(int Bar, bool Allowed, const TGridAxis& Axis);
  void ScrollBarMessage(bool Vertical, int Code);
  // The editor over the current cell: placed, filled and shown (or hidden).
  void UpdateEdit();
  void PlaceEditor();
  // Esc in the editor: the cell's text again, nothing written back.
  void CancelEdit();

  // Painting.
  void PaintCell(int ACol, int ARow, const TRect& Rect);
  void PaintCellLines(const TRect& Rect, bool Fixed);
  void PaintFocus();
  TGridDrawState CellState(int ACol, int ARow) const;

  // Keyboard.
  bool MoveByKey(WORD Key, TShiftState Shift);
  void TabTo(bool Forward);

  // Mouse: sizing and moving of columns and rows.
  int SizingEdgeAt(const TGridAxis& Axis, int Position);
  TGridState SizingStateAt(int X, int Y, int& Index);
  bool StartSizing(int X, int Y);
  bool StartMoving(int X, int Y);
  void TrackSizing(int X, int Y);
  void EndMoving(int X, int Y);
  void WMGetDlgCode(TMessage& Message);
  void WMSetCursor(TMessage& Message) override;
  void WMSize(TMessage& Message) override;

  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  int FFixedCols = 1;
  int FFixedRows = 1;
  TColor FFixedColor = clBtnFace;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;

  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  TGridState FGridState = gsNormal;
  bool FUpdatingScrollBars = false;

  // Mouse sizing and moving.
  int FSizingIndex = -1;
  int FSizingPos = 0;   // where the dragged edge started
  int FSizingOfs = 0;   // the mouse's distance from that edge
  int FMoveIndex = -1;  // the column (row) being dragged

  TInplaceEdit* FInplaceEdit = nullptr;
  bool FEditorMode = false;
};

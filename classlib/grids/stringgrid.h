// TStringGrid: a draw grid that keeps a text and an object for every cell
// and draws the text. Cells(ACol, ARow) and Objects(ACol, ARow) address one
// cell; Cols(Index) and Rows(Index) give a column or a row as a TStrings
// whose lines are its cells (assigning a TStrings to one fills it from the
// first cell on). The grid does not own the objects. The in-place editor
// edits the cell's text.
#pragma once
// <windows.h> first: it renames GetObject, which TStringGridStrings
// overrides, so TStrings must be read with the same name. Include this
// header before any other that brings in classlib/classes/strings.h.
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/classes/strings.h"
#include "classlib/grids/drawgrid.h"

class TStringGrid;

// One column or one row of a string grid, seen as a list of strings. Its
// length is the grid's; lines cannot be inserted or deleted
// (EInvalidGridOperation). Add puts the text into the first empty cell
// (-1 when none is left); Clear empties every cell of the line.
class TStringGridStrings : public TStrings {
  DECLARE_CLASS(TStringGridStrings, TStrings)

public:
  TStringGridStrings(TStringGrid* Grid, bool IsColumn, int Index);

  int Count() const override;
  int Add(const AnsiString& text) override;
  int AddObject(const AnsiString& text, TObject* object) override;
  void Insert(int index, const AnsiString& text) override;
  void Delete(int index) override;
  void Clear() override;
  // Fills the line from Source's lines and objects; cells past Source's
  // end are emptied.
  void Assign(TPersistent* Source) override;

protected:
  AnsiString Get(int index) const override;
  void Put(int index, const AnsiString& text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;

private:
  // The grid coordinates of the index-th cell of the line.
  int ColOf(int index) const { return FIsColumn ? FIndex : index; }
  int RowOf(int index) const { return FIsColumn ? index : FIndex; }
  void CheckIndex(int index) const;

  TStringGrid* FGrid;
  bool FIsColumn;
  int FIndex;
};

class TStringGrid : public TCustomDrawGrid {
  DECLARE_CLASS(TStringGrid, TCustomDrawGrid)

public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  // "" for a cell out of range; writing out of range raises
  // EInvalidGridOperation.
  AnsiString Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const AnsiString& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  // The column (row) as strings; the object lives as long as the grid.
  TStrings* Cols(int Index);
  void SetCols(int Index, TStrings* Value) { Cols(Index)->Assign(Value); }
  TStrings* Rows(int Index);
  void SetRows(int Index, TStrings* Value) { Rows(Index)->Assign(Value); }

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  AnsiString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const AnsiString& Value) override;

private:
  struct TCell {
    AnsiString Text;
    TObject* Object = nullptr;
  };
  bool InRange(int ACol, int ARow) const {
    return ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
  }
  TCell& CellAt(int ACol, int ARow);
  TStrings* Line(std::vector<std::unique_ptr<TStringGridStrings>>& Lines, bool IsColumn, int Index);

  // FData[row][col].
  std::vector<std::vector<TCell>> FData;
  std::vector<std::unique_ptr<TStringGridStrings>> FCols;
  std::vector<std::unique_ptr<TStringGridStrings>> FRows;
};

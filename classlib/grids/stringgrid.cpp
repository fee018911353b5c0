#include "classlib/grids/stringgrid.h"

#include <algorithm>

#include "classlib/grids/gridpublished.h"

// ---- TStringGridStrings ---------------------------------------------------------------------------
IMPLEMENT_CLASS(TStringGridStrings)

TStringGridStrings::TStringGridStrings(TStringGrid* Grid, bool IsColumn, int Index)
    : FGrid(Grid), FIsColumn(IsColumn), FIndex(Index) {}

int TStringGridStrings::Count() const { return FIsColumn ? FGrid->RowCount() : FGrid->ColCount(); }

void TStringGridStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    throw EInvalidGridOperation("Grid index out of range");
}

AnsiString TStringGridStrings::Get(int index) const {
  CheckIndex(index);
  return FGrid->Cells(ColOf(index), RowOf(index));
}

void TStringGridStrings::Put(int index, const AnsiString& text) {
  CheckIndex(index);
  FGrid->SetCells(ColOf(index), RowOf(index), text);
}

TObject* TStringGridStrings::GetObject(int index) const {
  CheckIndex(index);
  return FGrid->Objects(ColOf(index), RowOf(index));
}

void TStringGridStrings::PutObject(int index, TObject* object) {
  CheckIndex(index);
  FGrid->SetObjects(ColOf(index), RowOf(index), object);
}

int TStringGridStrings::Add(const AnsiString& text) { return AddObject(text, nullptr); }

int TStringGridStrings::AddObject(const AnsiString& text, TObject* object) {
  for (int i = 0; i < Count(); ++i)
    if (Get(i).empty() && GetObject(i) == nullptr) {
      Put(i, text);
      PutObject(i, object);
      return i;
    }
  return -1;
}

void TStringGridStrings::Insert(int, const AnsiString&) {
  throw EInvalidGridOperation("Cannot insert or delete rows from grid");
}

void TStringGridStrings::Delete(int) { throw EInvalidGridOperation("Cannot insert or delete rows from grid"); }

void TStringGridStrings::Clear() {
  for (int i = 0; i < Count(); ++i) {
    Put(i, "");
    PutObject(i, nullptr);
  }
}

void TStringGridStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (source == nullptr) {
    TStrings::Assign(Source);
    return;
  }
  int count = Count();
  for (int i = 0; i < count; ++i) {
    bool has = i < source->Count();
    Put(i, has ? source->Strings(i) : AnsiString());
    PutObject(i, has ? source->Objects(i) : nullptr);
  }
}

// ---- TStringGrid --------------------------------------------------------------------------------------
BEGIN_PUBLISHED(TStringGrid)
  DOZURI_GRID_PUBLISHED_PROPERTIES,
  DOZURI_GRID_PUBLISHED_EVENTS,
END_PUBLISHED

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) { SizeChanged(0, 0); }

TStringGrid::~TStringGrid() = default;

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  FData.resize(RowCount());
  for (auto& row : FData)
    row.resize(ColCount());
  TCustomDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

TStringGrid::TCell& TStringGrid::CellAt(int ACol, int ARow) {
  if (!InRange(ACol, ARow))
    throw EInvalidGridOperation("Grid index out of range");
  return FData[ARow][ACol];
}

AnsiString TStringGrid::Cells(int ACol, int ARow) const {
  return InRange(ACol, ARow) ? FData[ARow][ACol].Text : AnsiString();
}

void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value) {
  TCell& cell = CellAt(ACol, ARow);
  if (cell.Text == Value)
    return;
  cell.Text = Value;
  InvalidateCell(ACol, ARow);
  if (ACol == Col() && ARow == Row())
    InvalidateEditor();
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  return InRange(ACol, ARow) ? FData[ARow][ACol].Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) { CellAt(ACol, ARow).Object = Value; }

TStrings* TStringGrid::Line(std::vector<std::unique_ptr<TStringGridStrings>>& Lines, bool IsColumn, int Index) {
  int count = IsColumn ? ColCount() : RowCount();
  if (Index < 0 || Index >= count)
    throw EInvalidGridOperation("Grid index out of range");
  if (static_cast<int>(Lines.size()) <= Index)
    Lines.resize(Index + 1);
  if (!Lines[Index])
    Lines[Index] = std::make_unique<TStringGridStrings>(this, IsColumn, Index);
  return Lines[Index].get();
}

TStrings* TStringGrid::Cols(int Index) { return Line(FCols, true, Index); }

TStrings* TStringGrid::Rows(int Index) { return Line(FRows, false, Index); }

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  for (auto& row : FData) {
    TCell cell = row[FromIndex];
    row.erase(row.begin() + FromIndex);
    row.insert(row.begin() + ToIndex, cell);
  }
  TCustomDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  auto row = std::move(FData[FromIndex]);
  FData.erase(FData.begin() + FromIndex);
  FData.insert(FData.begin() + ToIndex, std::move(row));
  TCustomDrawGrid::RowMoved(FromIndex, ToIndex);
}

// The text two pixels in from the cell's top left, clipped to the cell;
// then the program's own drawing.
void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    TCanvas& canvas = *Canvas();
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(ARect, ARect.left + 2, ARect.top + 2, Cells(ACol, ARow));
    canvas.Brush().SetStyle(bsSolid);
  }
  TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

AnsiString TStringGrid::GetEditText(int ACol, int ARow) {
  AnsiString value = Cells(ACol, ARow);
  if (OnGetEditText)
    OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
  SetCells(ACol, ARow, Value);
  TCustomDrawGrid::SetEditText(ACol, ARow, Value);
}

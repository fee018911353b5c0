#include "classlib/grids/grids.h"

#include <algorithm>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/grids/inplaceedit.h"
#include "classlib/system/codepage.h"

IMPLEMENT_CLASS(TCustomGrid)

namespace {

constexpr int SizingTolerance = 2;  // pixels either side of an edge that start sizing
constexpr TColor FixedLineColor = clBlack;
constexpr TColor CellLineColor = clSilver;

[[noreturn]] void IndexOutOfRange() { throw EInvalidGridOperation("Grid index out of range"); }

TGridRect Normalized(const TGridCoord& A, const TGridCoord& B) {
  return TGridRect{std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

// Moves the element at From to To, shifting those between.
void MoveElement(std::vector<int>& Items, int From, int To) {
  int value = Items[From];
  Items.erase(Items.begin() + From);
  Items.insert(Items.begin() + To, value);
}

// Where an index ends up after the element at From moved to To.
int IndexAfterMove(int Index, int From, int To) {
  if (Index == From)
    return To;
  if (From < Index && Index <= To)
    return Index - 1;
  if (To <= Index && Index < From)
    return Index + 1;
  return Index;
}

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
  FColWidths.assign(5, FDefaultColWidth);
  FRowHeights.assign(5, FDefaultRowHeight);
  SetBounds(0, 0, 320, 120);
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FInplaceEdit)
    FInplaceEdit = nullptr;
}

// ---- Window -------------------------------------------------------------------------------
void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  // The grid repaints what changed itself; a resize needs no full repaint.
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

void TCustomGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;  // Paint covers the whole client area
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam == 0) {  // the grid's own scroll bars
        ScrollBarMessage(Message.Msg == WM_VSCROLL, LOWORD(Message.WParam));
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::Dispatch(Message);
      InvalidateSelection(Selection());
      InvalidateCell(FCurrent.X, FCurrent.Y);
      if (Message.Msg == WM_SETFOCUS && FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing))
        ShowEditor();
      return;
    case WM_CANCELMODE:
      FGridState = gsNormal;
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FOptions.Contains(goTabs))
    Message.Result |= DLGC_WANTTAB;
}

void TCustomGrid::WMSize(TMessage& Message) {
  TCustomControl::WMSize(Message);
  if (FUpdatingScrollBars)
    return;
  UpdateScrollBars();
  if (FEditorMode)
    PlaceEditor();
}

// ---- Sizes ----------------------------------------------------------------------------------
void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == ColCount())
    return;
  if (Value <= FFixedCols)
    FFixedCols = Value - 1;
  ChangeSize(Value, RowCount());
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == RowCount())
    return;
  if (Value <= FFixedRows)
    FFixedRows = Value - 1;
  ChangeSize(ColCount(), Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
  int oldCols = ColCount(), oldRows = RowCount();
  FColWidths.resize(NewColCount, FDefaultColWidth);
  FRowHeights.resize(NewRowCount, FDefaultRowHeight);
  ClampPositions();
  SizeChanged(oldCols, oldRows);
  UpdateScrollBars();
  Invalidate();
  if (FEditorMode)
    UpdateEdit();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0)
    IndexOutOfRange();
  if (Value >= ColCount())
    throw EInvalidGridOperation("Fixed column count must be less than column count");
  FFixedCols = Value;
  RestartAtFirstCell();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0)
    IndexOutOfRange();
  if (Value >= RowCount())
    throw EInvalidGridOperation("Fixed row count must be less than row count");
  FFixedRows = Value;
  RestartAtFirstCell();
  UpdateScrollBars();
  Invalidate();
}

// New fixed counts start the grid over: the first scrolling cell is at the
// top left and current.
void TCustomGrid::RestartAtFirstCell() {
  FTopLeft = TGridCoord{FFixedCols, FFixedRows};
  FCurrent = FAnchor = FTopLeft;
  ClampPositions();
}

void TCustomGrid::ClampPositions() {
  auto clampCell = [this](TGridCoord& c) {
    c.X = std::clamp(c.X, FFixedCols, ColCount() - 1);
    c.Y = std::clamp(c.Y, FFixedRows, RowCount() - 1);
  };
  clampCell(FCurrent);
  clampCell(FAnchor);
  FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(ColAxis().MaxFirst(), FFixedCols));
  FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(RowAxis().MaxFirst(), FFixedRows));
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (FFixedColor == Value)
    return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = std::max(Value, 0);
  std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = std::max(Value, 0);
  std::fill(FRowHeights.begin(), FRowHeights.end(), FDefaultRowHeight);
  RowHeightsChanged();
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= ColCount())
    IndexOutOfRange();
  return FColWidths[Index];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= ColCount())
    IndexOutOfRange();
  Value = std::max(Value, 0);
  if (FColWidths[Index] == Value)
    return;
  FColWidths[Index] = Value;
  ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= RowCount())
    IndexOutOfRange();
  return FRowHeights[Index];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= RowCount())
    IndexOutOfRange();
  Value = std::max(Value, 0);
  if (FRowHeights[Index] == Value)
    return;
  FRowHeights[Index] = Value;
  RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollBars();
  Invalidate();
  if (FEditorMode)
    PlaceEditor();
}

void TCustomGrid::RowHeightsChanged() { ColWidthsChanged(); }

void TCustomGrid::SetGridLineWidth(int Value) {
  Value = std::max(Value, 0);
  if (FGridLineWidth == Value)
    return;
  FGridLineWidth = Value;
  ColWidthsChanged();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value.Contains(goRowSelect))
    Value.Exclude(goAlwaysShowEditor);
  if (FOptions == Value)
    return;
  FOptions = Value;
  if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect))
    HideEditor();
  else if (FOptions.Contains(goAlwaysShowEditor) && Focused())
    ShowEditor();
  if (FOptions.Contains(goRowSelect))
    FAnchor.X = FCurrent.X;
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value)
    return;
  FScrollBars = Value;
  UpdateScrollBars();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (FDefaultDrawing == Value)
    return;
  FDefaultDrawing = Value;
  Invalidate();
}

// ---- Streaming of the sizes that differ from the defaults -------------------------------------
void TCustomGrid::DefineProperties(TFiler& Filer) {
  TCustomControl::DefineProperties(Filer);
  auto custom = [](const std::vector<int>& sizes, int standard) {
    return std::any_of(sizes.begin(), sizes.end(), [standard](int s) { return s != standard; });
  };
  auto reader = [](std::vector<int>& sizes) {
    return [&sizes](TReader& Reader) {
      Reader.ReadListBegin();
      for (std::size_t i = 0; !Reader.EndOfList(); ++i) {
        int value = Reader.ReadInteger();
        if (i < sizes.size())
          sizes[i] = std::max(value, 0);
      }
      Reader.ReadListEnd();
    };
  };
  auto writer = [](const std::vector<int>& sizes) {
    return [&sizes](TWriter& Writer) {
      Writer.WriteListBegin();
      for (int s : sizes)
        Writer.WriteInteger(s);
      Writer.WriteListEnd();
    };
  };
  Filer.DefineProperty("ColWidths", reader(FColWidths), writer(FColWidths),
                       custom(FColWidths, FDefaultColWidth));
  Filer.DefineProperty("RowHeights", reader(FRowHeights), writer(FRowHeights),
                       custom(FRowHeights, FDefaultRowHeight));
}

// ---- Geometry ---------------------------------------------------------------------------------
int TCustomGrid::VertLineWidth() const {
  return FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
}

int TCustomGrid::HorzLineWidth() const {
  return FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
}

TGridAxis TCustomGrid::ColAxis() {
  return TGridAxis(FColWidths, FFixedCols, FTopLeft.X, VertLineWidth(), ClientRect().right);
}

TGridAxis TCustomGrid::RowAxis() {
  return TGridAxis(FRowHeights, FFixedRows, FTopLeft.Y, HorzLineWidth(), ClientRect().bottom);
}

int TCustomGrid::VisibleColCount() { return ColAxis().VisibleCount(); }

int TCustomGrid::VisibleRowCount() { return RowAxis().VisibleCount(); }

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  int x = ColAxis().CellStart(ACol);
  int y = RowAxis().CellStart(ARow);
  if (x < 0 || y < 0)
    return TRect{0, 0, 0, 0};
  return TRect{x, y, x + FColWidths[ACol], y + FRowHeights[ARow]};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  TGridCoord cell = MouseCoord(X, Y);
  ACol = cell.X;
  ARow = cell.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  return TGridCoord{ColAxis().CellAt(X), RowAxis().CellAt(Y)};
}

// ---- Current cell and selection ----------------------------------------------------------------
TGridRect TCustomGrid::Selection() const {
  TGridRect sel = Normalized(FAnchor, FCurrent);
  if (FOptions.Contains(goRowSelect)) {
    sel.Left = FFixedCols;
    sel.Right = ColCount() - 1;
  }
  return sel;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  bool inRange = Value.Left >= FFixedCols && Value.Top >= FFixedRows && Value.Right < ColCount() &&
                 Value.Bottom < RowCount() && Value.Left <= Value.Right && Value.Top <= Value.Bottom;
  if (!inRange)
    IndexOutOfRange();
  TGridRect old = Selection();
  FAnchor = TGridCoord{Value.Left, Value.Top};
  FCurrent = TGridCoord{Value.Right, Value.Bottom};
  ClampInView(FCurrent);
  InvalidateSelection(old);
  InvalidateSelection(Selection());
  if (FEditorMode)
    UpdateEdit();
}

void TCustomGrid::SetCol(int Value) {
  if (Value != FCurrent.X)
    FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != FCurrent.Y)
    FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < FFixedCols || ARow < FFixedRows || ACol >= ColCount() || ARow >= RowCount())
    IndexOutOfRange();
  if (!SelectCell(ACol, ARow))
    return;
  TGridCoord target{ACol, ARow};
  bool moved = target != FCurrent;
  if (moved && FEditorMode)
    UpdateText();  // the text typed belongs to the cell being left
  TGridRect old = Selection();
  FCurrent = target;
  if (MoveAnchor || !FOptions.Contains(goRangeSelect))
    FAnchor = FCurrent;
  if (Show)
    ClampInView(FCurrent);
  InvalidateSelection(old);
  InvalidateSelection(Selection());
  if (moved) {
    if (FEditorMode)
      UpdateEdit();
    Click();
  }
}

void TCustomGrid::SetTopRow(int Value) {
  if (Value != FTopLeft.Y)
    SetTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int Value) {
  if (Value != FTopLeft.X)
    SetTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopLeft(int ALeftCol, int ATopRow) {
  TGridCoord target{std::clamp(ALeftCol, FFixedCols, std::max(ColAxis().MaxFirst(), FFixedCols)),
                    std::clamp(ATopRow, FFixedRows, std::max(RowAxis().MaxFirst(), FFixedRows))};
  if (target == FTopLeft)
    return;
  FTopLeft = target;
  UpdateScrollBars();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  if (FEditorMode)
    PlaceEditor();
}

void TCustomGrid::ClampInView(const TGridCoord& Cell) {
  TGridAxis cols = ColAxis();
  TGridAxis rows = RowAxis();
  int left = FTopLeft.X, top = FTopLeft.Y;
  if (!FOptions.Contains(goRowSelect)) {
    if (Cell.X < left)
      left = Cell.X;
    else if (Cell.X > cols.LastFullVisible())
      left = cols.FirstToShowLast(Cell.X);
  }
  if (Cell.Y < top)
    top = Cell.Y;
  else if (Cell.Y > rows.LastFullVisible())
    top = rows.FirstToShowLast(Cell.Y);
  SetTopLeft(left, top);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount())
    IndexOutOfRange();
  if (FromIndex == ToIndex)
    return;
  HideEditor();
  MoveElement(FColWidths, FromIndex, ToIndex);
  FCurrent.X = std::max(IndexAfterMove(FCurrent.X, FromIndex, ToIndex), FFixedCols);
  FAnchor.X = std::max(IndexAfterMove(FAnchor.X, FromIndex, ToIndex), FFixedCols);
  ColumnMoved(FromIndex, ToIndex);
  ColWidthsChanged();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount())
    IndexOutOfRange();
  if (FromIndex == ToIndex)
    return;
  HideEditor();
  MoveElement(FRowHeights, FromIndex, ToIndex);
  FCurrent.Y = std::max(IndexAfterMove(FCurrent.Y, FromIndex, ToIndex), FFixedRows);
  FAnchor.Y = std::max(IndexAfterMove(FAnchor.Y, FromIndex, ToIndex), FFixedRows);
  RowMoved(FromIndex, ToIndex);
  RowHeightsChanged();
}

// ---- Invalidation -------------------------------------------------------------------------------
void TCustomGrid::InvalidateClientRect(const TRect& R) {
  if (HandleAllocated() && R.right > R.left && R.bottom > R.top)
    ::InvalidateRect(FHandle, &R, FALSE);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  TRect r = CellRect(ACol, ARow);
  r.right += VertLineWidth();
  r.bottom += HorzLineWidth();
  InvalidateClientRect(r);
}

void TCustomGrid::InvalidateRow(int ARow) {
  TRect r = CellRect(FFixedCols > 0 ? 0 : FTopLeft.X, ARow);
  if (r.bottom == 0)
    return;
  InvalidateClientRect(TRect{0, r.top, ClientRect().right, r.bottom + HorzLineWidth()});
}

void TCustomGrid::InvalidateCol(int ACol) {
  TRect r = CellRect(ACol, FFixedRows > 0 ? 0 : FTopLeft.Y);
  if (r.right == 0)
    return;
  InvalidateClientRect(TRect{r.left, 0, r.right + VertLineWidth(), ClientRect().bottom});
}

void TCustomGrid::InvalidateSelection(const TGridRect& Sel) {
  if (!HandleAllocated())
    return;
  int last = RowAxis().LastVisible();
  for (int row = std::max(Sel.Top, FTopLeft.Y); row <= std::min(Sel.Bottom, last); ++row)
    InvalidateRow(row);
}

// ---- Scroll bars --------------------------------------------------------------------------------
// Sets one bar's range and shows it only when the cells do not fit; true
// when its visibility changed (which changes the client size).
bool TCustomGrid::ApplyScrollBar(int Bar, bool Allowed, const TGridAxis& Axis) {
  int fixed = Axis.FixedCount();
  int maxFirst = Axis.MaxFirst();
  bool needed = Allowed && maxFirst > fixed;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  if (needed) {
    int page = std::max(Axis.VisibleCount(), 1);
    si.nPage = static_cast<UINT>(page);
    si.nMax = maxFirst - fixed + page - 1;
    si.nPos = std::min(Axis.First(), maxFirst) - fixed;
  }
  SetScrollInfo(FHandle, Bar, &si, TRUE);
  LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  bool shown = (style & (Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
  if (shown == needed)
    return false;
  ShowScrollBar(FHandle, Bar, needed);
  return true;
}

void TCustomGrid::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdatingScrollBars)
    return;
  FUpdatingScrollBars = true;
  // Showing one bar narrows the room for the other direction: settle both.
  for (int pass = 0; pass < 3; ++pass) {
    bool horz = ApplyScrollBar(SB_HORZ, FScrollBars == ssHorizontal || FScrollBars == ssBoth, ColAxis());
    bool vert = ApplyScrollBar(SB_VERT, FScrollBars == ssVertical || FScrollBars == ssBoth, RowAxis());
    if (!horz && !vert)
      break;
  }
  FUpdatingScrollBars = false;
  // A larger client may leave room after the last cell: scroll back.
  SetTopLeft(FTopLeft.X, FTopLeft.Y);
}

void TCustomGrid::ScrollBarMessage(bool Vertical, int Code) {
  TGridAxis axis = Vertical ? RowAxis() : ColAxis();
  int first = axis.First();
  auto thumb = [&](DWORD mask) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = mask;
    GetScrollInfo(FHandle, Vertical ? SB_VERT : SB_HORZ, &si);
    return (mask == SIF_TRACKPOS ? si.nTrackPos : si.nPos) + axis.FixedCount();
  };
  switch (Code) {
    case SB_LINEUP: first -= 1; break;
    case SB_LINEDOWN: first += 1; break;
    case SB_PAGEUP: first = axis.PageBack(); break;
    case SB_PAGEDOWN: first = axis.PageForward(); break;
    case SB_TOP: first = axis.FixedCount(); break;
    case SB_BOTTOM: first = axis.MaxFirst(); break;
    case SB_THUMBTRACK:
      if (!FOptions.Contains(goThumbTracking))
        return;
      first = thumb(SIF_TRACKPOS);
      break;
    case SB_THUMBPOSITION: first = thumb(SIF_TRACKPOS); break;
    default: return;
  }
  if (Vertical)
    SetTopLeft(FTopLeft.X, first);
  else
    SetTopLeft(first, FTopLeft.Y);
}

// ---- Painting -----------------------------------------------------------------------------------
TGridDrawState TCustomGrid::CellState(int ACol, int ARow) const {
  TGridDrawState state;
  if (IsFixed(ACol, ARow)) {
    state.Include(gdFixed);
    return state;
  }
  if (Selection().Contains(ACol, ARow))
    state.Include(gdSelected);
  bool hasFocus = Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused());
  if (hasFocus && ACol == FCurrent.X && ARow == FCurrent.Y)
    state.Include(gdFocused);
  return state;
}

void TCustomGrid::Paint() {
  TGridAxis cols = ColAxis();
  TGridAxis rows = RowAxis();
  TCanvas& canvas = *Canvas();
  std::vector<int> colList, rowList;
  for (int c = 0; c < cols.FixedCount(); ++c)
    colList.push_back(c);
  for (int c = cols.First(); c <= cols.LastVisible(); ++c)
    colList.push_back(c);
  for (int r = 0; r < rows.FixedCount(); ++r)
    rowList.push_back(r);
  for (int r = rows.First(); r <= rows.LastVisible(); ++r)
    rowList.push_back(r);

  int right = 0, bottom = 0;
  for (int r : rowList) {
    int y = rows.CellStart(r);
    for (int c : colList) {
      int x = cols.CellStart(c);
      PaintCell(c, r, TRect{x, y, x + FColWidths[c], y + FRowHeights[r]});
    }
  }
  if (!colList.empty())
    right = cols.CellStart(colList.back()) + FColWidths[colList.back()] + VertLineWidth();
  if (!rowList.empty())
    bottom = rows.CellStart(rowList.back()) + FRowHeights[rowList.back()] + HorzLineWidth();

  // What lies beyond the last cells shows the grid's colour.
  TRect client = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  if (right < client.right)
    canvas.FillRect(TRect{right, 0, client.right, client.bottom});
  if (bottom < client.bottom)
    canvas.FillRect(TRect{0, bottom, std::min<int>(right, client.right), client.bottom});
  PaintFocus();
}

void TCustomGrid::PaintFocus() {
  if (!FDefaultDrawing || FEditorMode || !Focused())
    return;
  TRect focus = CellRect(FCurrent.X, FCurrent.Y);
  if (FOptions.Contains(goRowSelect)) {
    TGridRect sel = Selection();
    TRect first = CellRect(std::max(sel.Left, FTopLeft.X), FCurrent.Y);
    focus.left = first.left;
    focus.right = ClientRect().right;
  }
  if (focus.right > focus.left) {
    Canvas()->Font().SetColor(clWindowText);
    Canvas()->Brush().SetColor(Color());
    Canvas()->DrawFocusRect(focus);
  }
}

void TCustomGrid::PaintCell(int ACol, int ARow, const TRect& Rect) {
  TCanvas& canvas = *Canvas();
  TGridDrawState state = CellState(ACol, ARow);
  bool fixed = state.Contains(gdFixed);
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  if (FDefaultDrawing) {
    bool highlight = state.Contains(gdSelected) &&
                     (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                      FOptions.Contains(goRowSelect));
    if (fixed) {
      canvas.Brush().SetColor(FFixedColor);
    } else if (highlight) {
      canvas.Brush().SetColor(clHighlight);
      canvas.Font().SetColor(clHighlightText);
    } else {
      canvas.Brush().SetColor(Color());
    }
    canvas.FillRect(Rect);
    if (fixed && Ctl3D() && FOptions.Contains(goFixedVertLine) && FOptions.Contains(goFixedHorzLine)) {
      TRect edge = Rect;
      DrawEdge(canvas.Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
    }
  }
  DrawCell(ACol, ARow, Rect, state);
  PaintCellLines(Rect, fixed);
}

// The grid lines to the right of and below a cell (the corner included):
// black for fixed cells, silver for the others, or the cell's background
// where that kind of line is switched off.
void TCustomGrid::PaintCellLines(const TRect& Rect, bool Fixed) {
  TCanvas& canvas = *Canvas();
  int vert = VertLineWidth(), horz = HorzLineWidth();
  TColor background = Fixed ? FFixedColor : Color();
  TColor lineColor = Fixed ? FixedLineColor : CellLineColor;
  canvas.Brush().SetStyle(bsSolid);
  if (vert > 0) {
    bool shown = FOptions.Contains(Fixed ? goFixedVertLine : goVertLine);
    canvas.Brush().SetColor(shown ? lineColor : background);
    canvas.FillRect(TRect{Rect.right, Rect.top, Rect.right + vert, Rect.bottom + horz});
  }
  if (horz > 0) {
    bool shown = FOptions.Contains(Fixed ? goFixedHorzLine : goHorzLine);
    canvas.Brush().SetColor(shown ? lineColor : background);
    canvas.FillRect(TRect{Rect.left, Rect.bottom, Rect.right, Rect.bottom + horz});
  }
}

// ---- Keyboard -------------------------------------------------------------------------------------
void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0)
    return;
  if (!CanGridAcceptKey(Key, Shift)) {
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_F2:
      if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) {
        ShowEditor();
        Key = 0;
      }
      return;
    case VK_TAB:
      if (FOptions.Contains(goTabs) && !Shift.Contains(ssAlt)) {
        TabTo(!Shift.Contains(ssShift));
        Key = 0;
      }
      return;
  }
  if (MoveByKey(Key, Shift))
    Key = 0;
}

bool TCustomGrid::MoveByKey(WORD Key, TShiftState Shift) {
  bool ctrl = Shift.Contains(ssCtrl);
  bool rowSelect = FOptions.Contains(goRowSelect);
  TGridCoord cell = FCurrent;
  TGridCoord topLeft = FTopLeft;
  int page = std::max(VisibleRowCount(), 1);
  switch (Key) {
    case VK_UP: (ctrl ? topLeft.Y : cell.Y) -= 1; break;
    case VK_DOWN: (ctrl ? topLeft.Y : cell.Y) += 1; break;
    case VK_LEFT: (ctrl || rowSelect ? topLeft.X : cell.X) -= 1; break;
    case VK_RIGHT: (ctrl || rowSelect ? topLeft.X : cell.X) += 1; break;
    case VK_PRIOR:
      cell.Y -= page;
      topLeft.Y -= page;
      break;
    case VK_NEXT:
      cell.Y += page;
      topLeft.Y += page;
      break;
    case VK_HOME:
      if (ctrl || rowSelect)
        cell.Y = FFixedRows;
      else
        cell.X = FFixedCols;
      break;
    case VK_END:
      if (ctrl || rowSelect)
        cell.Y = RowCount() - 1;
      else
        cell.X = ColCount() - 1;
      break;
    default: return false;
  }
  cell.X = std::clamp(cell.X, FFixedCols, ColCount() - 1);
  cell.Y = std::clamp(cell.Y, FFixedRows, RowCount() - 1);
  SetTopLeft(topLeft.X, topLeft.Y);
  if (cell != FCurrent) {
    bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    MoveColRow(cell.X, cell.Y, !extend, true);
  }
  return true;
}

// Tab moves along the row and on to the next (Shift+Tab back), wrapping
// round at the ends of the grid.
void TCustomGrid::TabTo(bool Forward) {
  TGridCoord cell = FCurrent;
  if (Forward) {
    if (++cell.X >= ColCount()) {
      cell.X = FFixedCols;
      if (++cell.Y >= RowCount())
        cell.Y = FFixedRows;
    }
  } else if (--cell.X < FFixedCols) {
    cell.X = ColCount() - 1;
    if (--cell.Y < FFixedRows)
      cell.Y = RowCount() - 1;
  }
  if (cell != FCurrent)
    MoveColRow(cell.X, cell.Y, true, true);
}

void TCustomGrid::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0)
    return;
  if (Key == '\r' && !FOptions.Contains(goAlwaysShowEditor)) {
    if (FEditorMode)
      HideEditor();
    else if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect))
      ShowEditor();
    Key = 0;
    return;
  }
  if (!FEditorMode && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && CanEditAcceptKey(Key)) {
    ShowEditorChar(Key);
    Key = 0;
  }
}

// ---- Mouse ----------------------------------------------------------------------------------------
void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool editorFocused = FInplaceEdit != nullptr && FInplaceEdit->Focused();
  if (!ComponentState().Contains(csDesigning) && !Focused() && !editorFocused && CanFocus() &&
      HandleAllocated())
    SetFocus();
  if (Button == mbLeft && !StartSizing(X, Y) && !StartMoving(X, Y)) {
    TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
      bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
      if (cell == FCurrent && !extend && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) {
        ShowEditor();
      } else {
        FGridState = gsSelecting;
        MoveColRow(cell.X, cell.Y, !extend, true);
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  switch (FGridState) {
    case gsSelecting: {
      TGridCoord cell = MouseCoord(X, Y);
      if (cell.X >= FFixedCols && cell.Y >= FFixedRows && cell != FCurrent)
        MoveColRow(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), true);
      break;
    }
    case gsColSizing:
    case gsRowSizing: TrackSizing(X, Y); break;
    default: break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  switch (FGridState) {
    case gsColSizing:
    case gsRowSizing: TrackSizing(X, Y); break;
    case gsColMoving:
    case gsRowMoving: EndMoving(X, Y); break;
    default: break;
  }
  FGridState = gsNormal;
  FSizingIndex = FMoveIndex = -1;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
    return true;
  int target = FCurrent.Y + (WheelDelta < 0 ? 1 : -1);
  if (target >= FFixedRows && target < RowCount())
    MoveColRow(FCurrent.X, target, true, true);
  return true;
}

// The column (row) whose right (bottom) edge is under X (Y) within the
// fixed rows (columns), or -1.
int TCustomGrid::SizingEdgeAt(const TGridAxis& Axis, int Position) {
  for (int i = 0; i < Axis.Count(); ++i) {
    int start = Axis.CellStart(i);
    if (start < 0)
      continue;
    int edge = start + Axis.Extent(i);
    if (Position >= edge - SizingTolerance && Position <= edge + FGridLineWidth + SizingTolerance)
      return i;
  }
  return -1;
}

TGridState TCustomGrid::SizingStateAt(int X, int Y, int& Index) {
  Index = -1;
  if (FOptions.Contains(goColSizing) && Y >= 0 && Y < RowAxis().FixedBoundary()) {
    Index = SizingEdgeAt(ColAxis(), X);
    if (Index >= 0)
      return gsColSizing;
  }
  if (FOptions.Contains(goRowSizing) && X >= 0 && X < ColAxis().FixedBoundary()) {
    Index = SizingEdgeAt(RowAxis(), Y);
    if (Index >= 0)
      return gsRowSizing;
  }
  return gsNormal;
}

bool TCustomGrid::StartSizing(int X, int Y) {
  int index;
  TGridState state = SizingStateAt(X, Y, index);
  if (state == gsNormal)
    return false;
  HideEditor();
  FGridState = state;
  FSizingIndex = index;
  bool cols = state == gsColSizing;
  FSizingPos = (cols ? ColAxis() : RowAxis()).CellStart(index);
  FSizingOfs = (cols ? X : Y) - (FSizingPos + (cols ? FColWidths[index] : FRowHeights[index]));
  return true;
}

void TCustomGrid::TrackSizing(int X, int Y) {
  if (FSizingIndex < 0)
    return;
  if (FGridState == gsColSizing)
    SetColWidths(FSizingIndex, std::max(X - FSizingOfs - FSizingPos, 1));
  else
    SetRowHeights(FSizingIndex, std::max(Y - FSizingOfs - FSizingPos, 1));
}

bool TCustomGrid::StartMoving(int X, int Y) {
  TGridCoord cell = MouseCoord(X, Y);
  if (FOptions.Contains(goColMoving) && cell.Y >= 0 && cell.Y < FFixedRows && cell.X >= FFixedCols) {
    FGridState = gsColMoving;
    FMoveIndex = cell.X;
    return true;
  }
  if (FOptions.Contains(goRowMoving) && cell.X >= 0 && cell.X < FFixedCols && cell.Y >= FFixedRows) {
    FGridState = gsRowMoving;
    FMoveIndex = cell.Y;
    return true;
  }
  return false;
}

void TCustomGrid::EndMoving(int X, int Y) {
  TGridCoord cell = MouseCoord(X, Y);
  if (FGridState == gsColMoving && cell.X >= FFixedCols && cell.X != FMoveIndex)
    MoveColumn(FMoveIndex, cell.X);
  else if (FGridState == gsRowMoving && cell.Y >= FFixedRows && cell.Y != FMoveIndex)
    MoveRow(FMoveIndex, cell.Y);
}

void TCustomGrid::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    int index;
    TGridState state = FGridState == gsColSizing || FGridState == gsRowSizing ? FGridState
                                                                                : SizingStateAt(p.x, p.y, index);
    if (state != gsNormal) {
      ::SetCursor(LoadCursorW(nullptr, state == gsColSizing ? IDC_SIZEWE : IDC_SIZENS));
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(Message);
}

// ---- The in-place editor -------------------------------------------------------------------------
void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
         !ComponentState().Contains(csDesigning) && HandleAllocated();
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
  if (FInplaceEdit == nullptr || !FInplaceEdit->Visible())
    FEditorMode = false;  // the editor could not be shown here
}

void TCustomGrid::HideEditor() {
  if (!FEditorMode)
    return;
  UpdateText();
  FEditorMode = false;
  if (FInplaceEdit == nullptr)
    return;
  bool hadFocus = FInplaceEdit->Focused();
  FInplaceEdit->Hide();
  if (hadFocus && CanFocus())
    SetFocus();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::CancelEdit() {
  if (!FEditorMode || FInplaceEdit == nullptr)
    return;
  FInplaceEdit->UpdateContents();  // the cell's own text again, not modified
  if (!FOptions.Contains(goAlwaysShowEditor))
    HideEditor();
}

void TCustomGrid::ShowEditorChar(char Ch) {
  ShowEditor();
  if (!FEditorMode || FInplaceEdit == nullptr)
    return;
  std::u16string wide = AnsiToUtf16(std::string_view(&Ch, 1));
  if (!wide.empty())
    SendMessageW(FInplaceEdit->Handle(), WM_CHAR, wide[0], 1);
}

void TCustomGrid::UpdateText() {
  if (FEditorMode && FInplaceEdit != nullptr && FInplaceEdit->Modified()) {
    SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
    FInplaceEdit->SetModified(false);
  }
}

void TCustomGrid::InvalidateEditor() {
  if (FEditorMode && FInplaceEdit != nullptr)
    FInplaceEdit->UpdateContents();
}

void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) {
    if (FInplaceEdit != nullptr)
      FInplaceEdit->Hide();
    return;
  }
  bool hadFocus = Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused());
  if (FInplaceEdit == nullptr) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetParent(this);
  }
  FInplaceEdit->SetMaxLength(GetEditLimit());
  FInplaceEdit->UpdateContents();
  PlaceEditor();
  if (hadFocus && FInplaceEdit->Visible() && FInplaceEdit->CanFocus())
    FInplaceEdit->SetFocus();
}

void TCustomGrid::PlaceEditor() {
  if (FInplaceEdit == nullptr)
    return;
  TRect r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.right <= r.left || r.bottom <= r.top)
    FInplaceEdit->Hide();
  else
    FInplaceEdit->Move(r);
}

#include "classlib/dbctrls/dbgrid.h"

#include <algorithm>

#include "classlib/data/booleanfield.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/dbctrls/picklistedit.h"

namespace {

constexpr int DataRowHeight = 18;
constexpr int IndicatorWidth = 11;
constexpr int CellMargin = 2;

bool InEditModes(const TDataSet& DataSet) { return DataSet.State() == dsEdit || DataSet.State() == dsInsert; }

}  // namespace

// ---- The grid's data link ---------------------------------------------------------------------
class TCustomDBGrid::TGridDataLink : public TDataLink {
public:
  explicit TGridDataLink(TCustomDBGrid& grid) : grid_(grid) {}

protected:
  void ActiveChanged() override { grid_.LinkActiveChanged(); }
  void DataSetChanged() override { grid_.LinkDataChanged(); }
  void DataSetScrolled(int Distance) override { grid_.LinkDataChanged(); }
  void LayoutChanged() override { grid_.LinkActiveChanged(); }
  void RecordChanged(TField* Field) override { grid_.LinkRecordChanged(Field); }
  void EditingChanged() override { grid_.LinkEditingChanged(); }
  void UpdateData() override { grid_.LinkUpdateData(); }

private:
  TCustomDBGrid& grid_;
};

// ---- Published ----------------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomDBGrid)

BEGIN_PUBLISHED(TDBGrid)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Columns, Columns, SetColumns),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(DefaultDrawing, DefaultDrawing, SetDefaultDrawing).Default(true),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(FixedColor, FixedColor, SetFixedColor).TypeName("TColor").Default(clBtnFace),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Options, Options, SetOptions)
      .Default(TDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                              dgConfirmDelete, dgCancelOnExit}),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnCellClick, OnCellClick, OnCellClick),
  PROPERTY(OnColEnter, OnColEnter, OnColEnter),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnDrawColumnCell, OnDrawColumnCell, OnDrawColumnCell),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

// ---- Construction -------------------------------------------------------------------------------
TCustomDBGrid::TCustomDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner), FDataLink(std::make_unique<TGridDataLink>(*this)),
      FColumns(std::make_unique<TDBGridColumns>(this)), FDefaultColumns(std::make_unique<TDBGridColumns>(this)) {
  SetScrollBars(ssHorizontal);
  SetDefaultRowHeight(DataRowHeight);
  SetColCount(2);
  SetRowCount(2);
  ApplyGridOptions();
  LayoutGrid();
}

TCustomDBGrid::~TCustomDBGrid() {
  SetLinkDataSource(this, *FDataLink, nullptr);
  FShown.clear();
}

TDataSource* TCustomDBGrid::DataSource() const { return FDataLink->DataSource(); }

TDataLink& TCustomDBGrid::DataLink() const { return *FDataLink; }

void TCustomDBGrid::SetDataSource(TDataSource* Value) {
  SetLinkDataSource(this, *FDataLink, Value);
  LinkActiveChanged();
}

void TCustomDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (IsRemovedDataSource(FDataLink.get(), AComponent, Operation))
    SetDataSource(nullptr);
}

void TCustomDBGrid::Dispatch(TMessage& Message) {
  if (AnswerDataLinkQuery(Message, FDataLink.get()))
    return;
  TCustomGrid::Dispatch(Message);
}

void TCustomDBGrid::SetOptions(TDBGridOptions Value) {
  if (Value.Contains(dgRowSelect))
    Value.Exclude(dgAlwaysShowEditor);
  if (FOptions == Value)
    return;
  FOptions = Value;
  LayoutGrid();
}

// The data grid's options in the base grid's terms.
void TCustomDBGrid::ApplyGridOptions() {
  TGridOptions options;
  if (FOptions.Contains(dgEditing))
    options.Include(goEditing);
  if (FOptions.Contains(dgAlwaysShowEditor))
    options.Include(goAlwaysShowEditor);
  if (FOptions.Contains(dgColumnResize))
    options.Include(goColSizing);
  if (FOptions.Contains(dgColLines)) {
    options.Include(goVertLine);
    options.Include(goFixedVertLine);
  }
  if (FOptions.Contains(dgRowLines)) {
    options.Include(goHorzLine);
    options.Include(goFixedHorzLine);
  }
  if (FOptions.Contains(dgTabs))
    options.Include(goTabs);
  if (FOptions.Contains(dgRowSelect))
    options.Include(goRowSelect);
  TCustomGrid::SetOptions(options);
}

// ---- Columns and layout -------------------------------------------------------------------------
int TCustomDBGrid::DefaultColumnWidth(TField* Field) {
  int chars = Field != nullptr ? Field->DisplayWidth() : 10;
  int charWidth = 7;
  if (HandleAllocated())
    charWidth = std::max(Canvas()->TextWidth("0"), 1);
  return chars * charWidth + 4;
}

void TCustomDBGrid::ColumnsChanged() {
  if (!FLayingOut)
    LayoutGrid();
}

TColumn* TCustomDBGrid::ColumnAt(int ACol) const {
  int index = ACol - IndicatorOffset();
  return index >= 0 && index < static_cast<int>(FShown.size()) ? FShown[index] : nullptr;
}

void TCustomDBGrid::LayoutGrid() {
  if (FLayingOut)
    return;
  FLayingOut = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FLayingOut};
  HideEditor();
  FShown.clear();
  TDataSet* dataSet = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
  if (FColumns->Count() > 0) {
    FDefaultColumns->Clear();
    for (int i = 0; i < FColumns->Count(); ++i)
      if (FColumns->Items(i)->Visible())
        FShown.push_back(FColumns->Items(i));
  } else {
    FDefaultColumns->BeginUpdate();
    FDefaultColumns->Clear();
    if (dataSet != nullptr)
      for (int i = 0; i < dataSet->FieldCount(); ++i)
        if (dataSet->Fields()[i]->Visible())
          FDefaultColumns->Add()->SetFieldName(dataSet->Fields()[i]->FieldName());
    FDefaultColumns->EndUpdate();
    for (int i = 0; i < FDefaultColumns->Count(); ++i)
      FShown.push_back(FDefaultColumns->Items(i));
  }
  int indicator = IndicatorOffset();
  SetColCount(indicator + std::max<int>(1, static_cast<int>(FShown.size())));
  if (RowCount() < 2)
    SetRowCount(2);
  SetFixedCols(indicator);
  SetFixedRows(TitleOffset());
  ApplyGridOptions();
  if (indicator > 0)
    SetColWidths(0, IndicatorWidth);
  for (int i = 0; i < static_cast<int>(FShown.size()); ++i)
    SetColWidths(indicator + i, FShown[i]->Width());
  UpdateRowCount();
  FLastCol = Col();
  Invalidate();
}

void TCustomDBGrid::UpdateRowCount() {
  int titles = TitleOffset();
  if (!FDataLink->Active()) {
    SetRowCount(titles + 1);
    return;
  }
  int line = FOptions.Contains(dgRowLines) ? GridLineWidth() : 0;
  int rowHeight = DefaultRowHeight() + line;
  int room = ClientHeight() - titles * rowHeight;
  int fit = std::max(1, room / std::max(rowHeight, 1));
  FDataLink->SetBufferCount(fit);
  SetRowCount(titles + std::max(1, FDataLink->RecordCount()));
  SyncRow();
}

void TCustomDBGrid::SyncRow() {
  if (!FDataLink->Active())
    return;
  int target = TitleOffset() + std::max(0, FDataLink->ActiveRecord());
  target = std::min(target, RowCount() - 1);
  if (target == Row())
    return;
  FSyncing = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FSyncing};
  MoveColRow(Col(), target, true, false);
}

void TCustomDBGrid::Resize() {
  TCustomGrid::Resize();
  if (!FLayingOut)
    UpdateRowCount();
}

void TCustomDBGrid::ColWidthsChanged() {
  TCustomGrid::ColWidthsChanged();
  if (FLayingOut)
    return;
  // A column sized with the mouse keeps its new width.
  int indicator = IndicatorOffset();
  for (int i = 0; i < static_cast<int>(FShown.size()) && indicator + i < ColCount(); ++i)
    FShown[i]->StoreWidth(ColWidths(indicator + i));
}

// ---- What the data link reports -------------------------------------------------------------------
void TCustomDBGrid::LinkActiveChanged() { LayoutGrid(); }

void TCustomDBGrid::LinkDataChanged() {
  UpdateRowCount();
  InvalidateEditor();
  Invalidate();
}

void TCustomDBGrid::LinkRecordChanged(TField* Field) {
  InvalidateRow(Row());
  TField* selected = SelectedField();
  if (Field == nullptr || Field == selected)
    InvalidateEditor();
}

void TCustomDBGrid::LinkEditingChanged() {
  if (IndicatorOffset() > 0)
    InvalidateCell(0, Row());
}

void TCustomDBGrid::LinkUpdateData() { UpdateText(); }

// ---- Current cell ----------------------------------------------------------------------------------
int TCustomDBGrid::SelectedIndex() const { return Col() - IndicatorOffset(); }

void TCustomDBGrid::SetSelectedIndex(int Value) {
  int col = IndicatorOffset() + Value;
  if (col >= FixedCols() && col < ColCount())
    SetCol(col);
}

TField* TCustomDBGrid::SelectedField() const {
  TColumn* column = ColumnAt(Col());
  return column != nullptr ? column->Field() : nullptr;
}

void TCustomDBGrid::SetSelectedField(TField* Value) {
  for (int i = 0; i < static_cast<int>(FShown.size()); ++i)
    if (Value != nullptr && FShown[i]->Field() == Value) {
      SetSelectedIndex(i);
      return;
    }
}

// Moving to another row moves the data set; the row follows the data set
// (SyncRow) and the column moves here.
bool TCustomDBGrid::SelectCell(int ACol, int ARow) {
  if (FSyncing || !FDataLink->Active())
    return true;
  if (ARow == Row())
    return true;
  UpdateText();  // the text typed belongs to the record being left
  FDataLink->DataSet()->MoveBy(ARow - Row());
  if (ACol != Col()) {
    FSyncing = true;
    MoveColRow(ACol, Row(), true, true);
    FSyncing = false;
  }
  return false;
}

void TCustomDBGrid::Click() {
  if (Col() != FLastCol) {
    FLastCol = Col();
    ColEnter();
  }
  TCustomGrid::Click();
}

void TCustomDBGrid::ColEnter() {
  if (OnColEnter)
    OnColEnter(this);
}

// ---- Editing ---------------------------------------------------------------------------------------
bool TCustomDBGrid::CanEditShow() {
  return TCustomGrid::CanEditShow() && FDataLink->Active() && SelectedField() != nullptr;
}

bool TCustomDBGrid::CanEditModify() {
  TColumn* column = ColumnAt(Col());
  TField* field = column != nullptr ? column->Field() : nullptr;
  if (FReadOnly || column == nullptr || column->ReadOnly() || field == nullptr || !field->CanModify() ||
      FDataLink->ReadOnly())
    return false;
  FDataLink->Edit();
  return FDataLink->Editing();
}

AnsiString TCustomDBGrid::GetEditText(int ACol, int ARow) {
  TColumn* column = ColumnAt(ACol);
  TField* field = column != nullptr ? column->Field() : nullptr;
  return field != nullptr ? field->Text() : AnsiString();
}

void TCustomDBGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
  TColumn* column = ColumnAt(ACol);
  TField* field = column != nullptr ? column->Field() : nullptr;
  if (field != nullptr && field->Text() != Value && CanEditModify())
    field->SetText(Value);
}

TInplaceEdit* TCustomDBGrid::CreateEditor() { return new TInplacePickList(this); }

int TCustomDBGrid::GetEditLimit() {
  TField* field = SelectedField();
  return field != nullptr && field->DataType() == ftString ? field->Size() : 0;
}

void TCustomDBGrid::DoExit() {
  TDataSet* dataSet = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
  if (dataSet != nullptr && FOptions.Contains(dgCancelOnExit) && dataSet->State() == dsInsert &&
      !dataSet->Modified() && !(EditorMode() && InplaceEditor()->Modified()))
    dataSet->Cancel();
  TCustomGrid::DoExit();
}

// ---- Keys ------------------------------------------------------------------------------------------
// The base grid asks before it moves by a key; the keys that move or
// change the data set are used here and refused to it.
bool TCustomDBGrid::CanGridAcceptKey(WORD Key, TShiftState Shift) { return !DataKey(Key, Shift); }

bool TCustomDBGrid::DataKey(WORD Key, TShiftState Shift) {
  if (!FDataLink->Active())
    return false;
  TDataSet& dataSet = *FDataLink->DataSet();
  bool ctrl = Shift.Contains(ssCtrl);
  bool canAppend = FOptions.Contains(dgEditing) && !FReadOnly && dataSet.CanModify() && !FDataLink->ReadOnly();
  switch (Key) {
    case VK_UP:
      if (dataSet.State() == dsInsert && !dataSet.Modified() && dataSet.Eof())
        dataSet.Cancel();
      else
        dataSet.Prior();
      return true;
    case VK_DOWN:
      if (dataSet.State() == dsInsert && !dataSet.Modified()) {
        if (!dataSet.Eof())
          dataSet.Cancel();
        return true;
      }
      UpdateText();
      dataSet.Next();
      if (dataSet.Eof() && canAppend)
        dataSet.Append();
      return true;
    case VK_PRIOR: dataSet.MoveBy(-std::max(VisibleRowCount(), 1)); return true;
    case VK_NEXT: dataSet.MoveBy(std::max(VisibleRowCount(), 1)); return true;
    case VK_HOME:
      if (!ctrl && !FOptions.Contains(dgRowSelect))
        return false;
      dataSet.First();
      return true;
    case VK_END:
      if (!ctrl && !FOptions.Contains(dgRowSelect))
        return false;
      dataSet.Last();
      return true;
    case VK_INSERT:
      if (ctrl || Shift.Contains(ssShift) || !canAppend)
        return false;
      dataSet.Insert();
      return true;
    case VK_DELETE:
      if (!ctrl || !canAppend || dataSet.IsEmpty())
        return false;
      DeleteRecord();
      return true;
    case VK_ESCAPE:
      if (!InEditModes(dataSet))
        return false;
      dataSet.Cancel();
      return true;
    default: return false;
  }
}

void TCustomDBGrid::DeleteRecord() {
  if (!FOptions.Contains(dgConfirmDelete) ||
      MessageDlg(DeleteRecordQuestion(), mtConfirmation, TMsgDlgButtons{mbOK, mbCancel}, 0) != mrCancel)
    FDataLink->DataSet()->Delete();
}

// ---- Mouse -----------------------------------------------------------------------------------------
void TCustomDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGridCoord cell = MouseCoord(X, Y);
  bool dataCell = cell.X >= FixedCols() && cell.Y >= FixedRows();
  FClickCell = Button == mbLeft && dataCell ? cell : TGridCoord{-1, -1};
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  // The row may have moved to another record: the click belongs to the new row.
  if (FClickCell.X >= 0)
    FClickCell = TGridCoord{Col(), Row()};
}

void TCustomDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGridCoord clicked = FClickCell;
  FClickCell = TGridCoord{-1, -1};
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && clicked.X >= 0 && MouseCoord(X, Y) == clicked)
    CellClick(ColumnAt(clicked.X));
}

void TCustomDBGrid::CellClick(TColumn* Column) {
  if (OnCellClick)
    OnCellClick(Column);
}

// ---- Drawing -----------------------------------------------------------------------------------------
void TCustomDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas& canvas = *Canvas();
  int titles = TitleOffset();
  if (ARow < titles) {
    TColumn* column = ColumnAt(ACol);
    if (column != nullptr) {
      TRect r = ARect;
      canvas.TextRect(r, r.left + CellMargin, r.top + CellMargin, column->Title()->Caption());
    }
    return;
  }
  int record = ARow - titles;
  bool hasRecord = FDataLink->Active() && record < FDataLink->RecordCount();
  if (ACol < IndicatorOffset()) {
    if (hasRecord && record == FDataLink->ActiveRecord())
      DrawIndicator(ARect);
    return;
  }
  if (DefaultDrawing() && AState.Contains(gdSelected) && !Focused() &&
      !(InplaceEditor() != nullptr && InplaceEditor()->Focused()) && !FOptions.Contains(dgAlwaysShowSelection)) {
    // Without the focus the selection shows only with dgAlwaysShowSelection.
    canvas.Brush().SetColor(Color());
    canvas.Font().SetColor(Font()->Color());
    canvas.FillRect(ARect);
  }
  TColumn* column = ColumnAt(ACol);
  if (!hasRecord || column == nullptr)
    return;
  int saved = FDataLink->ActiveRecord();
  FDataLink->SetActiveRecord(record);
  try {
    int dataCol = ACol - IndicatorOffset();
    if (DefaultDrawing())
      DefaultDrawColumnCell(ARect, dataCol, column, AState);
    if (OnDrawColumnCell)
      OnDrawColumnCell(this, ARect, dataCol, column, AState);
  } catch (...) {
    FDataLink->SetActiveRecord(saved);
    throw;
  }
  FDataLink->SetActiveRecord(saved);
}

void TCustomDBGrid::DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) {
  TField* field = Column != nullptr ? Column->Field() : nullptr;
  if (field == nullptr)
    return;
  AnsiString text;
  TAlignment alignment = field->Alignment();
  if (field->DataType() == ftBoolean) {
    text = !field->IsNull() && field->AsBoolean() ? "X" : "";
    alignment = taCenter;
  } else {
    text = field->DisplayText();
  }
  TCanvas& canvas = *Canvas();
  TRect r = Rect;
  int width = canvas.TextWidth(text);
  int x = r.left + CellMargin;
  if (alignment == taRightJustify)
    x = r.right - CellMargin - width;
  else if (alignment == taCenter)
    x = r.left + (r.right - r.left - width) / 2;
  canvas.TextRect(r, x, r.top + CellMargin, text);
}

// The current record's mark: an arrow while browsing, an I-beam while
// editing, a star while inserting.
void TCustomDBGrid::DrawIndicator(const TRect& Rect) {
  TCanvas& canvas = *Canvas();
  TDataSetState state = FDataLink->DataSet()->State();
  int cx = (Rect.left + Rect.right) / 2, cy = (Rect.top + Rect.bottom) / 2;
  canvas.Pen().SetColor(clBtnText);
  canvas.Brush().SetColor(clBtnText);
  if (state == dsEdit) {
    canvas.MoveTo(cx - 2, cy - 5);
    canvas.LineTo(cx + 3, cy - 5);
    canvas.MoveTo(cx, cy - 5);
    canvas.LineTo(cx, cy + 5);
    canvas.MoveTo(cx - 2, cy + 5);
    canvas.LineTo(cx + 3, cy + 5);
  } else if (state == dsInsert) {
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(cx - canvas.TextWidth("*") / 2, cy - canvas.TextHeight("*") / 2, "*");
    canvas.Brush().SetStyle(bsSolid);
  } else {
    canvas.Polygon({{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}});
  }
}

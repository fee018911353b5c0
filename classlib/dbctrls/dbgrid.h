// TDBGrid: a grid of the records of a data set, one row per record and one
// column per field (or per column of Columns).
//
// The grid shows as many records as fit; its data link keeps that many
// records of the data set's window, and the current row is the current
// record. Moving the row (keys, mouse, Tab) moves the data set; moving the
// data set moves the row. Typing into a cell of an editable column puts the
// data set into edit mode; the text reaches the field when the cell is left
// or the record is posted; a column with a PickList offers its choices
// (TInplacePickList). Boolean fields show "X" for true and nothing
// otherwise. Ctrl+Delete deletes the record (asking first with
// dgConfirmDelete), Insert inserts one, Down past the last record appends
// one, Esc cancels an edit; with dgCancelOnExit an untouched inserted
// record is dropped when the grid loses the focus.
#pragma once
#include <memory>
#include <vector>

#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/dbctrls/dbgridcolumns.h"
#include "classlib/grids/grids.h"

enum TDBGridOption {
  dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
  dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect
};
DOZURI_ENUM(TDBGridOption, "dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize",
            "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection", "dgConfirmDelete",
            "dgCancelOnExit", "dgMultiSelect");
DOZURI_SET(TDBGridOptions, TDBGridOption);

DOZURI_EVENT(TDBGridClickEvent, void(TColumn* Column));
DOZURI_EVENT(TDrawColumnCellEvent,
             void(TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State));

class TCustomDBGrid : public TCustomGrid {
  DECLARE_CLASS(TCustomDBGrid, TCustomGrid)

public:
  explicit TCustomDBGrid(TComponent* AOwner);
  ~TCustomDBGrid() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  TDataLink& DataLink() const;
  TDBGridColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDBGridColumns* Value) { FColumns->Assign(Value); }
  TDBGridOptions Options() const { return FOptions; }
  void SetOptions(TDBGridOptions Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

  // The columns shown, in order (the visible ones of Columns, or one per
  // visible field while Columns is empty).
  int VisibleColumnCount() const { return static_cast<int>(FShown.size()); }
  TColumn* VisibleColumns(int Index) const { return FShown[Index]; }
  // The current column among those shown and its field.
  int SelectedIndex() const;
  void SetSelectedIndex(int Value);
  TField* SelectedField() const;
  void SetSelectedField(TField* Value);

  // Draws a field's value into a data cell as the grid does.
  void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
  // The width a column of that field takes until one is set.
  int DefaultColumnWidth(TField* Field);
  // Columns or their fields changed: lays the grid out again.
  void ColumnsChanged();
  // Whether a choice of the pick list may go into the current cell (puts
  // the data set into edit mode as typing would).
  bool PickListChoiceAllowed() { return CanEditModify(); }

  // Runs OnColEnter first when the current column changed, then OnClick.
  void Click() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  TDBGridClickEvent OnCellClick;
  TDrawColumnCellEvent OnDrawColumnCell;
  TNotifyEvent OnColEnter;

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  bool CanEditShow() override;
  bool CanEditModify() override;
  bool CanGridAcceptKey(WORD Key, TShiftState Shift) override;
  AnsiString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
  int GetEditLimit() override;
  TInplaceEdit* CreateEditor() override;
  void ColWidthsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoExit() override;
  void Resize() override;
  virtual void CellClick(TColumn* Column);
  virtual void ColEnter();

private:
  class TGridDataLink;
  friend class TGridDataLink;

  // ---- What the data link reports
  void LinkActiveChanged();
  void LinkDataChanged();
  void LinkRecordChanged(TField* Field);
  void LinkEditingChanged();
  void LinkUpdateData();

  int TitleOffset() const { return FOptions.Contains(dgTitles) ? 1 : 0; }
  int IndicatorOffset() const { return FOptions.Contains(dgIndicator) ? 1 : 0; }
  // The column shown in a grid column, or nullptr.
  TColumn* ColumnAt(int ACol) const;
  // Makes the columns, counts and widths match the data set and Columns.
  void LayoutGrid();
  // Sizes the link to the rows that fit and the row count to the records.
  void UpdateRowCount();
  // Puts the current row on the current record.
  void SyncRow();
  void ApplyGridOptions();
  // Keys that move or change the data set; true when the key was used.
  bool DataKey(WORD Key, TShiftState Shift);
  void DeleteRecord();
  void DrawIndicator(const TRect& Rect);

  std::unique_ptr<TGridDataLink> FDataLink;
  std::unique_ptr<TDBGridColumns> FColumns;
  std::unique_ptr<TDBGridColumns> FDefaultColumns;
  std::vector<TColumn*> FShown;
  TDBGridOptions FOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                          dgConfirmDelete, dgCancelOnExit};
  TGridCoord FClickCell{-1, -1};
  int FLastCol = -1;
  bool FReadOnly = false;
  bool FSyncing = false;
  bool FLayingOut = false;
};

class TDBGrid : public TCustomDBGrid {
  DECLARE_CLASS(TDBGrid, TCustomDBGrid)

public:
  explicit TDBGrid(TComponent* AOwner) : TCustomDBGrid(AOwner) {}
};

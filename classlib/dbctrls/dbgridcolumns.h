// The columns of a data grid: which field each shows, its title, width,
// visibility, choice list and whether it may be edited.
#pragma once
#include <memory>

#include "classlib/classes/collection.h"
#include "classlib/classes/strings.h"
#include "classlib/dbctrls/dbcontrolsupport.h"

class TColumn;
class TCustomDBGrid;

// The title cell of a column: its caption is the field's display label
// until one is set.
class TColumnTitle : public TPersistent {
  DECLARE_CLASS(TColumnTitle, TPersistent)

public:
  explicit TColumnTitle(TColumn* Column = nullptr) : FColumn(Column) {}

  AnsiString Caption() const;
  void SetCaption(const AnsiString& Value);
  void Assign(TPersistent* Source) override;

private:
  bool IsCaptionStored() { return FCaptionAssigned; }

  TColumn* FColumn;
  AnsiString FCaption;
  bool FCaptionAssigned = false;
};

class TColumn : public TCollectionItem {
  DECLARE_CLASS(TColumn, TCollectionItem)

public:
  explicit TColumn(TCollection* Collection);
  ~TColumn() override;

  const AnsiString& FieldName() const { return FFieldName; }
  void SetFieldName(const AnsiString& Value);
  // The field of that name in the grid's data set, or nullptr.
  TField* Field() const;
  TColumnTitle* Title() const { return FTitle.get(); }
  void SetTitle(TColumnTitle* Value) { FTitle->Assign(Value); }
  // Pixels; until set, the field's display width in characters of the grid's font.
  int Width() const;
  void SetWidth(int Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TStrings* PickList() const { return FPickList.get(); }
  void SetPickList(TStrings* Value) { FPickList->Assign(Value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCustomDBGrid* Grid() const;

  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override;

  // Used by the grid: a width taken from the grid's columns (mouse sizing).
  void StoreWidth(int Value) { FWidth = Value; }

private:
  bool IsWidthStored() { return FWidth >= 0; }
  bool IsTitleStored() { return true; }
  int GetWidthProp() { return Width(); }
  void SetWidthProp(int Value) { SetWidth(Value); }

  AnsiString FFieldName;
  std::unique_ptr<TColumnTitle> FTitle;
  std::unique_ptr<TStringList> FPickList;
  int FWidth = -1;
  bool FVisible = true;
  bool FReadOnly = false;
};

class TDBGridColumns : public TCollection {
  DECLARE_CLASS(TDBGridColumns, TCollection)

public:
  explicit TDBGridColumns(TCustomDBGrid* Grid = nullptr);

  TCustomDBGrid* Grid() const { return FGrid; }
  TColumn* Add() { return static_cast<TColumn*>(TCollection::Add()); }
  TColumn* Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
  TPersistent* GetOwner() override;

protected:
  void Update(TCollectionItem* Item) override;

private:
  TCustomDBGrid* FGrid;
};

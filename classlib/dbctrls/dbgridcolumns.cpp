#include "classlib/dbctrls/dbgridcolumns.h"

#include "classlib/dbctrls/dbgrid.h"

// ---- TColumnTitle ---------------------------------------------------------------------------
BEGIN_PUBLISHED(TColumnTitle)
  PROPERTY(Caption, Caption, SetCaption).Stored<&Self::IsCaptionStored>(),
END_PUBLISHED

AnsiString TColumnTitle::Caption() const {
  if (FCaptionAssigned || FColumn == nullptr)
    return FCaption;
  TField* field = FColumn->Field();
  return field != nullptr ? field->DisplayLabel() : FColumn->FieldName();
}

void TColumnTitle::SetCaption(const AnsiString& Value) {
  FCaption = Value;
  FCaptionAssigned = true;
  if (FColumn != nullptr && FColumn->Grid() != nullptr)
    FColumn->Grid()->Invalidate();
}

void TColumnTitle::Assign(TPersistent* Source) {
  if (auto* title = dynamic_cast<TColumnTitle*>(Source)) {
    FCaption = title->FCaption;
    FCaptionAssigned = title->FCaptionAssigned;
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TColumn -------------------------------------------------------------------------------------
BEGIN_PUBLISHED(TColumn)
  PROPERTY(FieldName, FieldName, SetFieldName),
  PROPERTY(PickList, PickList, SetPickList),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(Title, Title, SetTitle),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(Width, GetWidthProp, SetWidthProp).Stored<&Self::IsWidthStored>(),
END_PUBLISHED

TColumn::TColumn(TCollection* Collection)
    : TCollectionItem(Collection), FTitle(std::make_unique<TColumnTitle>(this)),
      FPickList(std::make_unique<TStringList>()) {}

TColumn::~TColumn() = default;

TCustomDBGrid* TColumn::Grid() const {
  auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
  return columns != nullptr ? columns->Grid() : nullptr;
}

void TColumn::SetFieldName(const AnsiString& Value) {
  if (FFieldName == Value)
    return;
  FFieldName = Value;
  Changed(true);
}

TField* TColumn::Field() const {
  TCustomDBGrid* grid = Grid();
  if (grid == nullptr || FFieldName.empty())
    return nullptr;
  TDataSet* dataSet = grid->DataLink().DataSet();
  return dataSet != nullptr && dataSet->Active() ? dataSet->FindField(FFieldName) : nullptr;
}

int TColumn::Width() const {
  if (FWidth >= 0)
    return FWidth;
  TCustomDBGrid* grid = Grid();
  return grid != nullptr ? grid->DefaultColumnWidth(Field()) : 64;
}

void TColumn::SetWidth(int Value) {
  if (FWidth == Value)
    return;
  FWidth = std::max(Value, 0);
  Changed(false);
}

void TColumn::SetVisible(bool Value) {
  if (FVisible == Value)
    return;
  FVisible = Value;
  Changed(true);
}

void TColumn::Assign(TPersistent* Source) {
  if (auto* column = dynamic_cast<TColumn*>(Source)) {
    FFieldName = column->FFieldName;
    FTitle->Assign(column->FTitle.get());
    FPickList->Assign(column->FPickList.get());
    FWidth = column->FWidth;
    FVisible = column->FVisible;
    FReadOnly = column->FReadOnly;
    Changed(true);
    return;
  }
  TCollectionItem::Assign(Source);
}

AnsiString TColumn::GetDisplayName() { return FFieldName.empty() ? TCollectionItem::GetDisplayName() : FFieldName; }

// ---- TDBGridColumns -----------------------------------------------------------------------------
IMPLEMENT_CLASS(TDBGridColumns)

TDBGridColumns::TDBGridColumns(TCustomDBGrid* Grid) : TCollection(TColumn::StaticClass()), FGrid(Grid) {}

TPersistent* TDBGridColumns::GetOwner() { return FGrid; }

void TDBGridColumns::Update(TCollectionItem* Item) {
  if (FGrid != nullptr)
    FGrid->ColumnsChanged();
}

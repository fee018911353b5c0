#include "classlib/data/datalink.h"

#include <algorithm>

#include "classlib/data/dataset.h"
#include "classlib/data/datasource.h"
#include "classlib/data/field.h"

IMPLEMENT_CLASS(TDataLink)
IMPLEMENT_CLASS(TFieldDataLink)

namespace {
bool InEditModes(TDataSetState state) { return state == dsEdit || state == dsInsert || state == dsSetKey; }
}  // namespace

TDataLink::~TDataLink() {
  FDataSourceFixed = false;
  SetDataSource(nullptr);
}

TDataSet* TDataLink::DataSet() const { return FDataSource != nullptr ? FDataSource->DataSet() : nullptr; }

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == FDataSource)
    return;
  if (FDataSourceFixed)
    throw EDatabaseError("DataSource cannot be changed");
  if (FDataSource != nullptr)
    FDataSource->RemoveDataLink(this);
  FDataSource = Value;
  if (FDataSource != nullptr)
    FDataSource->AddDataLink(this);
  UpdateState();
}

void TDataLink::SetReadOnly(bool Value) {
  if (FReadOnly == Value)
    return;
  FReadOnly = Value;
  UpdateState();
}

void TDataLink::UpdateState() {
  SetActive(FDataSource != nullptr && FDataSource->State() != dsInactive);
  SetEditing(FDataSource != nullptr && InEditModes(FDataSource->State()) && !FReadOnly);
}

// Keeps this link's part of the data set's window around the current record.
void TDataLink::UpdateRange() {
  TDataSet* dataSet = DataSet();
  int active = dataSet->ActiveRecord();
  int lowest = std::max(0, active - FBufferCount + 1);
  int highest = std::min(std::max(0, dataSet->BufferCount() - FBufferCount), active);
  if (FFirstRecord < lowest)
    FFirstRecord = lowest;
  if (FFirstRecord > highest)
    FFirstRecord = highest;
}

void TDataLink::SetActive(bool Value) {
  if (FActive == Value)
    return;
  FActive = Value;
  if (Value)
    UpdateRange();
  else
    FFirstRecord = 0;
  ActiveChanged();
}

void TDataLink::SetEditing(bool Value) {
  if (FEditing == Value)
    return;
  FEditing = Value;
  EditingChanged();
}

int TDataLink::ActiveRecord() const {
  if (!FActive || FDataSource->State() == dsSetKey)
    return 0;
  return DataSet()->ActiveRecord() - FFirstRecord;
}

void TDataLink::SetActiveRecord(int Value) {
  if (!FActive || FDataSource->State() == dsSetKey)
    return;
  DataSet()->SetActiveRecord(Value + FFirstRecord);
}

void TDataLink::SetBufferCount(int Value) {
  Value = std::max(1, Value);
  if (FBufferCount == Value)
    return;
  FBufferCount = Value;
  if (TDataSet* dataSet = DataSet()) {
    if (FActive)
      UpdateRange();
    dataSet->UpdateBufferCount();
    if (FActive)
      UpdateRange();
  }
}

int TDataLink::RecordCount() const {
  if (!FActive)
    return 0;
  if (FDataSource->State() == dsSetKey)
    return 1;
  int count = DataSet()->WindowRecordCount() - FFirstRecord;
  return std::clamp(count, 0, FBufferCount);
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource != nullptr)
    FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  try {
    UpdateData();
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!FActive)
    return;
  switch (Event) {
    case deFieldChange:
    case deRecordChange:
      if (!FUpdating)
        RecordChanged(reinterpret_cast<TField*>(Info));
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
      int count = 0;
      if (FDataSource->State() != dsSetKey) {
        // Info is how far the data set's window moved; keep the current
        // record inside this link's part of it.
        int active = DataSet()->ActiveRecord();
        int first = FFirstRecord + static_cast<int>(Info);
        int last = first + FBufferCount - 1;
        if (active > last)
          count = active - last;
        else if (active < first)
          count = active - first;
        FFirstRecord = std::max(0, first + count);
      }
      if (Event == deDataSetChange)
        DataSetChanged();
      else if (Event == deDataSetScroll)
        DataSetScrolled(count);
      else
        LayoutChanged();
      break;
    }
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl:
      FocusControl(reinterpret_cast<TField**>(Info));
      break;
    default:
      break;
  }
}

// ---- TFieldDataLink ---------------------------------------------------------

void TFieldDataLink::SetFieldName(const AnsiString& Value) {
  if (FFieldName == Value)
    return;
  FFieldName = Value;
  UpdateField();
}

bool TFieldDataLink::CanModify() const {
  return !ReadOnly() && FField != nullptr && FField->CanModify();
}

bool TFieldDataLink::Edit() {
  if (CanModify())
    TDataLink::Edit();
  return FEditing;
}

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::SetField(TField* Value) {
  if (FField == Value)
    return;
  FField = Value;
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::UpdateField() {
  if (Active() && !FFieldName.empty())
    SetField(DataSet()->FieldByName(FFieldName));
  else
    SetField(nullptr);
}

void TFieldDataLink::SetEditingValue(bool Value) {
  if (FEditing == Value)
    return;
  FEditing = Value;
  FModified = false;
  if (OnEditingChange)
    OnEditingChange(this);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange)
    OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() { SetEditingValue(TDataLink::Editing() && CanModify()); }

void TFieldDataLink::FocusControl(TField** Field) {
  if (Field != nullptr && *Field != nullptr && *Field == FField && OnFocusRequest && OnFocusRequest())
    *Field = nullptr;
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field == nullptr || Field == FField) {
    if (OnDataChange)
      OnDataChange(this);
    FModified = false;
  }
}

void TFieldDataLink::UpdateData() {
  if (FModified) {
    if (FField != nullptr && OnUpdateData)
      OnUpdateData(this);
    FModified = false;
  }
}

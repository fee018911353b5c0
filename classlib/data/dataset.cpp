// TDataSet: opening, closing, state, fields and their record layout, value
// access, notifications and control disabling. Navigation, editing and
// searching are in datasetnavigation.cpp, datasetediting.cpp and
// datasetsearch.cpp.
#include "classlib/data/dataset.h"

#include <algorithm>
#include <cstring>

#include "classlib/data/datalink.h"
#include "classlib/data/datasource.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/dbregister.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"

BEGIN_PUBLISHED(TDataSet)
  PROPERTY(Active, Active, SetActive).Default(false),
  PROPERTY(FieldDefs, FieldDefs, SetFieldDefs).Stored<&Self::IsFieldDefsStored>(),
  PROPERTY(Filter, FFilterText, SetFilter),
  PROPERTY(Filtered, FFiltered, SetFiltered).Default(false),
  PROPERTY(FilterOptions, FFilterOptions, SetFilterOptions).Default(TFilterOptions{}),
  PROPERTY(BeforeOpen, BeforeOpen, BeforeOpen),
  PROPERTY(AfterOpen, AfterOpen, AfterOpen),
  PROPERTY(BeforeClose, BeforeClose, BeforeClose),
  PROPERTY(AfterClose, AfterClose, AfterClose),
  PROPERTY(BeforeInsert, BeforeInsert, BeforeInsert),
  PROPERTY(AfterInsert, AfterInsert, AfterInsert),
  PROPERTY(BeforeEdit, BeforeEdit, BeforeEdit),
  PROPERTY(AfterEdit, AfterEdit, AfterEdit),
  PROPERTY(BeforePost, BeforePost, BeforePost),
  PROPERTY(AfterPost, AfterPost, AfterPost),
  PROPERTY(BeforeCancel, BeforeCancel, BeforeCancel),
  PROPERTY(AfterCancel, AfterCancel, AfterCancel),
  PROPERTY(BeforeDelete, BeforeDelete, BeforeDelete),
  PROPERTY(AfterDelete, AfterDelete, AfterDelete),
  PROPERTY(BeforeScroll, BeforeScroll, BeforeScroll),
  PROPERTY(AfterScroll, AfterScroll, AfterScroll),
  PROPERTY(BeforeRefresh, BeforeRefresh, BeforeRefresh),
  PROPERTY(AfterRefresh, AfterRefresh, AfterRefresh),
  PROPERTY(OnCalcFields, OnCalcFields, OnCalcFields),
  PROPERTY(OnFilterRecord, OnFilterRecord, OnFilterRecord),
  PROPERTY(OnNewRecord, OnNewRecord, OnNewRecord),
END_PUBLISHED


TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner), FFields(this), FFieldDefs(std::make_unique<TFieldDefs>(this)) {
  RegisterDataClasses();
}

TDataSet::~TDataSet() {
  Destroying();
  // Storage classes close in their own destructors, while their part of the
  // object still exists; what is left here is only the window.
  if (Active())
    SetState(dsInactive);
  FCursorOpen = FInternalOpenComplete = false;
  CloseCursor();
  for (TDataSource* source : std::vector<TDataSource*>(FDataSources))
    source->SetDataSet(nullptr);
  // Persistent fields belong to the form and outlive their data set; default
  // fields are freed with it as its own components.
  for (TField* field : FFields)
    field->FDataSet = nullptr;
  FFields.Clear();
}

// ---- Opening and closing ----------------------------------------------------

void TDataSet::SetActive(bool Value) {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
    FStreamedActive = Value;
    return;
  }
  if (Active() == Value)
    return;
  if (Value) {
    Fire(BeforeOpen);
    try {
      OpenCursor();
    } catch (...) {
      // Undo whatever part of the opening ran (fields made, records read).
      FInternalOpenComplete = true;
      CloseCursor();
      throw;
    }
    SetState(dsBrowse);
    Fire(AfterOpen);
    if (!IsEmpty())
      Fire(AfterScroll);
  } else {
    bool destroying = ComponentState().Contains(csDestroying);
    if (!destroying)
      Fire(BeforeClose);
    SetState(dsInactive);
    CloseCursor();
    if (!destroying)
      Fire(AfterClose);
  }
}

void TDataSet::OpenCursor() {
  FDefaultFields = FieldCount() == 0;
  InternalOpen();
  FCursorOpen = true;
  FInternalOpenComplete = true;
  UpdateBufferCount();
  FBOF = true;
}

void TDataSet::CloseCursor() {
  if (FCursorOpen || FInternalOpenComplete) {
    FCursorOpen = false;
    FInternalOpenComplete = false;
    InternalClose();
  }
  FBuffers.clear();
  FBufferCount = 0;
  FRecordCount = 0;
  FActiveRecord = 0;
  FCurrentRecord = -1;
  FBOF = FEOF = true;
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) {
    FStreamedActive = false;
    SetActive(true);
  }
}

void TDataSet::CheckActive() const {
  if (FState == dsInactive)
    DatabaseError(dbconsts::SDataSetClosed, this);
}

void TDataSet::CheckInactive() const {
  if (FState != dsInactive)
    DatabaseError(dbconsts::SDataSetOpen, this);
}

void TDataSet::SetState(TDataSetState Value) {
  if (FState == Value)
    return;
  FState = Value;
  FModified = false;
  DataEvent(deUpdateState, 0);
}

void TDataSet::Fire(const TDataSetNotifyEvent& Event) {
  if (Event)
    Event(this);
}

TDataSet::TempState::TempState(TDataSet& owner, TDataSetState state, TRecordBuffer* buffer)
    : owner_(owner), savedState_(owner.FState), savedBuffer_(owner.FTempBuffer) {
  owner_.FState = state;
  owner_.FTempBuffer = buffer;
  ++owner_.FDisableCount;
}

TDataSet::TempState::~TempState() {
  owner_.FState = savedState_;
  owner_.FTempBuffer = savedBuffer_;
  --owner_.FDisableCount;
}

// ---- Fields -----------------------------------------------------------------

void TDataSet::SetFieldDefs(TFieldDefs* Value) { FFieldDefs->Assign(Value); }

bool TDataSet::IsFieldDefsStored() const {
  for (TField* field : FFields)
    if (field->Owner() != this)
      return false;
  return FFieldDefs->Count() > 0;
}

void TDataSet::AddField(TField* Field) {
  FFields.Add(Field);
  Field->FDataSet = this;
  FieldLayoutChanged();
}

void TDataSet::RemoveField(TField* Field) {
  FFields.Remove(Field);
  Field->FDataSet = nullptr;
  if (!ComponentState().Contains(csDestroying))
    FieldLayoutChanged();
}

void TDataSet::FieldLayoutChanged() {
  if (Active())
    DataEvent(deLayoutChange, 0);
}

void TDataSet::CreateFields() {
  for (int i = 0; i < FFieldDefs->Count(); ++i) {
    TFieldDef* def = FFieldDefs->Items(i);
    if (DefaultFieldClass(def->DataType()) != nullptr)
      def->CreateField(this);
  }
}

void TDataSet::DestroyFields() {
  std::vector<TField*> owned;
  for (TField* field : FFields)
    if (field->Owner() == this)
      owned.push_back(field);
  for (TField* field : owned)
    delete field;
}

void TDataSet::BindFields(bool Binding) {
  FLayout = TRecordLayout(*FFieldDefs);
  FRecordSize = FLayout.RecordSize();
  FBlobCount = FLayout.BlobCount();
  FCalcFieldsSize = 0;
  if (!Binding) {
    for (TField* field : FFields) {
      field->FOffset = -1;
      field->FBlobIndex = -1;
      if (field->FieldKind() == fkData)
        field->FFieldNo = 0;
    }
    return;
  }
  for (TField* field : FFields) {
    if (field->FieldKind() != fkData) {
      // Calculated values follow the record in the buffer.
      if (field->IsBlob())
        DatabaseErrorFmt(dbconsts::SFieldTypeNotSupported, {field->DisplayName()}, this);
      field->FFieldNo = 0;
      field->FOffset = FRecordSize + FCalcFieldsSize;
      FCalcFieldsSize += 1 + field->DataSize();
      continue;
    }
    int index = FFieldDefs->IndexOf(field->FieldName());
    if (index < 0)
      DatabaseErrorFmt(dbconsts::SFieldNotFound, {field->DisplayName()}, this);
    TFieldDef* def = FFieldDefs->Items(index);
    if (def->DataType() != field->DataType() &&
        !(def->DataType() == ftFixedChar && field->DataType() == ftString))
      DatabaseErrorFmt("Type mismatch for field '%s', expecting: %s actual: %s",
                       {field->DisplayName(), FieldTypeName(field->DataType()), FieldTypeName(def->DataType())},
                       this);
    const TRecordSlot* slot = FLayout.SlotOf(index + 1);
    if (!field->IsBlob() && (slot == nullptr || field->DataSize() != slot->DataSize))
      DatabaseErrorFmt("Size mismatch for field '%s', expecting: %d actual: %d",
                       {field->DisplayName(), field->Size(), def->Size()}, this);
    field->FFieldNo = index + 1;
    field->FOffset = slot != nullptr ? slot->Offset : -1;
    field->FBlobIndex = FLayout.BlobIndexOf(index + 1);
  }
}

Variant TDataSet::FieldValues(const AnsiString& FieldName) const { return FieldByName(FieldName)->Value(); }

void TDataSet::GetFieldNames(std::vector<AnsiString>& List) const {
  List.clear();
  if (FFields.Count() > 0) {
    for (TField* field : FFields)
      List.push_back(field->FieldName());
  } else {
    for (int i = 0; i < FFieldDefs->Count(); ++i)
      List.push_back(FFieldDefs->Items(i)->Name());
  }
}

void TDataSet::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TField* field : FFields)
    if (field->Owner() == Root)
      Proc(field);
}

void TDataSet::SetChildOrder(TComponent* Child, int Order) {
  if (auto* field = dynamic_cast<TField*>(Child); field != nullptr && FFields.IndexOf(field) >= 0)
    FFields.SetFieldIndex(field, Order);
}

// ---- Record values ----------------------------------------------------------

TRecordBuffer* TDataSet::CurrentRecordBuffer() const {
  auto* self = const_cast<TDataSet*>(this);
  switch (FState) {
    case dsBrowse:
      return IsEmpty() ? nullptr : &self->FBuffers[FActiveRecord];
    case dsEdit:
    case dsInsert:
      return FActiveRecord < static_cast<int>(FBuffers.size()) ? &self->FBuffers[FActiveRecord] : nullptr;
    case dsCalcFields:
    case dsFilter:
      return FTempBuffer;
    default:
      return nullptr;
  }
}

bool TDataSet::GetFieldData(const TField* Field, void* Buffer) const {
  const std::uint8_t* value = FieldDataInPlace(Field);
  if (value == nullptr)
    return false;
  if (Buffer != nullptr)
    std::memcpy(Buffer, value, Field->DataSize());
  return true;
}

const std::uint8_t* TDataSet::FieldDataInPlace(const TField* Field) const {
  const TRecordBuffer* record = CurrentRecordBuffer();
  if (record == nullptr || Field->FOffset < 0 ||
      Field->FOffset + 1 + Field->DataSize() > static_cast<int>(record->Data.size()))
    return nullptr;
  if (record->Data[Field->FOffset] == 0)
    return nullptr;
  return record->Data.data() + Field->FOffset + 1;
}

namespace {
bool InWriteModes(TDataSetState state) {
  return state == dsEdit || state == dsInsert || state == dsSetKey || state == dsCalcFields ||
         state == dsFilter || state == dsNewValue || state == dsInternalCalc;
}
bool QuietState(TDataSetState state) { return state == dsCalcFields || state == dsFilter || state == dsNewValue; }
}  // namespace

void TDataSet::SetFieldData(TField* Field, const void* Buffer) {
  if (!InWriteModes(FState))
    DatabaseError(dbconsts::SNotEditing, this);
  if (Field->FieldKind() == fkData && FState == dsCalcFields)
    DatabaseError(dbconsts::SNotEditing, this);
  if (Field->ReadOnly() && !QuietState(FState) && FState != dsSetKey)
    DatabaseErrorFmt(dbconsts::SFieldReadOnly, {Field->DisplayName()});
  TRecordBuffer* record = CurrentRecordBuffer();
  if (record == nullptr || Field->FOffset < 0)
    DatabaseError(dbconsts::SNotEditing, this);
  if (!QuietState(FState))
    Field->Validate(Buffer);
  std::uint8_t* slot = record->Data.data() + Field->FOffset;
  if (Buffer == nullptr) {
    std::memset(slot, 0, 1 + Field->DataSize());
  } else {
    slot[0] = 1;
    std::memcpy(slot + 1, Buffer, Field->DataSize());
  }
  if (!QuietState(FState))
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
}

AnsiString TDataSet::GetBlobData(const TField* Field) const {
  const TRecordBuffer* record = CurrentRecordBuffer();
  if (record == nullptr || Field->FBlobIndex < 0 || Field->FBlobIndex >= static_cast<int>(record->Blobs.size()))
    return AnsiString();
  return record->Blobs[Field->FBlobIndex];
}

void TDataSet::SetBlobData(TField* Field, const AnsiString& Value) {
  if (!InWriteModes(FState) || FState == dsCalcFields)
    DatabaseError(dbconsts::SNotEditing, this);
  if (Field->ReadOnly() && !QuietState(FState))
    DatabaseErrorFmt(dbconsts::SFieldReadOnly, {Field->DisplayName()});
  TRecordBuffer* record = CurrentRecordBuffer();
  if (record == nullptr || Field->FBlobIndex < 0 || Field->FBlobIndex >= static_cast<int>(record->Blobs.size()))
    DatabaseError(dbconsts::SNotEditing, this);
  if (!QuietState(FState))
    Field->Validate(&Value);
  record->Blobs[Field->FBlobIndex] = Value;
  if (!QuietState(FState))
    DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
}

void TDataSet::InternalInitRecord(TRecordBuffer& Buffer) {
  std::fill(Buffer.Data.begin(), Buffer.Data.end(), std::uint8_t{0});
  std::fill(Buffer.Blobs.begin(), Buffer.Blobs.end(), AnsiString());
}

void TDataSet::InitRecord(TRecordBuffer& Buffer) {
  InternalInitRecord(Buffer);
  Buffer.Flag = bfInserted;
  Buffer.RecordId = -1;
  CalculateFields(Buffer);
}

void TDataSet::ClearFields() {
  if (FState != dsEdit && FState != dsInsert)
    DatabaseError(dbconsts::SNotEditing, this);
  TRecordBuffer& buffer = ActiveBuffer();
  std::fill(buffer.Data.begin(), buffer.Data.begin() + std::min<size_t>(FRecordSize, buffer.Data.size()),
            std::uint8_t{0});
  std::fill(buffer.Blobs.begin(), buffer.Blobs.end(), AnsiString());
  CalculateFields(buffer);
  DataEvent(deRecordChange, 0);
}

void TDataSet::CalculateFields(TRecordBuffer& Buffer) {
  if (FCalcFieldsSize == 0 || Buffer.Data.size() < static_cast<size_t>(FRecordSize + FCalcFieldsSize))
    return;
  std::fill(Buffer.Data.begin() + FRecordSize, Buffer.Data.end(), std::uint8_t{0});
  if (OnCalcFields) {
    TempState scope(*this, dsCalcFields, &Buffer);
    OnCalcFields(this);
  }
}

void TDataSet::GetCalcFields(TRecordBuffer& Buffer) { CalculateFields(Buffer); }

void TDataSet::CheckRequiredFields() {
  for (TField* field : FFields) {
    if (field->Required() && !field->ReadOnly() && field->FieldKind() == fkData && field->IsNull()) {
      field->FocusControl();
      DatabaseErrorFmt(dbconsts::SFieldRequired, {field->DisplayName()});
    }
  }
}

void TDataSet::InternalPost() { CheckRequiredFields(); }

// ---- Notifications ----------------------------------------------------------

void TDataSet::AddDataSource(TDataSource* Source) {
  FDataSources.push_back(Source);
  Source->FDataSet = this;
  UpdateBufferCount();
  Source->DataEvent(deUpdateState, 0);
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
  Source->FDataSet = nullptr;
  std::erase(FDataSources, Source);
  Source->DataEvent(deUpdateState, 0);
  UpdateBufferCount();
}

void TDataSet::NotifyDataSources(TDataEvent Event, std::intptr_t Info) {
  for (TDataSource* source : std::vector<TDataSource*>(FDataSources))
    source->DataEvent(Event, Info);
}

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info) {
  bool notify = !ControlsDisabled() && FState != dsBlockRead;
  switch (Event) {
    case deFieldChange: {
      auto* field = reinterpret_cast<TField*>(Info);
      if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc)
        SetModified(true);
      if (FCalcFieldsSize > 0 && (FState == dsEdit || FState == dsInsert))
        CalculateFields(ActiveBuffer());
      field->Change();
      break;
    }
    case deLayoutChange:
      if (ControlsDisabled())
        FEnableEvent = deLayoutChange;
      break;
    case deUpdateState:
      // While controls are disabled only a close reaches them (they must
      // not read a closed data set); other state changes wait for the last
      // EnableControls.
      if (ControlsDisabled()) {
        if (FState != dsInactive)
          return;
        Event = deDisabledStateChange;
        Info = 0;
        notify = true;
        FDisableState = dsInactive;
      }
      break;
    default:
      break;
  }
  if (notify)
    NotifyDataSources(Event, Info);
}

void TDataSet::DisableControls() {
  if (FDisableCount == 0) {
    FDisableState = FState;
    FEnableEvent = deDataSetChange;
  }
  ++FDisableCount;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0)
    return;
  if (--FDisableCount != 0)
    return;
  if (FDisableState != FState)
    DataEvent(deUpdateState, 0);
  if (FDisableState != dsInactive && FState != dsInactive)
    DataEvent(FEnableEvent, 0);
}

void TDataSet::UpdateRecord() {
  if (FState != dsEdit && FState != dsInsert && FState != dsSetKey)
    DatabaseError(dbconsts::SNotEditing, this);
  DataEvent(deUpdateRecord, 0);
}

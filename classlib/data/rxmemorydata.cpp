// TRxMemoryData: storage, cursor and raw records. Sorting and copying from
// other data sets are in rxmemorydatacopy.cpp.
#include "classlib/data/rxmemorydata.h"

#include <algorithm>
#include <cstring>

#include "classlib/data/dbconsts.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"

IMPLEMENT_CLASS(TRxMemoryData)

TRxMemoryData::TRxMemoryData(TComponent* AOwner) : TDataSet(AOwner) {}

TRxMemoryData::~TRxMemoryData() {
  Destroying();
  Close();
}

// ---- Opening and closing ----------------------------------------------------

void TRxMemoryData::InternalInitFieldDefs() {
  // Persistent fields define the columns: the definitions follow them.
  if (DefaultFields())
    return;
  CopyFieldDefsOf(*this, *FieldDefs());
}

void TRxMemoryData::InternalOpen() {
  InternalInitFieldDefs();
  if (FieldDefs()->Count() == 0)
    DatabaseError(dbconsts::SNoFieldDefs, this);
  if (DefaultFields())
    CreateFields();
  BindFields(true);
  ClearRecords();
}

void TRxMemoryData::InternalClose() {
  ClearRecords();
  if (DefaultFields())
    DestroyFields();
  BindFields(false);
}

void TRxMemoryData::ClearRecords() {
  FRecords.clear();
  FShownValid = false;
  FRecordPos = -1;
  FAutoInc = 1;
}

void TRxMemoryData::EmptyTable() {
  if (!Active())
    return;
  CheckBrowseMode();
  ClearRecords();
  Resync({});
}

// ---- Reading records --------------------------------------------------------

int TRxMemoryData::IndexOfId(std::int64_t Id) const {
  const int count = static_cast<int>(FRecords.size());
  for (int candidate : {FRecordPos, FRecordPos - 1, FRecordPos + 1})
    if (candidate >= 0 && candidate < count && FRecords[candidate]->Id == Id)
      return candidate;
  for (int i = 0; i < count; ++i)
    if (FRecords[i]->Id == Id)
      return i;
  return -1;
}

void TRxMemoryData::RecordToBuffer(int Index, TRecordBuffer& Buffer) {
  const TMemRecord& record = *FRecords[Index];
  std::copy(record.Data.begin(), record.Data.end(), Buffer.Data.begin());
  for (size_t i = 0; i < record.Blobs.size() && i < Buffer.Blobs.size(); ++i)
    Buffer.Blobs[i] = record.Blobs[i];
  Buffer.RecordId = record.Id;
  Buffer.Flag = bfCurrent;
  GetCalcFields(Buffer);
}

bool TRxMemoryData::Accepts(int Index) {
  if (!Filtered())
    return true;
  // The record's own bytes are lent to the scratch buffer for the test.
  TMemRecord& record = *FRecords[Index];
  std::swap(FScratch.Data, record.Data);
  std::swap(FScratch.Blobs, record.Blobs);
  bool accepted = false;
  try {
    accepted = RecordFilterAccepts(FScratch);
  } catch (...) {
    std::swap(FScratch.Data, record.Data);
    std::swap(FScratch.Blobs, record.Blobs);
    throw;
  }
  std::swap(FScratch.Data, record.Data);
  std::swap(FScratch.Blobs, record.Blobs);
  return accepted;
}

TGetResult TRxMemoryData::GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) {
  const int count = static_cast<int>(FRecords.size());
  for (;;) {
    switch (GetMode) {
      case gmNext:
        if (FRecordPos >= count - 1) {
          FRecordPos = count;
          return grEOF;
        }
        ++FRecordPos;
        break;
      case gmPrior:
        if (FRecordPos <= 0) {
          FRecordPos = -1;
          return grBOF;
        }
        --FRecordPos;
        break;
      case gmCurrent:
        if (FRecordPos < 0 || FRecordPos >= count)
          return grError;
        break;
    }
    RecordToBuffer(FRecordPos, Buffer);
    if (!Filtered() || RecordFilterAccepts(Buffer))
      return grOK;
    if (GetMode == gmCurrent)
      return grError;
  }
}

void TRxMemoryData::InternalSetToRecord(const TRecordBuffer& Buffer) {
  int index = IndexOfId(Buffer.RecordId);
  if (index >= 0)
    FRecordPos = index;
}

void TRxMemoryData::InternalGotoBookmark(const TBookmarkStr& Bookmark) {
  std::int64_t id = 0;
  int index = RecordIdOf(Bookmark, id) ? IndexOfId(id) : -1;
  if (index < 0)
    DatabaseError(dbconsts::SRecordNotFound, this);
  FRecordPos = index;
}

bool TRxMemoryData::BookmarkValid(TBookmark Bookmark) const {
  std::int64_t id = 0;
  return Bookmark != nullptr && Active() && RecordIdOf(*Bookmark, id) && IndexOfId(id) >= 0;
}

int TRxMemoryData::CompareBookmarks(TBookmark Bookmark1, TBookmark Bookmark2) const {
  if (Bookmark1 == nullptr || Bookmark2 == nullptr)
    return TDataSet::CompareBookmarks(Bookmark1, Bookmark2);
  std::int64_t id1 = 0, id2 = 0;
  int index1 = RecordIdOf(*Bookmark1, id1) ? IndexOfId(id1) : -1;
  int index2 = RecordIdOf(*Bookmark2, id2) ? IndexOfId(id2) : -1;
  return (index1 > index2) - (index1 < index2);
}

void TRxMemoryData::SetFilterText(const AnsiString& Value) {
  FShownValid = false;
  TDataSet::SetFilterText(Value);
}

void TRxMemoryData::SetFilteredValue(bool Value) {
  FShownValid = false;
  TDataSet::SetFilteredValue(Value);
}

// One pass of the filter over the table. A handler that fails leaves the
// view unmade, so the next call tries again.
void TRxMemoryData::UpdateShownRecords() {
  if (FShownValid && FShownOptions == FilterOptions() && FShownUpTo.size() == FRecords.size())
    return;
  FShownValid = false;
  const int count = static_cast<int>(FRecords.size());
  std::vector<int> shown, upTo(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (Accepts(i))
      shown.push_back(i);
    upTo[static_cast<size_t>(i)] = static_cast<int>(shown.size());
  }
  FShownIndex = std::move(shown);
  FShownUpTo = std::move(upTo);
  FShownOptions = FilterOptions();
  FShownValid = true;
}

int TRxMemoryData::GetRecordCount() const {
  if (!Filtered())
    return static_cast<int>(FRecords.size());
  auto* self = const_cast<TRxMemoryData*>(this);
  self->UpdateShownRecords();
  return static_cast<int>(FShownIndex.size());
}

// A current record the filter does not show (one just edited out of it)
// counts as the shown record before it.
int TRxMemoryData::GetRecNo() const {
  if (FRecordPos < 0 || FRecordPos >= static_cast<int>(FRecords.size()))
    return -1;
  if (!Filtered())
    return FRecordPos + 1;
  auto* self = const_cast<TRxMemoryData*>(this);
  self->UpdateShownRecords();
  return FShownUpTo[static_cast<size_t>(FRecordPos)];
}

void TRxMemoryData::SetRecNoValue(int Value) {
  const int count = static_cast<int>(FRecords.size());
  if (Value < 1 || count == 0)
    return;
  if (!Filtered()) {
    FRecordPos = std::min(Value, count) - 1;
    return;
  }
  UpdateShownRecords();
  if (Value <= static_cast<int>(FShownIndex.size()))
    FRecordPos = FShownIndex[static_cast<size_t>(Value - 1)];
}

bool TRxMemoryData::FindMatchingRecord(const std::function<bool(TRecordBuffer&)>& Matches, TRecordBuffer& Buffer,
                                       bool SyncCursor) {
  for (int i = 0; i < static_cast<int>(FRecords.size()); ++i) {
    RecordToBuffer(i, Buffer);
    if (Filtered() && !RecordFilterAccepts(Buffer))
      continue;
    if (Matches(Buffer)) {
      if (SyncCursor)
        FRecordPos = i;
      return true;
    }
  }
  return false;
}

// ---- Writing records --------------------------------------------------------

void TRxMemoryData::SetAutoIncFields(TRecordBuffer& Buffer) {
  for (const TRecordSlot& slot : RecordLayout().Slots()) {
    if (slot.DataType != ftAutoInc)
      continue;
    std::uint8_t* data = Buffer.Data.data() + slot.Offset;
    // The counter wraps past the largest Integer, as the platform's does; a
    // record read from outside may carry that largest number.
    if (data[0] == 0) {
      data[0] = 1;
      std::memcpy(data + 1, &FAutoInc, sizeof FAutoInc);
    } else {
      std::int32_t value = 0;
      std::memcpy(&value, data + 1, sizeof value);
      if (value >= FAutoInc)
        FAutoInc = value;
    }
    FAutoInc = static_cast<std::int32_t>(static_cast<std::uint32_t>(FAutoInc) + 1u);
  }
}

void TRxMemoryData::InternalPost() {
  TDataSet::InternalPost();
  FShownValid = false;
  TRecordBuffer& buffer = ActiveBuffer();
  const size_t size = static_cast<size_t>(RecordSize());
  if (State() == dsEdit) {
    int index = IndexOfId(buffer.RecordId);
    if (index < 0)
      DatabaseError(dbconsts::SRecordNotFound, this);
    TMemRecord& record = *FRecords[index];
    std::copy(buffer.Data.begin(), buffer.Data.begin() + size, record.Data.begin());
    record.Blobs = buffer.Blobs;
    FRecordPos = index;
    return;
  }
  SetAutoIncFields(buffer);
  auto record = std::make_unique<TMemRecord>();
  record->Id = FNextId++;
  record->Data.assign(buffer.Data.begin(), buffer.Data.begin() + size);
  record->Blobs = buffer.Blobs;
  // An inserted record goes before the record it was inserted at; an
  // appended one (or one whose place was deleted meanwhile) at the end.
  int index = static_cast<int>(FRecords.size());
  if (buffer.Flag == bfInserted && buffer.RecordId >= 0) {
    int before = IndexOfId(buffer.RecordId);
    if (before >= 0)
      index = before;
  }
  buffer.RecordId = record->Id;
  buffer.Flag = bfCurrent;
  FRecords.insert(FRecords.begin() + index, std::move(record));
  FRecordPos = index;
}

void TRxMemoryData::InternalDelete() {
  if (FRecordPos < 0 || FRecordPos >= static_cast<int>(FRecords.size()))
    DatabaseError(dbconsts::SRecordNotFound, this);
  FShownValid = false;
  FRecords.erase(FRecords.begin() + FRecordPos);
}

std::vector<std::uint8_t> TRxMemoryData::GetRawRecord() const {
  const std::uint8_t* data = RawRecordData();
  return std::vector<std::uint8_t>(data, data + RecordSize());
}

const std::uint8_t* TRxMemoryData::RawRecordData() const {
  CheckActive();
  if (IsEmpty())
    DatabaseError(dbconsts::SDataSetEmpty, this);
  return ActiveBuffer().Data.data();
}

void TRxMemoryData::SetRawRecord(const void* Data, std::size_t Size) {
  if (State() != dsEdit && State() != dsInsert)
    DatabaseError(dbconsts::SNotEditing, this);
  std::vector<std::uint8_t> record(RecordSize());
  RecordLayout().Normalize(Data, Size, record.data());
  TRecordBuffer& buffer = ActiveBuffer();
  std::copy(record.begin(), record.end(), buffer.Data.begin());
  SetModified(true);
  GetCalcFields(buffer);
  DataEvent(deRecordChange, 0);
}

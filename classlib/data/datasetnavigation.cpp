// TDataSet: the buffer window, moving the cursor, refreshing and bookmarks.
#include <algorithm>
#include <cstring>

#include "classlib/data/datalink.h"
#include "classlib/data/dataset.h"
#include "classlib/data/datasource.h"
#include "classlib/data/dbconsts.h"

// ---- The buffer window ------------------------------------------------------

void TDataSet::UpdateBufferCount() {
  if (!FCursorOpen)
    return;
  int count = 1;
  for (TDataSource* source : FDataSources)
    for (TDataLink* link : source->DataLinks())
      count = std::max(count, link->BufferCount());
  SetBufferCount(count);
}

void TDataSet::AllocateBuffers() {
  const size_t size = static_cast<size_t>(FRecordSize + FCalcFieldsSize);
  FBuffers.resize(FBufferCount + 1);
  for (TRecordBuffer& buffer : FBuffers) {
    if (buffer.Data.size() != size)
      buffer.Data.assign(size, 0);
    if (buffer.Blobs.size() != static_cast<size_t>(FBlobCount))
      buffer.Blobs.assign(FBlobCount, AnsiString());
  }
}

void TDataSet::SetBufferCount(int Value) {
  if (FBufferCount == Value)
    return;
  auto adjustFirstRecords = [this](int delta) {
    if (delta == 0)
      return;
    for (TDataSource* source : FDataSources)
      for (TDataLink* link : source->DataLinks())
        if (link->Active())
          link->FFirstRecord += delta;
  };
  if (FBufferCount > Value && FRecordCount > 0) {
    // Keep the records the links show first, dropping those at the start.
    int delta = FActiveRecord;
    for (TDataSource* source : FDataSources)
      for (TDataLink* link : source->DataLinks())
        if (link->Active() && link->FFirstRecord < delta)
          delta = link->FFirstRecord;
    delta = std::max(0, std::min(delta, FRecordCount - Value));
    for (int i = 0; i < Value; ++i)
      if (i + delta < static_cast<int>(FBuffers.size()))
        std::swap(FBuffers[i], FBuffers[i + delta]);
    FActiveRecord -= delta;
    if (FCurrentRecord != -1)
      FCurrentRecord -= delta;
    FRecordCount = std::min(FRecordCount, Value);
    FActiveRecord = std::min(FActiveRecord, std::max(0, FRecordCount - 1));
    if (FCurrentRecord >= FRecordCount)
      FCurrentRecord = -1;
    adjustFirstRecords(-delta);
  }
  FBufferCount = Value;
  AllocateBuffers();
  if (!ComponentState().Contains(csDestroying)) {
    GetNextRecords();
    adjustFirstRecords(GetPriorRecords());
  }
}

void TDataSet::SetActiveRecord(int Value) {
  if (FActiveRecord == Value || Value < 0 || Value >= std::max(FRecordCount, 1))
    return;
  FActiveRecord = Value;
}

void TDataSet::ClearBuffers() {
  FRecordCount = 0;
  FActiveRecord = 0;
  FCurrentRecord = -1;
  FBOF = true;
  FEOF = true;
}

void TDataSet::ActivateBuffers() {
  FRecordCount = 1;
  FActiveRecord = 0;
  FCurrentRecord = 0;
  FBOF = false;
  FEOF = false;
}

// Moves the buffer at CurIndex to NewIndex, shifting those between.
void TDataSet::MoveBuffer(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex)
    return;
  if (CurIndex < NewIndex)
    std::rotate(FBuffers.begin() + CurIndex, FBuffers.begin() + CurIndex + 1, FBuffers.begin() + NewIndex + 1);
  else
    std::rotate(FBuffers.begin() + NewIndex, FBuffers.begin() + CurIndex, FBuffers.begin() + CurIndex + 1);
}

void TDataSet::SetCurrentRecord(int Index) {
  if (FCurrentRecord == Index)
    return;
  const TRecordBuffer& buffer = FBuffers[Index];
  switch (buffer.Flag) {
    case bfCurrent:
    case bfInserted:
      InternalSetToRecord(buffer);
      break;
    case bfBOF:
      InternalFirst();
      break;
    case bfEOF:
      InternalLast();
      break;
  }
  FCurrentRecord = Index;
}

void TDataSet::UpdateCursorPos() {
  if (FRecordCount > 0)
    SetCurrentRecord(FActiveRecord);
}

bool TDataSet::GetNextRecord() {
  TGetMode mode = gmNext;
  if (FRecordCount > 0) {
    SetCurrentRecord(FRecordCount - 1);
    if (FState == dsInsert && FCurrentRecord == FActiveRecord && ActiveBuffer().Flag == bfCurrent)
      mode = gmCurrent;
  }
  bool ok = GetRecord(FBuffers[FRecordCount], mode, true) == grOK;
  if (ok) {
    if (FRecordCount == 0) {
      ActivateBuffers();
    } else if (FRecordCount < FBufferCount) {
      ++FRecordCount;
    } else {
      MoveBuffer(0, FRecordCount);
    }
    FCurrentRecord = FRecordCount - 1;
  } else {
    CursorPosChanged();
  }
  return ok;
}

bool TDataSet::GetPriorRecord() {
  if (FRecordCount > 0)
    SetCurrentRecord(0);
  bool ok = GetRecord(FBuffers[FRecordCount], gmPrior, true) == grOK;
  if (ok) {
    if (FRecordCount == 0) {
      ActivateBuffers();
    } else {
      MoveBuffer(FRecordCount, 0);
      if (FRecordCount < FBufferCount) {
        ++FRecordCount;
        ++FActiveRecord;
      }
    }
    FCurrentRecord = 0;
  } else {
    CursorPosChanged();
  }
  return ok;
}

int TDataSet::GetNextRecords() {
  int count = 0;
  while (FRecordCount < FBufferCount && GetNextRecord())
    ++count;
  return count;
}

int TDataSet::GetPriorRecords() {
  int count = 0;
  while (FRecordCount < FBufferCount && GetPriorRecord())
    ++count;
  return count;
}

// ---- Moving -----------------------------------------------------------------

void TDataSet::First() {
  CheckBrowseMode();
  Fire(BeforeScroll);
  ClearBuffers();
  try {
    InternalFirst();
    GetNextRecord();
    GetNextRecords();
  } catch (...) {
    FBOF = true;
    DataEvent(deDataSetChange, 0);
    throw;
  }
  FBOF = true;
  DataEvent(deDataSetChange, 0);
  Fire(AfterScroll);
}

void TDataSet::Last() {
  CheckBrowseMode();
  Fire(BeforeScroll);
  ClearBuffers();
  try {
    InternalLast();
    GetPriorRecord();
    GetPriorRecords();
  } catch (...) {
    FEOF = true;
    DataEvent(deDataSetChange, 0);
    throw;
  }
  FEOF = true;
  DataEvent(deDataSetChange, 0);
  Fire(AfterScroll);
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  int moved = 0;
  Fire(BeforeScroll);
  if (!((Distance > 0 && !FEOF) || (Distance < 0 && !FBOF)))
    return 0;
  FBOF = false;
  FEOF = false;
  int oldRecordCount = FRecordCount;
  int scrollDistance = 0;
  auto finish = [&] {
    if (std::abs(scrollDistance) < FBufferCount && FRecordCount == oldRecordCount)
      DataEvent(deDataSetScroll, scrollDistance);
    else
      DataEvent(deDataSetChange, 0);
  };
  try {
    while (Distance > 0) {
      if (FActiveRecord < FRecordCount - 1) {
        ++FActiveRecord;
      } else {
        int before = FRecordCount;
        if (!GetNextRecord()) {
          FEOF = true;
          break;
        }
        if (FRecordCount == before)
          --scrollDistance;  // the window moved down by one buffer
        FActiveRecord = FRecordCount - 1;
      }
      --Distance;
      ++moved;
    }
    while (Distance < 0) {
      if (FActiveRecord > 0) {
        --FActiveRecord;
      } else {
        if (!GetPriorRecord()) {
          FBOF = true;
          break;
        }
        ++scrollDistance;
        FActiveRecord = 0;
      }
      ++Distance;
      --moved;
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  Fire(AfterScroll);
  return moved;
}

void TDataSet::Resync(TResyncMode Mode) {
  TRecordBuffer& scratch = FBuffers[FRecordCount];
  if (Mode.Contains(rmExact)) {
    CursorPosChanged();
    if (GetRecord(scratch, gmCurrent, true) != grOK)
      DatabaseError(dbconsts::SRecordNotFound, this);
  } else if (GetRecord(scratch, gmCurrent, false) != grOK && GetRecord(scratch, gmNext, false) != grOK &&
             GetRecord(scratch, gmPrior, false) != grOK) {
    ClearBuffers();
    DataEvent(deDataSetChange, 0);
    return;
  }
  int count = Mode.Contains(rmCenter) ? (FBufferCount - 1) / 2 : FActiveRecord;
  MoveBuffer(FRecordCount, 0);
  ActivateBuffers();
  try {
    while (count > 0 && GetPriorRecord())
      --count;
    GetNextRecords();
    GetPriorRecords();
  } catch (...) {
    DataEvent(deDataSetChange, 0);
    throw;
  }
  DataEvent(deDataSetChange, 0);
}

void TDataSet::Refresh() {
  Fire(BeforeRefresh);
  CheckBrowseMode();
  UpdateCursorPos();
  try {
    InternalRefresh();
  } catch (...) {
    Resync({});
    throw;
  }
  Resync({});
  Fire(AfterRefresh);
}

int TDataSet::RecordCount() const {
  CheckActive();
  return GetRecordCount();
}

int TDataSet::RecNo() const {
  if (FState == dsInactive || IsEmpty())
    return -1;
  const_cast<TDataSet*>(this)->UpdateCursorPos();
  return GetRecNo();
}

void TDataSet::SetRecNo(int Value) {
  CheckBrowseMode();
  if (Value == RecNo())
    return;
  Fire(BeforeScroll);
  SetRecNoValue(Value);
  Resync({rmCenter});
  Fire(AfterScroll);
}

// ---- Bookmarks --------------------------------------------------------------

TBookmarkStr TDataSet::BookmarkOf(std::int64_t RecordId) {
  TBookmarkStr text(sizeof RecordId, '\0');
  std::memcpy(text.data(), &RecordId, sizeof RecordId);
  return text;
}

bool TDataSet::RecordIdOf(const TBookmarkStr& Bookmark, std::int64_t& RecordId) {
  if (Bookmark.size() != sizeof RecordId)
    return false;
  std::memcpy(&RecordId, Bookmark.data(), sizeof RecordId);
  return true;
}

bool TDataSet::BookmarkAvailable() const {
  return (FState == dsBrowse || FState == dsEdit || FState == dsInsert) && !IsEmpty() &&
         ActiveBuffer().Flag == bfCurrent;
}

TBookmarkStr TDataSet::Bookmark() const {
  return BookmarkAvailable() ? BookmarkOf(ActiveBuffer().RecordId) : TBookmarkStr();
}

void TDataSet::SetBookmark(const TBookmarkStr& Value) {
  CheckBrowseMode();
  Fire(BeforeScroll);
  InternalGotoBookmark(Value);
  Resync({rmExact, rmCenter});
  Fire(AfterScroll);
}

TBookmark TDataSet::GetBookmark() const {
  return BookmarkAvailable() ? new TBookmarkStr(Bookmark()) : nullptr;
}

void TDataSet::GotoBookmark(TBookmark Bookmark) {
  if (Bookmark != nullptr)
    SetBookmark(*Bookmark);
}

int TDataSet::CompareBookmarks(TBookmark Bookmark1, TBookmark Bookmark2) const {
  if (Bookmark1 == nullptr || Bookmark2 == nullptr)
    return (Bookmark1 != nullptr) - (Bookmark2 != nullptr);
  return 0;
}

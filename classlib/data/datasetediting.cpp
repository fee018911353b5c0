// TDataSet: inserting, editing, posting, cancelling and deleting records.
#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode, 0);
  switch (FState) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (FModified)
        Post();
      else
        Cancel();
      break;
    case dsSetKey:
      Post();
      break;
    default:
      break;
  }
}

void TDataSet::CheckCanModify() {
  if (!CanModify())
    DatabaseError(dbconsts::SDataSetReadOnly, this);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  CheckCanModify();
  Fire(BeforeInsert);
  Fire(BeforeScroll);
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  try {
    Fire(OnNewRecord);
  } catch (...) {
    UpdateCursorPos();
    SetState(dsBrowse);
    Resync({});
    throw;
  }
  FModified = false;
  DataEvent(deDataSetChange, 0);
  Fire(AfterInsert);
  Fire(AfterScroll);
}

void TDataSet::Insert() {
  BeginInsertAppend();
  // The new record takes the current record's place; the buffer remembers
  // the record it stands before, so posting inserts it there.
  TBookmarkStr current = Bookmark();
  std::int64_t currentId = -1;
  RecordIdOf(current, currentId);
  MoveBuffer(FRecordCount, FActiveRecord);
  TRecordBuffer& buffer = ActiveBuffer();
  InitRecord(buffer);
  if (FRecordCount == 0) {
    buffer.Flag = bfBOF;
  } else {
    buffer.Flag = bfInserted;
    buffer.RecordId = currentId;
  }
  if (FRecordCount < FBufferCount)
    ++FRecordCount;
  if (FCurrentRecord >= FActiveRecord)
    CursorPosChanged();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  TRecordBuffer& buffer = FBuffers[0];
  InitRecord(buffer);
  buffer.Flag = bfEOF;
  FRecordCount = 1;
  FBOF = false;
  GetPriorRecords();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Edit() {
  if (FState == dsEdit || FState == dsInsert)
    return;
  if (FRecordCount == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  Fire(BeforeEdit);
  UpdateCursorPos();
  InternalEdit();
  CalculateFields(ActiveBuffer());
  SetState(dsEdit);
  DataEvent(deRecordChange, 0);
  Fire(AfterEdit);
}

void TDataSet::Post() {
  UpdateRecord();
  if (FState != dsEdit && FState != dsInsert)
    return;
  DataEvent(deCheckBrowseMode, 0);
  Fire(BeforePost);
  InternalPost();
  SetState(dsBrowse);
  Resync({});
  Fire(AfterPost);
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert)
    return;
  DataEvent(deCheckBrowseMode, 0);
  Fire(BeforeCancel);
  bool scrolls = FState == dsInsert;
  if (scrolls)
    Fire(BeforeScroll);
  UpdateCursorPos();
  InternalCancel();
  SetState(dsBrowse);
  Resync({});
  Fire(AfterCancel);
  if (scrolls)
    Fire(AfterScroll);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert || FState == dsSetKey) {
    Cancel();
    return;
  }
  if (FRecordCount == 0)
    DatabaseError(dbconsts::SDataSetEmpty, this);
  DataEvent(deCheckBrowseMode, 0);
  Fire(BeforeDelete);
  Fire(BeforeScroll);
  UpdateCursorPos();
  InternalDelete();
  SetState(dsBrowse);
  Resync({});
  Fire(AfterDelete);
  Fire(AfterScroll);
}

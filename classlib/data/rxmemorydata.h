// TRxMemoryData: a table held in memory.
//
// Its columns are field definitions made in code (or its persistent
// fields); Open makes the fields and an empty table, Close drops the
// records. Records keep the raw layout of recordlayout.h, so a record can be
// read and written as bytes (GetRawRecord/SetRawRecord) for the record file.
// Sorting is stable and follows the Turkish collation of code page 1254.
//
// With a filter on, the table keeps which records the filter shows and
// each record's number among them, made on first need, so RecNo,
// RecordCount and SetRecNo cost no pass over the table. Refresh, Post,
// Insert, Delete, sorting, emptying and any change of Filter, Filtered or
// FilterOptions drop it; a handler of OnFilterRecord that decides on
// something outside the table calls FilterInputsChanged when that changes.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/data/dataset.h"

enum TLoadMode { lmCopy, lmAppend };

class TRxMemoryData : public TDataSet {
  DECLARE_CLASS(TRxMemoryData, TDataSet)

public:
  explicit TRxMemoryData(TComponent* AOwner);
  ~TRxMemoryData() override;

  // Removes every record; the table stays open.
  void EmptyTable();
  // Sorts the records in place by the fields named ("A;B"), each compared
  // as its type: texts by the Turkish alphabet (ignoring letter case when
  // CaseInsensitive), numbers, dates and booleans by value, nulls first.
  // Records that compare equal keep their order. The current record stays
  // current. An empty FieldNames leaves the order as it is.
  void SortOnFields(const AnsiString& FieldNames, bool CaseInsensitive = true, bool Descending = false);
  // Takes the field definitions of Source (its fields when it has any); the
  // table must be closed.
  void CopyStructure(TDataSet* Source);
  // lmCopy: closes, copies Source's structure, opens and copies its records;
  // lmAppend: appends Source's records, field by field of the same name.
  // RecordCount > 0 copies that many from Source's current record, else all
  // from its first. Returns the number of records copied.
  int LoadFromDataSet(TDataSet* Source, int RecordCount, TLoadMode Mode);

  // The current record's raw bytes (RecordSize() of them).
  std::vector<std::uint8_t> GetRawRecord() const;
  // The current record's raw bytes in place (RecordSize() of them), valid
  // until the cursor moves or the table changes.
  const std::uint8_t* RawRecordData() const;
  // Replaces the record being edited or inserted with raw bytes, read
  // defensively (see recordlayout.h). Raises EDatabaseError when not editing
  // or when Size is not RecordSize().
  void SetRawRecord(const void* Data, std::size_t Size);

  // What OnFilterRecord decides on has changed outside the table: the
  // records the filter shows are found again when next needed.
  void FilterInputsChanged() { FShownValid = false; }

  bool BookmarkValid(TBookmark Bookmark) const override;
  int CompareBookmarks(TBookmark Bookmark1, TBookmark Bookmark2) const override;

protected:
  // Appends the records of Source (from its first), field by field of the
  // same name, while opening; Source's cursor ends after its last record.
  void AppendRecordsOf(TDataSet* Source);
  void InternalOpen() override;
  void InternalClose() override;
  void InternalInitFieldDefs() override;
  TGetResult GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) override;
  void InternalFirst() override { FRecordPos = -1; }
  void InternalLast() override { FRecordPos = static_cast<int>(FRecords.size()); }
  void InternalSetToRecord(const TRecordBuffer& Buffer) override;
  void InternalGotoBookmark(const TBookmarkStr& Bookmark) override;
  void InternalInsert() override { FShownValid = false; }
  void InternalPost() override;
  void InternalDelete() override;
  void InternalRefresh() override { FShownValid = false; }
  void SetFilterText(const AnsiString& Value) override;
  void SetFilteredValue(bool Value) override;
  int GetRecordCount() const override;
  int GetRecNo() const override;
  void SetRecNoValue(int Value) override;
  bool FindMatchingRecord(const std::function<bool(TRecordBuffer&)>& Matches, TRecordBuffer& Buffer,
                          bool SyncCursor) override;

private:
  struct TMemRecord {
    std::int64_t Id = 0;
    std::vector<std::uint8_t> Data;
    std::vector<AnsiString> Blobs;
  };

  // Index of the record with that id, or -1; looks near the cursor first.
  int IndexOfId(std::int64_t Id) const;
  void RecordToBuffer(int Index, TRecordBuffer& Buffer);
  bool Accepts(int Index);
  void SetAutoIncFields(TRecordBuffer& Buffer);
  void ClearRecords();
  // The filtered view, made again when dropped, when FilterOptions changed
  // since it was made or when it no longer covers every record.
  void UpdateShownRecords();

  std::vector<std::unique_ptr<TMemRecord>> FRecords;
  TRecordBuffer FScratch;  // a record under test while counting with a filter
  int FRecordPos = -1;
  std::int64_t FNextId = 1;
  std::int32_t FAutoInc = 1;

  // The filtered view: the indexes of the records the filter shows, in
  // order, and per record the number of shown records up to and including
  // it.
  std::vector<int> FShownIndex;
  std::vector<int> FShownUpTo;
  TFilterOptions FShownOptions;
  bool FShownValid = false;
};

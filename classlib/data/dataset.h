// TDataSet: the cursor over a table of records that data sources, data
// links and data-aware controls watch.
//
// The data set keeps a window of record buffers around the current record:
// as many as its largest data link asks for (BufferCount), so a grid can
// show several rows. ActiveRecord is the current record's place in the
// window. Storage classes (the in-memory table) supply records one at a time
// through GetRecord and the Internal* operations; the navigation, editing,
// events and notifications here follow the platform's order:
//
//   Open      BeforeOpen, (fields made), state dsBrowse, AfterOpen, AfterScroll
//   Close     BeforeClose, state dsInactive, AfterClose
//   Next ...  BeforeScroll, move, data sources told, AfterScroll
//   Edit      BeforeEdit, state dsEdit, AfterEdit
//   Insert    BeforeInsert, BeforeScroll, state dsInsert, OnNewRecord,
//             AfterInsert, AfterScroll (Append: the same at the end)
//   Post      data links' UpdateData, BeforePost, stored, dsBrowse, AfterPost
//   Cancel    BeforeCancel, (BeforeScroll if inserting), dsBrowse, AfterCancel,
//             (AfterScroll)
//   Delete    BeforeDelete, BeforeScroll, removed, AfterDelete, AfterScroll
//
// An EAbort raised by a Before* handler stops the operation silently.
// Between DisableControls and the matching EnableControls (they nest) the
// data sources hear nothing; the last EnableControls tells them once.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/data/dbtypes.h"
#include "classlib/data/fields.h"
#include "classlib/data/recordlayout.h"
#include "classlib/system/variant.h"

class TFieldDefs;
class TDataLink;

// One record as a data set holds it: the record's raw bytes (each data
// field's one-byte null flag followed by its value, then the calculated
// fields), the values of its blob fields, and where it stands.
struct TRecordBuffer {
  std::vector<std::uint8_t> Data;
  std::vector<AnsiString> Blobs;
  std::int64_t RecordId = -1;  // the bookmark of the record
  TBookmarkFlag Flag = bfCurrent;
};

class TDataSet : public TComponent {
  DECLARE_CLASS(TDataSet, TComponent)

public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  // ---- Opening and state
  bool Active() const { return FState != dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return FState; }
  bool Modified() const { return FModified; }
  bool CanModify() const { return GetCanModify(); }
  // Raises "Cannot perform this operation on a closed dataset".
  void CheckActive() const;
  void CheckInactive() const;
  // Posts or cancels a pending edit so the data set browses again.
  void CheckBrowseMode();

  // ---- Fields
  TFieldDefs* FieldDefs() const { return FFieldDefs.get(); }
  void SetFieldDefs(TFieldDefs* Value);
  TFields& Fields() { return FFields; }
  const TFields& Fields() const { return FFields; }
  int FieldCount() const { return FFields.Count(); }
  TField* FindField(const AnsiString& FieldName) const { return FFields.FindField(FieldName); }
  TField* FieldByName(const AnsiString& FieldName) const { return FFields.FieldByName(FieldName); }
  // True while the fields were made from the field definitions at opening.
  bool DefaultFields() const { return FDefaultFields; }
  // The value of one field (FieldByName(FieldName)->Value()).
  Variant FieldValues(const AnsiString& FieldName) const;
  void GetFieldNames(std::vector<AnsiString>& List) const;
  // The fields named in FieldNames ("A;B"; blanks around names and empty
  // names are ignored), in that order; EDatabaseError for a missing one.
  void GetFieldList(std::vector<TField*>& List, const AnsiString& FieldNames) const;

  // ---- Navigation
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Returns the number of records actually moved.
  int MoveBy(int Distance);
  bool Eof() const { return FEOF; }
  bool Bof() const { return FBOF; }
  bool IsEmpty() const { return FActiveRecord >= FRecordCount; }
  int RecordCount() const;
  // 1-based position of the current record among those shown.
  int RecNo() const;
  void SetRecNo(int Value);
  void Refresh();
  void Resync(TResyncMode Mode);

  // ---- Editing
  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  void ClearFields();
  // Asks the data links to write their pending values (UpdateData).
  void UpdateRecord();

  // ---- Filters and searching
  const AnsiString& Filter() const { return FFilterText; }
  void SetFilter(const AnsiString& Value);
  bool Filtered() const { return FFiltered; }
  void SetFiltered(bool Value);
  TFilterOptions FilterOptions() const { return FFilterOptions; }
  void SetFilterOptions(TFilterOptions Value);
  // KeyFields "A;B" with one value per field (KeyValues has one entry per
  // field). Moves to the first matching record in the order shown.
  bool Locate(const AnsiString& KeyFields, const std::vector<Variant>& KeyValues, TLocateOptions Options);
  bool Locate(const AnsiString& KeyFields, const Variant& KeyValue, TLocateOptions Options) {
    return Locate(KeyFields, std::vector<Variant>{KeyValue}, Options);
  }
  // The value of ResultField in the first matching record, Null when there
  // is none; the cursor does not move.
  Variant Lookup(const AnsiString& KeyFields, const std::vector<Variant>& KeyValues,
                 const AnsiString& ResultField);
  Variant Lookup(const AnsiString& KeyFields, const Variant& KeyValue, const AnsiString& ResultField) {
    return Lookup(KeyFields, std::vector<Variant>{KeyValue}, ResultField);
  }

  // ---- Bookmarks
  bool BookmarkAvailable() const;
  // "" when no record is current.
  TBookmarkStr Bookmark() const;
  void SetBookmark(const TBookmarkStr& Value);
  TBookmark GetBookmark() const;
  void GotoBookmark(TBookmark Bookmark);
  void FreeBookmark(TBookmark Bookmark) const { delete Bookmark; }
  virtual bool BookmarkValid(TBookmark Bookmark) const { return false; }
  // Negative, zero or positive as Bookmark1 stands before, at or after
  // Bookmark2; a nil bookmark stands before every other.
  virtual int CompareBookmarks(TBookmark Bookmark1, TBookmark Bookmark2) const;

  // ---- Data-aware controls
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount != 0; }
  // Sends an event to the data sources (and through them to the links).
  void DataEvent(TDataEvent Event, std::intptr_t Info);
  int ActiveRecord() const { return FActiveRecord; }
  int BufferCount() const { return FBufferCount; }
  // Records in the buffer window.
  int WindowRecordCount() const { return FRecordCount; }

  // ---- The raw record (see recordlayout.h), valid while open
  int RecordSize() const { return FRecordSize; }
  const TRecordLayout& RecordLayout() const { return FLayout; }

  // ---- Events
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;
  TFilterRecordEvent OnFilterRecord;

  // ---- For fields: the value bytes of the record the current state shows
  // Copies the field's value into Buffer (DataSize bytes); false when null.
  bool GetFieldData(const TField* Field, void* Buffer) const;
  // The field's value bytes (DataSize of them) read in place, nullptr when
  // null; valid until the record or the state changes. Filters that test
  // many records read through it without copying each value.
  const std::uint8_t* FieldDataInPlace(const TField* Field) const;
  // nullptr makes the field null. Checks the state and the field, runs
  // OnValidate, stores, then tells OnChange and the data sources.
  void SetFieldData(TField* Field, const void* Buffer);
  // Blob fields: the bytes, "" when null.
  AnsiString GetBlobData(const TField* Field) const;
  void SetBlobData(TField* Field, const AnsiString& Value);

  // ---- Streaming: persistent fields are written as children
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void Loaded() override;

  // Used by TDataSource and TField.
  void AddDataSource(TDataSource* Source);
  void RemoveDataSource(TDataSource* Source);
  void AddField(TField* Field);
  void RemoveField(TField* Field);
  void UpdateBufferCount();
  // Called when a field's layout-relevant property changes.
  void FieldLayoutChanged();

protected:
  // ---- What a storage class supplies
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual void InternalInitFieldDefs() {}
  // Fills Buffer with the record gmCurrent names or the one after/before it.
  virtual TGetResult GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  virtual void InternalSetToRecord(const TRecordBuffer& Buffer) = 0;
  virtual void InternalGotoBookmark(const TBookmarkStr& Bookmark) = 0;
  virtual void InternalInitRecord(TRecordBuffer& Buffer);
  virtual void InternalInsert() {}
  virtual void InternalEdit() {}
  virtual void InternalPost();
  virtual void InternalCancel() {}
  virtual void InternalDelete() = 0;
  virtual void InternalRefresh() {}
  virtual int GetRecordCount() const { return -1; }
  virtual int GetRecNo() const { return -1; }
  virtual void SetRecNoValue(int Value) {}
  virtual bool GetCanModify() const { return true; }
  // Whether a stream keeps the field definitions: those made in code for
  // default fields; persistent fields define the columns themselves.
  virtual bool IsFieldDefsStored() const;
  virtual void SetFilterText(const AnsiString& Value) { FFilterText = Value; }
  virtual void SetFilteredValue(bool Value) { FFiltered = Value; }
  // Loads the records in the order shown (filter applied) into Buffer one by
  // one until Matches accepts one; with SyncCursor the storage's cursor
  // stays on it. False when none matches.
  virtual bool FindMatchingRecord(const std::function<bool(TRecordBuffer&)>& Matches, TRecordBuffer& Buffer,
                                  bool SyncCursor) = 0;

  // ---- Helpers for storage classes
  // Whether the record in Buffer passes Filter and OnFilterRecord.
  bool RecordFilterAccepts(TRecordBuffer& Buffer);
  // Runs OnCalcFields with Buffer as the record.
  void GetCalcFields(TRecordBuffer& Buffer);
  int BlobFieldCount() const { return FBlobCount; }
  bool IsCursorOpen() const { return FCursorOpen; }
  TRecordBuffer& ActiveBuffer() { return FBuffers[FActiveRecord]; }
  const TRecordBuffer& ActiveBuffer() const { return FBuffers[FActiveRecord]; }
  // Makes the default fields from FieldDefs when there are no persistent
  // ones, then lays the fields out in the record.
  void CreateFields();
  void DestroyFields();
  void BindFields(bool Binding);
  void CursorPosChanged() { FCurrentRecord = -1; }
  void SetState(TDataSetState Value);
  void SetModified(bool Value) { FModified = Value; }
  void CheckRequiredFields();
  // Compares a field value with a key for Locate/Lookup.
  static bool FieldMatches(const TField* Field, const Variant& Key, TLocateOptions Options);
  // Runs f with State temporarily dsFilter and Buffer as the record fields read.
  template <class F>
  auto WithFilterBuffer(TRecordBuffer& Buffer, F f) {
    TempState scope(*this, dsFilter, &Buffer);
    return f();
  }
  // Active as a stream being loaded set it (Loaded opens then).
  bool WasStreamedActive() const { return FStreamedActive; }
  void ClearStreamedActive() { FStreamedActive = false; }
  // A record id as bookmark text and back (false for text of another length).
  static TBookmarkStr BookmarkOf(std::int64_t RecordId);
  static bool RecordIdOf(const TBookmarkStr& Bookmark, std::int64_t& RecordId);

private:
  friend class TField;
  friend class TDataLink;

  // Sets a temporary state and record for filters and calculated fields.
  class TempState {
  public:
    TempState(TDataSet& owner, TDataSetState state, TRecordBuffer* buffer);
    ~TempState();

  private:
    TDataSet& owner_;
    TDataSetState savedState_;
    TRecordBuffer* savedBuffer_;
  };

  // The buffer fields read and write in the current state, or nullptr.
  TRecordBuffer* CurrentRecordBuffer() const;
  void OpenCursor();
  void CloseCursor();
  void DoInternalOpen();
  void AllocateBuffers();
  void ClearBuffers();
  void ActivateBuffers();
  void MoveBuffer(int CurIndex, int NewIndex);
  bool GetNextRecord();
  bool GetPriorRecord();
  int GetNextRecords();
  int GetPriorRecords();
  void SetCurrentRecord(int Index);
  void UpdateCursorPos();
  void SetBufferCount(int Value);
  void SetActiveRecord(int Value);
  void InitRecord(TRecordBuffer& Buffer);
  void BeginInsertAppend();
  void EndInsertAppend();
  void CheckCanModify();
  void Fire(const TDataSetNotifyEvent& Event);
  void CalculateFields(TRecordBuffer& Buffer);
  void NotifyDataSources(TDataEvent Event, std::intptr_t Info);
  bool LocateRecord(const AnsiString& KeyFields, const std::vector<Variant>& KeyValues, TLocateOptions Options,
                    bool SyncCursor);

  TFields FFields;
  TRecordLayout FLayout;
  std::unique_ptr<TFieldDefs> FFieldDefs;
  std::vector<TDataSource*> FDataSources;
  std::vector<TRecordBuffer> FBuffers;  // FBufferCount + 1 (the last is scratch)
  TRecordBuffer* FTempBuffer = nullptr;  // record of dsFilter/dsCalcFields
  TDataSetState FState = dsInactive;
  TDataSetState FDisableState = dsInactive;
  TDataEvent FEnableEvent = deDataSetChange;
  int FBufferCount = 0;
  int FRecordCount = 0;
  int FActiveRecord = 0;
  int FCurrentRecord = -1;
  int FDisableCount = 0;
  int FRecordSize = 0;
  int FCalcFieldsSize = 0;
  int FBlobCount = 0;
  bool FBOF = true;
  bool FEOF = true;
  bool FModified = false;
  bool FDefaultFields = false;
  bool FCursorOpen = false;
  bool FStreamedActive = false;
  bool FFiltered = false;
  bool FInternalOpenComplete = false;
  AnsiString FFilterText;
  TFilterOptions FFilterOptions;
  std::shared_ptr<struct TFilterExpression> FFilterExpr;
};

// TDataLink and TFieldDataLink: how a data-aware control hears of its data
// set through a data source.
//
// A link sees the data set's buffer window from its own first record:
// BufferCount is how many records it shows (a grid: its visible rows; the
// data set keeps at least as many buffers as its largest link), ActiveRecord
// the current record's place among them. Setting ActiveRecord lets a grid
// read the fields of each row it paints.
//
// The protected virtuals are the protocol: ActiveChanged (opened or closed),
// DataSetChanged (new records shown), DataSetScrolled, RecordChanged (values
// of the current record; Field nullptr means all), EditingChanged,
// LayoutChanged (fields changed), UpdateData (write your pending value now),
// CheckBrowseMode and FocusControl.
#pragma once
#include <cstdint>
#include <functional>

#include "classlib/classes/persistent.h"
#include "classlib/data/dbtypes.h"

class TDataLink : public TPersistent {
  DECLARE_CLASS(TDataLink, TPersistent)

public:
  TDataLink() = default;
  ~TDataLink() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const;
  bool Active() const { return FActive; }
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool DataSourceFixed() const { return FDataSourceFixed; }
  void SetDataSourceFixed(bool Value) { FDataSourceFixed = Value; }
  int ActiveRecord() const;
  void SetActiveRecord(int Value);
  int BufferCount() const { return FBufferCount; }
  void SetBufferCount(int Value);
  // Records of the window this link shows (at most BufferCount).
  int RecordCount() const;
  // Puts the data set into edit mode through the data source; true when editing.
  bool Edit();
  // Runs UpdateData (the data set does this before posting).
  void UpdateRecord();

  // Used by TDataSource.
  void DataEvent(TDataEvent Event, std::intptr_t Info);

protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int Distance) { DataSetChanged(); }
  virtual void EditingChanged() {}
  // Field points at the field to focus; a link that takes the focus sets it to nullptr.
  virtual void FocusControl(TField** Field) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* Field) {}
  virtual void UpdateData() {}

private:
  friend class TDataSet;
  friend class TDataSource;
  void UpdateState();
  void SetActive(bool Value);
  void SetEditing(bool Value);
  void UpdateRange();

  TDataSource* FDataSource = nullptr;
  int FFirstRecord = 0;
  int FBufferCount = 1;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
  bool FDataSourceFixed = false;
};

// The link of a control that shows one field.
class TFieldDataLink : public TDataLink {
  DECLARE_CLASS(TFieldDataLink, TDataLink)

public:
  TFieldDataLink() = default;

  TField* Field() const { return FField; }
  const AnsiString& FieldName() const { return FFieldName; }
  void SetFieldName(const AnsiString& Value);
  // The control this link serves (for FocusControl).
  TComponent* Control() const { return FControl; }
  void SetControl(TComponent* Value) { FControl = Value; }
  // Editing and the field may be changed.
  bool Editing() const { return FEditing; }
  bool CanModify() const;
  bool Edit();
  // The control changed its value: UpdateData will ask it to write it.
  void Modified() { FModified = true; }
  // Drops the control's pending change and shows the field's value again.
  void Reset();

  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;
  // The control takes the focus when this returns true (asked by FocusControl).
  std::function<bool()> OnFocusRequest;

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField** Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  void SetField(TField* Value);
  void UpdateField();
  void SetEditingValue(bool Value);

  TField* FField = nullptr;
  AnsiString FFieldName;
  TComponent* FControl = nullptr;
  bool FEditing = false;
  bool FModified = false;
};

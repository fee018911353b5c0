// TDataSource: joins one data set to the data links of data-aware controls,
// passing on what the data set reports and keeping its own copy of the state.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/data/dbtypes.h"

class TDataLink;

class TDataSource : public TComponent {
  DECLARE_CLASS(TDataSource, TComponent)

public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return FDataSet; }
  // Raises EDatabaseError "Circular datalinks are not allowed" when the data
  // set is already linked to this source through master links.
  void SetDataSet(TDataSet* Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool Value) { FAutoEdit = Value; }
  // The data set's state while enabled and linked, else dsInactive.
  TDataSetState State() const { return FState; }
  // Puts the data set into edit mode when AutoEdit allows and it browses.
  void Edit();

  TNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnUpdateData;

  // ---- Used by TDataSet and TDataLink
  void DataEvent(TDataEvent Event, std::intptr_t Info);
  void AddDataLink(TDataLink* DataLink);
  void RemoveDataLink(TDataLink* DataLink);
  const std::vector<TDataLink*>& DataLinks() const { return FDataLinks; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TDataSet;
  void UpdateState();
  void SetState(TDataSetState Value);
  void NotifyDataLinks(TDataEvent Event, std::intptr_t Info);

  TDataSet* FDataSet = nullptr;
  std::vector<TDataLink*> FDataLinks;
  TDataSetState FState = dsInactive;
  bool FEnabled = true;
  bool FAutoEdit = true;
};

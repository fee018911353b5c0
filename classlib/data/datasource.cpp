#include "classlib/data/datasource.h"

#include <algorithm>

#include "classlib/data/datalink.h"
#include "classlib/data/dataset.h"

BEGIN_PUBLISHED(TDataSource)
  PROPERTY(AutoEdit, FAutoEdit, SetAutoEdit).Default(true),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(Enabled, FEnabled, SetEnabled).Default(true),
  PROPERTY(OnStateChange, OnStateChange, OnStateChange),
  PROPERTY(OnDataChange, OnDataChange, OnDataChange),
  PROPERTY(OnUpdateData, OnUpdateData, OnUpdateData),
END_PUBLISHED

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  Destroying();
  // Links whose source is fixed let go too: the source is gone.
  for (TDataLink* link : std::vector<TDataLink*>(FDataLinks)) {
    link->FDataSource = nullptr;
    link->UpdateState();
  }
  FDataLinks.clear();
  SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet)
    return;
  if (FDataSet != nullptr) {
    FDataSet->RemoveFreeNotification(this);
    FDataSet->RemoveDataSource(this);
  }
  if (Value != nullptr) {
    Value->FreeNotification(this);
    Value->AddDataSource(this);
  }
}

void TDataSource::SetEnabled(bool Value) {
  FEnabled = Value;
  UpdateState();
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse)
    FDataSet->Edit();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet)
    SetDataSet(nullptr);
}

void TDataSource::UpdateState() {
  SetState(FEnabled && FDataSet != nullptr ? FDataSet->State() : dsInactive);
}

void TDataSource::SetState(TDataSetState Value) {
  if (FState == Value)
    return;
  TDataSetState prior = FState;
  FState = Value;
  NotifyDataLinks(deUpdateState, 0);
  if (!ComponentState().Contains(csDestroying) && OnStateChange)
    OnStateChange(this);
  if (prior == dsInactive) {
    NotifyDataLinks(deLayoutChange, 0);
    NotifyDataLinks(deDataSetChange, 0);
  }
}

void TDataSource::NotifyDataLinks(TDataEvent Event, std::intptr_t Info) {
  // Last first, so a link that removes itself does not skip another.
  for (int i = static_cast<int>(FDataLinks.size()) - 1; i >= 0; --i)
    if (i < static_cast<int>(FDataLinks.size()))
      FDataLinks[i]->DataEvent(Event, Info);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (Event == deDisabledStateChange) {
    if (Info != 0)
      UpdateState();
    else
      SetState(dsInactive);
    return;
  }
  if (FState == dsInactive)
    return;
  NotifyDataLinks(Event, Info);
  switch (Event) {
    case deFieldChange:
      if (OnDataChange)
        OnDataChange(this, reinterpret_cast<TField*>(Info));
      break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange)
        OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData)
        OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::AddDataLink(TDataLink* DataLink) {
  FDataLinks.push_back(DataLink);
  if (FDataSet != nullptr)
    FDataSet->UpdateBufferCount();
}

void TDataSource::RemoveDataLink(TDataLink* DataLink) {
  std::erase(FDataLinks, DataLink);
  if (FDataSet != nullptr)
    FDataSet->UpdateBufferCount();
}

#include "classlib/dbctrls/dbactns.h"

#include "classlib/controls/wincontrol.h"
#include "classlib/forms/screen.h"

// Tells the action whenever its data source's data set opens, closes,
// moves or changes state, so that Enabled follows at once.
class TDataSetAction::TStateLink : public TDataLink {
public:
  explicit TStateLink(TDataSetAction& action) : action_(action) {}

protected:
  void ActiveChanged() override { action_.Update(); }
  void DataSetChanged() override { action_.Update(); }
  void EditingChanged() override { action_.Update(); }

private:
  TDataSetAction& action_;
};

BEGIN_PUBLISHED(TDataSetAction)
  PROPERTY(DataSource, DataSource, SetDataSource),
END_PUBLISHED

TDataSetAction::TDataSetAction(TComponent* AOwner)
    : TAction(AOwner), FLink(std::make_unique<TStateLink>(*this)) {}

TDataSetAction::~TDataSetAction() { SetDataSource(nullptr); }

void TDataSetAction::SetDataSource(TDataSource* Value) {
  if (FDataSource == Value)
    return;
  if (FDataSource != nullptr)
    FDataSource->RemoveFreeNotification(this);
  FDataSource = Value;
  if (FDataSource != nullptr)
    FDataSource->FreeNotification(this);
  FLink->SetDataSource(Value);
  Update();
}

void TDataSetAction::Notification(TComponent* AComponent, TOperation Operation) {
  TAction::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSource) {
    FDataSource = nullptr;
    FLink->SetDataSource(nullptr);
  }
}

TDataSet* TDataSetAction::TargetDataSet() const {
  if (FDataSource != nullptr)
    return FDataSource->DataSet();
  if (Screen == nullptr)
    return nullptr;
  TDataLink* link = DataLinkOf(Screen->ActiveControl());
  return link != nullptr ? link->DataSet() : nullptr;
}

bool TDataSetAction::Execute() {
  if (TAction::Execute())
    return true;
  TDataSet* dataSet = TargetDataSet();
  if (dataSet == nullptr || !dataSet->Active() || !EnabledFor(*dataSet))
    return false;
  ExecuteTarget(*dataSet);
  return true;
}

bool TDataSetAction::Update() {
  if (TAction::Update())
    return true;
  TDataSet* dataSet = TargetDataSet();
  SetEnabled(dataSet != nullptr && dataSet->Active() && EnabledFor(*dataSet));
  return true;
}

IMPLEMENT_CLASS(TDataSetFirst)
bool TDataSetFirst::EnabledFor(TDataSet& DataSet) const { return !DataSet.Bof(); }
void TDataSetFirst::ExecuteTarget(TDataSet& DataSet) { DataSet.First(); }

IMPLEMENT_CLASS(TDataSetPrior)
bool TDataSetPrior::EnabledFor(TDataSet& DataSet) const { return !DataSet.Bof(); }
void TDataSetPrior::ExecuteTarget(TDataSet& DataSet) { DataSet.Prior(); }

IMPLEMENT_CLASS(TDataSetNext)
bool TDataSetNext::EnabledFor(TDataSet& DataSet) const { return !DataSet.Eof(); }
void TDataSetNext::ExecuteTarget(TDataSet& DataSet) { DataSet.Next(); }

IMPLEMENT_CLASS(TDataSetLast)
bool TDataSetLast::EnabledFor(TDataSet& DataSet) const { return !DataSet.Eof(); }
void TDataSetLast::ExecuteTarget(TDataSet& DataSet) { DataSet.Last(); }

IMPLEMENT_CLASS(TDataSetInsert)
bool TDataSetInsert::EnabledFor(TDataSet& DataSet) const { return DataSet.CanModify() && !Editing(DataSet); }
void TDataSetInsert::ExecuteTarget(TDataSet& DataSet) { DataSet.Insert(); }

IMPLEMENT_CLASS(TDataSetDelete)
bool TDataSetDelete::EnabledFor(TDataSet& DataSet) const {
  return DataSet.CanModify() && !(DataSet.Bof() && DataSet.Eof());
}
void TDataSetDelete::ExecuteTarget(TDataSet& DataSet) { DataSet.Delete(); }

IMPLEMENT_CLASS(TDataSetEdit)
bool TDataSetEdit::EnabledFor(TDataSet& DataSet) const { return DataSet.CanModify() && !Editing(DataSet); }
void TDataSetEdit::ExecuteTarget(TDataSet& DataSet) { DataSet.Edit(); }

IMPLEMENT_CLASS(TDataSetPost)
bool TDataSetPost::EnabledFor(TDataSet& DataSet) const { return Editing(DataSet); }
void TDataSetPost::ExecuteTarget(TDataSet& DataSet) { DataSet.Post(); }

IMPLEMENT_CLASS(TDataSetCancel)
bool TDataSetCancel::EnabledFor(TDataSet& DataSet) const { return Editing(DataSet); }
void TDataSetCancel::ExecuteTarget(TDataSet& DataSet) { DataSet.Cancel(); }

IMPLEMENT_CLASS(TDataSetRefresh)
bool TDataSetRefresh::EnabledFor(TDataSet& DataSet) const { return true; }
void TDataSetRefresh::ExecuteTarget(TDataSet& DataSet) { DataSet.Refresh(); }

// The data-set actions: first, prior, next, last, insert, delete, edit,
// post, cancel and refresh as actions of an action list, with shortcuts.
//
// An action works on the data set of its DataSource; without one, on the
// data set of the focused control's data link. Its Enabled state follows
// that data set as it moves and changes state (first and prior: not at the
// beginning; next and last: not at the end; insert and edit: the data set
// can change and is browsing; delete: a record to delete; post and cancel:
// an edit is pending; refresh: open). An OnExecute (OnUpdate) handler of
// the action or of its list takes the place of the action's own command.
#pragma once
#include <memory>

#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/forms/actnlist.h"

class TDataSetAction : public TAction {
  DECLARE_CLASS(TDataSetAction, TAction)

public:
  explicit TDataSetAction(TComponent* AOwner);
  ~TDataSetAction() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  // The data set the action works on now, or nullptr.
  TDataSet* TargetDataSet() const;

  bool Execute() override;
  bool Update() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  // Whether the command can run on an open data set.
  virtual bool EnabledFor(TDataSet& DataSet) const = 0;
  virtual void ExecuteTarget(TDataSet& DataSet) = 0;
  static bool Editing(const TDataSet& DataSet) {
    return DataSet.State() == dsEdit || DataSet.State() == dsInsert;
  }

private:
  class TStateLink;
  TDataSource* FDataSource = nullptr;
  std::unique_ptr<TStateLink> FLink;
};

#define DOZURI_DATASET_ACTION(Name)                                  \
  class Name : public TDataSetAction {                               \
    DECLARE_CLASS(Name, TDataSetAction)                              \
                                                                     \
  public:                                                            \
    explicit Name(TComponent* AOwner) : TDataSetAction(AOwner) {}    \
                                                                     \
  protected:                                                         \
    bool EnabledFor(TDataSet& DataSet) const override;               \
    void ExecuteTarget(TDataSet& DataSet) override;                  \
  }

DOZURI_DATASET_ACTION(TDataSetFirst);
DOZURI_DATASET_ACTION(TDataSetPrior);
DOZURI_DATASET_ACTION(TDataSetNext);
DOZURI_DATASET_ACTION(TDataSetLast);
DOZURI_DATASET_ACTION(TDataSetInsert);
DOZURI_DATASET_ACTION(TDataSetDelete);
DOZURI_DATASET_ACTION(TDataSetEdit);
DOZURI_DATASET_ACTION(TDataSetPost);
DOZURI_DATASET_ACTION(TDataSetCancel);
DOZURI_DATASET_ACTION(TDataSetRefresh);

#undef DOZURI_DATASET_ACTION

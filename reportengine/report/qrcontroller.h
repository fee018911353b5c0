// Controllers: the record loops of a report run.
//
// A controller drives one level of a report: the report page itself (its
// title, detail and summary bands over the report's data set) and every
// sub-detail band (its header, the sub-detail band once per record of its
// own data set, its footer). Controllers nest: a child controller whose
// Master is a report or a controller band prints before or after each detail
// record of that master. Groups break the detail sequence where the value of
// their expression changes.
//
// TQRCustomController keeps the nesting, the groups and the expression
// clients; TQRController adds the data set, the three bands and the loop.
// Controllers are made without an owner by the report or band that needs one
// (their OwnerObject) and freed by it.
#pragma once
#include <vector>

#include "classlib/classes/component.h"
#include "reportengine/evaluator/qrevvalue.h"
#include "reportengine/report/quickrep.h"

class TDataSet;
class TQRControllerBand;
class TQRCustomBand;
class TQREvElement;
class TQRGroup;
class TQRPrintable;
class TParam;
class TQuery;

// The report's new band order while the report rebuilds it: every band at
// most once, each followed by its chain of child bands.
class TQRBandOrder {
public:
  // Adds the band and its child chain; nil, bands being freed, bands no
  // longer on their report's band list and bands already listed are skipped
  // (a child chain stops at a band already listed, so a looping chain ends).
  void Add(TQRCustomBand* Band);
  bool Contains(const TQRCustomBand* Band) const;
  const std::vector<TQRCustomBand*>& Bands() const { return FBands; }

private:
  std::vector<TQRCustomBand*> FBands;
};

class TQRCustomController : public TComponent {
  DECLARE_CLASS(TQRCustomController, TComponent)

public:
  explicit TQRCustomController(TComponent* AOwner);
  ~TQRCustomController() override;

  // ---- Operations descendants override, in this order ----
  // The value published under the owner's name; here a result of kind error.
  virtual void GetConstantValue(TQREvValue& Result);
  virtual void BuildLists();
  virtual void Execute();
  virtual void Prepare();
  virtual void Unprepare();
  virtual void PrintAfterControllers();
  virtual void PrintBeforeControllers();
  virtual void PrintEmpty();
  // Adds this level's bands to the report's new band order.
  virtual void RegisterBands(TQRBandOrder& Order) {}
  // Adds this level's usable data set to the report's DataSetList.
  virtual void CollectDataSets() {}
  virtual void ApplyPrintBefore(bool Value) { FPrintBefore = Value; }
  virtual void UpdateConstant();

  // ---- Expression clients ----
  // Expressions that aggregate over this level's records: printables, told
  // through Notify; other objects are ignored.
  void AddNotifyClient(TObject* Expr);
  void RemoveNotifyClient(TObject* Expr);
  // Notify(Self, Operation) of every client, in list order.
  void NotifyClients(int Operation);

  // ---- Groups ----
  // Every group checks its expression in list order; at the first change the
  // later groups take their value afresh and are marked changed too. True
  // when a group changed.
  bool CheckGroups();
  // Headers of the groups marked changed, first to last.
  void PrintGroupHeaders();
  // Footers of the groups marked changed, last to first.
  void PrintGroupFooters();
  // Every group's changed mark negated.
  void InvertGroupChanges();
  // After a new column's header: headers of open groups that repeat on a new
  // page, here and in the child controllers.
  void ReprintGroupHeaders();

  // ---- Properties ----
  // A report, a controller or a controller band other than this controller;
  // anything else is ignored.
  TComponent* Master() const { return FMaster; }
  void SetMaster(TComponent* Value);
  TComponent* OwnerObject() const { return FOwnerObject; }
  void SetOwnerObject(TComponent* Value);
  TCustomQuickRep* ParentReport() const { return FParentReport; }
  void SetParentReport(TCustomQuickRep* Value) { FParentReport = Value; }
  bool PrintBefore() const { return FPrintBefore; }
  void SetPrintBefore(bool Value) { ApplyPrintBefore(Value); }
  bool PrintIfEmpty() const { return FPrintIfEmpty; }
  void SetPrintIfEmpty(bool Value) { FPrintIfEmpty = Value; }

  const std::vector<TQRCustomController*>& PrintBeforeList() const { return FPrintBeforeList; }
  const std::vector<TQRCustomController*>& PrintAfterList() const { return FPrintAfterList; }
  const std::vector<TQRGroup*>& GroupList() const { return FGroupList; }
  const std::vector<TQRPrintable*>& NotifyList() const { return FNotifyList; }
  // The Functions entry named after OwnerObject, found at Prepare; or nil.
  TQREvElement* OwnerConstant() const { return FOwnerConstant; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool IsDestroying() const;
  // Handles the messages waiting for the GUI, once per record, and only on
  // the GUI thread: a preview runs the loop on a worker thread, which must
  // never pump the GUI's messages.
  void ProcessPendingMessages();
  // The report's cancel flag, and the printer object's.
  bool ReportCancelled() const;
  bool PrinterCancelled() const;

private:
  void AddListedComponent(TComponent* Component);
  void ForceLaterGroups(std::size_t First);

  TComponent* FMaster = nullptr;
  TComponent* FOwnerObject = nullptr;
  TCustomQuickRep* FParentReport = nullptr;
  bool FPrintBefore = false;
  bool FPrintIfEmpty = true;
  std::vector<TQRCustomController*> FPrintBeforeList;
  std::vector<TQRCustomController*> FPrintAfterList;
  std::vector<TQRGroup*> FGroupList;
  std::vector<TQRPrintable*> FNotifyList;
  TQREvElement* FOwnerConstant = nullptr;
  // The thread that made the controller (the GUI thread: reports and their
  // bands are made there).
  unsigned long FGuiThread;
  bool FBuilding = false;
};

class TQRController : public TQRCustomController {
  DECLARE_CLASS(TQRController, TQRCustomController)

public:
  explicit TQRController(TComponent* AOwner);
  ~TQRController() override;

  // The detail loop.
  void Execute() override;
  void Prepare() override;
  // Header, before-controllers, detail, after-controllers, footer once.
  void PrintEmpty() override;
  // Header; the group bands; the before-controllers' bands; Detail; the
  // after-controllers' bands; the group footers in reverse; Footer.
  void RegisterBands(TQRBandOrder& Order) override;
  void CollectDataSets() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  TQRCustomBand* Header() const { return FHeader; }
  void SetHeader(TQRCustomBand* Value);
  TQRCustomBand* Detail() const { return FDetail; }
  void SetDetail(TQRCustomBand* Value);
  TQRCustomBand* Footer() const { return FFooter; }
  void SetFooter(TQRCustomBand* Value);
  int DetailNumber() const { return FDetailNumber; }
  bool UpdateSQLParams() const { return FUpdateSQLParams; }
  // Records the last Execute counted for its progress (1 when the data set
  // could not say).
  int RecordTotal() const { return FRecordTotal; }

  TQROnNeedDataEvent OnNeedData;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool DataSetUsable() const;
  bool Designing() const;
  void AskForData(bool& MoreData);
  // Closes the query, assigns the parameters named after Functions entries
  // from their values, opens it again.
  void RefreshQueryParams(TQuery& Query);
  void ReportProgress();
  void PrintFooterBand();

  TDataSet* FDataSet = nullptr;
  TQRCustomBand* FHeader = nullptr;
  TQRCustomBand* FDetail = nullptr;
  TQRCustomBand* FFooter = nullptr;
  int FDetailNumber = 0;
  int FRecordTotal = 1;
  bool FUpdateSQLParams = false;
};

// Progress of a detail loop in whole percent: Number x 100 div Total, kept
// within 0..100 (a data set may not know its record count, answering -1, or
// report fewer records than it yields).
int QRControllerProgress(int Number, int Total);

// Assigns an expression result to a query parameter when its kind fits the
// parameter's type: strings to string parameters, integers to small integer,
// integer and word, booleans to boolean, floats to float, currency and BCD,
// and strings to date, time and date-time through the system's conversions
// (a string that does not convert raises the conversion error). A result of
// another kind leaves the parameter as it is.
void QRAssignQueryParam(TParam& Param, const TQREvValue& Value);

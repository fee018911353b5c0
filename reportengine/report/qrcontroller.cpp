#include "reportengine/report/qrcontroller.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "classlib/classes/lists.h"
#include "classlib/data/dataset.h"
#include "classlib/data/dbtables.h"
#include "classlib/system/datetime.h"
#include "classlib/system/strutils.h"
#include "classlib/forms/application.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrcontrollerband.h"
#include "reportengine/report/qrgroup.h"
#include "reportengine/report/qrprintable.h"
#include "reportengine/report/qrquickrepbands.h"

IMPLEMENT_CLASS(TQRCustomController)
IMPLEMENT_CLASS(TQRController)

// ---- TQRBandOrder -------------------------------------------------------------------------------

// A band that is going is left out: the report rebuilds its order while such
// a band takes itself off the report's list, before a group or sub-detail
// that names it has heard of it. Free marks it first; a band deleted
// directly is recognised by no longer being on its report's list.
void TQRBandOrder::Add(TQRCustomBand* Band) {
  if (Band == nullptr)
    return;
  TCustomQuickRep* report = Band->ParentReport();
  if (report != nullptr && report->BandList() != nullptr && report->BandList()->IndexOf(Band) < 0)
    return;
  while (Band != nullptr && !Contains(Band) && !Band->ComponentState().Contains(csDestroying)) {
    FBands.push_back(Band);
    Band = Band->ChildBand();
  }
}

bool TQRBandOrder::Contains(const TQRCustomBand* Band) const {
  return std::find(FBands.begin(), FBands.end(), Band) != FBands.end();
}

int QRControllerProgress(int Number, int Total) {
  if (Total <= 0)
    return 0;
  std::int64_t percent = static_cast<std::int64_t>(Number) * 100 / Total;
  return static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100));
}

// ---- TQRCustomController ------------------------------------------------------------------------

TQRCustomController::TQRCustomController(TComponent* AOwner)
    : TComponent(AOwner), FGuiThread(GetCurrentThreadId()) {}

TQRCustomController::~TQRCustomController() = default;

bool TQRCustomController::IsDestroying() const { return ComponentState().Contains(csDestroying); }

void TQRCustomController::GetConstantValue(TQREvValue& Result) { SetEvError(Result, ""); }

void TQRCustomController::UpdateConstant() {
  if (FOwnerConstant == nullptr)
    return;
  TQREvValue value;
  GetConstantValue(value);
  TQREvEnvironment::StoreValue(FOwnerConstant, value);
}

void TQRCustomController::SetMaster(TComponent* Value) {
  if (Value == this)
    return;
  if (Value != nullptr && dynamic_cast<TCustomQuickRep*>(Value) == nullptr &&
      dynamic_cast<TQRCustomController*>(Value) == nullptr && dynamic_cast<TQRControllerBand*>(Value) == nullptr)
    return;
  if (FMaster == Value)
    return;
  if (FMaster != nullptr && FMaster != FOwnerObject)
    FMaster->RemoveFreeNotification(this);
  FMaster = Value;
  if (FMaster != nullptr)
    FMaster->FreeNotification(this);
}

void TQRCustomController::SetOwnerObject(TComponent* Value) {
  if (FOwnerObject == Value)
    return;
  if (FOwnerObject != nullptr && FOwnerObject != FMaster)
    FOwnerObject->RemoveFreeNotification(this);
  FOwnerObject = Value;
  if (FOwnerObject != nullptr)
    FOwnerObject->FreeNotification(this);
  // The report's own controller belongs to that report.
  if (auto* report = dynamic_cast<TCustomQuickRep*>(Value))
    FParentReport = report;
}

void TQRCustomController::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FMaster)
    FMaster = nullptr;
  if (AComponent == FOwnerObject) {
    FOwnerObject = nullptr;
    FParentReport = nullptr;
  }
  auto drop = [AComponent](auto& list) {
    list.erase(std::remove_if(list.begin(), list.end(),
                              [AComponent](auto* item) { return static_cast<TObject*>(item) == AComponent; }),
               list.end());
  };
  drop(FPrintBeforeList);
  drop(FPrintAfterList);
  drop(FGroupList);
  drop(FNotifyList);
}

// The lists are built from what the owner of OwnerObject owns (the form:
// bands, groups and sub-details of a report), then from what OwnerObject
// owns itself, so groups stand in their owner's (creation) order.
void TQRCustomController::BuildLists() {
  if (IsDestroying() || FBuilding)
    return;
  // A child whose lists lead back here (a loop of masters) finds this
  // controller busy and stops.
  struct Building {
    bool& flag;
    explicit Building(bool& f) : flag(f) { flag = true; }
    ~Building() { flag = false; }
  } building(FBuilding);
  FPrintBeforeList.clear();
  FPrintAfterList.clear();
  FGroupList.clear();
  if (FOwnerObject != nullptr) {
    if (TComponent* outer = FOwnerObject->Owner())
      for (int i = 0; i < outer->ComponentCount(); ++i)
        AddListedComponent(outer->Components(i));
    for (int i = 0; i < FOwnerObject->ComponentCount(); ++i)
      AddListedComponent(FOwnerObject->Components(i));
  }
  CollectDataSets();
}

void TQRCustomController::AddListedComponent(TComponent* Component) {
  TQRCustomController* child = dynamic_cast<TQRCustomController*>(Component);
  if (auto* band = dynamic_cast<TQRControllerBand*>(Component))
    child = band->Controller();
  if (child != nullptr && child != this && child->Master() == FOwnerObject && FOwnerObject != nullptr) {
    // A controller listed already (through a loop of masters) is not taken
    // twice, and its lists are not built again.
    if (std::find(FPrintBeforeList.begin(), FPrintBeforeList.end(), child) != FPrintBeforeList.end() ||
        std::find(FPrintAfterList.begin(), FPrintAfterList.end(), child) != FPrintAfterList.end())
      return;
    child->SetParentReport(FParentReport);
    (child->PrintBefore() ? FPrintBeforeList : FPrintAfterList).push_back(child);
    child->FreeNotification(this);
    child->BuildLists();
    return;
  }
  auto* group = dynamic_cast<TQRGroup*>(Component);
  if (group != nullptr && FOwnerObject != nullptr && group->Master() == FOwnerObject &&
      !group->ComponentState().Contains(csDestroying)) {
    FGroupList.push_back(group);
    group->FreeNotification(this);
    group->AttachReport(FParentReport);
  }
}

void TQRCustomController::Prepare() {
  FNotifyList.clear();
  for (TQRCustomController* child : FPrintBeforeList)
    child->Prepare();
  for (TQRCustomController* child : FPrintAfterList)
    child->Prepare();
  for (TQRGroup* group : FGroupList)
    group->Prepare();
  FOwnerConstant = nullptr;
  if (FParentReport != nullptr && FOwnerObject != nullptr && FParentReport->Functions() != nullptr)
    FOwnerConstant = FParentReport->Functions()->FindConstant(FOwnerObject->Name());
}

void TQRCustomController::Unprepare() {
  for (TQRCustomController* child : FPrintBeforeList)
    child->Unprepare();
  for (TQRCustomController* child : FPrintAfterList)
    child->Unprepare();
  for (TQRGroup* group : FGroupList)
    group->Unprepare();
}

void TQRCustomController::PrintBeforeControllers() {
  for (TQRCustomController* child : FPrintBeforeList)
    child->Execute();
}

void TQRCustomController::PrintAfterControllers() {
  for (TQRCustomController* child : FPrintAfterList)
    child->Execute();
}

void TQRCustomController::PrintEmpty() {
  PrintBeforeControllers();
  PrintAfterControllers();
}

void TQRCustomController::Execute() {
  if (FPrintIfEmpty)
    PrintEmpty();
}

void TQRCustomController::AddNotifyClient(TObject* Expr) {
  if (auto* printable = dynamic_cast<TQRPrintable*>(Expr))
    FNotifyList.push_back(printable);
}

void TQRCustomController::RemoveNotifyClient(TObject* Expr) {
  FNotifyList.erase(std::remove(FNotifyList.begin(), FNotifyList.end(), Expr), FNotifyList.end());
}

void TQRCustomController::NotifyClients(int Operation) {
  for (TQRPrintable* client : FNotifyList)
    client->Notify(this, Operation);
}

// ---- Groups ----

void TQRCustomController::ForceLaterGroups(std::size_t First) {
  for (std::size_t i = First; i < FGroupList.size(); ++i)
    FGroupList[i]->TakeValue();
}

bool TQRCustomController::CheckGroups() {
  for (std::size_t i = 0; i < FGroupList.size(); ++i) {
    FGroupList[i]->CheckChanged();
    if (FGroupList[i]->Changed()) {
      ForceLaterGroups(i + 1);
      return true;
    }
  }
  return false;
}

void TQRCustomController::PrintGroupHeaders() {
  for (TQRGroup* group : FGroupList)
    if (group->Changed())
      group->PrintHeader();
}

void TQRCustomController::PrintGroupFooters() {
  for (auto it = FGroupList.rbegin(); it != FGroupList.rend(); ++it)
    if ((*it)->Changed())
      (*it)->PrintFooter();
}

void TQRCustomController::InvertGroupChanges() {
  for (TQRGroup* group : FGroupList)
    group->SetChanged(!group->Changed());
}

void TQRCustomController::ReprintGroupHeaders() {
  for (TQRGroup* group : FGroupList)
    if (group->Changed())
      return;  // its header prints with the next record anyway
  for (TQRCustomController* child : FPrintBeforeList)
    child->ReprintGroupHeaders();
  bool found = false;
  for (std::size_t i = 0; i < FGroupList.size() && !found; ++i) {
    FGroupList[i]->CheckReprint();
    if (FGroupList[i]->Changed()) {
      ForceLaterGroups(i + 1);
      found = true;
    }
  }
  if (found)
    PrintGroupHeaders();
  for (TQRCustomController* child : FPrintAfterList)
    child->ReprintGroupHeaders();
}

// ---- Run helpers ----

void TQRCustomController::ProcessPendingMessages() {
  if (Application != nullptr && GetCurrentThreadId() == FGuiThread)
    Application->ProcessMessages();
}

bool TQRCustomController::ReportCancelled() const {
  return FParentReport != nullptr && FParentReport->Cancelled();
}

bool TQRCustomController::PrinterCancelled() const {
  if (FParentReport == nullptr)
    return false;
  TQRPrinter* printer = FParentReport->QRPrinter();
  return printer != nullptr && printer->Cancelled();
}

// ---- TQRController ------------------------------------------------------------------------------

TQRController::TQRController(TComponent* AOwner) : TQRCustomController(AOwner) {}

TQRController::~TQRController() = default;

void TQRController::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomController::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FDataSet)
    FDataSet = nullptr;
  if (AComponent == FHeader)
    FHeader = nullptr;
  if (AComponent == FDetail)
    FDetail = nullptr;
  if (AComponent == FFooter)
    FFooter = nullptr;
}

namespace {

// Replaces a referenced component, moving the free notification along.
template <class T>
void ReplaceReference(TComponent* Self, T*& Field, T* Value) {
  if (Field == Value)
    return;
  if (Field != nullptr)
    Field->RemoveFreeNotification(Self);
  Field = Value;
  if (Field != nullptr)
    Field->FreeNotification(Self);
}

}  // namespace

void TQRController::SetDataSet(TDataSet* Value) { ReplaceReference(this, FDataSet, Value); }
void TQRController::SetHeader(TQRCustomBand* Value) { ReplaceReference(this, FHeader, Value); }
void TQRController::SetDetail(TQRCustomBand* Value) { ReplaceReference(this, FDetail, Value); }
void TQRController::SetFooter(TQRCustomBand* Value) { ReplaceReference(this, FFooter, Value); }

bool TQRController::DataSetUsable() const { return FDataSet != nullptr && FDataSet->Active(); }

bool TQRController::Designing() const { return ComponentState().Contains(csDesigning); }

void TQRController::Prepare() {
  TQRCustomController::Prepare();
  FUpdateSQLParams = false;
  auto* query = dynamic_cast<TQuery*>(FDataSet);
  TQREvEnvironment* functions = ParentReport() != nullptr ? ParentReport()->Functions() : nullptr;
  if (query == nullptr || functions == nullptr)
    return;
  for (int i = 0; i < query->ParamCount() && !FUpdateSQLParams; ++i)
    FUpdateSQLParams = functions->IndexOf(AnsiUpperCase(query->Params()->Items(i)->Name())) >= 0;
}

void TQRController::CollectDataSets() {
  if (!DataSetUsable() || ParentReport() == nullptr)
    return;
  TList* list = ParentReport()->DataSetList();
  if (list != nullptr && list->IndexOf(FDataSet) < 0)
    list->Add(FDataSet);
}

void TQRController::RegisterBands(TQRBandOrder& Order) {
  Order.Add(FHeader);
  for (TQRGroup* group : GroupList())
    Order.Add(group);
  for (TQRCustomController* child : PrintBeforeList())
    child->RegisterBands(Order);
  Order.Add(FDetail);
  for (TQRCustomController* child : PrintAfterList())
    child->RegisterBands(Order);
  const std::vector<TQRGroup*>& groups = GroupList();
  for (auto it = groups.rbegin(); it != groups.rend(); ++it)
    Order.Add((*it)->FooterBand());
  Order.Add(FFooter);
}

void TQRController::PrintEmpty() {
  TCustomQuickRep* report = ParentReport();
  if (report == nullptr)
    return;
  report->PrintBand(FHeader);
  PrintBeforeControllers();
  report->PrintBand(FDetail);
  PrintAfterControllers();
  report->PrintBand(FFooter);
}

namespace {

// Prints Band and tells whether it went onto a page: a band that is
// disabled, or that its BeforePrint suppressed, leaves the page, the column
// and the position as they were.
bool PrintBandOnPage(TCustomQuickRep& Report, TQRCustomBand* Band) {
  int page = Report.PageCount(), column = Report.CurrentColumn(), y = Report.CurrentY();
  Report.PrintBand(Band);
  return Report.PageCount() != page || Report.CurrentColumn() != column || Report.CurrentY() != y;
}

}  // namespace

void TQRController::AskForData(bool& MoreData) {
  if (OnNeedData && !Designing())
    OnNeedData(OwnerObject(), MoreData);
}

void TQRController::RefreshQueryParams(TQuery& Query) {
  TQREvEnvironment* functions = ParentReport()->Functions();
  Query.Close();
  for (int i = 0; i < Query.ParamCount(); ++i) {
    TParam* param = Query.Params()->Items(i);
    AnsiString name = AnsiUpperCase(param->Name());
    if (functions->IndexOf(name) < 0)
      continue;
    TQREvValue value;
    functions->VariableValue(name, value);
    QRAssignQueryParam(*param, value);
  }
  Query.Open();
}

void TQRController::ReportProgress() {
  auto* quickRep = dynamic_cast<TQuickRep*>(ParentReport());
  if (quickRep == nullptr || !DataSetUsable() || quickRep->DataSet() != FDataSet || FRecordTotal == 0)
    return;
  // Only a new value is posted: a long run would otherwise flood the
  // preview's message queue with one notice per record.
  TQRPrinter* printer = quickRep->QRPrinter();
  int percent = QRControllerProgress(FDetailNumber, FRecordTotal);
  if (printer != nullptr && printer->Progress() != percent)
    printer->SetProgress(percent);
}

void TQRController::PrintFooterBand() {
  if (FFooter == nullptr)
    return;
  TCustomQuickRep* report = ParentReport();
  if (report->PageCount() == 0)
    report->NewPage();
  if (FFooter->Size()->Height() > report->AvailableSpace())
    report->NewColumn();
  report->PrintBand(FFooter);
}

// The detail loop of one level: header, for each record the group headers,
// the before-controllers, the detail band, the after-controllers and the
// footers of the groups that end there, then the open groups' footers and
// the footer.
void TQRController::Execute() {
  for (TQRGroup* group : GroupList())
    group->SetHasValue(false);
  TCustomQuickRep* report = ParentReport();
  bool usable = DataSetUsable();
  if ((!usable && !OnNeedData) || report == nullptr) {
    if (PrintIfEmpty())
      PrintEmpty();
    return;
  }
  bool moreData = true;
  if (usable) {
    if (FUpdateSQLParams)
      if (auto* query = dynamic_cast<TQuery*>(FDataSet))
        RefreshQueryParams(*query);
    FDataSet->First();
    moreData = !FDataSet->Eof();
    auto* quickRep = dynamic_cast<TQuickRep*>(report);
    FRecordTotal = quickRep != nullptr ? quickRep->CountRecords() : 1;
    if (!moreData && PrintIfEmpty())
      PrintEmpty();
  } else {
    AskForData(moreData);
  }
  FDetailNumber = 0;
  if (FDetail != nullptr)
    FDetail->SetNotifyController(this);
  if (!moreData)
    return;
  ProcessPendingMessages();
  if (ReportCancelled())
    return;
  // The title mark lets the first forced page break after the title or the
  // first column header stay on their page. Only a band that went onto the
  // page sets it: after a disabled or suppressed title the first detail
  // begins page 1 itself, and the mark would swallow the second one's break.
  bool ownLevel = OwnerObject() == report;
  if (FHeader != nullptr && PrintBandOnPage(*report, FHeader) && ownLevel)
    report->SetTitlePrinted(true);
  if ((report->PageCount() <= 1 || QRCompositeRun()) && ownLevel) {
    TQRCustomBand* columnHeader = report->Bands()->ColumnHeaderBand();
    if (columnHeader != nullptr && columnHeader->Enabled() && PrintBandOnPage(*report, columnHeader))
      report->SetTitlePrinted(true);
  }
  CheckGroups();
  while (moreData) {
    ProcessPendingMessages();
    // The GUI thread sets these while the loop runs (progress form, preview
    // closed): stop before the next record, without footers.
    if (PrinterCancelled() || ReportCancelled())
      return;
    ++FDetailNumber;
    PrintGroupHeaders();
    PrintBeforeControllers();
    // Once a detail stands below the title, a later forced page break (a
    // group header's, the summary's) is a real one.
    if (PrintBandOnPage(*report, FDetail) && ownLevel)
      report->SetTitlePrinted(false);
    PrintAfterControllers();
    if (usable) {
      FDataSet->Next();
      moreData = !FDataSet->Eof();
    } else {
      moreData = false;
      AskForData(moreData);
    }
    if (CheckGroups()) {
      // The footers print while the last record of the ended group is
      // current. Past the end the last record is still current: stepping
      // back there would show the record before it.
      bool stepBack = usable && moreData;
      if (stepBack)
        FDataSet->Prior();
      PrintGroupFooters();
      if (stepBack)
        FDataSet->Next();
    }
    ReportProgress();
  }
  InvertGroupChanges();
  PrintGroupFooters();
  PrintFooterBand();
}

// ---- Query parameters ----

void QRAssignQueryParam(TParam& Param, const TQREvValue& Value) {
  switch (Param.DataType()) {
    case ftString:
      if (Value.ValueKind == evString)
        Param.SetAsString(Value.StrValue);
      break;
    case ftSmallint:
    case ftInteger:
    case ftWord:
      if (Value.ValueKind == evInteger)
        Param.SetAsInteger(Value.IntValue);
      break;
    case ftBoolean:
      if (Value.ValueKind == evBoolean)
        Param.SetAsBoolean(Value.BoolValue);
      break;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      if (Value.ValueKind == evFloat)
        Param.SetAsFloat(Value.FloatValue);
      break;
    case ftDate:
      if (Value.ValueKind == evString)
        Param.SetAsDateTime(StrToDate(Value.StrValue));
      break;
    case ftTime:
      if (Value.ValueKind == evString)
        Param.SetAsDateTime(StrToTime(Value.StrValue));
      break;
    case ftDateTime:
      if (Value.ValueKind == evString)
        Param.SetAsDateTime(StrToDateTime(Value.StrValue));
      break;
    default:
      break;
  }
}

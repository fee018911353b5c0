#include "reportengine/report/qrcontrollerband.h"

#include <algorithm>
#include <vector>

#include "classlib/forms/dialogs.h"
#include "reportengine/evaluator/qrevenvironment.h"

BEGIN_PUBLISHED(TQRControllerBand)
  PROPERTY(Master, Master, SetMaster),
END_PUBLISHED

namespace {

// The next link of a chain of masters: a controller band's Master, a
// controller's Master; nothing beyond a report.
TComponent* NextMaster(TComponent* Link) {
  if (auto* band = dynamic_cast<TQRControllerBand*>(Link))
    return band->Master();
  if (auto* controller = dynamic_cast<TQRCustomController*>(Link))
    return controller->Master();
  return nullptr;
}

bool AcceptedMaster(TComponent* Value) {
  return Value == nullptr || dynamic_cast<TCustomQuickRep*>(Value) != nullptr ||
         dynamic_cast<TQRControllerBand*>(Value) != nullptr || dynamic_cast<TQRCustomController*>(Value) != nullptr;
}

}  // namespace

bool QRMasterChainReaches(TComponent* Start, const TQRControllerBand* Target) {
  std::vector<TComponent*> seen;
  for (TComponent* link = Start; link != nullptr; link = NextMaster(link)) {
    if (link == Target)
      return true;
    // The band's own controller stands for the band.
    if (auto* controller = dynamic_cast<TQRCustomController*>(link); controller && controller->OwnerObject() == Target)
      return true;
    if (std::find(seen.begin(), seen.end(), link) != seen.end())
      return false;
    seen.push_back(link);
  }
  return false;
}

TQRControllerBand::TQRControllerBand(TComponent* AOwner) : TQRCustomBand(AOwner) {
  CreateController();
  FLocalVarCreated = false;
  FController->SetPrintBefore(false);
}

TQRControllerBand::~TQRControllerBand() {
  if (FLocalVarCreated)
    UnregisterLocalExpression();
  delete FController;
  FController = nullptr;
}

void TQRControllerBand::CreateController() {
  FController = new TQRController(nullptr);
  FController->SetOwnerObject(this);
  FController->SetDetail(this);
}

void TQRControllerBand::RegisterBands(TQRBandOrder& Order) { Order.Add(this); }

void TQRControllerBand::LinkMaster(TComponent* Value) {
  if (Value == this || !AcceptedMaster(Value) || Value == FMaster)
    return;
  if (Value != nullptr && QRMasterChainReaches(Value, this)) {
    TComponentState state = ComponentState();
    if (state.Contains(csDesigning) && !state.Contains(csLoading))
      ShowMessage(SQRCircularLinking);
    return;
  }
  if (FMaster != nullptr)
    FMaster->RemoveFreeNotification(this);
  FMaster = Value;
  FController->SetMaster(Value);
  TCustomQuickRep* report = ReportParent();
  if (report != nullptr && !report->ComponentState().Contains(csDestroying))
    report->RebuildBandList();
  if (FMaster != nullptr)
    FMaster->FreeNotification(this);
}

void TQRControllerBand::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomBand::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMaster) {
    FMaster = nullptr;
    FController->SetMaster(nullptr);
  }
}

void TQRControllerBand::SetParent(TWinControl* AParent) {
  TQRCustomBand::SetParent(AParent);
  if (FMaster == nullptr)
    if (auto* report = dynamic_cast<TCustomQuickRep*>(AParent))
      LinkMaster(report);
}

void TQRControllerBand::SetName(const AnsiString& NewName) {
  if (FLocalVarCreated)
    UnregisterLocalExpression();
  TQRCustomBand::SetName(NewName);
  if (ParentReport() != nullptr)
    RegisterLocalExpression();
}

void TQRControllerBand::AttachReport(TCustomQuickRep* Report) {
  TQRCustomBand::AttachReport(Report);
  if (!FLocalVarCreated)
    RegisterLocalExpression();
}

// Only an entry this band added is ever removed again, so a band without a
// local expression never deletes a function of the same name.
void TQRControllerBand::RegisterLocalExpression() {
  AnsiString text;
  GetLocalExpression(text);
  TCustomQuickRep* report = ParentReport();
  if (text.empty() || report == nullptr || report->Functions() == nullptr || Name().empty())
    return;
  report->Functions()->AddVariable(Name(), text);
  FLocalVarCreated = true;
}

void TQRControllerBand::UnregisterLocalExpression() {
  TCustomQuickRep* report = ParentReport();
  if (FLocalVarCreated && report != nullptr && report->Functions() != nullptr)
    report->Functions()->RemoveVariable(Name());
  FLocalVarCreated = false;
}

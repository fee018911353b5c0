#include "reportengine/report/qrgroup.h"

#include "classlib/classes/lists.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/evaluator/qrexpr.h"
#include "reportengine/report/qrcontrollerband.h"
#include "reportengine/report/quickrep.h"

BEGIN_PUBLISHED(TQRGroup)
  PROPERTY(Expression, Expression, SetExpression),
  PROPERTY(FooterBand, FooterBand, SetFooterBand),
  PROPERTY(Master, Master, SetMaster),
  PROPERTY(ReprintOnNewPage, ReprintOnNewPage, SetReprintOnNewPage).Default(false),
END_PUBLISHED

bool QRGroupValueChanged(const TQREvValue& Last, const TQREvValue& Current) {
  if (Last.ValueKind != Current.ValueKind)
    return true;
  switch (Current.ValueKind) {
    case evInteger:
      return Last.IntValue != Current.IntValue;
    case evFloat:
      return Last.FloatValue != Current.FloatValue;
    case evString:
      return Last.StrValue != Current.StrValue;
    case evBoolean:
      return Last.BoolValue != Current.BoolValue;
    case evError:
      return false;
  }
  return false;
}

TQRGroup::TQRGroup(TComponent* AOwner) : TQRCustomBand(AOwner), FEvaluator(std::make_unique<TQREvaluator>()) {
  FBandType = rbGroupHeader;
}

TQRGroup::~TQRGroup() = default;

void TQRGroup::SetFooterBand(TQRCustomBand* Value) {
  if (Value == this || Value == FFooterBand)
    return;
  if (FFooterBand != nullptr)
    FFooterBand->RemoveFreeNotification(this);
  FFooterBand = Value;
  if (FFooterBand != nullptr) {
    FFooterBand->FreeNotification(this);
    FFooterBand->SetBandType(rbGroupFooter);
  }
}

void TQRGroup::SetMaster(TComponent* Value) {
  if (Value != nullptr && dynamic_cast<TQRControllerBand*>(Value) == nullptr &&
      dynamic_cast<TCustomQuickRep*>(Value) == nullptr)
    return;
  if (Value == FMaster)
    return;
  ReplaceComponentReference(this, FMaster, Value);
  RebuildReportBands();
}

void TQRGroup::RebuildReportBands() {
  TCustomQuickRep* report = ReportParent();
  if (report == nullptr)
    report = dynamic_cast<TCustomQuickRep*>(FMaster);
  if (report != nullptr && !report->ComponentState().Contains(csDestroying))
    report->RebuildBandList();
}

void TQRGroup::SetParent(TWinControl* AParent) {
  TQRCustomBand::SetParent(AParent);
  if (FMaster == nullptr)
    if (auto* report = dynamic_cast<TCustomQuickRep*>(AParent))
      SetMaster(report);
}

void TQRGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomBand::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FFooterBand)
    FFooterBand = nullptr;
  if (AComponent == FMaster)
    FMaster = nullptr;
}

void TQRGroup::Prepare() {
  TCustomQuickRep* report = ParentReport();
  FEvaluator->SourceDataSets = report != nullptr ? report->DataSetList() : nullptr;
  FEvaluator->LocalEnvironment = report != nullptr ? report->Functions() : nullptr;
  FEvaluator->PrepareExpression(FExpression);
  FHasValue = false;
  FChanged = false;
  FInGroup = false;
  FHeaderPage = 1;
}

void TQRGroup::Unprepare() {
  if (FEvaluator->IsPrepared())
    FEvaluator->UnprepareExpression();
}

void TQRGroup::Evaluate(TQREvValue& Result) {
  if (FEvaluator->IsPrepared())
    FEvaluator->EvaluateExpression(Result);
  else
    SetEvError(Result, "Evaluator not prepared");
}

void TQRGroup::CheckChanged() {
  FChanged = false;
  TQREvValue current;
  Evaluate(current);
  if (!FHasValue || QRGroupValueChanged(FLastValue, current)) {
    FLastValue = current;
    FChanged = true;
    FHasValue = true;
  }
}

void TQRGroup::TakeValue() {
  Evaluate(FLastValue);
  FChanged = true;
  FHasValue = true;
}

void TQRGroup::CheckReprint() {
  TCustomQuickRep* report = ParentReport();
  if (FReprintOnNewPage && FInGroup && report != nullptr && report->PageCount() != FHeaderPage) {
    FChanged = true;
    FHeaderPage = report->PageCount();
  } else {
    FChanged = false;
  }
}

void TQRGroup::PrintHeader() {
  TCustomQuickRep* report = ParentReport();
  if (report == nullptr)
    return;
  report->PrintBand(this);
  FInGroup = true;
  FHeaderPage = report->PageCount();
}

void TQRGroup::PrintFooter() {
  TCustomQuickRep* report = ParentReport();
  if (report != nullptr && FFooterBand != nullptr)
    report->PrintBand(FFooterBand);
  FInGroup = false;
}

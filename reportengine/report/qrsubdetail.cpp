#include "reportengine/report/qrsubdetail.h"

#include "classlib/data/dataset.h"
#include "reportengine/report/qrgroup.h"

BEGIN_PUBLISHED(TQRSubDetailGroupBands)
  PROPERTY(HasHeader, HasHeader, SetHasHeader).Stored(false),
  PROPERTY(HasFooter, HasFooter, SetHasFooter).Stored(false),
END_PUBLISHED

BEGIN_PUBLISHED(TQRSubDetail)
  PROPERTY_RO(Bands, Bands),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(FooterBand, FooterBand, SetFooterBand),
  PROPERTY(HeaderBand, HeaderBand, SetHeaderBand),
  PROPERTY(OnNeedData, GetOnNeedData, SetOnNeedData),
  PROPERTY(PrintBefore, PrintBefore, SetPrintBefore).Default(false),
  PROPERTY(PrintIfEmpty, PrintIfEmpty, SetPrintIfEmpty).Default(true),
END_PUBLISHED

// ---- TQRSubDetailGroupBands ----

bool TQRSubDetailGroupBands::HasHeader() const { return FOwner != nullptr && FOwner->HeaderBand() != nullptr; }

bool TQRSubDetailGroupBands::HasFooter() const { return FOwner != nullptr && FOwner->FooterBand() != nullptr; }

void TQRSubDetailGroupBands::SetHasHeader(bool Value) {
  if (FOwner == nullptr || Value == HasHeader())
    return;
  if (Value) {
    if (TCustomQuickRep* report = FOwner->Report())
      FOwner->SetHeaderBand(report->CreateBand(rbGroupHeader));
  } else {
    TQRCustomBand* band = FOwner->HeaderBand();
    FOwner->SetHeaderBand(nullptr);
    band->Free();
  }
}

void TQRSubDetailGroupBands::SetHasFooter(bool Value) {
  if (FOwner == nullptr || Value == HasFooter())
    return;
  if (Value) {
    if (TCustomQuickRep* report = FOwner->Report())
      FOwner->SetFooterBand(report->CreateBand(rbGroupFooter));
  } else {
    TQRCustomBand* band = FOwner->FooterBand();
    FOwner->SetFooterBand(nullptr);
    band->Free();
  }
}

// ---- TQRSubDetail ----

TQRSubDetail::TQRSubDetail(TComponent* AOwner)
    : TQRControllerBand(AOwner), FBands(new TQRSubDetailGroupBands(this)) {
  FBandType = rbSubDetail;
}

TQRSubDetail::~TQRSubDetail() { delete FBands; }

TCustomQuickRep* TQRSubDetail::Report() const {
  if (ParentReport() != nullptr)
    return ParentReport();
  return ReportParent();
}

void TQRSubDetail::SetDataSet(TDataSet* Value) { FController->SetDataSet(Value); }

void TQRSubDetail::SetHeaderBand(TQRCustomBand* Value) {
  if (Value == this)
    return;
  FController->SetHeader(Value);
  if (Value != nullptr)
    Value->SetBandType(rbGroupHeader);
}

void TQRSubDetail::SetFooterBand(TQRCustomBand* Value) {
  if (Value == this)
    return;
  FController->SetFooter(Value);
  if (Value != nullptr)
    Value->SetBandType(rbGroupFooter);
}

void TQRSubDetail::SetPrintBefore(bool Value) {
  if (Value == FController->PrintBefore())
    return;
  FController->ApplyPrintBefore(Value);
  TCustomQuickRep* report = ReportParent();
  if (report != nullptr && !report->ComponentState().Contains(csDestroying))
    report->RebuildBandList();
}

void TQRSubDetail::RegisterBands(TQRBandOrder& Order) {
  if (ComponentState().Contains(csDestroying))
    return;
  Order.Add(HeaderBand());
  Order.Add(this);
  Order.Add(FooterBand());
}

void TQRSubDetail::Notification(TComponent* AComponent, TOperation Operation) {
  // The controller clears a freed header, footer or data set itself.
  TQRControllerBand::Notification(AComponent, Operation);
}

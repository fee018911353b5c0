// TQRSubDetail: a band that runs a second record loop over its own data set
// for every record of its master, between its own header and footer bands.
// Its published DataSet, OnNeedData, HeaderBand, FooterBand, PrintBefore and
// PrintIfEmpty read and write the band's controller.
#pragma once
#include "reportengine/report/qrcontrollerband.h"

class TQRSubDetail;

// The sub-detail's two band switches; never stored (they follow from
// HeaderBand and FooterBand).
class TQRSubDetailGroupBands : public TPersistent {
  DECLARE_CLASS(TQRSubDetailGroupBands, TPersistent)

public:
  explicit TQRSubDetailGroupBands(TQRSubDetail* Owner = nullptr) : FOwner(Owner) {}

  // True when HeaderBand is set. Setting True makes a group header band
  // through the report's CreateBand when none exists; False frees it.
  bool HasHeader() const;
  void SetHasHeader(bool Value);
  // The same for FooterBand with a group footer band.
  bool HasFooter() const;
  void SetHasFooter(bool Value);

private:
  TQRSubDetail* FOwner;
};

class TQRSubDetail : public TQRControllerBand {
  DECLARE_CLASS(TQRSubDetail, TQRControllerBand)

public:
  explicit TQRSubDetail(TComponent* AOwner);
  ~TQRSubDetail() override;

  // HeaderBand, this band and FooterBand, each with its child chain.
  void RegisterBands(TQRBandOrder& Order) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The report of a run, else the report the band sits on.
  TCustomQuickRep* Report() const;
  TQRSubDetailGroupBands* Bands() const { return FBands; }
  TDataSet* DataSet() const { return FController->DataSet(); }
  void SetDataSet(TDataSet* Value);
  TQRCustomBand* HeaderBand() const { return FController->Header(); }
  // The band becomes a group header band of this sub-detail.
  void SetHeaderBand(TQRCustomBand* Value);
  TQRCustomBand* FooterBand() const { return FController->Footer(); }
  // The band becomes a group footer band of this sub-detail.
  void SetFooterBand(TQRCustomBand* Value);
  bool PrintBefore() const { return FController->PrintBefore(); }
  // On a change the band order of the report is rebuilt.
  void SetPrintBefore(bool Value);
  bool PrintIfEmpty() const { return FController->PrintIfEmpty(); }
  void SetPrintIfEmpty(bool Value) { FController->SetPrintIfEmpty(Value); }
  // The controller's record source when it has no usable data set; it is
  // asked with the band as Sender.
  TQROnNeedDataEvent GetOnNeedData() const { return FController->OnNeedData; }
  void SetOnNeedData(TQROnNeedDataEvent Value) { FController->OnNeedData = Value; }

private:
  TQRSubDetailGroupBands* FBands;
};

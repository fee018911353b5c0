// TZReport: the text report component. It is itself the outermost
// controller: its bands print in its own data loop, its band switches make
// and free its bands, and every band, label and variable of the report
// belongs to it. This unit holds the controller side of the report; the
// page geometry, the options and the run build on it.
#pragma once
#include "textreport/engine/zrbands.h"

class TZReport : public TZRCustomController {
  DECLARE_CLASS(TZReport, TZRCustomController)

public:
  explicit TZReport(TComponent* AOwner);
  ~TZReport() override;

  bool IsReport() const override { return true; }

  // The band switches: HasPageHeader ... HasPageFooter.
  TZReportBands* Bands() const { return FBands.get(); }
  // The switches read the bands themselves; nothing is assigned.
  void SetBands(TZReportBands*) {}

private:
  std::unique_ptr<TZReportBands> FBands;
};

// Makes the report, band, sub-detail and variable classes known to the
// component reader, so text layouts load.
void RegisterZReportClasses();

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

  // On the design surface the report sits at a pixel position, unlike the
  // controls inside it; its Width and Height are the page in characters.
  int PixelLeft() const { return TControl::Left(); }
  void SetPixelLeft(int Value);
  int PixelTop() const { return TControl::Top(); }
  void SetPixelTop(int Value);

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

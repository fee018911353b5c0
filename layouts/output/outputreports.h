// The reports the output modes run: a single report page, or a composite of
// several. The runner hands one of these to RunOutputMode.
#pragma once
#include "layouts/output/outputmodes.h"

class TCustomQuickRep;
class TQRCompositeReport;

// A single report page: its preview is modal, its prepared pages stay in
// its printer object.
class TQuickRepOutput : public TOutputReport {
public:
  explicit TQuickRepOutput(TCustomQuickRep& Report) : report_(Report) {}
  void Prepare() override;
  int PageCount() override;
  TQRPrinter* QRPrinter() override;
  void Preview() override;
  void Print() override;

private:
  TCustomQuickRep& report_;
};

// A composite: Prepare runs every member into one page store (also saved
// as "comprep.qrp"), which every member then shows too.
class TCompositeOutput : public TOutputReport {
public:
  explicit TCompositeOutput(TQRCompositeReport& Composite) : composite_(Composite) {}
  void Prepare() override;
  int PageCount() override;
  TQRPrinter* QRPrinter() override;
  void Preview() override;
  void Print() override;

private:
  TQRCompositeReport& composite_;
};

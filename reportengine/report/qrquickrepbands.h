// The report's band switches: HasTitle, HasPageHeader, HasColumnHeader,
// HasDetail, HasPageFooter and HasSummary, by index 1..7 (index 5 names no
// band). Switching on makes a band of the kind when none exists, switching
// off frees the first one. The switches read the report's band list and are
// never stored.
#pragma once
#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"

class TCustomQuickRep;
class TQRCustomBand;

class TQuickRepBands : public TPersistent {
  DECLARE_CLASS(TQuickRepBands, TPersistent)

public:
  explicit TQuickRepBands(TCustomQuickRep* Report = nullptr);

  // Index 1..7; False for 5 and indices outside.
  bool HasBand(int Index);
  // The first band of the index's kind; nullptr for 5 and indices outside.
  TQRCustomBand* BandOf(int Index);
  void SetBand(int Index, bool Value);

  bool HasTitle() { return HasBand(1); }
  void SetHasTitle(bool Value) { SetBand(1, Value); }
  bool HasPageHeader() { return HasBand(2); }
  void SetHasPageHeader(bool Value) { SetBand(2, Value); }
  bool HasColumnHeader() { return HasBand(3); }
  void SetHasColumnHeader(bool Value) { SetBand(3, Value); }
  bool HasDetail() { return HasBand(4); }
  void SetHasDetail(bool Value) { SetBand(4, Value); }
  bool HasPageFooter() { return HasBand(6); }
  void SetHasPageFooter(bool Value) { SetBand(6, Value); }
  bool HasSummary() { return HasBand(7); }
  void SetHasSummary(bool Value) { SetBand(7, Value); }

  TQRCustomBand* TitleBand() { return BandOf(1); }
  TQRCustomBand* PageHeaderBand() { return BandOf(2); }
  TQRCustomBand* ColumnHeaderBand() { return BandOf(3); }
  TQRCustomBand* DetailBand() { return BandOf(4); }
  TQRCustomBand* PageFooterBand() { return BandOf(6); }
  TQRCustomBand* SummaryBand() { return BandOf(7); }

  TCustomQuickRep* Report() const { return FReport; }

private:
  TCustomQuickRep* FReport;
};

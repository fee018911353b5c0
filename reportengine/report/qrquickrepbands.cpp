#include "reportengine/report/qrquickrepbands.h"

#include "classlib/classes/lists.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"

BEGIN_PUBLISHED(TQuickRepBands)
  PROPERTY(HasTitle, HasTitle, SetHasTitle).Stored(false),
  PROPERTY(HasPageHeader, HasPageHeader, SetHasPageHeader).Stored(false),
  PROPERTY(HasColumnHeader, HasColumnHeader, SetHasColumnHeader).Stored(false),
  PROPERTY(HasDetail, HasDetail, SetHasDetail).Stored(false),
  PROPERTY(HasPageFooter, HasPageFooter, SetHasPageFooter).Stored(false),
  PROPERTY(HasSummary, HasSummary, SetHasSummary).Stored(false),
END_PUBLISHED

namespace {

// The kind each switch index stands for; index 5 names none.
bool KindOfIndex(int index, TQRBandType& kind) {
  switch (index) {
    case 1: kind = rbTitle; return true;
    case 2: kind = rbPageHeader; return true;
    case 3: kind = rbColumnHeader; return true;
    case 4: kind = rbDetail; return true;
    case 6: kind = rbPageFooter; return true;
    case 7: kind = rbSummary; return true;
    default: return false;
  }
}

}  // namespace

TQuickRepBands::TQuickRepBands(TCustomQuickRep* Report) : FReport(Report) {}

TQRCustomBand* TQuickRepBands::BandOf(int Index) {
  TQRBandType kind;
  if (FReport == nullptr || !KindOfIndex(Index, kind))
    return nullptr;
  return FReport->BandOfType(kind);
}

bool TQuickRepBands::HasBand(int Index) { return BandOf(Index) != nullptr; }

void TQuickRepBands::SetBand(int Index, bool Value) {
  TQRBandType kind;
  if (FReport == nullptr || !KindOfIndex(Index, kind))
    return;
  TQRCustomBand* band = BandOf(Index);
  if (Value && band == nullptr)
    FReport->CreateBand(kind);
  else if (!Value && band != nullptr)
    delete band;
}

#include "layouts/output/outputsettings.h"

#include <limits>

#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

void SetOutputPreviewSettings(TCustomQuickRep& Page) {
  Page.SetPreviewInitialState(wsMaximized);
  Page.SetPrevShowThumbs(false);
  Page.SetPrevShowSearch(false);
  Page.SetPrevFormStyle(fsNormal);
  Page.SetPrevInitialZoom(qrZoomToWidth);
}

void SetSingleOutputSettings(TCustomQuickRep& Page) {
  Page.SetShowProgress(false);
  SetOutputPreviewSettings(Page);
}

int LargestNegativeTag(const std::vector<int>& Tags) {
  int largest = 0;
  for (int tag : Tags)
    if (tag < 0 && -static_cast<long long>(tag) > largest)
      largest = tag == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -tag;
  return largest;
}

bool GiveBandlessPageATitleBand(TQuickRep& Page, int NegativeTagMax) {
  TQuickRepBands& bands = *Page.Bands();
  const bool hasBands = bands.HasTitle() || bands.HasPageHeader() || bands.HasColumnHeader() || bands.HasDetail() ||
                        bands.HasPageFooter() || bands.HasSummary();
  if (hasBands || Page.DataSet() != nullptr || NegativeTagMax <= 0)
    return false;
  bands.SetHasTitle(true);
  if (TQRCustomBand* title = bands.TitleBand())
    title->Size()->SetHeight(0);
  return true;
}

// What the runner sets before output: the preview's settings, and the title
// band of no height that a band-less page without a data set gets when data
// texts carry negative tags.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "classlib/data/rxmemorydata.h"
#include "layouts/output/outputsettings.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

namespace {

TEST(OutputSettingsTest, ThePreviewOpensMaximisedAtPageWidthWithoutThumbnailsOrSearch) {
  TQuickRep page(nullptr);
  SetSingleOutputSettings(page);
  EXPECT_FALSE(page.ShowProgress());
  EXPECT_EQ(page.PreviewInitialState(), wsMaximized);
  EXPECT_FALSE(page.PrevShowThumbs());
  EXPECT_FALSE(page.PrevShowSearch());
  EXPECT_EQ(page.PrevFormStyle(), fsNormal);
  EXPECT_EQ(page.PrevInitialZoom(), qrZoomToWidth);
  TQuickRep first(nullptr);
  SetOutputPreviewSettings(first);
  EXPECT_TRUE(first.ShowProgress());
  EXPECT_EQ(first.PrevInitialZoom(), qrZoomToWidth);
}

TEST(OutputSettingsTest, LargestNegativeTag) {
  struct Case {
    std::vector<int> tags;
    int largest;
  } cases[] = {{{}, 0}, {{0, 5, 999}, 0}, {{-3}, 3}, {{-1, -7, 4, -2}, 7}, {{INT_MIN, -1}, INT_MAX}};
  for (const Case& c : cases)
    EXPECT_EQ(LargestNegativeTag(c.tags), c.largest);
}

TEST(OutputSettingsTest, ABandlessPageWithoutDataGetsATitleBandOfNoHeight) {
  TQuickRep page(nullptr);
  page.SetUnits(MM);
  EXPECT_FALSE(GiveBandlessPageATitleBand(page, 0));
  EXPECT_FALSE(page.Bands()->HasTitle());
  ASSERT_TRUE(GiveBandlessPageATitleBand(page, 3));
  ASSERT_TRUE(page.Bands()->HasTitle());
  ASSERT_NE(page.Bands()->TitleBand(), nullptr);
  EXPECT_EQ(page.Bands()->TitleBand()->Size()->Height(), 0);

  TQuickRep withDetail(nullptr);
  withDetail.Bands()->SetHasDetail(true);
  EXPECT_FALSE(GiveBandlessPageATitleBand(withDetail, 3));
  EXPECT_FALSE(withDetail.Bands()->HasTitle());

  TQuickRep withData(nullptr);
  TRxMemoryData data(nullptr);
  withData.SetDataSet(&data);
  EXPECT_FALSE(GiveBandlessPageATitleBand(withData, 3));
  EXPECT_FALSE(withData.Bands()->HasTitle());
}

}  // namespace

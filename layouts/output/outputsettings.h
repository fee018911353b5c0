// What the runner sets on a graphic report page before it is output: the
// preview's settings (a maximised window zoomed to the page width, without
// thumbnails or search box), and a title band of no height on a page that
// has no bands but whose data texts print by themselves.
#pragma once
#include <vector>

class TCustomQuickRep;
class TQuickRep;

// The preview's settings, for a single page and for a composite's first page.
void SetOutputPreviewSettings(TCustomQuickRep& Page);

// The single path also runs without the progress window.
void SetSingleOutputSettings(TCustomQuickRep& Page);

// The largest absolute value among the negative tags, 0 when none is negative.
int LargestNegativeTag(const std::vector<int>& Tags);

// A page with none of the bands title, page header, column header, detail,
// page footer and summary and no data set gets its title band, of height 0,
// when NegativeTagMax (the largest of LargestNegativeTag over the data
// texts) is above 0. True when the band was switched on.
bool GiveBandlessPageATitleBand(TQuickRep& Page, int NegativeTagMax);

// Filtered two-pass resampling of 24-bit and 32-bit pixels: rows first into
// a work image, then columns, each pass through a precomputed list of
// contributors with 16.16 fixed-point weights. Portable: no Win32.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/core/pixelview.h"

// Filters 0..6: box, triangle, Hermite, bell, B-spline, windowed sine,
// Mitchell (the one the alpha image list scales with).
enum TResampleFilter { rfBox, rfTriangle, rfHermite, rfBell, rfBSpline, rfWindowedSine, rfMitchell };

// The support radius of a filter; 0 for a number outside 0..6.
float ResampleFilterRadius(int Filter);
// The filter's value at the distance X >= 0 (below the radius); Signed is
// the signed distance, which the box filter needs for its half-open edge.
float ResampleFilterValue(int Filter, float X, float Signed);

// One source element of a destination element: the source index, mirrored
// into range, and its weight in 16.16 fixed point.
struct TContributor {
  int Index = 0;
  int Weight = 0;
};

// The contributors of every destination index of one pass: Count of them
// for index i start at i * Capacity.
struct TContributorList {
  int Capacity = 0;
  std::vector<int> Count;
  std::vector<TContributor> Entries;

  const TContributor* Of(int i) const { return Entries.data() + static_cast<std::size_t>(i) * Capacity; }
};

// The contributors for scaling Source elements to Dest elements.
TContributorList MakeContributors(int Dest, int Source, int Filter);

// Resamples S into D with the filter; D's size is the new size and its
// format S's (24 or 32 bits). A D of S's size receives a copy. Raises
// Exception "Source bitmap is too small" for a source under 2 x 2; nothing
// is drawn for other formats or an empty D.
void SmoothResizePixels(const TPixelView& S, const TPixelView& D, int Filter);

#include "support/barcode/barcodelayout.h"

#include <algorithm>
#include <cmath>

namespace {

// PostNet short bars are two fifths of the tall ones, standing on the same baseline.
constexpr double kShortBarShare = 0.4;

int ElementPixels(const TBarcodePattern& pattern, const TBarElement& e, int module, int wide) {
  if (pattern.WidthModel == TWidthModel::NarrowWide) return e.Width == 2 ? wide : module;
  return e.Width * module;
}

TBarRect BarRect(const TBarElement& e, int x, int width, const TBarLayoutOptions& options) {
  int bottom = options.BarHeight;
  int top = 0;
  if (e.Height == TBarHeight::Guard) bottom += options.GuardExtension;
  if (e.Height == TBarHeight::Short) {
    top = options.BarHeight - static_cast<int>(std::lround(options.BarHeight * kShortBarShare));
  }
  return {x, top, x + width, bottom};
}

}  // namespace

int ModulePixels(double barWidthMils, int dpi) {
  long pixels = std::lround(barWidthMils / 1000.0 * dpi);
  return static_cast<int>(std::clamp<long>(pixels, 1, 1 << 16));
}

int WidePixels(int modulePixels, double wideToNarrow) {
  double ratio = std::clamp(std::isnan(wideToNarrow) ? 2.0 : wideToNarrow, 2.0, 3.0);
  return static_cast<int>(std::lround(ratio * modulePixels));
}

TBarLayout LayoutBars(const TBarcodePattern& pattern, const TBarLayoutOptions& options) {
  TBarLayout layout;
  int module = std::max(1, options.ModulePixels);
  int wide = WidePixels(module, options.WideToNarrow);
  int x = options.QuietZones ? pattern.LeftQuietZone * module : 0;
  layout.BarsLeft = x;
  std::vector<int> elementX;
  elementX.reserve(pattern.Elements.size() + 1);
  for (const TBarElement& e : pattern.Elements) {
    elementX.push_back(x);
    int width = ElementPixels(pattern, e, module, wide);
    if (e.IsBar) {
      layout.Bars.push_back(BarRect(e, x, width, options));
      layout.Height = std::max(layout.Height, layout.Bars.back().Bottom);
    }
    x += width;
  }
  elementX.push_back(x);
  layout.BarsRight = x;
  layout.Width = x + (options.QuietZones ? pattern.RightQuietZone * module : 0);
  for (const TTextGroup& group : pattern.TextGroups) {
    switch (group.Place) {
      case TTextPlace::BeforeBars:
        layout.Texts.push_back({group.Text, 0, layout.BarsLeft});
        break;
      case TTextPlace::AfterBars:
        layout.Texts.push_back({group.Text, layout.BarsRight, layout.Width});
        break;
      case TTextPlace::Under:
        layout.Texts.push_back({group.Text, elementX[group.FirstElement], elementX[group.EndElement]});
        break;
    }
  }
  return layout;
}

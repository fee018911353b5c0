// Glyph strips of skinned buttons drawn into bitmaps.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/skinbitmaps.h"
#include "skin/core/skinglyphs.h"

namespace {

const TColor kColumns[] = {clRed, clLime, clBlue, clYellow};

// A strip of NumGlyphs 4 x 4 columns in kColumns' colours, each with a
// clFuchsia bottom-left pixel as its key.
std::unique_ptr<TBitmap> Strip(int NumGlyphs) {
  std::unique_ptr<TBitmap> g(CreateBitmap24(4 * NumGlyphs, 4));
  for (int k = 0; k < NumGlyphs; ++k) {
    g->Canvas().Brush().SetColor(kColumns[k]);
    RECT r{4 * k, 0, 4 * k + 4, 4};
    g->Canvas().FillRect(r);
    g->Canvas().SetPixel(4 * k, 3, clFuchsia);
  }
  return g;
}

TEST(SkinGlyphs, ColumnForStateAndDown) {
  struct Case {
    int NumGlyphs, State;
    bool Down;
    TColor Expected;
  };
  const Case cases[] = {{4, 2, true, clYellow}, {3, 2, true, clLime}, {3, 1, false, clLime}, {3, 0, false, clRed}};
  for (const Case& c : cases) {
    auto g = Strip(c.NumGlyphs);
    std::unique_ptr<TBitmap> d(CreateBitmap24(10, 10));
    PaintGlyphBitmap(g.get(), d.get(), {2, 2, 6, 6}, c.NumGlyphs, true, 0, c.State, 0, c.Down);
    EXPECT_EQ(d->Canvas().GetPixel(3, 3), c.Expected) << c.NumGlyphs << " glyphs, state " << c.State;
    EXPECT_EQ(d->Canvas().GetPixel(2, 5), clWhite) << "the key pixel is transparent";
  }
}

TEST(SkinGlyphs, DisabledSingleGlyphIsGreyedAndHalfBlended) {
  auto g = Strip(1);
  std::unique_ptr<TBitmap> d(CreateBitmap24(10, 10));
  d->Canvas().Brush().SetColor(clBlack);
  RECT all{0, 0, 10, 10};
  d->Canvas().FillRect(all);
  PaintGlyphBitmap(g.get(), d.get(), {0, 0, 4, 4}, 1, false, dkBlended | dkGrayed, 0, 0, false);
  // Red 255 greys to 85, half of it over black: Round(42.5) = 42.
  EXPECT_EQ(d->Canvas().GetPixel(1, 1), static_cast<TColor>(0x2A2A2A));
  // The greyed key pixel (fuchsia -> 170 grey) is still the key.
  EXPECT_EQ(d->Canvas().GetPixel(0, 3), clBlack);
}

}  // namespace

// The previews' page arrows: each head points the way it leads, the first
// and last page arrows carry their bar at the far end, and all of it in the
// colour asked for on an untouched background.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/toolglyphs.h"

namespace {

constexpr TColor kBackground = clWhite;
constexpr TColor kArrow = clNavy;

struct ArrowCase {
  TPageArrow Arrow;
  const char* Name;
  std::vector<POINT> Painted;  // in the arrow's colour
  std::vector<POINT> Clear;    // background
};

TEST(ToolGlyphsTest, PageArrowsPointTheWayTheyLead) {
  // Near the top edge (y 5) a head is wide at its back and empty at its
  // point; on the middle row (y 8) it reaches its point.
  const ArrowCase cases[] = {
      {paFirst, "first", {{4, 8}, {5, 4}, {5, 12}, {7, 8}, {10, 5}}, {{3, 8}, {6, 8}, {7, 5}, {12, 8}}},
      {paPrior, "prior", {{6, 8}, {10, 5}, {10, 11}}, {{5, 8}, {6, 5}, {11, 8}}},
      {paNext, "next", {{10, 8}, {6, 5}, {6, 11}}, {{5, 8}, {10, 5}, {11, 8}}},
      {paLast, "last", {{5, 5}, {9, 8}, {10, 4}, {11, 12}}, {{4, 8}, {9, 5}, {12, 8}}},
  };
  for (const ArrowCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(ToolGlyphSize, ToolGlyphSize);
    TCanvas& canvas = picture.Canvas();
    canvas.Brush().SetColor(kBackground);
    canvas.FillRect(RECT{0, 0, ToolGlyphSize, ToolGlyphSize});
    DrawPageArrow(canvas, c.Arrow, kArrow);
    for (const POINT& p : c.Painted)
      EXPECT_EQ(canvas.GetPixel(p.x, p.y), kArrow) << p.x << ", " << p.y;
    for (const POINT& p : c.Clear)
      EXPECT_EQ(canvas.GetPixel(p.x, p.y), kBackground) << p.x << ", " << p.y;
  }
}

}  // namespace

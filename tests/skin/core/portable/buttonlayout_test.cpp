// The placement of a glyph and a caption in a button rectangle.
#include <gtest/gtest.h>

#include "skin/core/buttonlayout.h"

namespace {

struct Placed {
  TPixelPoint Glyph;
  TPixelRect Text;
};

Placed Layout(TPixelRect R, TPixelPoint G, TPixelPoint T, int Layout, int Alignment, int Margin, int Spacing,
              unsigned Flags = 0) {
  Placed placed;
  placed.Glyph = {-99, -99};
  ComputeButtonLayout(R, G, T, Layout, Alignment, Margin, Spacing, placed.Glyph, placed.Text, Flags);
  return placed;
}

struct Case {
  const char* Name;
  TPixelRect R;
  TPixelPoint G, T;
  int Layout, Alignment, Margin, Spacing;
  unsigned Flags;
  TPixelPoint Glyph;
  TPixelRect Text;
};

// Worked by hand from the rules; R (0, 0, 100, 30), glyph 16 x 16 and text
// 40 x 13 unless a row says otherwise. Glyph y (30 - 16 + 1) div 2 = 7 and
// text y (30 - 13 + 1) div 2 = 9 for a glyph beside the text.
const Case kCases[] = {
    // Margin and spacing (100 - 56) div 3 = 14; centred: m = (100 - 40 - 14 - 16) div 2 = 15.
    {"computed margin and spacing, centred", {0, 0, 100, 30}, {16, 16}, {40, 13}, 0, 2, -1, -1, 0, {15, 7},
     {45, 9, 85, 22}},
    {"DT_RIGHT puts the glyph right", {0, 0, 100, 30}, {16, 16}, {40, 13}, 0, 2, -1, -1, 2, {69, 7},
     {15, 9, 55, 22}},
    {"glyph right, DT_RIGHT puts it left", {0, 0, 100, 30}, {16, 16}, {40, 13}, 1, 2, -1, -1, 2, {15, 7},
     {45, 9, 85, 22}},
    // Margin -1 with spacing 4, not centred: margin 2.
    {"left aligned, margin 2", {0, 0, 100, 30}, {16, 16}, {40, 13}, 0, 0, -1, 4, 0, {2, 7}, {22, 9, 62, 22}},
    {"right aligned, margin 2", {0, 0, 100, 30}, {16, 16}, {40, 13}, 0, 1, -1, 4, 0, {38, 7}, {58, 9, 98, 22}},
    // Margin 5 given, spacing -1: ((100 - 21) - 40) div 2 = 19.
    {"glyph right, left aligned", {0, 0, 100, 30}, {16, 16}, {40, 13}, 1, 0, 5, -1, 0, {64, 7}, {5, 9, 45, 22}},
    {"glyph right, right aligned", {0, 0, 100, 30}, {16, 16}, {40, 13}, 1, 1, 5, -1, 0, {79, 7}, {20, 9, 60, 22}},
    // No text: spacing 0; margin (100 - 16 + 1) div 2 = 42 is not used when centred.
    {"no text uses spacing 0", {0, 0, 100, 30}, {16, 16}, {0, 0}, 0, 2, -1, 9, 0, {42, 7}, {58, 15, 58, 15}},
    // Glyph on top, R (10, 20, 110, 80): x (100 - 16 + 1) div 2 = 42 and
    // (100 - 40 + 1) div 2 = 30; margin (60 - 29) div 3 = 10 = spacing;
    // h = (60 - 16 - 10 - 13) div 2 = 10.
    {"glyph on top, offset rectangle", {10, 20, 110, 80}, {16, 16}, {40, 13}, 2, 2, -1, -1, 0, {52, 30},
     {40, 56, 80, 69}},
    {"glyph below", {10, 20, 110, 80}, {16, 16}, {40, 13}, 3, 0, -1, -1, 0, {52, 54}, {40, 31, 80, 44}},
    // Negative results stand: a text wider than the button.
    {"text wider than the button", {0, 0, 20, 10}, {0, 0}, {40, 13}, 0, 2, -1, -1, 0, {-10, 5},
     {-10, -1, 30, 12}},
};

TEST(ButtonLayout, PlacesGlyphAndTextByTheRules) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Name);
    const Placed placed = Layout(c.R, c.G, c.T, c.Layout, c.Alignment, c.Margin, c.Spacing, c.Flags);
    EXPECT_EQ(placed.Glyph.x, c.Glyph.x);
    EXPECT_EQ(placed.Glyph.y, c.Glyph.y);
    EXPECT_EQ(placed.Text.left, c.Text.left);
    EXPECT_EQ(placed.Text.top, c.Text.top);
    EXPECT_EQ(placed.Text.right, c.Text.right);
    EXPECT_EQ(placed.Text.bottom, c.Text.bottom);
  }
}

}  // namespace

// Text in section colours, the blurred glow, the cut with "...", the dotted
// focus frame and the measuring wrappers, on memory bitmaps read pixel by
// pixel, over a skin built in memory.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/controls/stdctrls.h"
#include "skin/core/alphagraph.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skintext.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

constexpr TColor kPaper = 0xFFFFFF;

std::unique_ptr<TBitmap> Paper(int w, int h, TColor color = kPaper, bool alpha = false) {
  std::unique_ptr<TBitmap> b(alpha ? CreateBitmap32(w, h) : CreateBitmap24(w, h));
  b->Canvas().Brush().SetColor(color);
  b->Canvas().FillRect({0, 0, w, h});
  return b;
}

// A large bold font, so the strokes have fully covered pixels of the exact
// text colour inside their smoothed edges.
void UseBoldFont(TCanvas& canvas) {
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-24);
  TFontStyles bold;
  bold.Include(fsBold);
  canvas.Font().SetStyle(bold);
}

TColor PixelColor(const TPixelView& v, int x, int y) {
  const std::uint8_t* p = v.Pixel(x, y);
  return static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16);
}

// The box of the pixels for which Test holds; empty (right < left) when none.
template <class Test>
RECT BoxOf(TBitmap* b, Test test) {
  const TPixelView v = PixelViewOf(b);
  RECT box{v.Width, v.Height, -1, -1};
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if (test(PixelColor(v, x, y))) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
  return box;
}

int CountOf(TBitmap* b, TColor color) {
  const TPixelView v = PixelViewOf(b);
  int count = 0;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      count += PixelColor(v, x, y) == color;
  return count;
}

bool Reddish(TColor c) { return (c & 0xFF) > ((c >> 8) & 0xFF) + 60; }
bool Dark(TColor c) { return (c & 0xFF) < 60 && ((c >> 8) & 0xFF) < 60; }

TEST(SkinTextCut, CutsAtTheEndWithDotsOrGivesEmpty) {
  auto b = Paper(10, 10);
  TCanvas& canvas = b->Canvas();
  UseBoldFont(canvas);
  const AnsiString text = "Barkod etiketi";
  const int full = canvas.TextWidth(text);
  const int dots = canvas.TextWidth("...");
  struct Case {
    const char* Name;
    int W;
    bool Empty, Unchanged;
  };
  const Case cases[] = {{"width 0", 0, true, false},        {"negative width", -5, true, false},
                        {"the text fits", full, false, true}, {"room to spare", full + 40, false, true},
                        {"a few letters fit", full / 2, false, false}, {"not one letter fits", dots, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    AnsiString result = "old";
    CutTextToWidth(&canvas, text, c.W, result);
    if (c.Empty) {
      EXPECT_EQ(result, "");
    } else if (c.Unchanged) {
      EXPECT_EQ(result, text);
    } else {
      ASSERT_GT(result.size(), 3u);
      EXPECT_EQ(result.substr(result.size() - 3), "...");
      EXPECT_EQ(text.substr(0, result.size() - 3), result.substr(0, result.size() - 3));
      EXPECT_LE(canvas.TextWidth(result), c.W);
      const AnsiString longer = text.substr(0, result.size() - 2) + "...";
      EXPECT_GT(canvas.TextWidth(longer), c.W) << "one more letter would not fit";
    }
  }
}

TEST(SkinSectionText, EachContourColourDrawsOneCopyOnePixelOff) {
  TestSkin skin;
  skin.AddSection("LABEL");
  skin.Apply();
  const int s = skin.SectionIndex("LABEL");
  struct Case {
    const char* Name;
    int Slot;  // 1 left, 2 top, 3 right, 4 bottom; 0 none
  };
  const Case cases[] = {{"no contour", 0}, {"left", 1}, {"top", 2}, {"right", 3}, {"bottom", 4}};
  const auto ink = [](TColor c) { return c != kPaper; };
  RECT plain{};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TsGeneralData& section = skin.Section("LABEL");
    section.FontColor = {0x000000, -1, -1, -1, -1};
    if (c.Slot != 0)
      section.FontColor[static_cast<std::size_t>(c.Slot)] = 0x0000FF;
    auto b = Paper(80, 40);
    UseBoldFont(b->Canvas());
    DrawSectionText(&b->Canvas(), "IH", true, {10, 5, 70, 35}, DT_LEFT | DT_TOP | DT_SINGLELINE, s, 0, nullptr);
    const RECT drawn = BoxOf(b.get(), ink);
    const RECT red = BoxOf(b.get(), Reddish);
    ASSERT_GE(drawn.right, drawn.left) << "the text is drawn";
    if (c.Slot == 0) {
      EXPECT_LT(red.right, red.left) << "a contour of -1 draws no copy";
      plain = drawn;
      continue;
    }
    EXPECT_GE(red.right, red.left);
    // The copy one pixel off widens the ink by exactly one pixel that way.
    EXPECT_EQ(drawn.left, plain.left - (c.Slot == 1));
    EXPECT_EQ(drawn.top, plain.top - (c.Slot == 2));
    EXPECT_EQ(drawn.right, plain.right + (c.Slot == 3));
    EXPECT_EQ(drawn.bottom, plain.bottom + (c.Slot == 4));
  }
}

TEST(SkinSectionText, HotStateUsesTheHotColoursAndInvalidSectionsDrawNothing) {
  TestSkin skin;
  TsGeneralData& section = skin.AddSection("LABEL");
  section.FontColor = {0x000000, -1, -1, -1, -1};
  section.HotFontColor = {0x0000FF, -1, -1, -1, -1};
  skin.Apply();
  auto b = Paper(80, 40);
  UseBoldFont(b->Canvas());
  DrawSectionText(&b->Canvas(), "IH", true, {10, 5, 70, 35}, DT_SINGLELINE, 0, 1, skin.Manager());
  EXPECT_GT(CountOf(b.get(), 0x0000FF), 0);
  EXPECT_EQ(CountOf(b.get(), 0x000000), 0);
  auto untouched = Paper(80, 40);
  for (int index : {-1, 1})
    DrawSectionText(&untouched->Canvas(), "IH", true, {10, 5, 70, 35}, DT_SINGLELINE, index, 0, skin.Manager());
  DrawSectionText(&untouched->Canvas(), "", true, {10, 5, 70, 35}, DT_SINGLELINE, 0, 0, skin.Manager());
  DrawSectionText(&untouched->Canvas(), nullptr, true, {10, 5, 70, 35}, DT_SINGLELINE, 0, 0, skin.Manager());
  EXPECT_EQ(CountOf(untouched.get(), kPaper), 80 * 40);
}

TEST(SkinControlText, DisabledTextMixesFortyPercentOfTheTextColour) {
  TestSkin skin;
  skin.AddSection("GLOBALINFO").Color = 0xFF0000;  // blue
  TsGeneralData& panel = skin.AddSection("PANEL");
  panel.FontColor = {0x000000, 0x00FF00, -1, -1, -1};
  panel.Color = 0x0000FF;  // red
  skin.Apply();
  const TColor withGlobal = BlendColors(0x000000, 0xFF0000, 0.4);
  const TColor withSection = BlendColors(0x000000, 0x0000FF, 0.4);
  ASSERT_EQ(withGlobal, 0x990000);
  ASSERT_EQ(withSection, 0x000099);

  auto sectionText = Paper(80, 40);
  UseBoldFont(sectionText->Canvas());
  DrawSectionText(&sectionText->Canvas(), "IH", false, {10, 5, 70, 35}, DT_SINGLELINE, skin.SectionIndex("PANEL"), 1,
                  skin.Manager());
  EXPECT_GT(CountOf(sectionText.get(), withSection), 0) << "the section's own colour";
  EXPECT_EQ(CountOf(sectionText.get(), 0x00FF00), 0) << "no contour when disabled";

  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 80, 40);
  probe->Data.SetSkinSection("PANEL");
  auto controlText = Paper(80, 40);
  UseBoldFont(controlText->Canvas());
  probe->Font()->Assign(&controlText->Canvas().Font());
  controlText->Canvas().Font().SetHeight(-8);
  DrawControlText(&controlText->Canvas(), "IH", false, {10, 5, 70, 35}, DT_SINGLELINE, &probe->Data, 1);
  EXPECT_GT(CountOf(controlText.get(), withGlobal), 0) << "the GLOBALINFO colour, whatever the state";
  EXPECT_EQ(CountOf(controlText.get(), withSection), 0);
  EXPECT_EQ(controlText->Canvas().Font().Height(), -24) << "the canvas takes a copy of the control's font";
}

TEST(SkinControlText, ContoursOnlyWhenEnabledWithoutCustomFontAndWebButtonsUnderlineWhenHot) {
  TestSkin skin;
  skin.AddSection("PANEL").FontColor = {0x000000, 0x0000FF, -1, -1, -1};
  skin.AddSection("WEBBUTTON").HotFontColor = {0x000000, -1, -1, -1, -1};
  skin.Apply();
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 80, 40);
  probe->Data.SetSkinSection("PANEL");
  struct Case {
    const char* Name;
    bool CustomFont;
    bool Reddish;
  };
  for (const Case& c : {Case{"contour", false, true}, Case{"custom font: once in the font colour", true, false}}) {
    SCOPED_TRACE(c.Name);
    probe->Data.SetCustomFont(c.CustomFont);
    auto b = Paper(80, 40);
    UseBoldFont(b->Canvas());
    probe->Font()->Assign(&b->Canvas().Font());
    probe->Font()->SetColor(clBlack);
    DrawControlText(&b->Canvas(), "IH", true, {10, 5, 70, 35}, DT_SINGLELINE, &probe->Data, 0);
    EXPECT_GE(BoxOf(b.get(), Dark).right, 0);
    EXPECT_EQ(BoxOf(b.get(), Reddish).right >= 0, c.Reddish);
  }
  probe->Data.SetCustomFont(false);
  for (const char* name : {"PANEL", "WEBBUTTON"}) {
    probe->Data.SetSkinSection(name);
    for (int state : {0, 1}) {
      auto b = Paper(80, 40);
      DrawControlText(&b->Canvas(), "IH", true, {10, 5, 70, 35}, DT_SINGLELINE, &probe->Data, state);
      EXPECT_EQ(b->Canvas().Font().Style().Contains(fsUnderline), state == 1 && AnsiString(name) == "WEBBUTTON")
          << name << " state " << state;
    }
  }
}

TEST(SkinControlText, ClipsToTheRectangleAndDrawsOnceWithoutASection) {
  TestSkin skin;
  skin.AddSection("PANEL").FontColor = {0x0000FF, -1, -1, -1, -1};
  skin.Apply();
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 80, 40);
  probe->Data.SetSkinSection("PANEL");
  auto b = Paper(80, 40);
  UseBoldFont(b->Canvas());
  probe->Font()->Assign(&b->Canvas().Font());
  // The text runs past R's right edge; DT_NOCLIP does not let it out.
  DrawControlText(&b->Canvas(), "HHHHHH", true, {10, 5, 30, 35}, DT_SINGLELINE, &probe->Data, 0);
  const RECT red = BoxOf(b.get(), Reddish);
  ASSERT_GE(red.right, red.left);
  EXPECT_LT(red.right, 30);
  b->Canvas().Brush().SetStyle(bsSolid);
  b->Canvas().Brush().SetColor(clBlack);
  b->Canvas().FillRect({0, 0, 80, 40});
  EXPECT_EQ(CountOf(b.get(), 0x000000), 80 * 40) << "the clipping is given back";

  probe->Data.SetSkinSection("NOSUCHSECTION");
  auto plain = Paper(80, 40);
  UseBoldFont(plain->Canvas());
  probe->Font()->Assign(&plain->Canvas().Font());
  probe->Font()->SetColor(0x00FF00);
  DrawControlText(&plain->Canvas(), "IH", true, {10, 5, 70, 35}, DT_SINGLELINE, &probe->Data, 0);
  EXPECT_GT(CountOf(plain.get(), 0x00FF00), 0) << "drawn once in the font as it is";
}

TEST(SkinControlText, ATransparentGraphicOwnerTakesTheFontSectionOfItsParent) {
  // A label (a graphic control with ParentFont) on a panel whose section
  // gives its own font: at a transparency of 1 or more for the state the
  // label writes in the panel's colours, otherwise in its own.
  TestSkin skin;
  skin.AddSection("OWN").GiveOwnFont = true;
  skin.Section("OWN").FontColor = skin.Section("OWN").HotFontColor = {0x0000FF, -1, -1, -1, -1};
  skin.AddSection("CAPTION").FontColor = {0x00FF00, -1, -1, -1, -1};
  skin.Section("CAPTION").HotFontColor = skin.Section("CAPTION").FontColor;
  skin.Apply();
  FormFixture form;
  auto* panel = form.Add<TSkinProbe>(0, 0, 200, 100);
  panel->Data.SetSkinSection("OWN");
  auto* label = new TLabel(panel);
  label->SetParent(panel);
  panel->HandleNeeded();
  TsCommonData data(label);
  data.SetSkinSection("CAPTION");
  struct Case {
    int Transparency, HotTransparency, State;
    TColor Expected;
  };
  const Case cases[] = {{0, 0, 0, 0x00FF00}, {1, 0, 0, 0x0000FF}, {1, 0, 1, 0x00FF00}, {0, 60, 1, 0x0000FF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Transparency << "/" << c.HotTransparency << " state " << c.State);
    skin.Section("CAPTION").Transparency = c.Transparency;
    skin.Section("CAPTION").HotTransparency = c.HotTransparency;
    auto b = Paper(80, 40);
    UseBoldFont(b->Canvas());
    panel->Font()->Assign(&b->Canvas().Font());  // the label follows: ParentFont
    ASSERT_TRUE(label->ParentFont());
    DrawControlText(&b->Canvas(), "IH", true, {10, 5, 70, 35}, DT_SINGLELINE, &data, c.State);
    EXPECT_GT(CountOf(b.get(), c.Expected), 0);
  }
}

TEST(SkinControlText, GlowGoesIntoTheCacheAlsoForDisabledText) {
  TestSkin skin;
  skin.AddSection("PANEL").FontColor = {0x000000, -1, -1, -1, -1};
  skin.Section("PANEL").GlowColor = 0x0000FF;
  skin.Apply();
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 80, 40);
  probe->Data.SetSkinSection("PANEL");
  probe->Data.SizeCacheBitmap24();
  TBitmap* cache = probe->Data.CacheBitmap();
  ASSERT_NE(cache, nullptr);
  for (int size : {0, 4})
    for (bool enabled : {true, false}) {
      SCOPED_TRACE(testing::Message() << "glow " << size << (enabled ? " enabled" : " disabled"));
      skin.Section("PANEL").GlowSize = static_cast<unsigned char>(size);
      cache->Canvas().Brush().SetStyle(bsSolid);
      cache->Canvas().Brush().SetColor(kPaper);
      cache->Canvas().FillRect({0, 0, 80, 40});
      DrawControlText(&cache->Canvas(), "IH", enabled, {20, 10, 60, 30}, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                      &probe->Data, 0);
      // White paper tinted towards red keeps its red byte at 255; the text
      // (black, or grey when disabled) lowers it.
      const RECT glow = BoxOf(cache, [](TColor c) { return (c & 0xFF) == 0xFF && c != kPaper; });
      const RECT text = BoxOf(cache, [](TColor c) { return (c & 0xFF) != 0xFF; });
      EXPECT_EQ(glow.right >= glow.left, size != 0);
      ASSERT_GE(text.right, text.left);
      if (size != 0) {
        EXPECT_LT(glow.left, text.left) << "the glow reaches beyond the text";
        EXPECT_GT(glow.right, text.right);
      }
    }
}

TEST(SkinTextGlow, AKeptMaskOfTheRightSizeOnlyColoursTheBitmap) {
  // A 24-bit and a 32-bit picture under a kept mask of zeros: every pixel of
  // the mask's area takes the glow colour; a 32-bit pixel's alpha becomes 0.
  for (bool alpha : {false, true}) {
    auto b = Paper(40, 30, 0x808080, alpha);
    if (alpha)
      SetAlphaRect(PixelViewOf(b.get()), {0, 0, 40, 30}, 200);
    auto mask = std::make_unique<TBitmap>();
    mask->SetPixelFormat(pf8bit);
    const int radius = 2, reach = radius + 4;
    const RECT r{10, 8, 20, 14};
    mask->SetSize(10 + 2 * reach, 6 + 2 * reach);
    const TPixelView m = PixelViewOf(mask.get());
    for (int y = 0; y < m.Height; ++y)
      for (int x = 0; x < m.Width; ++x)
        m.Pixel(x, y)[0] = 0;
    TBitmap* kept = mask.get();
    DrawTextBlurShadow(b.get(), "IH", r, DT_SINGLELINE, kGlowAllSides, radius, 0x00FF00, mask);
    EXPECT_EQ(mask.get(), kept);
    EXPECT_EQ(PixelViewOf(mask.get()).Pixel(11, 9)[0], 0) << "neither redrawn nor blurred";
    const TPixelView v = PixelViewOf(b.get());
    EXPECT_EQ(PixelColor(v, r.left - reach, r.top - reach), 0x00FF00);
    EXPECT_EQ(PixelColor(v, r.right + reach - 1, r.bottom + reach - 1), 0x00FF00);
    EXPECT_EQ(PixelColor(v, r.left - reach - 1, r.top), 0x808080);
    EXPECT_EQ(PixelColor(v, r.right + reach, r.top), 0x808080);
    if (alpha) {
      EXPECT_EQ(v.Pixel(15, 10)[3], 0);
      EXPECT_EQ(v.Pixel(0, 0)[3], 200);
    }
  }
}

TEST(SkinTextGlow, ANewMaskHoldsTheBlurredTextAndTheGlowFadesOutwards) {
  auto b = Paper(80, 50, 0xFFFFFF);
  UseBoldFont(b->Canvas());
  std::unique_ptr<TBitmap> mask;
  const RECT r{20, 12, 60, 38};
  DrawTextBlurShadow(b.get(), "IH", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, kGlowAllSides, 3, 0x0000FF, mask);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->PixelFormat(), pf8bit);
  EXPECT_EQ(mask->Width(), 40 + 2 * 7);
  EXPECT_EQ(mask->Height(), 26 + 2 * 7);
  const TPixelView m = PixelViewOf(mask.get());
  EXPECT_EQ(m.Pixel(0, 0)[0], 255) << "far from the text the mask stays white";
  int darkest = 255;
  for (int y = 0; y < m.Height; ++y)
    for (int x = 0; x < m.Width; ++x)
      darkest = std::min<int>(darkest, m.Pixel(x, y)[0]);
  EXPECT_LT(darkest, 160) << "the blurred text darkens the mask";
  const TPixelView v = PixelViewOf(b.get());
  EXPECT_EQ(PixelColor(v, 0, 0), 0xFFFFFF);
  EXPECT_EQ(PixelColor(v, r.left - 7, r.top - 7), 0xFFFFFF);
  // Tinted pixels keep their red (the glow is red on white) and lie inside
  // the mask's area.
  const RECT tinted = BoxOf(b.get(), [](TColor c) { return ((c >> 8) & 0xFF) < 200; });
  ASSERT_GE(tinted.right, tinted.left);
  EXPECT_GE(tinted.left, r.left - 7);
  EXPECT_LT(tinted.right, r.right + 7);
  EXPECT_EQ(BoxOf(b.get(), [](TColor c) { return (c & 0xFF) != 0xFF; }).right, -1) << "red stays";

  // The same size again: the mask is kept as it is.
  TBitmap* kept = mask.get();
  DrawTextBlurShadow(b.get(), "other text", r, DT_SINGLELINE, kGlowAllSides, 3, 0x0000FF, mask);
  EXPECT_EQ(mask.get(), kept);
  // Radius 0: nothing is blurred (and nothing divides by zero).
  std::unique_ptr<TBitmap> sharp;
  DrawTextBlurShadow(b.get(), "IH", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, kGlowAllSides, 0, 0x0000FF, sharp);
  EXPECT_EQ(PixelViewOf(sharp.get()).Pixel(0, 0)[0], 255);
}

TEST(SkinTextGlow, BlurOfBitmapsTakesOnlyEightBitDibs) {
  auto mask = std::make_unique<TBitmap>();
  mask->SetPixelFormat(pf8bit);
  mask->SetSize(12, 9);
  const TPixelView m = PixelViewOf(mask.get());
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x)
      m.Pixel(x, y)[0] = 255;
  BlurBitmap8(mask.get(), 2.0);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(PixelViewOf(mask.get()).Pixel(x, y)[0], 255) << "a uniformly white mask stays white";
  auto picture = Paper(12, 9, 0xFFFFFF);
  picture->Canvas().SetPixel(5, 5, clBlack);
  BlurBitmap8(picture.get(), 2.0);
  EXPECT_EQ(picture->Canvas().GetPixel(5, 5), 0x000000);
  EXPECT_EQ(picture->Canvas().GetPixel(6, 5), 0xFFFFFF);
  BlurBitmap8(static_cast<TBitmap*>(nullptr), 2.0);
}

TEST(SkinFocusRect, DotsEveryThreePixelsWithWhiteOnesUpAndLeft) {
  auto b = Paper(30, 30, 0x808080);
  DrawDottedFocusRect(&b->Canvas(), {5, 5, 15, 12});
  const TPixelView v = PixelViewOf(b.get());
  // Top (row 5) and bottom (row 12) edges of a rectangle 10 wide: black at
  // 5, 8, 11, 14; white a pixel up and left of each.
  for (int x = 5; x < 15; ++x) {
    const bool dot = (x - 5) % 3 == 0;
    EXPECT_EQ(PixelColor(v, x, 5), dot ? 0x000000u : 0x808080u) << "top " << x;
    EXPECT_EQ(PixelColor(v, x, 12), dot ? 0x000000u : 0x808080u) << "bottom " << x;
  }
  for (int x : {4, 7, 10, 13}) {
    EXPECT_EQ(PixelColor(v, x, 4), 0xFFFFFFu) << x;
    EXPECT_EQ(PixelColor(v, x, 11), 0xFFFFFFu) << x;
  }
  // Left and right edges, 7 high: black at rows 5, 8, 11 of columns 5 and 15.
  for (int y : {5, 8, 11}) {
    EXPECT_EQ(PixelColor(v, 5, y), 0x000000u) << y;
    EXPECT_EQ(PixelColor(v, 15, y), 0x000000u) << y;
    EXPECT_EQ(PixelColor(v, 4, y - 1), 0xFFFFFFu) << y;
    EXPECT_EQ(PixelColor(v, 14, y - 1), 0xFFFFFFu) << y;
  }
  EXPECT_EQ(PixelColor(v, 5, 6), 0x808080u);
  EXPECT_EQ(PixelColor(v, 10, 8), 0x808080u);
  // A rectangle with a negative width draws nothing along the top.
  auto flat = Paper(30, 30, 0x808080);
  DrawDottedFocusRect(&flat->Canvas(), {20, 5, 10, 12});
  EXPECT_EQ(PixelColor(PixelViewOf(flat.get()), 20, 12), 0x808080u);
}

TEST(SkinTextMeasure, WrappersMeasureLikeTheCanvas) {
  auto b = Paper(10, 10);
  UseBoldFont(b->Canvas());
  const SIZE expected = b->Canvas().TextExtent("Çağrı");
  SIZE size{};
  CanvasTextExtent(&b->Canvas(), "Çağrı", size);
  EXPECT_EQ(size.cx, expected.cx);
  EXPECT_EQ(size.cy, expected.cy);
  EXPECT_EQ(CanvasTextWidth(&b->Canvas(), "Çağrı"), expected.cx);
  FontTextExtent(b->Canvas().Font().Handle(), "Çağrı", size);
  EXPECT_EQ(size.cx, expected.cx);
  EXPECT_EQ(size.cy, expected.cy);
  FontTextExtent(b->Canvas().Font().Handle(), "", size);
  EXPECT_EQ(size.cx, 0);

  auto page = Paper(80, 40);
  UseBoldFont(page->Canvas());
  page->Canvas().Font().SetColor(clBlack);
  RECT r{5, 5, 75, 35};
  DrawTextOnDC(page->Canvas().Handle(), "IH", r, DT_SINGLELINE);
  EXPECT_GT(CountOf(page.get(), 0x000000), 0);
  auto clipped = Paper(80, 40);
  UseBoldFont(clipped->Canvas());
  clipped->Canvas().Font().SetColor(clBlack);
  CanvasTextRect(&clipped->Canvas(), {5, 5, 12, 35}, 5, 5, "HHHH");
  EXPECT_LT(BoxOf(clipped.get(), Dark).right, 12);
}

}  // namespace

// The progress bar: its settings at creation, the fill in both directions,
// the setters' rules (a position past Max is not stored, a Max lowered below
// the position keeps the fill inside the bar) and the text inverted over
// both parts of the bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/typinfo.h"

#include "components/vtprogress.h"
#include "tests/skin/controls/skin_test_util.h"

namespace {

using skin_test::FormFixture;
using skin_test::PaintClient;
using skin_test::Pixel;

constexpr COLORREF kProgressBlue = 0xFF0000;   // the default ForeColor
constexpr COLORREF kProgressWhite = 0xFFFFFF;  // the default BackColor

class ProgressBar : public testing::Test {
protected:
  ProgressBar() {
    bar = new TVTProgress(form.Host());
    bar->SetParent(form.Host());
    bar->SetLeft(0);
    bar->SetTop(0);
    form.Show();
    test_support::Pump();
  }
  // The host panel's painting, the bar at its top left.
  std::unique_ptr<TBitmap> Painted() {
    auto bitmap = std::make_unique<TBitmap>();
    PaintClient(form.Host(), *bitmap);
    return bitmap;
  }
  FormFixture form;
  TVTProgress* bar;
};

TEST_F(ProgressBar, CreationSettings) {
  EXPECT_EQ(bar->Width(), 100);
  EXPECT_EQ(bar->Height(), 35);
  EXPECT_EQ(bar->BackColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(bar->ForeColor(), static_cast<TColor>(0xFF0000));
  EXPECT_EQ(bar->BorderStyle(), bsSingle);
  EXPECT_TRUE(bar->Ctl3D());
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_TRUE(bar->ShowText());
  EXPECT_TRUE(bar->BackImage()->Empty());
  EXPECT_TRUE(bar->ForeImage()->Empty());
  EXPECT_EQ(bar->Oriention(), vtVertical);
  EXPECT_EQ(bar->Statement(), "");
  EXPECT_FALSE(bar->ShowPosition());
  EXPECT_EQ(bar->About(), "s1.03");
  bar->SetAbout("s9");
  EXPECT_EQ(bar->About(), "s1.03");
  EXPECT_FALSE(bar->GetTanim().empty());
  EXPECT_EQ(bar->BarText(), " %0");
}

TEST_F(ProgressBar, PublishedPropertiesInTheirOrder) {
  const char* const expected[] = {"BackColor", "ForeColor", "BorderStyle", "Ctl3D", "Position", "Max", "Min",
                                  "ShowText", "BackImage", "ForeImage", "Oriention", "Statement", "ShowPosition"};
  std::vector<std::string> names;
  for (PPropInfo prop : GetPropList(TVTProgress::StaticClass()))
    names.push_back(prop->Name);
  // The class's own properties follow its parents'.
  const auto first = std::find(names.begin(), names.end(), "BackColor");
  ASSERT_LE(std::size_t(names.end() - first), names.size());
  ASSERT_GE(std::size_t(names.end() - first), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(first[i], expected[i]);
  for (const char* name : {"Font", "Align", "ParentFont", "ParentShowHint", "ShowHint", "Visible", "About"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST_F(ProgressBar, HalfFillsTheLeftHalfOfADefaultBar) {
  bar->SetShowText(false);
  bar->SetPosition(50);
  auto bitmap = Painted();
  // The 3D frame takes two pixels on each side: the bar runs from 2 to 98,
  // so half of it ends at 50.
  for (int y : {2, 17, 32}) {
    EXPECT_EQ(Pixel(*bitmap, 2, y), kProgressBlue) << y;
    EXPECT_EQ(Pixel(*bitmap, 49, y), kProgressBlue) << y;
    EXPECT_EQ(Pixel(*bitmap, 50, y), kProgressWhite) << y;
    EXPECT_EQ(Pixel(*bitmap, 97, y), kProgressWhite) << y;
  }
  EXPECT_EQ(Pixel(*bitmap, 1, 17), COLORREF(0)) << "inner frame";
  EXPECT_EQ(Pixel(*bitmap, 0, 17), COLORREF(GetSysColor(COLOR_BTNSHADOW))) << "outer frame";
  EXPECT_EQ(bar->GetPosition(), 50);
}

TEST_F(ProgressBar, HorizontalFillsUpwardFromTheBottom) {
  bar->SetShowText(false);
  bar->SetPosition(40);
  bar->SetOriention(vtHorizontal);
  EXPECT_EQ(bar->Position(), 0) << "a new direction starts again at 0";
  bar->SetPosition(50);
  auto bitmap = Painted();
  // The bar's 31 rows (2..32): half of them, rounded, from the bottom.
  EXPECT_EQ(Pixel(*bitmap, 50, 32), kProgressBlue);
  EXPECT_EQ(Pixel(*bitmap, 3, 18), kProgressBlue);
  EXPECT_EQ(Pixel(*bitmap, 96, 17), kProgressBlue);
  EXPECT_EQ(Pixel(*bitmap, 50, 16), kProgressWhite);
  EXPECT_EQ(Pixel(*bitmap, 50, 2), kProgressWhite);
}

TEST_F(ProgressBar, MaxZeroShowsNoneAndAnEmptyBar) {
  bar->SetPosition(50);
  bar->SetMax(0);
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_EQ(bar->BarText(), " %0");
  bar->SetShowText(false);
  auto bitmap = Painted();
  for (int x : {2, 30, 60, 97})
    EXPECT_EQ(Pixel(*bitmap, x, 17), kProgressWhite) << x;
}

TEST_F(ProgressBar, PositionSetterRules) {
  bar->SetPosition(30);
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 30) << "past Max: not stored";
  bar->SetPosition(-1);
  EXPECT_EQ(bar->Position(), 30) << "negative: ignored";
  bar->SetPosition(100);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetMin(-5);
  EXPECT_EQ(bar->Min(), 0);
  bar->SetMin(7);
  EXPECT_EQ(bar->Min(), 7);
}

TEST_F(ProgressBar, MaxLoweredBelowThePositionKeepsTheFillInsideTheBar) {
  bar->SetShowText(false);
  bar->SetPosition(80);
  bar->SetMax(40);
  EXPECT_EQ(bar->GetPosition(), 100);
  auto bitmap = Painted();
  EXPECT_EQ(Pixel(*bitmap, 97, 17), kProgressBlue);
  EXPECT_EQ(Pixel(*bitmap, 98, 17), COLORREF(GetSysColor(COLOR_BTNHIGHLIGHT))) << "the frame stays";
  EXPECT_EQ(Pixel(*bitmap, 99, 17), COLORREF(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST_F(ProgressBar, TextWithPositionIsInvertedOverBothParts) {
  bar->SetStatement("S");
  bar->SetShowPosition(true);
  bar->SetMax(10);
  bar->SetPosition(5);
  EXPECT_EQ(bar->BarText(), "S (5/10) %50");
  auto withText = Painted();
  bar->SetShowText(false);
  auto plain = Painted();
  int invertedOverFill = 0, invertedOverEmpty = 0, other = 0;
  for (int y = 0; y < 35; ++y)
    for (int x = 0; x < 100; ++x) {
      const COLORREF before = Pixel(*plain, x, y), after = Pixel(*withText, x, y);
      if (before == after)
        continue;
      if (before == kProgressBlue && after == (kProgressBlue ^ 0xFFFFFF))
        ++invertedOverFill;
      else if (before == kProgressWhite && after == 0)
        ++invertedOverEmpty;
      else
        ++other;
    }
  EXPECT_GT(invertedOverFill, 10);
  EXPECT_GT(invertedOverEmpty, 10);
}

}  // namespace

#include "layouts/core/qrekitems.h"

#include <gtest/gtest.h>

namespace {

TEST(QrEkItems, OnlyItemsFollowedByABarAreTaken) {
  EXPECT_EQ(SplitQrEkItems("COLOR=clYellow|FONT.STYLE=BOLD|"),
            (std::vector<AnsiString>{"COLOR=clYellow", "FONT.STYLE=BOLD"}));
  EXPECT_EQ(SplitQrEkItems("COLOR=clYellow|FONT.STYLE=BOLD"), (std::vector<AnsiString>{"COLOR=clYellow"}));
  EXPECT_EQ(SplitQrEkItems("||"), (std::vector<AnsiString>{"", ""}));
  EXPECT_TRUE(SplitQrEkItems("").empty());
  EXPECT_TRUE(SplitQrEkItems("FONT.SIZE=14").empty());
}

TEST(QrEkItems, ColourAndBoldWithTheFinalBarBothApply) {
  const TQrEkFormat format = ParseQrEk("COLOR=clYellow|FONT.STYLE=BOLD|");
  ASSERT_TRUE(format.Color.has_value());
  EXPECT_EQ(*format.Color, clYellow);
  EXPECT_EQ(format.Styles, std::vector<TQrEkStyle>{TQrEkStyle::Bold});
}

TEST(QrEkItems, WithoutTheFinalBarOnlyTheColourApplies) {
  const TQrEkFormat format = ParseQrEk("COLOR=clYellow|FONT.STYLE=BOLD");
  EXPECT_EQ(format.Color, std::optional<TColor>(clYellow));
  EXPECT_TRUE(format.Styles.empty());
}

struct SizeCase {
  const char* Text;
  std::optional<int> Size;
};

TEST(QrEkItems, FontSizeIsAWholeNumberDecimalOrHex) {
  const SizeCase cases[] = {
      {"FONT.SIZE=14|", 14},       {"FONT.SIZE=$0E|", 14},  {"FONT.SIZE=$0e|", 14},
      {"X.FONT.SIZE=9|", 9},       {"FONT.SIZE=clRed|", {}}, {"FONT.SIZE=14pt|", {}},
      {"FONT.SIZE=|", {}},         {"FONT.SIZE=1.5|", {}},
  };
  for (const SizeCase& c : cases)
    EXPECT_EQ(ParseQrEk(c.Text).FontSize, c.Size) << c.Text;
}

TEST(QrEkItems, ColoursTakeNamesDecimalAndHexAndIgnoreTheRest) {
  EXPECT_EQ(ParseQrEk("COLOR=255|").Color, std::optional<TColor>(255));
  EXPECT_EQ(ParseQrEk("COLOR=$00FF00|").Color, std::optional<TColor>(0x00FF00));
  EXPECT_EQ(ParseQrEk("COLOR=clred|").Color, std::optional<TColor>(clRed));
  EXPECT_FALSE(ParseQrEk("COLOR=sari|").Color.has_value());
  EXPECT_EQ(ParseQrEk("FONT.COLOR=clBlue|").FontColor, std::optional<TColor>(clBlue));
  EXPECT_FALSE(ParseQrEk("FONT.COLOR=mavi|").FontColor.has_value());
  // "COLOR=" must start the item; "FONT.COLOR=" is the font's colour only.
  EXPECT_FALSE(ParseQrEk("FONT.COLOR=clBlue|").Color.has_value());
  EXPECT_FALSE(ParseQrEk(" COLOR=clBlue|").Color.has_value());
}

TEST(QrEkItems, ABadValueLeavesTheEarlierGoodOne) {
  const TQrEkFormat format = ParseQrEk("COLOR=clRed|COLOR=kirmizi|FONT.SIZE=12|FONT.SIZE=x|");
  EXPECT_EQ(format.Color, std::optional<TColor>(clRed));
  EXPECT_EQ(format.FontSize, std::optional<int>(12));
}

TEST(QrEkItems, StylesAddUpAndUnknownNamesAreIgnored) {
  const TQrEkFormat format =
      ParseQrEk("FONT.STYLE=ITALIC|FONT.STYLE=bold|FONT.STYLE=UNDERLINE|FONT.STYLE=STRIKEOUT|FONT.STYLE=ITALIC|X=1|");
  EXPECT_EQ(format.Styles,
            (std::vector<TQrEkStyle>{TQrEkStyle::Italic, TQrEkStyle::Underline, TQrEkStyle::StrikeOut}));
  EXPECT_FALSE(format.HasStyle(TQrEkStyle::Bold));
}

}  // namespace

#include "components/core/calcengine.h"

#include <gtest/gtest.h>

#include "classlib/system/formatsettings.h"

namespace {

// Types keys as the calculator's buttons send them; "=" stands for Enter,
// "<" for Backspace, "E" for Esc.
void TypeCalcKeys(TCalcEngine& calc, const std::string& keys) {
  for (char key : keys) {
    if (key == '=')
      key = TCalcEngine::Enter;
    else if (key == '<')
      key = TCalcEngine::Backspace;
    else if (key == 'E')
      key = TCalcEngine::Escape;
    calc.KeyPress(key);
  }
}

struct CalcCase {
  const char* Keys;
  const char* Display;
};

class CalcKeysTest : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalcKeysTest, ShowsTheDisplayOfTheKeys) {
  TCalcEngine calc;
  TypeCalcKeys(calc, GetParam().Keys);
  EXPECT_EQ(calc.DisplayText(), GetParam().Display) << GetParam().Keys;
}

INSTANTIATE_TEST_SUITE_P(Calc, CalcKeysTest,
                         ::testing::Values(CalcCase{"12+8=", "20"}, CalcCase{"1234567", "1.234.567"},
                                           CalcCase{"5-128=", "-123"}, CalcCase{"5-1128=", "-1.123"},
                                           CalcCase{"200+10%", "220"}, CalcCase{"200-10%", "180"},
                                           CalcCase{"50*10%", "5"}, CalcCase{"2+3*4=", "20"},
                                           CalcCase{"2+*3=", "6"}, CalcCase{"1,5+1,25=", "2,75"},
                                           CalcCase{"1,,5", "1,5"}, CalcCase{",5", "0,5"},
                                           CalcCase{"123<", "12"}, CalcCase{"5<", "0"},
                                           CalcCase{"0-5=<", "0"}, CalcCase{"007", "7"},
                                           CalcCase{"16@", "4"}, CalcCase{"2@", "1,4142135623731"},
                                           CalcCase{"1/3=", "0,3333333333333"},
                                           CalcCase{"10/0=", "Hata"}, CalcCase{"10/0,0=", "Hata"},
                                           CalcCase{"10/0,=", "Hata"}, CalcCase{"0-4=@", "Hata"},
                                           CalcCase{"1234567890123456", "123.456.789.012.345"},
                                           CalcCase{"999999999999999*999999999999999=", "1E30"},
                                           CalcCase{"1/3=/100000=", "3,3333333333E-6"},
                                           CalcCase{"12+8=5", "5"}, CalcCase{"12E", "0"}));

TEST(CalcEngine, FinishedOperationsGoOnTheTape) {
  TCalcEngine calc;
  TypeCalcKeys(calc, "12+8=");
  ASSERT_EQ(calc.Tape().size(), 1u);
  EXPECT_EQ(calc.Tape()[0], "12 + 8 = 20");
  TypeCalcKeys(calc, "*1000=");
  ASSERT_EQ(calc.Tape().size(), 2u);
  EXPECT_EQ(calc.Tape()[1], "20 * 1.000 = 20.000");
  TypeCalcKeys(calc, "E");
  EXPECT_TRUE(calc.Tape().empty());
}

TEST(CalcEngine, AnErrorLeavesOnlyEscWorking) {
  TCalcEngine calc;
  bool closeAsked = false;
  calc.OnCloseRequest = [&] { closeAsked = true; };
  TypeCalcKeys(calc, "10/0=");
  EXPECT_EQ(calc.Mode(), TCalcEngine::cmError);
  TypeCalcKeys(calc, "5+,<@=");
  calc.MemoryRecall();
  EXPECT_EQ(calc.Current(), "Hata");
  TypeCalcKeys(calc, "E");
  EXPECT_EQ(calc.Current(), "0");
  EXPECT_EQ(calc.Mode(), TCalcEngine::cmEntering);
  EXPECT_FALSE(closeAsked);
  TypeCalcKeys(calc, "E");
  EXPECT_TRUE(closeAsked);
}

TEST(CalcEngine, TheSixteenthCharacterIsDropped) {
  TCalcEngine calc;
  TypeCalcKeys(calc, "123456789012345");
  EXPECT_EQ(calc.Current(), "123456789012345");
  TypeCalcKeys(calc, "6");
  EXPECT_EQ(calc.Current(), "123456789012345");
}

TEST(CalcEngine, OperatorsCopyTheCurrentNumber) {
  TCalcEngine calc;
  std::vector<AnsiString> copies;
  calc.OnCopy = [&](const AnsiString& text) { copies.push_back(text); };
  TypeCalcKeys(calc, "1234+8=");
  EXPECT_EQ(copies, (std::vector<AnsiString>{"1234", "1242"}));
}

TEST(CalcEngine, MemoryAddsSubtractsRecallsAndClears) {
  TCalcEngine calc;
  TypeCalcKeys(calc, "12,5");
  calc.MemoryAdd();
  calc.MemoryAdd();
  TypeCalcKeys(calc, "+3=");
  calc.MemorySubtract();
  EXPECT_DOUBLE_EQ(calc.Memory(), 9.5);
  calc.MemoryRecall();
  EXPECT_EQ(calc.Current(), "9,5");
  TypeCalcKeys(calc, "+1=");
  EXPECT_EQ(calc.Current(), "10,5");
  calc.MemoryClear();
  EXPECT_EQ(calc.Memory(), 0);
}

TEST(CalcEngine, DeleteClearsTheEntryAndShiftDeleteEverything) {
  TCalcEngine calc;
  TypeCalcKeys(calc, "12+8=");
  calc.ClearEntry();
  EXPECT_EQ(calc.Current(), "0");
  EXPECT_EQ(calc.Tape().size(), 1u);
  calc.ResetAll();
  EXPECT_TRUE(calc.Tape().empty());
  EXPECT_EQ(calc.Previous(), "0");
  EXPECT_EQ(calc.Pending(), 0);
}

// The calculator writes and reads "," decimals whatever the locale says.
TEST(CalcEngine, KeepsTurkishSeparatorsUnderAnyLocale) {
  FormatSettingsScope us(USFormatSettings());
  TCalcEngine calc;
  TypeCalcKeys(calc, "1,5*3=");
  EXPECT_EQ(calc.Current(), "4,5");
  TypeCalcKeys(calc, "*1000=");
  EXPECT_EQ(calc.DisplayText(), "4.500");
}

struct FormatCase {
  const char* Text;
  const char* Shown;
};

TEST(CalcEngine, StringFormatGroupsTheWholePart) {
  const FormatCase cases[] = {{"0", "0"},           {" 0 ", "0"},         {"1", "1"},
                              {"123", "123"},       {"1234", "1.234"},    {"-1234", "-1.234"},
                              {"-123", "-123"},     {"1234,5678", "1.234,5678"},
                              {"1234567,", "1.234.567,"}, {"1,5E20", "1,5E20"}, {"Hata", "Hata"}};
  for (const FormatCase& c : cases)
    EXPECT_EQ(TCalcEngine::StringFormat(c.Text), c.Shown) << c.Text;
}

TEST(CalcEngine, NumberTextRoundsToFifteenCharacters) {
  EXPECT_EQ(TCalcEngine::NumberText(20), "20");
  EXPECT_EQ(TCalcEngine::NumberText(-0.5), "-0,5");
  EXPECT_EQ(TCalcEngine::NumberText(1.0 / 3), "0,3333333333333");
  EXPECT_EQ(TCalcEngine::NumberText(1.23456789012345e-5), "1,2345678901E-5");
  EXPECT_LE(TCalcEngine::NumberText(-1.23456789012345e-300).size(), 15u);
  EXPECT_EQ(TCalcEngine::NumberText(1e308 * 10), "");
}

}  // namespace

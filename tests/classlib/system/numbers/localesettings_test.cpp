// The presets, and the Windows locale read under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/system/format.h"
#include "classlib/system/formatsettings.h"

namespace {

TEST(FormatSettingsPresets, Turkish) {
  const TFormatSettings s = TurkishFormatSettings();
  EXPECT_EQ(s.DecimalSeparator, ',');
  EXPECT_EQ(s.ThousandSeparator, '.');
  EXPECT_EQ(s.CurrencyString, "TL");
  EXPECT_EQ(s.CurrencyFormat, 3);
  EXPECT_EQ(s.NegCurrFormat, 8);
  EXPECT_EQ(s.ShortDateFormat, "dd.mm.yyyy");
  EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(s.TimeAMString, "\xD6\xD6");
  EXPECT_EQ(s.LongMonthNames[1], "\xDEubat");
  EXPECT_EQ(s.LongDayNames[3], "\xC7" "ar\xFE" "amba");
  EXPECT_EQ(s.ShortDayNames[0], "Paz");
}

TEST(FormatSettingsPresets, US) {
  const TFormatSettings s = USFormatSettings();
  EXPECT_EQ(s.DecimalSeparator, '.');
  EXPECT_EQ(s.ThousandSeparator, ',');
  EXPECT_EQ(s.CurrencyString, "$");
  EXPECT_EQ(s.ShortDateFormat, "m/d/yyyy");
  EXPECT_EQ(s.ShortTimeFormat, "h:nn AMPM");
  EXPECT_EQ(s.LongMonthNames[11], "December");
  EXPECT_EQ(s.ShortDayNames[6], "Sat");
}

TEST(FormatSettingsScope, RestoresTheSettingsItReplaced) {
  const char before = FormatSettings.DecimalSeparator;
  {
    FormatSettingsScope scope(TurkishFormatSettings());
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
  }
  EXPECT_EQ(FormatSettings.DecimalSeparator, before);
}

// The Windows build reads the user's locale. The test desktop starts Wine
// with a Turkish (or, for the second run, US English) Unix locale, which Wine
// turns into the Windows user locale.
TEST(LoadLocaleFormatSettings, ReadsTheWindowsLocale) {
#ifndef _WIN32
  GTEST_SKIP() << "natively there is no Windows locale to read";
#else
  const char* lang = std::getenv("LANG");
  const std::string locale = lang ? lang : "";
  FormatSettingsScope restore(FormatSettings);
  FormatSettings = TFormatSettings{};
  LoadLocaleFormatSettings();
  if (locale.rfind("tr_TR", 0) == 0) {
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
    EXPECT_EQ(FormatSettings.ThousandSeparator, '.');
    EXPECT_EQ(FormatSettings.DateSeparator, '.');
    // Current locales give the lira sign, which code page 1254 lacks; "TL"
    // is written after the amount, as the lira was written before the sign.
    EXPECT_EQ(FormatSettings.CurrencyString, "TL");
    EXPECT_EQ(Format("%m", {1234.5}), "1.234,50 TL");
    EXPECT_EQ(Format("%m", {-1234.5}), "-1.234,50 TL");
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(FormatSettings.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(FormatSettings.LongMonthNames[0], "Ocak");
    EXPECT_EQ(FormatSettings.LongDayNames[1], "Pazartesi");
  } else if (locale.rfind("en_US", 0) == 0) {
    EXPECT_EQ(FormatSettings.DecimalSeparator, '.');
    EXPECT_EQ(FormatSettings.ThousandSeparator, ',');
    EXPECT_EQ(FormatSettings.CurrencyString, "$");
    EXPECT_EQ(Format("%m", {1234.5}), "$1,234.50");
    EXPECT_EQ(FormatSettings.ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(FormatSettings.ShortTimeFormat, "h:nn AMPM");
    EXPECT_EQ(FormatSettings.LongDayNames[0], "Sunday");
  } else {
    GTEST_SKIP() << "LANG=" << locale << " is neither Turkish nor US English";
  }
  // Whatever the locale, every name is filled in.
  for (const AnsiString& name : FormatSettings.LongMonthNames)
    EXPECT_FALSE(name.empty());
  for (const AnsiString& name : FormatSettings.ShortDayNames)
    EXPECT_FALSE(name.empty());
#endif
}

}  // namespace

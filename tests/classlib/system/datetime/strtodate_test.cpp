// Parsing dates and times by the order and separators of the settings.
#include <gtest/gtest.h>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/formatsettings.h"

namespace {

// Parsing looks at the current year for two-digit years and dates without one.
class ParseDates : public testing::Test {
protected:
  ClockScope clock_{EncodeDate(2026, 12, 10) + EncodeTime(9, 0, 0, 0)};
};

struct DateParse {
  const char* text;
  int year, month, day;
};

void ExpectDates(const DateParse* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(cases[i].text);
    TDateTime value = -1;
    ASSERT_TRUE(TryStrToDate(cases[i].text, value));
    EXPECT_EQ(value, EncodeDate(cases[i].year, cases[i].month, cases[i].day));
    EXPECT_EQ(StrToDate(cases[i].text), value);
  }
}

void ExpectNotDates(const char* const* texts, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(texts[i]);
    TDateTime value = 7;
    EXPECT_FALSE(TryStrToDate(texts[i], value));
    EXPECT_EQ(value, 7);
    try {
      StrToDate(texts[i]);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "'" + std::string(texts[i]) + "' is not a valid date");
    }
  }
}

TEST_F(ParseDates, TurkishDayMonthYear) {
  FormatSettingsScope scope(TurkishFormatSettings());
  const DateParse good[] = {
      {"05.03.2024", 2024, 3, 5}, {"5.3.2024", 2024, 3, 5},    {" 5 . 3 . 2024 ", 2024, 3, 5},
      {"05.03.2024.", 2024, 3, 5}, {"29.02.2024", 2024, 2, 29}, {"5.3.24", 2024, 3, 5},
      {"5.3.76", 1976, 3, 5},     {"5.3.75", 2075, 3, 5},      {"5.3.0024", 24, 3, 5},
      {"5.3", 2026, 3, 5},        {"31.12.9999", 9999, 12, 31}, {"1.1.1", 2001, 1, 1},
  };
  ExpectDates(good, std::size(good));
  const char* const bad[] = {"",         "abc",         "32.01.2024",  "29.02.2023", "5/3/2024",
                             "5.13.2024", "05.03.2024x", "05.03.12345", "5",          ".5.2024",
                             "0.1.2024"};
  ExpectNotDates(bad, std::size(bad));
}

TEST_F(ParseDates, USMonthDayYear) {
  FormatSettingsScope scope(USFormatSettings());
  const DateParse good[] = {
      {"3/5/2024", 2024, 3, 5}, {"12/31/99", 1999, 12, 31}, {"3/5", 2026, 3, 5}, {"02/29/2024", 2024, 2, 29}};
  ExpectDates(good, std::size(good));
  const char* const bad[] = {"13/1/2024", "31/12/2024", "3.5.2024", "3/5/2024 10"};
  ExpectNotDates(bad, std::size(bad));
}

TEST_F(ParseDates, YearMonthDayOrderFromTheShortFormat) {
  TFormatSettings settings = TurkishFormatSettings();
  settings.ShortDateFormat = "yyyy-mm-dd";
  settings.DateSeparator = '-';
  TDateTime value;
  ASSERT_TRUE(TryStrToDate("2024-03-05", value, settings));
  EXPECT_EQ(value, EncodeDate(2024, 3, 5));
  ASSERT_TRUE(TryStrToDate("24-3-5", value, settings));
  EXPECT_EQ(value, EncodeDate(2024, 3, 5));
  ASSERT_TRUE(TryStrToDate("3-5", value, settings)) << "two numbers are month and day";
  EXPECT_EQ(value, EncodeDate(2026, 3, 5));
}

TEST_F(ParseDates, SettingsPassedInWinOverTheGlobalOnes) {
  FormatSettingsScope scope(USFormatSettings());
  EXPECT_EQ(StrToDate("05.03.2024", TurkishFormatSettings()), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate("05/03/2024"), EncodeDate(2024, 5, 3));
}

struct TimeParse {
  const char* text;
  int hour, minute, second, msec;
};

TEST(ParseTimes, TurkishAndUSTimes) {
  const TimeParse turkish[] = {
      {"14:07", 14, 7, 0, 0},         {"14:07:09", 14, 7, 9, 0},   {"14:07:09,045", 14, 7, 9, 45},
      {"14", 14, 0, 0, 0},            {" 9 : 5 ", 9, 5, 0, 0},     {"2:07 \xD6S", 14, 7, 0, 0},
      {"\xD6\xD6 12:30", 0, 30, 0, 0}, {"\xF6\xF6 12:30", 0, 30, 0, 0}, {"2:07 pm", 14, 7, 0, 0},
      {"12:00 PM", 12, 0, 0, 0},      {"23:59:59,999", 23, 59, 59, 999}};
  const TimeParse us[] = {
      {"2:07:09 PM", 14, 7, 9, 0}, {"12:15 AM", 0, 15, 0, 0}, {"14:07:09.045", 14, 7, 9, 45}, {"9 am", 9, 0, 0, 0}};
  const struct {
    TFormatSettings settings;
    const TimeParse* cases;
    size_t count;
  } locales[] = {{TurkishFormatSettings(), turkish, std::size(turkish)}, {USFormatSettings(), us, std::size(us)}};
  for (const auto& locale : locales) {
    FormatSettingsScope scope(locale.settings);
    for (size_t i = 0; i < locale.count; ++i) {
      const TimeParse& c = locale.cases[i];
      SCOPED_TRACE(c.text);
      TDateTime value;
      ASSERT_TRUE(TryStrToTime(c.text, value));
      EXPECT_EQ(value, EncodeTime(c.hour, c.minute, c.second, c.msec));
    }
  }
}

TEST(ParseTimes, InvalidTimesRaise) {
  FormatSettingsScope scope(TurkishFormatSettings());
  const char* const bad[] = {"", "25:00", "14:60", "14:07:60", "13:00 PM", "0:30 AM", "14:07x", "14:", "14.07"};
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    TDateTime value;
    EXPECT_FALSE(TryStrToTime(text, value));
    try {
      StrToTime(text);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "'" + std::string(text) + "' is not a valid time");
    }
  }
}

TEST_F(ParseDates, DateAndTimeTogether) {
  FormatSettingsScope scope(TurkishFormatSettings());
  EXPECT_EQ(StrToDateTime("05.03.2024 14:07:09"), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
  EXPECT_EQ(StrToDateTime("05.03.2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0)) << "a time alone";
  EXPECT_EQ(StrToDateTime("28.12.1899 06:00"), -2.25) << "the time of a negative date";
  const char* const bad[] = {"05.03.2024 25:00", "05.03.2024 14:07 xyz", "x 05.03.2024", ""};
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    try {
      StrToDateTime(text);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "'" + std::string(text) + "' is not a valid date and time");
    }
  }
}

TEST_F(ParseDates, FormattedValuesReadBackInBothLocales) {
  const TDateTime values[] = {EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0), EncodeDate(2024, 2, 29),
                              EncodeDate(1999, 12, 31) + EncodeTime(0, 0, 1, 0), -2.25,
                              EncodeDate(2026, 1, 1) + EncodeTime(12, 0, 0, 0)};
  for (const TFormatSettings& settings : {TurkishFormatSettings(), USFormatSettings()}) {
    for (TDateTime value : values) {
      const AnsiString text = DateTimeToStr(value, settings);
      SCOPED_TRACE(text);
      EXPECT_EQ(StrToDateTime(text, settings), value);
      EXPECT_EQ(StrToDate(DateToStr(value, settings), settings), DateOf(value));
    }
  }
}

}  // namespace

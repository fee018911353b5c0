// The date-time mask language under Turkish and US settings.
#include <gtest/gtest.h>

#include "classlib/system/datetime.h"
#include "classlib/system/formatsettings.h"

namespace {

struct FormatCase {
  const char* format;
  const char* expected;
};

// Tuesday 2024-03-05 14:07:09.045.
TDateTime Afternoon() { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); }

void ExpectFormats(const FormatCase* cases, size_t count, TDateTime value) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(cases[i].format);
    EXPECT_EQ(FormatDateTime(cases[i].format, value), cases[i].expected);
  }
}

TEST(FormatDateTime, TurkishSettings) {
  FormatSettingsScope scope(TurkishFormatSettings());
  const FormatCase cases[] = {
      {"c", "05.03.2024 14:07:09"},
      {"", "05.03.2024 14:07:09"},
      {"d", "5"},
      {"dd", "05"},
      {"ddd", "Sal"},
      {"dddd", "Sal\xFD"},
      {"ddddd", "05.03.2024"},
      {"dddddd", "5 Mart 2024 Sal\xFD"},
      {"m", "3"},
      {"mm", "03"},
      {"mmm", "Mar"},
      {"mmmm", "Mart"},
      {"y", "24"},
      {"yy", "24"},
      {"yyy", "2024"},
      {"yyyy", "2024"},
      {"h", "14"},
      {"hh", "14"},
      {"n", "7"},
      {"nn", "07"},
      {"s", "9"},
      {"ss", "09"},
      {"z", "45"},
      {"zzz", "045"},
      {"t", "14:07"},
      {"tt", "14:07:09"},
      {"dd/mm/yyyy", "05.03.2024"},
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
      {"hh:mm", "14:07"},
      {"h:m", "14:7"},
      {"hh:mm:ss", "14:07:09"},
      {"mm:ss", "03:09"},
      {"hh x mm", "14 x 03"},
      {"DD.MM.YYYY HH:NN", "05.03.2024 14:07"},
      {"HH:MM", "14:07"},
      {"Hh", "1414"},
      {"hh:nn am/pm", "02:07 pm"},
      {"hh:nn AM/PM", "02:07 PM"},
      {"h:nn a/p", "2:07 p"},
      {"h:nn A/P", "2:07 P"},
      {"h:nn ampm", "2:07 \xD6S"},
      {"ampm h", "\xD6S 2"},
      {"h 'am/pm' nn", "14 am/pm 07"},
      {"'Saat' hh", "Saat 14"},
      {"\"dd\" dd", "dd 05"},
      {"'yar\xFDm", "yar\xFDm"},
      {"dd 'de' mmmm", "05 de Mart"},
      {"dddd, d mmmm", "Sal\xFD, 5 Mart"},
      {"q", "q"},
      {"a", "a"},
      {"aaa", "Sal"},
      {"aaaa", "Sal\xFD"},
  };
  ExpectFormats(cases, std::size(cases), Afternoon());
}

TEST(FormatDateTime, USSettings) {
  FormatSettingsScope scope(USFormatSettings());
  const FormatCase cases[] = {
      {"c", "3/5/2024 2:07:09 PM"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 5, 2024"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"ddd mmm", "Tue Mar"},
      {"dd/mm/yyyy", "05/03/2024"},
      {"hh:nn", "14:07"},
      {"hh:nn am/pm", "02:07 pm"},
      {"h:nn ampm", "2:07 PM"},
  };
  ExpectFormats(cases, std::size(cases), Afternoon());
}

TEST(FormatDateTime, TwelveHourClockAroundMidnightAndNoon) {
  FormatSettingsScope scope(USFormatSettings());
  const struct {
    int hour, minute;
    const char* expected;
  } cases[] = {{0, 15, "12:15 AM"}, {9, 5, "9:05 AM"}, {11, 59, "11:59 AM"},
               {12, 0, "12:00 PM"}, {13, 1, "1:01 PM"}, {23, 59, "11:59 PM"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    const TDateTime value = EncodeDate(2024, 3, 5) + EncodeTime(c.hour, c.minute, 0, 0);
    EXPECT_EQ(FormatDateTime("t", value), c.expected);
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", value), c.expected);
  }
}

TEST(FormatDateTime, MidnightLeavesTheTimeOutOfC) {
  FormatSettingsScope scope(TurkishFormatSettings());
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 2, 29)), "29.02.2024");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 2, 29)), "29.02.2024");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 2, 29) + EncodeTime(0, 0, 1, 0)), "29.02.2024 00:00:01");
  EXPECT_EQ(FormatDateTime("mmmm", EncodeDate(2024, 2, 29)), "\xDE" "ubat");
}

TEST(FormatDateTime, ShortcutsUseTheSettingsTheyAreGiven) {
  FormatSettingsScope scope(USFormatSettings());
  const TFormatSettings turkish = TurkishFormatSettings();
  EXPECT_EQ(DateToStr(Afternoon(), turkish), "05.03.2024");
  EXPECT_EQ(TimeToStr(Afternoon(), turkish), "14:07:09");
  EXPECT_EQ(DateTimeToStr(Afternoon(), turkish), "05.03.2024 14:07:09");
  EXPECT_EQ(FormatDateTime("dd/mm", Afternoon(), turkish), "05.03");
  EXPECT_EQ(DateToStr(Afternoon()), "3/5/2024");
  EXPECT_EQ(TimeToStr(Afternoon()), "2:07:09 PM");
}

TEST(FormatDateTime, NegativeDatesAndTheFirstDay) {
  FormatSettingsScope scope(TurkishFormatSettings());
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", -1.25), "29.12.1899 06:00");
  EXPECT_EQ(FormatDateTime("dddd", -1.25), "Cuma");
  EXPECT_EQ(FormatDateTime("c", 0), "30.12.1899");
  EXPECT_EQ(FormatDateTime("c", 0.5), "30.12.1899 12:00:00");
}

TEST(FormatDateTime, MissingSeparatorsAreLeftOut) {
  TFormatSettings settings = TurkishFormatSettings();
  settings.DateSeparator = '\0';
  settings.TimeSeparator = '\0';
  EXPECT_EQ(FormatDateTime("dd/mm hh:nn", Afternoon(), settings), "0503 1407");
}

TEST(FormatDateTime, SelfReferringSettingsFormatsStop) {
  TFormatSettings settings = TurkishFormatSettings();
  settings.ShortDateFormat = "ddddd|";
  settings.LongTimeFormat = AnsiString("c");
  EXPECT_EQ(FormatDateTime("ddddd", Afternoon(), settings), "|");
  // "c" inside "c": the nested date and time are not expanded again.
  EXPECT_EQ(FormatDateTime("c", Afternoon(), settings), "|  ");
  EXPECT_EQ(FormatDateTime("tt", Afternoon(), settings), " ");
}

}  // namespace

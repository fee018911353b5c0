// Encoding and decoding dates and times, calendar rules and the clock seam.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/exceptions.h"

namespace {

struct DateCase {
  int year, month, day;
  double serial;
};

// Serial numbers of well-known days: 1899-12-30 is day 0.
const DateCase kDates[] = {
    {1899, 12, 30, 0},      {1899, 12, 31, 1},       {1900, 1, 1, 2},
    {1899, 12, 29, -1},     {1900, 3, 1, 61},        {2000, 1, 1, 36526},
    {2024, 1, 1, 45292},    {2024, 2, 29, 45351},    {2024, 3, 1, 45352},
    {1, 1, 1, -693593},     {9999, 12, 31, 2958465}, {1600, 2, 29, -109512},
};

TEST(Calendar, EncodeDateGivesTheSerialDay) {
  for (const DateCase& c : kDates) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial);
  }
}

TEST(Calendar, DecodeDateRoundTrips) {
  for (const DateCase& c : kDates) {
    SCOPED_TRACE(c.serial);
    Word y, m, d;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y, c.year);
    EXPECT_EQ(m, c.month);
    EXPECT_EQ(d, c.day);
  }
}

TEST(Calendar, EveryDayFrom1898To2102RoundTrips) {
  // Crosses 1900 (not leap), 2000 (leap) and 2100 (not leap).
  const double first = EncodeDate(1898, 1, 1), last = EncodeDate(2102, 12, 31);
  Word py = 1897, pm = 12, pd = 31;
  for (double day = first; day <= last; ++day) {
    Word y, m, d;
    DecodeDate(day, y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), day);
    const bool nextInMonth = y == py && m == pm && d == pd + 1;
    const bool nextMonth = d == 1 && ((y == py && m == pm + 1) || (y == py + 1 && m == 1 && pm == 12));
    ASSERT_TRUE(nextInMonth || nextMonth) << y << "-" << m << "-" << d;
    py = y, pm = m, pd = d;
  }
}

TEST(Calendar, LeapYearsAndMonthLengths) {
  const struct {
    int year;
    bool leap;
  } years[] = {{1600, true}, {1700, false}, {1900, false}, {2000, true}, {2023, false}, {2024, true}, {2100, false}};
  for (const auto& c : years) {
    SCOPED_TRACE(c.year);
    EXPECT_EQ(IsLeapYear(c.year), c.leap);
    EXPECT_EQ(DaysInMonth(c.year, 2), c.leap ? 29 : 28);
    TDateTime date;
    EXPECT_EQ(TryEncodeDate(c.year, 2, 29, date), c.leap);
  }
  const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month) EXPECT_EQ(DaysInMonth(2023, month), lengths[month - 1]);
  EXPECT_EQ(DaysInMonth(2023, 0), 0);
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(Calendar, InvalidDatesAndTimesRaise) {
  const int badDates[][3] = {{0, 1, 1}, {10000, 1, 1}, {2023, 0, 1}, {2023, 13, 1},
                             {2023, 1, 0}, {2023, 1, 32}, {2023, 4, 31}, {1900, 2, 29}};
  for (const auto& d : badDates) {
    TDateTime value = 123;
    EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], value));
    EXPECT_EQ(value, 123) << "untouched on failure";
    try {
      EncodeDate(d[0], d[1], d[2]);
      ADD_FAILURE() << d[0] << "-" << d[1] << "-" << d[2];
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "Invalid argument to date encode");
    }
  }
  const int badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& t : badTimes) {
    try {
      EncodeTime(t[0], t[1], t[2], t[3]);
      ADD_FAILURE() << t[0] << ":" << t[1] << ":" << t[2] << "." << t[3];
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, "Invalid argument to time encode");
    }
  }
}

TEST(Calendar, TimeEncodeDecode) {
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
  const int times[][4] = {{0, 0, 0, 0}, {23, 59, 59, 999}, {14, 7, 9, 45}, {1, 2, 3, 4}, {12, 0, 0, 1}};
  for (const auto& t : times) {
    Word h, n, s, z;
    DecodeTime(EncodeDate(2024, 3, 5) + EncodeTime(t[0], t[1], t[2], t[3]), h, n, s, z);
    EXPECT_EQ(h, t[0]);
    EXPECT_EQ(n, t[1]);
    EXPECT_EQ(s, t[2]);
    EXPECT_EQ(z, t[3]);
  }
}

TEST(Calendar, AlmostMidnightRoundsToTheNextDay) {
  const TDateTime value = EncodeDate(2024, 3, 5) + 0.99999999999;
  Word y, m, d, h, n, s, z;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, n, s, z);
  EXPECT_EQ(d, 6);
  EXPECT_EQ(h + n + s + z, 0);
}

TEST(Calendar, NegativeValuesKeepTheTimeOfDayInTheFraction) {
  const struct {
    double value;
    int year, month, day, hour, minute;
  } cases[] = {
      {-1.25, 1899, 12, 29, 6, 0},
      {-0.5, 1899, 12, 30, 12, 0},  // the same moment as 0.5
      {-2.75, 1899, 12, 28, 18, 0},
      {-36522.0 - 0.5, 1800, 1, 1, 12, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    Word y, m, d, h, n, s, z;
    DecodeDate(c.value, y, m, d);
    DecodeTime(c.value, h, n, s, z);
    EXPECT_EQ(y, c.year);
    EXPECT_EQ(m, c.month);
    EXPECT_EQ(d, c.day);
    EXPECT_EQ(h, c.hour);
    EXPECT_EQ(n, c.minute);
    if (c.value <= -1) {
      EXPECT_EQ(ComposeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, 0, 0)), c.value);
    }
  }
  EXPECT_EQ(DateOf(-1.25), -1);
  EXPECT_EQ(TimeOf(-1.25), 0.25);
  EXPECT_EQ(ComposeDateTime(3, 0.25), 3.25);
}

TEST(Calendar, DatesOutsideTheCalendarDecodeAsZero) {
  Word y = 1, m = 1, d = 1;
  DecodeDate(-693594, y, m, d);  // the day before 0001-01-01
  EXPECT_EQ(y + m + d, 0);
  DecodeDate(2958466, y, m, d);  // the day after 9999-12-31
  EXPECT_EQ(y + m + d, 0);
  EXPECT_THROW(DecodeDate(std::nan(""), y, m, d), EInvalidOp);
  EXPECT_THROW(DecodeDate(1e300, y, m, d), EInvalidOp);
}

TEST(Calendar, DayOfWeekStartsOnSunday) {
  const struct {
    int year, month, day, weekday;
  } cases[] = {{1899, 12, 30, 7}, {1899, 12, 29, 6}, {1, 1, 1, 2},     {2000, 1, 1, 7},
               {2024, 2, 29, 5},  {2024, 3, 3, 1},   {2026, 12, 10, 5}, {1800, 1, 1, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ(DayOfWeek(ComposeDateTime(EncodeDate(c.year, c.month, c.day), 0.75)), c.weekday);
  }
  EXPECT_EQ(DayOfWeek(-1.25), 6);
  EXPECT_EQ(DayOfWeek(-693594), 1) << "stays in 1..7 outside the calendar";
}

TEST(Calendar, IncMonthClampsTheDayAndKeepsTheTime) {
  const struct {
    int y, m, d, months, ey, em, ed;
  } cases[] = {
      {2024, 1, 31, 1, 2024, 2, 29},  {2023, 1, 31, 1, 2023, 2, 28},   {2024, 3, 31, -1, 2024, 2, 29},
      {2023, 12, 15, 1, 2024, 1, 15}, {2024, 1, 15, -13, 2022, 12, 15}, {2024, 2, 29, 12, 2025, 2, 28},
      {2024, 5, 31, 1, 2024, 6, 30},  {2024, 5, 31, 0, 2024, 5, 31},    {2024, 10, 31, 14, 2025, 12, 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d << " + " << c.months);
    const TDateTime time = EncodeTime(10, 30, 0, 0);
    EXPECT_EQ(IncMonth(EncodeDate(c.y, c.m, c.d) + time, c.months), EncodeDate(c.ey, c.em, c.ed) + time);
  }
  EXPECT_EQ(IncMonth(-1.25, 1), EncodeDate(1900, 1, 29) + 0.25);
  EXPECT_EQ(IncMonth(EncodeDate(1900, 1, 29) + 0.25, -1), -1.25);
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(2024, 1, 1), INT_MAX), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(2024, 1, 1), INT_MIN), EConvertError);
}

TEST(Clock, NowDateAndTimeReadTheInstalledClock) {
  const TDateTime fixed = EncodeDate(2026, 12, 10) + EncodeTime(14, 30, 15, 250);
  ClockScope clock(fixed);
  EXPECT_EQ(Now(), fixed);
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 10));
  EXPECT_DOUBLE_EQ(Time(), EncodeTime(14, 30, 15, 250));
}

TEST(Clock, ScopesNestAndRestore) {
  int calls = 0;
  {
    ClockScope outer([&] { return ++calls * 1.0; });
    EXPECT_EQ(Now(), 1.0);
    {
      ClockScope inner(5.5);
      EXPECT_EQ(Now(), 5.5);
    }
    EXPECT_EQ(Now(), 2.0);
  }
  EXPECT_EQ(calls, 2);
}

TEST(Clock, TheMachineClockGivesAPlausibleLocalTime) {
  const TDateTime before = SystemClockNow();
  Word y, m, d;
  DecodeDate(before, y, m, d);
  EXPECT_GE(y, 2024);
  EXPECT_LE(y, 2200);
  EXPECT_GE(Now(), before);
  EXPECT_LT(Now() - before, 1.0 / 24);
}

}  // namespace

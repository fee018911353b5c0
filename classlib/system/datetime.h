// Dates and times as the platform keeps them: a TDateTime is a double whose
// integer part counts days since 1899-12-30 and whose fraction is the time of
// day. For dates before 1899-12-30 the value is negative and the fraction is
// still the time of day in absolute value: -1.25 is 1899-12-29 06:00.
//
// Formatting and parsing follow the platform's date-time mask language and
// take the settings to use; the default is the process-wide FormatSettings.
// Now, Date and Time read the clock seam (clock.h), which tests can set.
#pragma once
#include <cstdint>

#include "classlib/system/ansistring.h"
#include "classlib/system/formatsettings.h"

using TDateTime = double;
using Word = std::uint16_t;

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerHour = 60;
inline constexpr int SecsPerMin = 60;
inline constexpr int MSecsPerSec = 1000;
inline constexpr int MSecsPerDay = 24 * 60 * 60 * 1000;
// Days from 0001-01-01 (day 1) to 1899-12-30 (TDateTime 0).
inline constexpr int DateDelta = 693594;

// ---- Calendar ---------------------------------------------------------------

bool IsLeapYear(int year);
// Days of a month of a year; 0 when the month is not 1..12.
int DaysInMonth(int year, int month);

// Year 1..9999, month 1..12, day 1..DaysInMonth. EncodeDate raises
// EConvertError "Invalid argument to date encode" for anything else.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);
// Hour 0..23, minutes and seconds 0..59, milliseconds 0..999. EncodeTime
// raises EConvertError "Invalid argument to time encode" for anything else.
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);

// The value is first rounded to whole milliseconds, so 0.99999999999 is the
// next midnight rather than 23:59:59.1000. A date outside 0001-01-01 ..
// 9999-12-31 decodes as 0, 0, 0. NaN and infinities raise EInvalidOp.
void DecodeDate(TDateTime value, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec);

// A date plus a time of day under the negative-date convention: the time is
// subtracted from a negative date so that it stays the time of that day.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
// The date part (time 00:00) and the time part (date 1899-12-30).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
// Adds months; a day past the end of the new month becomes its last day
// (Jan 31 + 1 month = Feb 28/29). The time of day is kept.
TDateTime IncMonth(TDateTime value, int months = 1);

// ---- Clock ------------------------------------------------------------------

// The current local date and time, its date part, and its time part.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// ---- Formatting -------------------------------------------------------------

// The mask language (letters in any case):
//   c       short date, then " " and the long time unless it is midnight
//   d dd    day without/with leading zero   ddd dddd  short/long day name
//   aaa aaaa  short/long day name too
//   ddddd   short date format               dddddd    long date format
//   m mm    month (minutes right after an h or hh)   mmm mmmm  month names
//   yy yyyy two/four-digit year             h hh      hour
//   n nn    minutes      s ss  seconds      z zzz     milliseconds
//   t tt    short/long time format
//   am/pm a/p  the 12-hour clock with "am"/"pm" ("a"/"p") in the mask's case
//   ampm    the 12-hour clock with the settings' AM/PM strings
//   /  :    the date and time separators of the settings
//   "..." '...'  literal text
// Other characters stand as they are. An empty format means "c".
AnsiString FormatDateTime(const AnsiString& format, TDateTime value,
                          const TFormatSettings& settings = FormatSettings);
// The short date; the long time; "c".
AnsiString DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
AnsiString TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);

// ---- Parsing ----------------------------------------------------------------

// A date is two or three numbers separated by the date separator, in the
// order of the short date format (day-month-year, month-day-year or
// year-month-day); two numbers take the current year; a year of one or two
// digits falls in the century window of the settings. A time is hours, then
// optionally minutes, seconds and milliseconds (after the decimal separator),
// with an optional AM/PM string before or after. Blanks around the parts are
// allowed; anything else makes the text invalid.
// Failures raise EConvertError "'%s' is not a valid date" (time, date and time).
TDateTime StrToDate(const AnsiString& text, const TFormatSettings& settings = FormatSettings);
TDateTime StrToTime(const AnsiString& text, const TFormatSettings& settings = FormatSettings);
TDateTime StrToDateTime(const AnsiString& text, const TFormatSettings& settings = FormatSettings);
bool TryStrToDate(const AnsiString& text, TDateTime& value,
                  const TFormatSettings& settings = FormatSettings);
bool TryStrToTime(const AnsiString& text, TDateTime& value,
                  const TFormatSettings& settings = FormatSettings);
bool TryStrToDateTime(const AnsiString& text, TDateTime& value,
                      const TFormatSettings& settings = FormatSettings);

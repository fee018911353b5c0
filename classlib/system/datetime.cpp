// Calendar arithmetic, formatting and parsing of TDateTime values.
#include "classlib/system/datetime.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "classlib/system/clock.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/strutils.h"

namespace {

// Days from 0001-01-01 (day 1) to 9999-12-31, the last date that decodes.
constexpr std::int64_t MaxDayNumber = 3652059;

constexpr int DaysBeforeMonth[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

// A TDateTime split into a day number counted from 0001-01-01 = 1 and the
// milliseconds since midnight, after rounding to whole milliseconds.
struct TimeStamp {
  std::int64_t day;
  int msec;
};

TimeStamp ToTimeStamp(TDateTime value) {
  const std::int64_t total = Round(value * MSecsPerDay);
  return {DateDelta + total / MSecsPerDay, static_cast<int>(std::llabs(total % MSecsPerDay))};
}

struct DateParts {
  Word year = 0, month = 0, day = 0;
};

DateParts DayNumberToDate(std::int64_t dayNumber) {
  if (dayNumber <= 0 || dayNumber > MaxDayNumber) return {};
  constexpr int D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  int t = static_cast<int>(dayNumber - 1);
  int year = 1 + t / D400 * 400;
  t %= D400;
  int centuries = t / D100;
  t %= D100;
  if (centuries == 4) {  // the last day of a 400-year cycle
    centuries = 3;
    t += D100;
  }
  year += centuries * 100 + t / D4 * 4;
  t %= D4;
  int years = t / D1;
  t %= D1;
  if (years == 4) {  // the last day of a leap-year cycle
    years = 3;
    t += D1;
  }
  year += years;
  const int leap = IsLeapYear(year) ? 1 : 0;
  int month = 12;
  while (DaysBeforeMonth[leap][month] > t) --month;
  return {static_cast<Word>(year), static_cast<Word>(month),
          static_cast<Word>(t - DaysBeforeMonth[leap][month] + 1)};
}

// Bytes as they stand; letters compared without case, ASCII only, as the mask
// language's own letters are ASCII.
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
bool AsciiLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  for (size_t k = 0; k < prefix.size(); ++k)
    if (AsciiUpper(text[at + k]) != AsciiUpper(prefix[k])) return false;
  return true;
}

// One run of the mask language over one value. Nested formats (c, ddddd,
// dddddd, t, tt) are expanded one level deep only, so a settings format that
// names itself cannot recurse without end.
class DateTimeFormatter {
public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& settings)
      : value_(value), settings_(settings) {
    DecodeDate(value, year_, month_, day_);
    DecodeTime(value, hour_, min_, sec_, msec_);
  }

  AnsiString Run(std::string_view format) {
    Append(format.empty() ? std::string_view("C") : format);
    return std::move(out_);
  }

private:
  void Append(std::string_view format);
  void AppendHour(std::string_view format, size_t next, int count, bool& use12HourClock);
  bool AppendAmPm(std::string_view format, size_t& next, bool& use12HourClock);

  void AppendNumber(int number, int digits) {
    AnsiString text = std::to_string(number);
    if (static_cast<int>(text.size()) < digits) out_.append(digits - text.size(), '0');
    out_ += text;
  }
  template <size_t N>
  void AppendName(const std::array<AnsiString, N>& names, int index) {
    if (index >= 1 && index <= static_cast<int>(N)) out_ += names[index - 1];
  }

  // Counts the run of characters equal to the one just read and skips it.
  static int CountRun(std::string_view format, size_t& next, char starter) {
    int count = 1;
    while (next < format.size() && format[next] == starter) {
      ++next;
      ++count;
    }
    return count;
  }

  TDateTime value_;
  const TFormatSettings& settings_;
  Word year_, month_, day_, hour_, min_, sec_, msec_;
  int depth_ = 0;
  AnsiString out_;
};

void DateTimeFormatter::Append(std::string_view format) {
  if (depth_ >= 2) return;
  ++depth_;
  char lastToken = ' ';
  bool use12HourClock = false;
  size_t next = 0;
  while (next < format.size()) {
    const char starter = format[next++];
    char token = AsciiUpper(starter);
    if (AsciiLetter(token)) {
      if (token == 'M' && lastToken == 'H') token = 'N';
      lastToken = token;
    }
    switch (token) {
      case 'Y': {
        const int count = CountRun(format, next, starter);
        if (count <= 2)
          AppendNumber(year_ % 100, 2);
        else
          AppendNumber(year_, 4);
        break;
      }
      case 'M': {
        const int count = CountRun(format, next, starter);
        if (count <= 2)
          AppendNumber(month_, count);
        else if (count == 3)
          AppendName(settings_.ShortMonthNames, month_);
        else
          AppendName(settings_.LongMonthNames, month_);
        break;
      }
      case 'D': {
        const int count = CountRun(format, next, starter);
        if (count <= 2)
          AppendNumber(day_, count);
        else if (count == 3)
          AppendName(settings_.ShortDayNames, DayOfWeek(value_));
        else if (count == 4)
          AppendName(settings_.LongDayNames, DayOfWeek(value_));
        else if (count == 5)
          Append(settings_.ShortDateFormat);
        else
          Append(settings_.LongDateFormat);
        break;
      }
      case 'H':
        AppendHour(format, next, CountRun(format, next, starter), use12HourClock);
        break;
      case 'N':
        AppendNumber(min_, std::min(CountRun(format, next, starter), 2));
        break;
      case 'S':
        AppendNumber(sec_, std::min(CountRun(format, next, starter), 2));
        break;
      case 'Z':
        AppendNumber(msec_, std::min(CountRun(format, next, starter), 3));
        break;
      case 'T':
        if (CountRun(format, next, starter) == 1)
          Append(settings_.ShortTimeFormat);
        else
          Append(settings_.LongTimeFormat);
        break;
      case 'C':
        CountRun(format, next, starter);
        Append(settings_.ShortDateFormat);
        if (hour_ != 0 || min_ != 0 || sec_ != 0) {
          out_ += ' ';
          Append(settings_.LongTimeFormat);
        }
        break;
      case 'A':
        if (!AppendAmPm(format, next, use12HourClock)) out_ += starter;
        break;
      case '/':
        if (settings_.DateSeparator != '\0') out_ += settings_.DateSeparator;
        break;
      case ':':
        if (settings_.TimeSeparator != '\0') out_ += settings_.TimeSeparator;
        break;
      case '\'':
      case '"': {
        const size_t close = format.find(starter, next);
        const size_t end = close == std::string_view::npos ? format.size() : close;
        out_.append(format.substr(next, end - next));
        next = close == std::string_view::npos ? end : end + 1;
        break;
      }
      default:
        out_ += starter;
    }
  }
  --depth_;
}

// An hour uses the 12-hour clock when an am/pm marker follows it before the
// next hour (outside quotes), or when one came before it in this format.
void DateTimeFormatter::AppendHour(std::string_view format, size_t next, int count,
                                   bool& use12HourClock) {
  bool betweenQuotes = false;
  for (size_t p = next; p < format.size(); ++p) {
    const char c = format[p];
    if (c == '\'' || c == '"') {
      betweenQuotes = !betweenQuotes;
    } else if (c == 'H' || c == 'h') {
      break;
    } else if ((c == 'A' || c == 'a') && !betweenQuotes) {
      if (StartsWithNoCase(format, p, "AM/PM") || StartsWithNoCase(format, p, "A/P") ||
          StartsWithNoCase(format, p, "AMPM"))
        use12HourClock = true;
      break;
    }
  }
  int hour = hour_;
  if (use12HourClock) {
    if (hour == 0)
      hour = 12;
    else if (hour > 12)
      hour -= 12;
  }
  AppendNumber(hour, std::min(count, 2));
}

// "am/pm" and "a/p" copy the marker in the mask's own letters; "ampm" takes
// the settings' strings; "aaa" and "aaaa" are day names. `next` is just past
// the 'a' that was read.
bool DateTimeFormatter::AppendAmPm(std::string_view format, size_t& next, bool& use12HourClock) {
  const size_t at = next - 1;
  const bool afternoon = hour_ >= 12;
  if (StartsWithNoCase(format, at, "AM/PM")) {
    out_.append(format.substr(afternoon ? at + 3 : at, 2));
    next = at + 5;
    use12HourClock = true;
  } else if (StartsWithNoCase(format, at, "A/P")) {
    out_ += format[afternoon ? at + 2 : at];
    next = at + 3;
    use12HourClock = true;
  } else if (StartsWithNoCase(format, at, "AMPM")) {
    out_ += afternoon ? settings_.TimePMString : settings_.TimeAMString;
    next = at + 4;
    use12HourClock = true;
  } else if (StartsWithNoCase(format, at, "AAAA")) {
    AppendName(settings_.LongDayNames, DayOfWeek(value_));
    next = at + 4;
  } else if (StartsWithNoCase(format, at, "AAA")) {
    AppendName(settings_.ShortDayNames, DayOfWeek(value_));
    next = at + 3;
  } else {
    return false;
  }
  return true;
}

// ---- Parsing ----------------------------------------------------------------

enum class DateOrder { MDY, DMY, YMD };

// The order of day, month and year is that of the first of them in the short
// date format.
DateOrder DateOrderOf(const AnsiString& shortDateFormat) {
  for (char c : shortDateFormat) {
    switch (AsciiUpper(c)) {
      case 'E':
      case 'Y':
        return DateOrder::YMD;
      case 'M':
        return DateOrder::MDY;
      case 'D':
        return DateOrder::DMY;
      default:
        break;
    }
  }
  return DateOrder::MDY;
}

class DateTimeScanner {
public:
  DateTimeScanner(const AnsiString& text, const TFormatSettings& settings)
      : text_(text), settings_(settings) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  bool ScanDate(TDateTime& date);
  bool ScanTime(TDateTime& time);

private:
  void ScanBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  // Up to four digits (a fifth is left for the caller to reject).
  bool ScanNumber(int& number, int& digits) {
    ScanBlanks();
    size_t p = pos_;
    int n = 0;
    while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9' && n < 1000) {
      n = n * 10 + (text_[p] - '0');
      ++p;
    }
    if (p == pos_) return false;
    digits = static_cast<int>(p - pos_);
    pos_ = p;
    number = n;
    return true;
  }
  bool ScanChar(char c) {
    ScanBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool ScanString(const AnsiString& symbol) {
    ScanBlanks();
    if (symbol.empty() || text_.size() - pos_ < symbol.size()) return false;
    if (!AnsiSameText(text_.substr(pos_, symbol.size()), symbol)) return false;
    pos_ += symbol.size();
    return true;
  }
  // 0 for an AM marker, 12 for PM, -1 for none.
  int ScanAmPm() {
    if (ScanString(settings_.TimeAMString) || ScanString("AM")) return 0;
    if (ScanString(settings_.TimePMString) || ScanString("PM")) return 12;
    return -1;
  }
  int ExpandYear(int year) const;

  const AnsiString& text_;
  const TFormatSettings& settings_;
  size_t pos_ = 0;
};

int DateTimeScanner::ExpandYear(int year) const {
  Word currentYear, month, day;
  DecodeDate(Now(), currentYear, month, day);
  const int window = settings_.TwoDigitYearCenturyWindow;
  const int centuryBase = currentYear - window;
  year += centuryBase / 100 * 100;
  if (window > 0 && year < centuryBase) year += 100;
  return year;
}

bool DateTimeScanner::ScanDate(TDateTime& date) {
  const DateOrder order = DateOrderOf(settings_.ShortDateFormat);
  int n1, n2, n3, l1, l2, l3;
  if (!(ScanNumber(n1, l1) && ScanChar(settings_.DateSeparator) && ScanNumber(n2, l2)))
    return false;
  int year, month, day;
  if (ScanChar(settings_.DateSeparator)) {
    if (!ScanNumber(n3, l3)) return false;
    int yearDigits = l3;
    switch (order) {
      case DateOrder::MDY: year = n3; month = n1; day = n2; break;
      case DateOrder::DMY: year = n3; month = n2; day = n1; break;
      case DateOrder::YMD: year = n1; month = n2; day = n3; yearDigits = l1; break;
    }
    if (yearDigits <= 2) year = ExpandYear(year);
  } else {
    Word currentYear, m, d;
    DecodeDate(Now(), currentYear, m, d);
    year = currentYear;
    if (order == DateOrder::DMY) {
      day = n1;
      month = n2;
    } else {
      month = n1;
      day = n2;
    }
  }
  ScanChar(settings_.DateSeparator);
  ScanBlanks();
  return TryEncodeDate(year, month, day, date);
}

bool DateTimeScanner::ScanTime(TDateTime& time) {
  int baseHour = ScanAmPm();
  if (baseHour >= 0) ScanBlanks();
  int hour, min = 0, sec = 0, msec = 0, digits;
  if (!ScanNumber(hour, digits)) return false;
  if (ScanChar(settings_.TimeSeparator)) {
    if (!ScanNumber(min, digits)) return false;
    if (ScanChar(settings_.TimeSeparator)) {
      if (!ScanNumber(sec, digits)) return false;
      if (ScanChar(settings_.DecimalSeparator) && !ScanNumber(msec, digits)) return false;
    }
  }
  if (baseHour < 0) baseHour = ScanAmPm();
  if (baseHour >= 0) {
    if (hour == 0 || hour > 12) return false;
    if (hour == 12) hour = 0;
    hour += baseHour;
  }
  ScanBlanks();
  return TryEncodeTime(hour, min, sec, msec, time);
}

[[noreturn]] void RaiseInvalid(const char* what, const AnsiString& text) {
  throw EConvertError("'" + text + "' is not a valid " + what);
}

}  // namespace

// ---- Calendar ---------------------------------------------------------------

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  const int leap = IsLeapYear(year) ? 1 : 0;
  const int next = month == 12 ? 365 + leap : DaysBeforeMonth[leap][month + 1];
  return next - DaysBeforeMonth[leap][month];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return false;
  const int y = year - 1;
  const int dayNumber = y * 365 + y / 4 - y / 100 + y / 400 +
                        DaysBeforeMonth[IsLeapYear(year) ? 1 : 0][month] + day;
  date = dayNumber - DateDelta;
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (hour < 0 || hour >= HoursPerDay || min < 0 || min >= MinsPerHour || sec < 0 ||
      sec >= SecsPerMin || msec < 0 || msec >= MSecsPerSec)
    return false;
  time = (((hour * MinsPerHour + min) * SecsPerMin + sec) * MSecsPerSec + msec) /
         static_cast<double>(MSecsPerDay);
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime time;
  if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

void DecodeDate(TDateTime value, Word& year, Word& month, Word& day) {
  const DateParts parts = DayNumberToDate(ToTimeStamp(value).day);
  year = parts.year;
  month = parts.month;
  day = parts.day;
}

void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec) {
  int t = ToTimeStamp(value).msec;
  msec = static_cast<Word>(t % MSecsPerSec);
  t /= MSecsPerSec;
  sec = static_cast<Word>(t % SecsPerMin);
  t /= SecsPerMin;
  min = static_cast<Word>(t % MinsPerHour);
  hour = static_cast<Word>(t / MinsPerHour);
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

TDateTime DateOf(TDateTime value) {
  return static_cast<double>(ToTimeStamp(value).day - DateDelta);
}

TDateTime TimeOf(TDateTime value) {
  return ToTimeStamp(value).msec / static_cast<double>(MSecsPerDay);
}

int DayOfWeek(TDateTime value) {
  // Day 1 (0001-01-01) was a Monday; the modulo stays positive for any day.
  return static_cast<int>(((ToTimeStamp(value).day % 7) + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime value, int months) {
  Word year, month, day;
  DecodeDate(value, year, month, day);
  const std::int64_t total = std::int64_t{year} * 12 + (month - 1) + months;
  if (total < 12 || total >= 10000 * 12) throw EConvertError("Invalid argument to date encode");
  const int newYear = static_cast<int>(total / 12);
  const int newMonth = static_cast<int>(total % 12) + 1;
  const int newDay = std::min<int>(day, DaysInMonth(newYear, newMonth));
  return ComposeDateTime(EncodeDate(newYear, newMonth, newDay), TimeOf(value));
}

// ---- Clock ------------------------------------------------------------------

TDateTime Now() { return ClockNow(); }
TDateTime Date() { return DateOf(ClockNow()); }
TDateTime Time() { return TimeOf(ClockNow()); }

// ---- Formatting -------------------------------------------------------------

AnsiString FormatDateTime(const AnsiString& format, TDateTime value,
                          const TFormatSettings& settings) {
  return DateTimeFormatter(value, settings).Run(format);
}

AnsiString DateToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(settings.ShortDateFormat, value, settings);
}

AnsiString TimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(settings.LongTimeFormat, value, settings);
}

AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime("c", value, settings);
}

// ---- Parsing ----------------------------------------------------------------

bool TryStrToDate(const AnsiString& text, TDateTime& value, const TFormatSettings& settings) {
  DateTimeScanner scanner(text, settings);
  TDateTime date;
  if (!scanner.ScanDate(date) || !scanner.AtEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const AnsiString& text, TDateTime& value, const TFormatSettings& settings) {
  DateTimeScanner scanner(text, settings);
  TDateTime time;
  if (!scanner.ScanTime(time) || !scanner.AtEnd()) return false;
  value = time;
  return true;
}

bool TryStrToDateTime(const AnsiString& text, TDateTime& value, const TFormatSettings& settings) {
  DateTimeScanner scanner(text, settings);
  TDateTime date, time = 0;
  if (scanner.ScanDate(date) && (scanner.AtEnd() || (scanner.ScanTime(time) && scanner.AtEnd()))) {
    value = ComposeDateTime(date, time);
    return true;
  }
  return TryStrToTime(text, value, settings);
}

TDateTime StrToDate(const AnsiString& text, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToDate(text, value, settings)) RaiseInvalid("date", text);
  return value;
}

TDateTime StrToTime(const AnsiString& text, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToTime(text, value, settings)) RaiseInvalid("time", text);
  return value;
}

TDateTime StrToDateTime(const AnsiString& text, const TFormatSettings& settings) {
  TDateTime value;
  if (!TryStrToDateTime(text, value, settings)) RaiseInvalid("date and time", text);
  return value;
}

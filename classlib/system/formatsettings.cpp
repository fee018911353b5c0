#include "classlib/system/formatsettings.h"

// The presets spell their non-ASCII letters as code page 1254 escapes so they
// hold the same bytes whatever execution character set a compiler uses.
// Split literals ("\xC7" "ar") keep a following hex letter out of the escape.

namespace {

TFormatSettings CommonSettings() {
  TFormatSettings s;
  s.TwoDigitYearCenturyWindow = 50;
  return s;
}

}  // namespace

TFormatSettings TurkishFormatSettings() {
  // As Windows reports tr-TR for the period the program was written in: the
  // currency symbol "TL" after the amount with a blank ("1 TL", "-1 TL").
  TFormatSettings s = CommonSettings();
  s.CurrencyString = "TL";
  s.CurrencyFormat = 3;
  s.NegCurrFormat = 8;
  s.ThousandSeparator = '.';
  s.DecimalSeparator = ',';
  s.CurrencyDecimals = 2;
  s.DateSeparator = '.';
  s.ShortDateFormat = "dd.mm.yyyy";
  s.LongDateFormat = "d mmmm yyyy dddd";
  s.TimeSeparator = ':';
  s.TimeAMString = "\xD6\xD6";  // ÖÖ
  s.TimePMString = "\xD6S";     // ÖS
  s.ShortTimeFormat = "hh:nn";
  s.LongTimeFormat = "hh:nn:ss";
  s.LongMonthNames = {"Ocak", "\xDE" "ubat", "Mart", "Nisan", "May\xFDs", "Haziran",
                      "Temmuz", "A\xF0ustos", "Eyl\xFCl", "Ekim", "Kas\xFDm", "Aral\xFDk"};
  s.ShortMonthNames = {"Oca", "\xDE" "ub", "Mar", "Nis", "May", "Haz",
                       "Tem", "A\xF0u", "Eyl", "Eki", "Kas", "Ara"};
  s.LongDayNames = {"Pazar", "Pazartesi", "Sal\xFD", "\xC7" "ar\xFE" "amba",
                    "Per\xFE" "embe", "Cuma", "Cumartesi"};
  s.ShortDayNames = {"Paz", "Pzt", "Sal", "\xC7" "ar", "Per", "Cum", "Cmt"};
  return s;
}

TFormatSettings USFormatSettings() {
  TFormatSettings s = CommonSettings();
  s.CurrencyString = AnsiString("$");  // a temporary: GCC 12 misreports assigning a one-letter literal
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.ThousandSeparator = ',';
  s.DecimalSeparator = '.';
  s.CurrencyDecimals = 2;
  s.DateSeparator = '/';
  s.ShortDateFormat = "m/d/yyyy";
  s.LongDateFormat = "dddd, mmmm d, yyyy";
  s.TimeSeparator = ':';
  s.TimeAMString = "AM";
  s.TimePMString = "PM";
  s.ShortTimeFormat = "h:nn AMPM";
  s.LongTimeFormat = "h:nn:ss AMPM";
  s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return s;
}

TFormatSettings FormatSettings = USFormatSettings();

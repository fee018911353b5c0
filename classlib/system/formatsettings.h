// Locale-dependent formatting settings, as the number, date and currency
// conversions read them.
//
// One process-wide FormatSettings, read from the user's locale at start-up by
// the program and the test programs (LoadLocaleFormatSettings); tests needing
// one locale set the Turkish or the US preset with FormatSettingsScope.
#pragma once
#include <array>

#include "classlib/system/ansistring.h"

struct TFormatSettings {
  AnsiString CurrencyString;
  unsigned char CurrencyFormat = 0;   // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  unsigned char NegCurrFormat = 0;    // 0..15 as the Windows locale numbers them
  char ThousandSeparator = ',';
  char DecimalSeparator = '.';
  unsigned char CurrencyDecimals = 2;
  char DateSeparator = '/';
  AnsiString ShortDateFormat;
  AnsiString LongDateFormat;
  char TimeSeparator = ':';
  AnsiString TimeAMString;
  AnsiString TimePMString;
  AnsiString ShortTimeFormat;
  AnsiString LongTimeFormat;
  std::array<AnsiString, 12> ShortMonthNames;
  std::array<AnsiString, 12> LongMonthNames;
  std::array<AnsiString, 7> ShortDayNames;  // Sunday first
  std::array<AnsiString, 7> LongDayNames;
  unsigned short TwoDigitYearCenturyWindow = 50;
};

// The settings every conversion uses unless it is handed its own.
extern TFormatSettings FormatSettings;

// Turkish (Türkiye) settings as Windows reports them: "," decimal, "." thousands,
// "TL" after the amount, dd.MM.yyyy, HH:mm:ss, Turkish day and month names.
TFormatSettings TurkishFormatSettings();
// US English settings: "." decimal, "," thousands, "$" before, M/d/yyyy, h:mm:ss AM/PM.
TFormatSettings USFormatSettings();
// Reads the user's locale (the Windows build) or keeps the current settings (natively).
void LoadLocaleFormatSettings();

// Sets FormatSettings for the lifetime of the scope, then restores the old ones.
class FormatSettingsScope {
public:
  explicit FormatSettingsScope(const TFormatSettings& settings) : saved_(FormatSettings) {
    FormatSettings = settings;
  }
  ~FormatSettingsScope() { FormatSettings = saved_; }
  FormatSettingsScope(const FormatSettingsScope&) = delete;
  FormatSettingsScope& operator=(const FormatSettingsScope&) = delete;

private:
  TFormatSettings saved_;
};

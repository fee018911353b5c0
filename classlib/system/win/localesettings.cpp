// Reads the user's locale into FormatSettings (the Windows build).
//
// Texts come from GetLocaleInfoW and are converted to code page 1254. Windows
// writes date and time pictures in its own letters ("dd.MM.yyyy", "HH:mm:ss",
// "tt"); the masks here use m for months, n for minutes and "AMPM" for the
// day-half marker, so the pictures are translated on the way in.
#include <windows.h>

#include <string>

#include "classlib/system/codepage.h"
#include "classlib/system/formatsettings.h"

namespace {

// The locale's text for an item, or the fallback when Windows has none.
AnsiString LocaleText(LCTYPE item, const AnsiString& fallback) {
  wchar_t buffer[256];
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, 256);
  if (length <= 1)
    return fallback;
  std::u16string text(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length - 1));
  return Utf16ToAnsi(text);
}

int LocaleNumber(LCTYPE item, int fallback) {
  AnsiString text = LocaleText(item, "");
  if (text.empty() || text.find_first_not_of("0123456789") != AnsiString::npos)
    return fallback;
  return std::stoi(text);
}

char LocaleChar(LCTYPE item, char fallback) {
  AnsiString text = LocaleText(item, "");
  return text.empty() ? fallback : text[0];
}

// The currency symbol in code page 1254. Newer locales give the Turkish lira
// sign U+20BA, which 1254 lacks: it is written "TL", as the lira was written
// before the sign existed (liraSign tells). Any other symbol 1254 lacks falls
// back to the international code ("EUR"), never to "?".
AnsiString CurrencySymbol(const AnsiString& fallback, bool& liraSign) {
  liraSign = false;
  wchar_t buffer[32];
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, buffer, 32);
  if (length <= 1)
    return fallback;
  std::u16string symbol(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length - 1));
  if (symbol == u"\u20BA") {
    liraSign = true;
    return "TL";
  }
  for (char16_t ch : symbol)
    if (CodePage1254().ByteOf(ch) < 0)
      return LocaleText(LOCALE_SINTLSYMBOL, fallback);
  return Utf16ToAnsi(symbol);
}

// Runs of one picture letter: "MMM" -> ('M', 3).
size_t RunLength(const AnsiString& picture, size_t at) {
  size_t end = at;
  while (end < picture.size() && picture[end] == picture[at])
    ++end;
  return end - at;
}

// Windows date/time picture -> mask: M -> m (month), m -> n (minute),
// H -> h, t/tt -> AMPM, era (g) dropped; quoted text stays as it is.
AnsiString PictureToMask(const AnsiString& picture) {
  AnsiString mask;
  for (size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'') {
      size_t close = picture.find('\'', i + 1);
      size_t end = close == AnsiString::npos ? picture.size() : close + 1;
      mask.append(picture, i, end - i);
      i = end;
      continue;
    }
    size_t run = RunLength(picture, i);
    switch (c) {
      case 'M': mask.append(run, 'm'); break;
      case 'm': mask.append(run, 'n'); break;
      case 'H': mask.append(run, 'h'); break;
      case 't': mask.append("AMPM"); break;
      case 'g': break;
      default: mask.append(run, c); break;
    }
    i += run;
  }
  // Dropping an era can leave a blank at either end.
  while (!mask.empty() && mask.back() == ' ')
    mask.pop_back();
  while (!mask.empty() && mask.front() == ' ')
    mask.erase(0, 1);
  return mask;
}

}  // namespace

void LoadLocaleFormatSettings() {
  TFormatSettings s = FormatSettings;
  bool liraSign = false;
  s.CurrencyString = CurrencySymbol(s.CurrencyString, liraSign);
  s.CurrencyFormat = static_cast<unsigned char>(LocaleNumber(LOCALE_ICURRENCY, s.CurrencyFormat));
  s.NegCurrFormat = static_cast<unsigned char>(LocaleNumber(LOCALE_INEGCURR, s.NegCurrFormat));
  if (liraSign) {
    // Whatever place the locale gives the sign, "TL" goes after the amount
    // with a blank, as it was written: "1.234,50 TL", "-1.234,50 TL".
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
  }
  s.CurrencyDecimals = static_cast<unsigned char>(LocaleNumber(LOCALE_ICURRDIGITS, s.CurrencyDecimals));
  s.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, s.ThousandSeparator);
  s.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, s.DecimalSeparator);
  s.DateSeparator = LocaleChar(LOCALE_SDATE, s.DateSeparator);
  s.TimeSeparator = LocaleChar(LOCALE_STIME, s.TimeSeparator);
  s.ShortDateFormat = PictureToMask(LocaleText(LOCALE_SSHORTDATE, ""));
  s.LongDateFormat = PictureToMask(LocaleText(LOCALE_SLONGDATE, ""));
  s.LongTimeFormat = PictureToMask(LocaleText(LOCALE_STIMEFORMAT, ""));
  s.ShortTimeFormat = PictureToMask(LocaleText(LOCALE_SSHORTTIME, ""));
  if (s.ShortDateFormat.empty()) s.ShortDateFormat = FormatSettings.ShortDateFormat;
  if (s.LongDateFormat.empty()) s.LongDateFormat = FormatSettings.LongDateFormat;
  if (s.LongTimeFormat.empty()) s.LongTimeFormat = FormatSettings.LongTimeFormat;
  if (s.ShortTimeFormat.empty()) s.ShortTimeFormat = FormatSettings.ShortTimeFormat;
  s.TimeAMString = LocaleText(LOCALE_S1159, s.TimeAMString);
  s.TimePMString = LocaleText(LOCALE_S2359, s.TimePMString);
  for (int m = 0; m < 12; ++m) {
    s.LongMonthNames[m] = LocaleText(LOCALE_SMONTHNAME1 + m, s.LongMonthNames[m]);
    s.ShortMonthNames[m] = LocaleText(LOCALE_SABBREVMONTHNAME1 + m, s.ShortMonthNames[m]);
  }
  // Windows counts days from Monday (LOCALE_SDAYNAME1); the settings from Sunday.
  for (int d = 0; d < 7; ++d) {
    LCTYPE windowsDay = static_cast<LCTYPE>((d + 6) % 7);
    s.LongDayNames[d] = LocaleText(LOCALE_SDAYNAME1 + windowsDay, s.LongDayNames[d]);
    s.ShortDayNames[d] = LocaleText(LOCALE_SABBREVDAYNAME1 + windowsDay, s.ShortDayNames[d]);
  }
  FormatSettings = s;
}

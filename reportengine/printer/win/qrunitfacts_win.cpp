// The system's measurement setting and the screen's resolution.
#include <windows.h>

#include "classlib/graphics/screenfacts.h"
#include "reportengine/printer/qrunitfacts.h"

namespace qrunitfacts_detail {

// LOCALE_IMEASURE of the system's default locale: "0" metric, "1" U.S.
bool SystemUSMeasure() {
  wchar_t measure[4] = {};
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IMEASURE, measure, 4) == 0)
    return false;
  return measure[0] == L'1' && measure[1] == L'\0';
}

int SystemScreenPixelsPerInch() {
  int ppi = ScreenFacts().PixelsPerInch;
  return ppi > 0 ? ppi : 96;
}

}  // namespace qrunitfacts_detail

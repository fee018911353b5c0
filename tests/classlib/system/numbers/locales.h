// The two locales the number tables run under.
#pragma once
#include <ostream>

#include "classlib/system/formatsettings.h"

enum class Locale { US, TR };

inline const TFormatSettings& SettingsOf(Locale locale) {
  static const TFormatSettings us = USFormatSettings();
  static const TFormatSettings tr = TurkishFormatSettings();
  return locale == Locale::TR ? tr : us;
}

inline std::ostream& operator<<(std::ostream& os, Locale locale) {
  return os << (locale == Locale::TR ? "TR" : "US");
}

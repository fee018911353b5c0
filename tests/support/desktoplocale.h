// The locale the test desktop runs a test program under: LANG, which Wine
// turns into the Windows user locale. Turkish by default; U.S. English for
// the second run of the locale-sensitive tests. Header-only.
#pragma once
#include <cstdlib>
#include <string>

namespace test_support {

enum class DesktopLocale { Turkish, USEnglish, Other };

inline std::string DesktopLocaleName() {
  const char* lang = std::getenv("LANG");
  return lang != nullptr ? lang : "";
}

inline DesktopLocale CurrentDesktopLocale() {
  const std::string name = DesktopLocaleName();
  if (name.rfind("tr_TR", 0) == 0)
    return DesktopLocale::Turkish;
  if (name.rfind("en_US", 0) == 0)
    return DesktopLocale::USEnglish;
  return DesktopLocale::Other;
}

}  // namespace test_support

// The application's own options text of a skin manager (CommonSections):
// sections a skin does not have are added to it, taking what they leave out
// from the skin's section their PARENTCLASS names. Portable: no Win32.
#pragma once
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/classes/strings.h"
#include "skin/core/skinsections.h"

// Removes every space of each line that is not empty and does not begin
// with ";".
void StripCommonSectionSpaces(TStrings* Lines);

class TsCommonSections {
public:
  // Lines before the first section and lines beginning with ";" are left out.
  explicit TsCommonSections(TStrings* Lines);
  ~TsCommonSections();
  TsCommonSections(const TsCommonSections&) = delete;
  TsCommonSections& operator=(const TsCommonSections&) = delete;

  std::vector<AnsiString> SectionNames() const;
  // The KEY=VALUE lines of a section as (key, value), in their order.
  std::vector<std::pair<AnsiString, AnsiString>> Values(const AnsiString& Section) const;
  // A section to append to the skin: ParentClass is the upper-cased
  // PARENTCLASS ("-1" when absent); a key the text leaves out comes from the
  // skin section whose upper-cased name equals ParentClass, else from the
  // defaults of an options file; GLOW, GLOWMARGIN, HGSIZE and GSIZE left
  // out are 0. Keys are found without regard to case.
  TsGeneralData ReadSection(const AnsiString& Name, const TsGeneralDataArray& Skin) const;

private:
  TStringList* FSections;
};

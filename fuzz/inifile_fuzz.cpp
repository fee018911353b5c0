// INI files and delimited lists come from outside (option files, settings
// copied between machines): parsing any bytes must neither crash nor loop,
// and what is written must read back as it was written.
// fuzz-deps: dozuri_classes dozuri_system
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/classes/inidocument.h"
#include "classlib/classes/strings.h"

namespace {

void CheckIni(const std::string& text, IniDocument::ValueStyle style) {
  IniDocument document(style);
  document.Load(text);
  AnsiString value;
  for (const AnsiString& section : document.Sections())
    for (const AnsiString& key : document.Keys(section))
      if (!document.ReadValue(section, key, value))
        std::abort();  // a listed key must be readable

  // A value written is read back (cut at its first line break).
  AnsiString written = text.substr(0, std::min<size_t>(text.size(), 40));
  AnsiString expected = written.substr(0, written.find_first_of("\r\n"));
  document.WriteValue("Fuzz Section", "FuzzKey", written);
  if (!document.ReadValue("fuzz section", "FUZZKEY", value))
    std::abort();
  if (style == IniDocument::ValueStyle::Raw && value != expected)
    std::abort();

  // Saving and loading again gives the same sections.
  IniDocument again(style);
  again.Load(document.Save());
  if (again.Sections() != document.Sections())
    std::abort();
  document.EraseSection("fuzz section");
  if (document.HasSection("Fuzz Section"))
    std::abort();
}

void CheckCommaText(const std::string& text) {
  TStringList list;
  list.SetCommaText(text);
  TStringList back;
  back.SetCommaText(list.CommaText());
  if (!back.Equals(&list))
    std::abort();  // CommaText must round-trip whatever lines it holds
  list.SetText(text);
  back.SetText(list.Text());
  if (!back.Equals(&list))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  CheckIni(text, IniDocument::ValueStyle::Profile);
  CheckIni(text, IniDocument::ValueStyle::Raw);
  CheckCommaText(text);
  return 0;
}

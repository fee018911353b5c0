#include "app/generalhelpers.h"

#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"

namespace platform {
// The executable's own name, from the operating system.
AnsiString ExecutableFileName();
}  // namespace platform

namespace {

AnsiString& ProgramFileNameOverride() {
  static AnsiString name;
  return name;
}

}  // namespace

AnsiString ProgramFileName() {
  const AnsiString& overridden = ProgramFileNameOverride();
  return overridden.empty() ? platform::ExecutableFileName() : overridden;
}

void SetProgramFileNameForTesting(const AnsiString& fileName) { ProgramFileNameOverride() = fileName; }

AnsiString ExeDir() { return IncludeTrailingPathDelimiter(ExtractFilePath(ProgramFileName())); }

AnsiString DataDir() { return ExeDir() + "Data\\"; }

AnsiString IniDir() {
  const AnsiString dir = ExeDir() + "Data\\Ini\\";
  if (!DirectoryExists(dir))
    ForceDirectories(dir);
  return dir;
}

AnsiString TurkishUpperCase(const AnsiString& text) {
  AnsiString result = text;
  for (char& c : result)
    c = TurkishUpperChar(c);
  return result;
}

char TurkishUpperChar(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0xFD: return 'I';                      // ı
    case 'i': return static_cast<char>(0xDD);   // İ
    case 0xE7: return static_cast<char>(0xC7);  // ç
    case 0xF0: return static_cast<char>(0xD0);  // ğ
    case 0xF6: return static_cast<char>(0xD6);  // ö
    case 0xFC: return static_cast<char>(0xDC);  // ü
    case 0xFE: return static_cast<char>(0xDE);  // ş
    default:
      return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
}

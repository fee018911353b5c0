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
  for (char& c : result) {
    switch (static_cast<unsigned char>(c)) {
      case 0xFD: c = 'I'; break;                    // ı
      case 'i': c = static_cast<char>(0xDD); break;  // İ
      case 0xE7: c = static_cast<char>(0xC7); break;  // ç
      case 0xF0: c = static_cast<char>(0xD0); break;  // ğ
      case 0xF6: c = static_cast<char>(0xD6); break;  // ö
      case 0xFC: c = static_cast<char>(0xDC); break;  // ü
      case 0xFE: c = static_cast<char>(0xDE); break;  // ş
      default:
        if (c >= 'a' && c <= 'z')
          c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return result;
}

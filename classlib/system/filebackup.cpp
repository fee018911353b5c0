#include "classlib/system/filebackup.h"

#include <string>

#include "classlib/system/fileutils.h"

// A folder of the name takes it as a file would.
AnsiString FreeBackupFileName(const AnsiString& fileName) {
  AnsiString name = fileName + ".bak";
  for (int n = 1; (FileExists(name) || DirectoryExists(name)) && n < 1000; ++n)
    name = fileName + "." + std::to_string(n) + ".bak";
  return name;
}

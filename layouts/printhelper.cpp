#include "layouts/printhelper.h"

#include <string>

#include "classlib/system/codepage.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"

namespace {

// Keeps a library that fails to load from raising the system's error boxes.
class TQuietLoadErrors {
public:
  TQuietLoadErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
  ~TQuietLoadErrors() { SetThreadErrorMode(previous_, nullptr); }
  TQuietLoadErrors(const TQuietLoadErrors&) = delete;
  TQuietLoadErrors& operator=(const TQuietLoadErrors&) = delete;

private:
  DWORD previous_ = 0;
};

}  // namespace

TPrintHelperLibrary::TPrintHelperLibrary(const AnsiString& Folder) {
  if (Folder.empty())
    return;  // only a full path is ever loaded
  const AnsiString path = IncludeTrailingPathDelimiter(Folder) + PrintHelperFileName;
  if (!FileExists(path))
    return;
  const std::u16string widePath = AnsiToUtf16(path);
  TQuietLoadErrors quiet;
  // A full path, and the library's own dependencies looked up beside it first.
  module_ = LoadLibraryExW(reinterpret_cast<LPCWSTR>(widePath.c_str()), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module_ == nullptr)
    return;
  execute_ = reinterpret_cast<TPrintHelperExecute>(reinterpret_cast<void*>(GetProcAddress(module_, "Execute")));
}

TPrintHelperLibrary::~TPrintHelperLibrary() {
  if (module_ != nullptr)
    FreeLibrary(module_);
}


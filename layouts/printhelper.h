// The optional outside print helper library "printhelper.dll". When present
// beside the program it previews and prints single graphic pages of custom
// paper size through its export "Execute".
//
// It is loaded by its full path in the program's folder, never through the
// system's library search order, so that a library of that name planted in
// the current folder or on the PATH is never run.
#pragma once
#include <windows.h>

#include <cstdint>

#include "classlib/system/ansistring.h"
// ProgramFolder(): the program's folder with a trailing path delimiter.
#include "skin/core/skinplatform.h"

// "Execute"(printer name, copies, mode 1 preview / 2 print, page width,
// page length in the page's units, pages as base64 metafiles joined by "|||").
using TPrintHelperExecute = void(__stdcall*)(const char* PrinterName, std::int32_t Copies, std::int32_t Mode,
                                             long double Width, long double Length, const char* Pages);

inline constexpr char PrintHelperFileName[] = "printhelper.dll";

class TPrintHelperLibrary {
public:
  // Loads Folder + "printhelper.dll" (Folder ends with a path delimiter);
  // a missing file, a library that does not load or one without "Execute"
  // leaves the helper unavailable and is not an error.
  explicit TPrintHelperLibrary(const AnsiString& Folder);
  ~TPrintHelperLibrary();
  TPrintHelperLibrary(const TPrintHelperLibrary&) = delete;
  TPrintHelperLibrary& operator=(const TPrintHelperLibrary&) = delete;

  HMODULE Handle() const { return module_; }
  // nullptr when the helper is not available.
  TPrintHelperExecute Execute() const { return execute_; }
  bool Available() const { return execute_ != nullptr; }

private:
  HMODULE module_ = nullptr;
  TPrintHelperExecute execute_ = nullptr;
};


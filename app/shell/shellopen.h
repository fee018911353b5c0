// Opening a file or a program through the Windows shell, behind a seam so
// tests see what would be opened without starting anything.
#pragma once
#include <windows.h>

#include <functional>

#include "classlib/system/ansistring.h"

struct TShellOpenRequest {
  HWND Parent = nullptr;
  AnsiString Verb;
  AnsiString File;
  AnsiString Parameters;
  AnsiString Directory;
  int Show = SW_SHOWNORMAL;
};

using TShellOpener = std::function<void(const TShellOpenRequest&)>;

// Hands the request to the shell (ShellExecute), or to the opener in force.
// Gives the shell's result: above 32 when it started the program, else the
// reason it did not (the opener in force counts as started).
int ShellOpen(const TShellOpenRequest& request);
// Installs an opener (nullptr: the shell); gives the previous one.
TShellOpener SetShellOpener(TShellOpener opener);

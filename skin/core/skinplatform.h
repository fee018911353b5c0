// The skin library's platform routines: the program's folder, the directory
// search, shell icons of files, the caption font, version tests, a delay
// that keeps messages flowing and the error box.
#pragma once
#include <windows.h>

#include <cstdint>

#include "classlib/system/ansistring.h"

class TIcon;

// The folder of the program file with its trailing "\".
AnsiString ProgramFolder();

// One entry found by the directory search.
struct TSearchEntry {
  AnsiString Name;
  DWORD Attributes = 0;
  std::int64_t Size = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
};
// The first entry matching Pattern ("c:\Skins\*"); 0 when found, else the
// system's error code. Every successful search ends with FindCloseEntry.
int FindFirstEntry(const AnsiString& Pattern, TSearchEntry& Entry);
// The next entry; 0 when found.
int FindNextEntry(TSearchEntry& Entry);
void FindCloseEntry(TSearchEntry& Entry);

// The shell's icon of a file (Flags SHGFI_SMALLICON for the small one, 0 for
// the large); nullptr when the file does not exist or has no icon. The
// caller owns the icon.
TIcon* FileShellIcon(const AnsiString& FileName, UINT Flags);
// lfHeight of the system's caption font; 0 when it cannot be read.
int CaptionFontHeight();
// A font handle of the caption font (the caller deletes it); nullptr on failure.
HFONT CreateCaptionFont();
// Windows 5.1 or later.
bool IsWindowsXPOrLater();
// Windows 6.0 or later.
bool IsWindowsVistaOrLater();
// Looks up IsWow64Process once; the unit's start-up calls it.
void LoadWow64Entry();
// True when the entry exists and reports the process as a 32-bit one on a
// 64-bit system.
bool RunsUnderWow64();
// An error box with one OK button.
void ShowErrorMessage(const AnsiString& Msg);
// Processes the application's messages until Ms milliseconds have passed;
// at least one pass.
void DelayWithMessages(unsigned Ms);

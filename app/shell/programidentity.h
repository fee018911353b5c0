// Who the program says it is, and the shell's program-wide state.
#pragma once
#include "classlib/system/ansistring.h"

inline const char* const ApplicationTitle = "VORTELIM Dozuri";
inline const char* const ProgramName = "Dozuri";
inline const char* const ProgramVersion = "s4.03.01";

// The title, one blank and the version: the main form's caption.
AnsiString MainFormTitle();

// Off while the record file is read at start-up, so the appends of the
// load do not pull the record page to the front; on from then on.
extern bool FocusOnInsert;
// The report list file of the last print or preview request; empty at
// start and after an unhandled exception.
extern AnsiString ActiveListFile;

// The maker's web address in the "Yardım" menu.
inline const char* const MakerWebAddress = "www.vortelim.com.tr";

// The fixed entries of the tools menu: the calculator first, then two of
// the maker's desktop tools, which live in the maker's tools folder.
struct TFixedTool {
  const char* Caption;
  int ImageIndex;
  const char* FileName;  // nullptr: the calculator
};
inline constexpr TFixedTool FixedToolList[] = {
    {"Hesap Makinesi", 29, nullptr},
    {"VORTELIM Ajanda", 26, "C:\\VT_ARAC\\VtAjanda.exe"},
    {"VORTELIM Not Defteri", 28, "C:\\VT_ARAC\\VtNotDefteri.exe"},
};

// The report list file: which layouts a print job may use, which one is the
// default, whether the user chooses before each print, the printer and the
// copy count. A text file of CR LF lines in code page 1254:
//
//   file "|" description          a layout (only the first "|" separates; a
//                                 line without "|" is a file, no description)
//   "[def]" file "|" description  the same, and the default layout
//   "[*]RAPORSECENEKLERINIGOSTER" choose a layout before every print
//   "[*]PRINTER=" name            the printer (empty: the current printer)
//   "[*]COPY=" number             the copies (1 when missing or no number)
//
// Lines beginning with "[*]" are options and never layouts. The host's own
// default layout is not stored in the file.
//
// One reader and one writer serve the chooser and the report component.
// Reading keeps only the first "[def]" line as the default (a second one
// becomes an ordinary layout), so that the file never says two things; the
// chooser option counts only as a line of its own, not as text inside a path
// or a description. A damaged or binary file raises EReportListError with a
// Turkish message and is left as it is. Writing replaces the file through a
// temporary file in its folder, so a failure never loses the old list.
#pragma once
#include <vector>

#include "classlib/system/ansistring.h"
#include "classlib/system/exceptions.h"

DOZURI_EXCEPTION(EReportListError, Exception);

// The prefix of a default layout line and the option lines, as stored.
inline constexpr const char* kReportListDefaultPrefix = "[def]";
inline constexpr const char* kReportListOptionPrefix = "[*]";
inline constexpr const char* kReportListAskOption = "[*]RAPORSECENEKLERINIGOSTER";
inline constexpr const char* kReportListPrinterName = "[*]PRINTER";
inline constexpr const char* kReportListCopyName = "[*]COPY";

// One layout line.
struct TReportListEntry {
  AnsiString FileName;
  AnsiString Description;
  bool IsDefault = false;

  bool operator==(const TReportListEntry&) const = default;
};

class TReportListFile {
public:
  // Layout lines in file order; at most one IsDefault after reading.
  std::vector<TReportListEntry> Entries;
  // "[*]RAPORSECENEKLERINIGOSTER" present.
  bool AskBeforePrint = false;
  // The value of "[*]PRINTER="; empty: the current printer.
  AnsiString PrinterName;
  // The value of "[*]COPY=" as a whole number; 1 when missing or no number.
  int Copies = 1;

  // Reads the lines of a file's text (CR LF, CR or LF; a last line break
  // adds no line). Empty lines are skipped. Raises EReportListError for text
  // that is no list file (control characters other than tab, CR and LF).
  static TReportListFile Parse(const AnsiString& Text);
  // Reads a file. Raises EReportListError with a Turkish message naming the
  // file when it cannot be read, is too large or is damaged; a missing file
  // is the caller's matter (check FileExists first).
  static TReportListFile Load(const AnsiString& FileName);

  // The first default entry, or nullptr.
  const TReportListEntry* DefaultEntry() const;

  // The lines in their written order: layouts in list order ("[def]" in
  // front of the first default only), the chooser option when set, then
  // "[*]PRINTER=" and "[*]COPY=".
  std::vector<AnsiString> Lines() const;
  // The lines, each ended by CR LF: the file's bytes.
  AnsiString Text() const;
  // Makes the file's folder with every missing parent, then replaces the
  // file safely. Raises EReportListError when that fails; the old file then
  // stays as it was.
  void Save(const AnsiString& FileName) const;
};

// Splits a layout line (without "[def]") at its first "|".
TReportListEntry ParseReportListEntry(const AnsiString& Line);

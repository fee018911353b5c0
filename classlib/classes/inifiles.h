// INI files: TIniFile, which reads and writes the file at every call as the
// system's profile functions do, and TMemIniFile, which holds the file in
// memory until UpdateFile.
//
// Both are written here over the file's 8-bit text (code page 1254), in the
// Windows build too: the system's profile functions pick ANSI or UTF-16 by
// the file's first bytes and convert with the machine's code page, so a file
// they write differs from machine to machine. Files keep their comments,
// blank lines and line order; sections and keys are case-insensitive; when a
// section or key occurs twice, the first one counts for reads.
//
// TIniFile follows the profile functions: a file name without a folder means
// the Windows folder (IniWindowsFolder, replaceable for tests); values are
// read with surrounding blanks and one pair of enclosing quotes removed;
// reading a missing file, section or key gives the default; each Write
// updates the file at once (EIniFileException "Unable to write to %s" when it
// cannot). TMemIniFile takes its file name as given and reads values as the
// text after "=" stands.
#pragma once
#include "classlib/classes/inidocument.h"
#include "classlib/classes/object.h"
#include "classlib/system/ansistring.h"
#include "classlib/system/datetime.h"

class TStrings;

class TCustomIniFile : public TObject {
  DECLARE_CLASS(TCustomIniFile, TObject)

public:
  explicit TCustomIniFile(const AnsiString& fileName) : fileName_(fileName) {}

  const AnsiString& FileName() const { return fileName_; }

  virtual AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& defaultValue) = 0;
  virtual void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) = 0;
  // Decimal, "$hex" or "0xhex"; the default for missing or bad text.
  int ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue);
  void WriteInteger(const AnsiString& section, const AnsiString& ident, int value);
  // A whole number: 0 is false, any other true; "1"/"0" are written.
  bool ReadBool(const AnsiString& section, const AnsiString& ident, bool defaultValue);
  void WriteBool(const AnsiString& section, const AnsiString& ident, bool value);
  // With the locale's decimal separator and date format; the default for
  // missing or bad text.
  double ReadFloat(const AnsiString& section, const AnsiString& ident, double defaultValue);
  TDateTime ReadDate(const AnsiString& section, const AnsiString& ident, TDateTime defaultValue);

  // The section's key names.
  virtual void ReadSection(const AnsiString& section, TStrings* strings) = 0;
  virtual void ReadSections(TStrings* strings) = 0;
  // The section's "key=value" lines.
  virtual void ReadSectionValues(const AnsiString& section, TStrings* strings) = 0;
  virtual void EraseSection(const AnsiString& section) = 0;
  virtual void DeleteKey(const AnsiString& section, const AnsiString& ident) = 0;
  virtual void UpdateFile() = 0;
  // A section counts as existing when it has at least one key.
  bool SectionExists(const AnsiString& section);
  bool ValueExists(const AnsiString& section, const AnsiString& ident);

protected:
  // Fills strings with lines under BeginUpdate/EndUpdate.
  static void FillStrings(TStrings* strings, const std::vector<AnsiString>& lines);
  void ReadValuesFrom(const IniDocument& document, const AnsiString& section, TStrings* strings);

private:
  AnsiString fileName_;
};

class TIniFile : public TCustomIniFile {
  DECLARE_CLASS(TIniFile, TCustomIniFile)

public:
  explicit TIniFile(const AnsiString& fileName);

  AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& defaultValue) override;
  void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) override;
  void ReadSection(const AnsiString& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const AnsiString& section, TStrings* strings) override;
  void EraseSection(const AnsiString& section) override;
  void DeleteKey(const AnsiString& section, const AnsiString& ident) override;
  // Writes are on disk already; nothing to do.
  void UpdateFile() override {}

  // The file the calls read and write: FileName, in the Windows folder when
  // it names no folder.
  const AnsiString& Path() const { return path_; }

private:
  IniDocument Load() const;
  void Store(const IniDocument& document) const;

  AnsiString path_;
};

class TMemIniFile : public TCustomIniFile {
  DECLARE_CLASS(TMemIniFile, TCustomIniFile)

public:
  // Reads the file when it exists.
  explicit TMemIniFile(const AnsiString& fileName);

  AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& defaultValue) override;
  void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) override;
  void ReadSection(const AnsiString& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const AnsiString& section, TStrings* strings) override;
  void EraseSection(const AnsiString& section) override;
  void DeleteKey(const AnsiString& section, const AnsiString& ident) override;
  // Writes the file (EIniFileException "Unable to write to %s" on failure).
  void UpdateFile() override;

private:
  IniDocument document_{IniDocument::ValueStyle::Raw};
};

// The folder a file name without a folder stands for: the Windows folder
// (GetWindowsDirectoryW in the Windows build, the current folder natively),
// unless a test set another.
AnsiString IniWindowsFolder();
// Sets the folder for bare file names; "" returns to the system's.
void SetIniWindowsFolder(const AnsiString& folder);

// Sets the folder for bare INI file names for the lifetime of the scope.
class IniWindowsFolderScope {
public:
  explicit IniWindowsFolderScope(const AnsiString& folder);
  ~IniWindowsFolderScope();
  IniWindowsFolderScope(const IniWindowsFolderScope&) = delete;
  IniWindowsFolderScope& operator=(const IniWindowsFolderScope&) = delete;

private:
  AnsiString saved_;
};

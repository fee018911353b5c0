#include "classlib/classes/inifiles.h"

#include <mutex>

#include "classlib/classes/inifolder.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/strings.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TCustomIniFile)
IMPLEMENT_CLASS(TIniFile)
IMPLEMENT_CLASS(TMemIniFile)

namespace {

std::mutex& FolderLock() {
  static std::mutex lock;
  return lock;
}

AnsiString& FolderOverride() {
  static AnsiString folder;
  return folder;
}

// A name with no folder part: no "\", "/" or drive ":".
bool IsBareName(const AnsiString& fileName) { return fileName.find_first_of("\\/:") == AnsiString::npos; }

// The whole file, or "" when it is missing or cannot be read (the profile
// functions then give defaults).
AnsiString ReadFileText(const AnsiString& fileName) {
  if (!FileExists(fileName))
    return AnsiString();
  try {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    AnsiString text(static_cast<size_t>(stream.Size()), '\0');
    stream.ReadBuffer(text.data(), static_cast<std::int32_t>(text.size()));
    return text;
  } catch (const EStreamError&) {
    return AnsiString();
  }
}

void WriteFileText(const AnsiString& fileName, const AnsiString& text) {
  try {
    TFileStream stream(fileName, fmCreate);
    stream.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  } catch (const EStreamError&) {
    throw EIniFileException("Unable to write to " + fileName);
  }
}

}  // namespace

// ---- The folder of bare names

AnsiString IniWindowsFolder() {
  {
    std::lock_guard guard(FolderLock());
    if (!FolderOverride().empty())
      return FolderOverride();
  }
  return inifolder::SystemWindowsFolder();
}

void SetIniWindowsFolder(const AnsiString& folder) {
  std::lock_guard guard(FolderLock());
  FolderOverride() = folder;
}

IniWindowsFolderScope::IniWindowsFolderScope(const AnsiString& folder) {
  std::lock_guard guard(FolderLock());
  saved_ = FolderOverride();
  FolderOverride() = folder;
}

IniWindowsFolderScope::~IniWindowsFolderScope() {
  std::lock_guard guard(FolderLock());
  FolderOverride() = saved_;
}

// ---- TCustomIniFile

int TCustomIniFile::ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue) {
  // StrToIntDef takes "$1F" and "0x1F" alike.
  return StrToIntDef(ReadString(section, ident, AnsiString()), defaultValue);
}

void TCustomIniFile::WriteInteger(const AnsiString& section, const AnsiString& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const AnsiString& section, const AnsiString& ident, bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& section, const AnsiString& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const AnsiString& section, const AnsiString& ident, double defaultValue) {
  double value = 0;
  return TryStrToFloat(ReadString(section, ident, AnsiString()), value) ? value : defaultValue;
}

TDateTime TCustomIniFile::ReadDate(const AnsiString& section, const AnsiString& ident, TDateTime defaultValue) {
  TDateTime value = 0;
  return TryStrToDate(ReadString(section, ident, AnsiString()), value) ? value : defaultValue;
}

bool TCustomIniFile::SectionExists(const AnsiString& section) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const AnsiString& section, const AnsiString& ident) {
  TStringList keys;
  ReadSection(section, &keys);
  for (int i = 0; i < keys.Count(); ++i)
    if (SameText(keys[i], ident))
      return true;
  return false;
}

void TCustomIniFile::FillStrings(TStrings* strings, const std::vector<AnsiString>& lines) {
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (const AnsiString& line : lines)
      strings->Add(line);
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TCustomIniFile::ReadValuesFrom(const IniDocument& document, const AnsiString& section, TStrings* strings) {
  std::vector<AnsiString> lines;
  AnsiString value;
  for (const AnsiString& key : document.Keys(section)) {
    document.ReadValue(section, key, value);
    lines.push_back(key + "=" + value);
  }
  FillStrings(strings, lines);
}

// ---- TIniFile

TIniFile::TIniFile(const AnsiString& fileName)
    : TCustomIniFile(fileName),
      path_(IsBareName(fileName) ? IncludeTrailingPathDelimiter(IniWindowsFolder()) + fileName : fileName) {}

IniDocument TIniFile::Load() const {
  IniDocument document(IniDocument::ValueStyle::Profile);
  document.Load(ReadFileText(path_));
  return document;
}

void TIniFile::Store(const IniDocument& document) const { WriteFileText(path_, document.Save()); }

AnsiString TIniFile::ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& defaultValue) {
  AnsiString value;
  return Load().ReadValue(section, ident, value) ? value : defaultValue;
}

void TIniFile::WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) {
  IniDocument document = Load();
  document.WriteValue(section, ident, value);
  Store(document);
}

void TIniFile::ReadSection(const AnsiString& section, TStrings* strings) { FillStrings(strings, Load().Keys(section)); }

void TIniFile::ReadSections(TStrings* strings) { FillStrings(strings, Load().Sections()); }

void TIniFile::ReadSectionValues(const AnsiString& section, TStrings* strings) {
  ReadValuesFrom(Load(), section, strings);
}

void TIniFile::EraseSection(const AnsiString& section) {
  IniDocument document = Load();
  if (!document.HasSection(section))
    return;
  document.EraseSection(section);
  Store(document);
}

void TIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
  IniDocument document = Load();
  AnsiString value;
  if (!document.ReadValue(section, ident, value))
    return;
  document.DeleteKey(section, ident);
  Store(document);
}

// ---- TMemIniFile

TMemIniFile::TMemIniFile(const AnsiString& fileName) : TCustomIniFile(fileName) {
  document_.Load(ReadFileText(fileName));
}

AnsiString TMemIniFile::ReadString(const AnsiString& section, const AnsiString& ident,
                                   const AnsiString& defaultValue) {
  AnsiString value;
  return document_.ReadValue(section, ident, value) ? value : defaultValue;
}

void TMemIniFile::WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) {
  document_.WriteValue(section, ident, value);
}

void TMemIniFile::ReadSection(const AnsiString& section, TStrings* strings) {
  FillStrings(strings, document_.Keys(section));
}

void TMemIniFile::ReadSections(TStrings* strings) { FillStrings(strings, document_.Sections()); }

void TMemIniFile::ReadSectionValues(const AnsiString& section, TStrings* strings) {
  ReadValuesFrom(document_, section, strings);
}

void TMemIniFile::EraseSection(const AnsiString& section) { document_.EraseSection(section); }

void TMemIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
  document_.DeleteKey(section, ident);
}

void TMemIniFile::UpdateFile() { WriteFileText(FileName(), document_.Save()); }

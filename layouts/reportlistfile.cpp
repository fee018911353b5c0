#include "layouts/reportlistfile.h"

#include <string_view>

#include "classlib/classes/streams.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

namespace {

// A list of layouts is a few kilobytes; anything far larger is no list file,
// and reading it whole would only cost memory.
constexpr std::int64_t kMaxListFileSize = 1 << 20;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Text files hold printable characters, tabs and line breaks; any other
// control byte (a NUL above all) means binary data or a damaged file.
bool LooksLikeText(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n')
      return false;
  }
  return true;
}

// Splits at CR LF, CR or LF; a line break at the very end adds no line.
std::vector<AnsiString> SplitLines(std::string_view text) {
  std::vector<AnsiString> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
      end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r')
      ++start;
    if (start < text.size() && text[start] == '\n')
      ++start;
  }
  return lines;
}

// The value of an option line "name=value" whose name matches without
// regard to letter case, as a name-value list compares names.
bool OptionValue(const AnsiString& line, std::string_view name, AnsiString& value) {
  const std::size_t equals = line.find('=');
  if (equals == AnsiString::npos || !SameText(line.substr(0, equals), AnsiString(name)))
    return false;
  value = line.substr(equals + 1);
  return true;
}

void ReadOption(TReportListFile& list, const AnsiString& line, bool& printerSeen, bool& copiesSeen) {
  AnsiString value;
  if (TrimRight(line) == kReportListAskOption)
    list.AskBeforePrint = true;
  else if (OptionValue(line, kReportListPrinterName, value)) {
    // The first line of a name counts, as in a name-value list.
    if (!printerSeen)
      list.PrinterName = value;
    printerSeen = true;
  } else if (OptionValue(line, kReportListCopyName, value)) {
    if (!copiesSeen) {
      const int copies = StrToIntDef(Trim(value), 1);
      list.Copies = copies >= 1 ? copies : 1;
    }
    copiesSeen = true;
  }
}

AnsiString ReadWholeFile(const AnsiString& FileName) {
  try {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    const std::int64_t size = file.Size();
    if (size > kMaxListFileSize)
      throw EReportListError("Rapor listesi dosyasi cok buyuk, bir rapor listesi degil: " + FileName);
    AnsiString bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0)
      file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(size));
    return bytes;
  } catch (const EReportListError&) {
    throw;
  } catch (const Exception&) {
    throw EReportListError("Rapor listesi dosyasi okunamadi: " + FileName);
  }
}

}  // namespace

TReportListEntry ParseReportListEntry(const AnsiString& Line) {
  TReportListEntry entry;
  const std::size_t bar = Line.find('|');
  if (bar == AnsiString::npos) {
    entry.FileName = Line;
  } else {
    entry.FileName = Line.substr(0, bar);
    entry.Description = Line.substr(bar + 1);
  }
  return entry;
}

TReportListFile TReportListFile::Parse(const AnsiString& Text) {
  if (!LooksLikeText(Text))
    throw EReportListError("Rapor listesi dosyasi bozuk, metin disi bilgi iceriyor");
  TReportListFile list;
  bool defaultSeen = false, printerSeen = false, copiesSeen = false;
  for (const AnsiString& line : SplitLines(Text)) {
    if (Trim(line).empty())
      continue;
    if (StartsWith(line, kReportListOptionPrefix)) {
      ReadOption(list, line, printerSeen, copiesSeen);
      continue;
    }
    const bool isDefault = StartsWith(line, kReportListDefaultPrefix);
    TReportListEntry entry =
        ParseReportListEntry(isDefault ? line.substr(std::string_view(kReportListDefaultPrefix).size()) : line);
    // One default only: the first, which is also the one a print takes.
    entry.IsDefault = isDefault && !defaultSeen;
    defaultSeen = defaultSeen || isDefault;
    list.Entries.push_back(std::move(entry));
  }
  return list;
}

TReportListFile TReportListFile::Load(const AnsiString& FileName) {
  const AnsiString text = ReadWholeFile(FileName);
  try {
    return Parse(text);
  } catch (const EReportListError&) {
    throw EReportListError("Rapor listesi dosyasi bozuk, okunamadi: " + FileName);
  }
}

const TReportListEntry* TReportListFile::DefaultEntry() const {
  for (const TReportListEntry& entry : Entries)
    if (entry.IsDefault)
      return &entry;
  return nullptr;
}

std::vector<AnsiString> TReportListFile::Lines() const {
  std::vector<AnsiString> lines;
  const TReportListEntry* defaultEntry = DefaultEntry();
  for (const TReportListEntry& entry : Entries) {
    const AnsiString prefix = &entry == defaultEntry ? kReportListDefaultPrefix : "";
    lines.push_back(prefix + entry.FileName + "|" + entry.Description);
  }
  if (AskBeforePrint)
    lines.emplace_back(kReportListAskOption);
  lines.push_back(AnsiString(kReportListPrinterName) + "=" + PrinterName);
  lines.push_back(AnsiString(kReportListCopyName) + "=" + IntToStr(Copies));
  return lines;
}

AnsiString TReportListFile::Text() const {
  AnsiString text;
  for (const AnsiString& line : Lines())
    text += line + "\r\n";
  return text;
}

void TReportListFile::Save(const AnsiString& FileName) const {
  const AnsiString text = Text();
  try {
    const AnsiString folder = ExtractFilePath(FileName);
    if (!folder.empty() && !ForceDirectories(folder))
      RaiseLastOSError();
    ReplaceFileSafely(FileName, "rls", [&text](const AnsiString& temporary) {
      TFileStream file(temporary, fmCreate | fmShareExclusive);
      file.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
    });
  } catch (const Exception&) {
    throw EReportListError("Rapor listesi dosyasi kaydedilemedi: " + FileName);
  }
}

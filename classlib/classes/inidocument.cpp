#include "classlib/classes/inidocument.h"

#include <algorithm>

#include "classlib/system/strutils.h"

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

bool SectionNameOf(const AnsiString& line, AnsiString& name) {
  AnsiString text = Trim(line);
  if (text.empty() || text[0] != '[')
    return false;
  size_t close = text.find(']');
  name = Trim(std::string_view(text).substr(1, close == AnsiString::npos ? AnsiString::npos : close - 1));
  return true;
}

bool KeyOf(const AnsiString& line, AnsiString& key, AnsiString& rawValue) {
  size_t equals = line.find('=');
  if (equals == AnsiString::npos)
    return false;
  AnsiString name = Trim(std::string_view(line).substr(0, equals));
  if (!name.empty() && name[0] == ';')
    return false;
  key = name;
  rawValue = line.substr(equals + 1);
  return true;
}

bool IsBlankLine(const AnsiString& line) { return Trim(line).empty(); }

}  // namespace

void IniDocument::Load(const AnsiString& text) {
  lines_.clear();
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find_first_of("\r\n", at);
    if (end == AnsiString::npos)
      end = text.size();
    lines_.push_back(text.substr(at, end - at));
    at = end;
    if (at < text.size() && text[at] == '\r')
      ++at;
    if (at < text.size() && text[at] == '\n')
      ++at;
  }
}

AnsiString IniDocument::Save() const {
  AnsiString text;
  for (const AnsiString& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool IniDocument::FindSection(const AnsiString& section, Range& range) const {
  AnsiString name;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!SectionNameOf(lines_[i], name) || !SameText(name, section))
      continue;
    range.Header = i;
    range.End = i + 1;
    while (range.End < lines_.size() && !SectionNameOf(lines_[range.End], name))
      ++range.End;
    return true;
  }
  return false;
}

size_t IniDocument::FindKey(const Range& range, const AnsiString& key) const {
  AnsiString name, value;
  for (size_t i = range.Header + 1; i < range.End; ++i)
    if (KeyOf(lines_[i], name, value) && SameText(name, key))
      return i;
  return kNone;
}

AnsiString IniDocument::ValueOf(const AnsiString& rawValue) const {
  if (style_ == ValueStyle::Raw)
    return rawValue;
  AnsiString value = Trim(rawValue);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

bool IniDocument::ReadValue(const AnsiString& section, const AnsiString& key, AnsiString& value) const {
  Range range;
  if (!FindSection(section, range))
    return false;
  size_t line = FindKey(range, key);
  if (line == kNone)
    return false;
  AnsiString name, raw;
  KeyOf(lines_[line], name, raw);
  value = ValueOf(raw);
  return true;
}

void IniDocument::WriteValue(const AnsiString& section, const AnsiString& key, const AnsiString& value) {
  AnsiString oneLine = value.substr(0, value.find_first_of("\r\n"));
  Range range;
  if (!FindSection(section, range)) {
    if (!lines_.empty() && !IsBlankLine(lines_.back()))
      lines_.emplace_back();
    lines_.push_back("[" + section + "]");
    lines_.push_back(key + "=" + oneLine);
    return;
  }
  size_t line = FindKey(range, key);
  if (line != kNone) {
    AnsiString name, raw;
    KeyOf(lines_[line], name, raw);
    lines_[line] = name + "=" + oneLine;
    return;
  }
  // After the section's last line that is not blank, so the blank line
  // before the next section stays where it is.
  size_t at = range.End;
  while (at > range.Header + 1 && IsBlankLine(lines_[at - 1]))
    --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), key + "=" + oneLine);
}

bool IniDocument::HasSection(const AnsiString& section) const {
  Range range;
  return FindSection(section, range);
}

std::vector<AnsiString> IniDocument::Keys(const AnsiString& section) const {
  std::vector<AnsiString> keys;
  Range range;
  if (!FindSection(section, range))
    return keys;
  AnsiString name, value;
  for (size_t i = range.Header + 1; i < range.End; ++i) {
    if (!KeyOf(lines_[i], name, value))
      continue;
    bool seen = std::any_of(keys.begin(), keys.end(), [&](const AnsiString& k) { return SameText(k, name); });
    if (!seen)
      keys.push_back(name);
  }
  return keys;
}

std::vector<AnsiString> IniDocument::Sections() const {
  std::vector<AnsiString> sections;
  AnsiString name;
  for (const AnsiString& line : lines_) {
    if (!SectionNameOf(line, name))
      continue;
    bool seen = std::any_of(sections.begin(), sections.end(), [&](const AnsiString& s) { return SameText(s, name); });
    if (!seen)
      sections.push_back(name);
  }
  return sections;
}

void IniDocument::EraseSection(const AnsiString& section) {
  Range range;
  while (FindSection(section, range))
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range.Header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range.End));
}

void IniDocument::DeleteKey(const AnsiString& section, const AnsiString& key) {
  Range range;
  if (!FindSection(section, range))
    return;
  size_t line = FindKey(range, key);
  if (line != kNone)
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
}

#include "skin/core/skinutils.h"

#include "classlib/classes/strings.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

namespace {

// The 0-based start and the length of the N-th token, or false.
bool FindToken(int N, std::string_view S, const TCharSet256& Set, size_t& Start, size_t& Length) {
  if (N < 1)
    return false;
  int seen = 0;
  size_t i = 0;
  while (i < S.size()) {
    while (i < S.size() && Set.Contains(S[i]))
      ++i;
    if (i == S.size())
      break;
    size_t begin = i;
    while (i < S.size() && !Set.Contains(S[i]))
      ++i;
    if (++seen == N) {
      Start = begin;
      Length = i - begin;
      return true;
    }
  }
  return false;
}

// The section list of that name, or nullptr. Names pair ASCII letters only,
// so "edit" finds "EDIT" under the Turkish locale too.
TStrings* FindIniSection(TStringList* Sections, const AnsiString& SectionName) {
  if (Sections == nullptr)
    return nullptr;
  for (int i = 0; i < Sections->Count(); ++i)
    if (SameText(Sections->Strings(i), SectionName))
      return dynamic_cast<TStrings*>(Sections->Objects(i));
  return nullptr;
}

}  // namespace

int TokenPosition(int N, std::string_view S, const TCharSet256& Set) {
  size_t start = 0, length = 0;
  return FindToken(N, S, Set, start, length) ? static_cast<int>(start) + 1 : 0;
}

AnsiString ExtractToken(int N, std::string_view S, const TCharSet256& Set) {
  size_t start = 0, length = 0;
  if (!FindToken(N, S, Set, start, length))
    return AnsiString();
  return AnsiString(S.substr(start, length));
}

int TokenCount(std::string_view S, const TCharSet256& Set) {
  int count = 0;
  bool inToken = false;
  for (char c : S) {
    bool separator = Set.Contains(c);
    if (!separator && !inToken)
      ++count;
    inToken = !separator;
  }
  return count;
}

AnsiString RemoveAllChars(std::string_view S, char C) {
  AnsiString result;
  result.reserve(S.size());
  for (char c : S)
    if (c != C)
      result += c;
  return result;
}

AnsiString ReplaceSubstrings(std::string_view S, std::string_view Old, std::string_view New) {
  if (Old.empty())
    return AnsiString(S);
  AnsiString result;
  size_t from = 0;
  for (size_t at = S.find(Old); at != std::string_view::npos; at = S.find(Old, from)) {
    result.append(S.substr(from, at - from));
    result.append(New);
    from = at + Old.size();
  }
  result.append(S.substr(from));
  return result;
}

AnsiString AddPathDelimiter(std::string_view Path) {
  AnsiString result(Path);
  if (result.empty() || result.back() == '\\')
    return result;
  if (result.back() == '/')
    result.back() = '\\';
  else if (result.size() == 1)
    result += ":\\";
  else
    result += '\\';
  return result;
}

void FreeIniSections(TStringList* Sections) {
  for (int i = 0; i < Sections->Count(); ++i)
    delete Sections->Objects(i);
  Sections->Clear();
}

void ParseIniSections(TStrings* Lines, TStringList* Sections) {
  FreeIniSections(Sections);
  TStringList* current = nullptr;
  for (int i = 0; i < Lines->Count(); ++i) {
    AnsiString line = Lines->Strings(i);
    if (line.empty() || line[0] == ';')
      continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = new TStringList;
      Sections->AddObject(line.substr(1, line.size() - 2), current);
    } else if (current != nullptr) {
      current->Add(line);
    }
  }
}

AnsiString ReadIniSectionString(TStringList* Sections, const AnsiString& SectionName, const AnsiString& Key,
                                const AnsiString& Default) {
  TStrings* section = FindIniSection(Sections, SectionName);
  if (section == nullptr)
    return Default;
  for (int i = 0; i < section->Count(); ++i) {
    AnsiString line = section->Strings(i);
    size_t equals = line.find('=');
    if (equals != AnsiString::npos && SameText(std::string_view(line).substr(0, equals), Key))
      return line.substr(equals + 1);
  }
  return Default;
}

int ReadIniSectionInteger(TStringList* Sections, const AnsiString& SectionName, int Default, const AnsiString& Key) {
  AnsiString text = ReadIniSectionString(Sections, SectionName, Key, AnsiString());
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text = "$" + text.substr(2);
  return StrToIntDef(text, Default);
}

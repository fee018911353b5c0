// The text of an INI file as lines, with the look-ups and edits the INI file
// classes make. Lines that are not touched (comments, blank lines, lines
// without "=") are kept as they stand.
//
// A section starts at a line "[name]"; a key line is "key=value" (blanks
// around the key are ignored; a line starting with ";" is a comment).
// Section and key names match case-insensitively by ASCII folding. When a
// section or key occurs twice, the first one counts.
#pragma once
#include <vector>

#include "classlib/system/ansistring.h"

class IniDocument {
public:
  // How values are read: as the profile functions read them (blanks around
  // the value trimmed, one pair of enclosing quotes removed) or raw, as the
  // text after the "=" stands.
  enum class ValueStyle { Profile, Raw };

  explicit IniDocument(ValueStyle style) : style_(style) {}

  // Splits text at CR LF, CR or LF.
  void Load(const AnsiString& text);
  // The lines, each ended by CR LF.
  AnsiString Save() const;
  void Clear() { lines_.clear(); }

  bool ReadValue(const AnsiString& section, const AnsiString& key, AnsiString& value) const;
  // Replaces the key's value, or adds the key at the end of the section, or
  // adds the section at the end of the file. A value is cut at its first
  // line break, so that it cannot make lines of its own.
  void WriteValue(const AnsiString& section, const AnsiString& key, const AnsiString& value);
  bool HasSection(const AnsiString& section) const;
  // Key names of the section, each once, in file order.
  std::vector<AnsiString> Keys(const AnsiString& section) const;
  // Section names, each once, in file order.
  std::vector<AnsiString> Sections() const;
  // Removes every section of that name with its lines.
  void EraseSection(const AnsiString& section);
  void DeleteKey(const AnsiString& section, const AnsiString& key);

private:
  struct Range {
    size_t Header;  // the "[name]" line
    size_t End;     // one past the section's last line
  };

  bool FindSection(const AnsiString& section, Range& range) const;
  // The line index of the key in the section, or npos.
  size_t FindKey(const Range& range, const AnsiString& key) const;
  AnsiString ValueOf(const AnsiString& rawValue) const;

  ValueStyle style_;
  std::vector<AnsiString> lines_;
};

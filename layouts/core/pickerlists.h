// The host's field list and parameter list as the designer's pickers read
// them, and the merge of the invoice dialog's keys into a page's hint.
//
// A field-list line holds six cells separated by "|": group code, group
// text, table code, table text, field code, field text (a trailing "|" is
// allowed). Lines starting with "//" and lines blank after trimming are
// skipped. When the group-code cell holds ",", the first four cells are
// lists separated by ","; one entry is made per group code, the text and
// table lists padded with empty entries to the length of the code lists.
// A parameter-list line holds a code and a text separated by "|"; blank
// lines are skipped and a line without "|" is a code with an empty text.
// Codes and texts are taken whole, however long.
#pragma once
#include <functional>
#include <vector>

#include "classlib/system/ansistring.h"

class TStrings;

struct TFieldListEntry {
  AnsiString GroupCode, GroupText, TableCode, TableText, FieldCode, FieldText;
  bool operator==(const TFieldListEntry&) const = default;
};

struct TParameterEntry {
  AnsiString Code, Text;
  bool operator==(const TParameterEntry&) const = default;
};

// The translate hook the texts go through (nullptr: texts as they stand).
using TPickerTranslate = std::function<AnsiString(const AnsiString&)>;

// The entries of one field-list line, none for a skipped line.
std::vector<TFieldListEntry> ReadFieldListLine(const AnsiString& Line, const TPickerTranslate& Translate = nullptr);
// The entries of every line, in order.
std::vector<TFieldListEntry> ReadFieldList(const TStrings& Lines, const TPickerTranslate& Translate = nullptr);
// The rows of a parameter list, in order.
std::vector<TParameterEntry> ReadParameterList(const TStrings& Lines, const TPickerTranslate& Translate = nullptr);

// HintText with every named line of ResultText (an "=" after at least one
// character) put in place of the hint's line of the same name (letter case
// ignored); names the hint does not have are not added, and its other
// lines keep their text and order.
AnsiString MergeKnownHintLines(const AnsiString& HintText, const AnsiString& ResultText);

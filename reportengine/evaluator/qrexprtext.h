// Text scanning for the expression parser.
//
// The parser works on substrings: each level looks for the first operator of
// its level outside quotes, brackets and parentheses and splits the text
// there. These helpers do the scanning; the parser (qrexpr.cpp) builds the
// elements.
#pragma once
#include <string_view>
#include <vector>

#include "classlib/system/ansistring.h"

enum class TQROperatorLevel { Relation, Sum, Term };

// Where the first operator of a level splits a text: the left text is
// [0, LeftEnd), the right text starts at RightStart.
struct TQROperatorSplit {
  bool Found = false;
  std::size_t LeftEnd = 0;
  std::size_t RightStart = 0;
  unsigned char Code = 0;
};

// The first operator of the level at parenthesis depth 0, outside quotes and
// brackets, never at the first nor the last character. At the sum level a
// sign at the first non-blank character is a unary sign, never a split.
TQROperatorSplit FindOperator(std::string_view text, TQROperatorLevel level);

// Exchanges the characters first and second at parenthesis depth 0 outside
// quotes (brackets are not tracked). With keepLeadingSign a character at the
// first non-blank position stays, being a unary sign rather than an operator.
AnsiString SwapOperators(std::string_view text, char first, char second, bool keepLeadingSign);

// Splits an argument text at each "," at parenthesis depth 0 outside quotes;
// the last character never splits.
std::vector<AnsiString> SplitArguments(std::string_view text);

// Without leading and trailing spaces; a text of spaces keeps one space.
std::string_view StripSpaces(std::string_view text);

#include "reportengine/evaluator/qrexprtext.h"

#include "reportengine/evaluator/qrevelement.h"

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when text holds word at pos, compared without ASCII case.
bool WordAt(std::string_view text, std::size_t pos, std::string_view word) {
  if (pos + word.size() > text.size())
    return false;
  for (std::size_t k = 0; k < word.size(); ++k)
    if (LowerAscii(text[pos + k]) != word[k])
      return false;
  return true;
}

std::size_t FirstNonBlank(std::string_view text) {
  std::size_t p = text.find_first_not_of(' ');
  return p == std::string_view::npos ? text.size() : p;
}

TQROperatorSplit Split(std::size_t leftEnd, std::size_t rightStart, unsigned char code) {
  return {true, leftEnd, rightStart, code};
}

TQROperatorSplit RelationAt(std::string_view text, std::size_t i) {
  char next = text[i + 1];  // the scan never reaches the last character
  switch (text[i]) {
    case '<':
      if (next == '>')
        return Split(i, i + 2, opUnequal);
      if (next == '=')
        return Split(i, i + 2, opLessOrEqual);
      return Split(i, i + 1, opLess);
    case '=':
      return Split(i, i + 1, opEqual);
    case '>':
      if (next == '=')
        return Split(i, i + 2, opGreaterOrEqual);
      return Split(i, i + 1, opGreater);
    default:
      return {};
  }
}

TQROperatorSplit SumAt(std::string_view text, std::size_t i, std::size_t firstNonBlank) {
  switch (text[i]) {
    case '+':
      return i == firstNonBlank ? TQROperatorSplit{} : Split(i, i + 1, opPlus);
    case '-':
      return i == firstNonBlank ? TQROperatorSplit{} : Split(i, i + 1, opMinus);
    case ' ':
      // " or ": the left text keeps its blank, the right text starts after "or".
      if (i + 3 < text.size() && WordAt(text, i + 1, "or "))
        return Split(i + 1, i + 3, opOr);
      return {};
    default:
      return {};
  }
}

TQROperatorSplit TermAt(std::string_view text, std::size_t i) {
  switch (text[i]) {
    case '*':
      return Split(i, i + 1, opMul);
    case '/':
      return Split(i, i + 1, opDiv);
    case ' ':
      if (i + 4 < text.size() && WordAt(text, i + 1, "and "))
        return Split(i + 1, i + 4, opAnd);
      return {};
    default:
      return {};
  }
}

}  // namespace

TQROperatorSplit FindOperator(std::string_view text, TQROperatorLevel level) {
  const std::size_t firstNonBlank = FirstNonBlank(text);
  bool inQuote = false, inBrackets = false;
  int depth = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    char c = text[i];
    if (inBrackets) {
      if (c == ']')
        inBrackets = false;
      continue;
    }
    if (c == '\'') {
      inQuote = !inQuote;
      continue;
    }
    if (inQuote)
      continue;
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == '[') {
      inBrackets = true;
    } else if (depth == 0 && i > 0) {
      TQROperatorSplit split = level == TQROperatorLevel::Relation ? RelationAt(text, i)
                               : level == TQROperatorLevel::Sum    ? SumAt(text, i, firstNonBlank)
                                                                   : TermAt(text, i);
      if (split.Found)
        return split;
    }
  }
  return {};
}

AnsiString SwapOperators(std::string_view text, char first, char second, bool keepLeadingSign) {
  AnsiString result(text);
  const std::size_t keep = keepLeadingSign ? FirstNonBlank(text) : std::string_view::npos;
  bool inQuote = false;
  int depth = 0;
  for (std::size_t i = 0; i < result.size(); ++i) {
    char& c = result[i];
    if (c == '\'') {
      inQuote = !inQuote;
    } else if (inQuote) {
      continue;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (depth == 0 && i != keep) {
      if (c == first)
        c = second;
      else if (c == second)
        c = first;
    }
  }
  return result;
}

std::vector<AnsiString> SplitArguments(std::string_view text) {
  std::vector<AnsiString> pieces;
  bool inQuote = false;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    char c = text[i];
    if (c == '\'')
      inQuote = !inQuote;
    else if (inQuote)
      continue;
    else if (c == '(')
      ++depth;
    else if (c == ')')
      --depth;
    else if (c == ',' && depth == 0) {
      pieces.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string_view StripSpaces(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return text.empty() ? text : text.substr(0, 1);
  std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

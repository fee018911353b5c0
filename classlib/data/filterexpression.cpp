#include "classlib/data/filterexpression.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/field.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

namespace {

enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

struct Operand {
  enum Kind { Field, Text, Number, Boolean, NullValue } kind = NullValue;
  AnsiString text;  // field name or text
  double number = 0;
};

}  // namespace

// And and Or hold all their terms in one list, so a long chain of terms
// stays one level deep; only parentheses and NOT nest.
struct TFilterExpression {
  enum Kind { Compare, And, Or, Not } kind = Compare;
  Op op = Op::Equal;
  Operand left, right;
  std::vector<std::unique_ptr<TFilterExpression>> terms;  // And, Or: all; Not: one
};

namespace {

[[noreturn]] void SyntaxError(const AnsiString& text) { DatabaseErrorFmt(dbconsts::SFilterSyntax, {text}); }

bool IsNameChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || u >= 0x80;
}

class Parser {
public:
  explicit Parser(const AnsiString& text) : text_(text) {}

  std::unique_ptr<TFilterExpression> Parse() {
    auto e = ParseOr();
    SkipBlanks();
    if (pos_ != text_.size())
      SyntaxError(text_);
    return e;
  }

private:
  void SkipBlanks() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ')
      ++pos_;
  }
  bool Keyword(const char* word) {
    SkipBlanks();
    size_t n = std::strlen(word);
    if (text_.size() - pos_ < n || !SameText(text_.substr(pos_, n), word))
      return false;
    if (pos_ + n < text_.size() && IsNameChar(text_[pos_ + n]))
      return false;
    pos_ += n;
    return true;
  }
  bool Symbol(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  // The terms of one level joined by `word`; a single term stands alone.
  template <class ParseTerm>
  std::unique_ptr<TFilterExpression> ParseList(TFilterExpression::Kind kind, const char* word, ParseTerm parseTerm) {
    auto first = parseTerm();
    if (!Keyword(word))
      return first;
    auto e = std::make_unique<TFilterExpression>();
    e->kind = kind;
    e->terms.push_back(std::move(first));
    do
      e->terms.push_back(parseTerm());
    while (Keyword(word));
    return e;
  }
  std::unique_ptr<TFilterExpression> ParseOr() {
    return ParseList(TFilterExpression::Or, "or", [this] { return ParseAnd(); });
  }
  std::unique_ptr<TFilterExpression> ParseAnd() {
    return ParseList(TFilterExpression::And, "and", [this] { return ParseNot(); });
  }
  // Parentheses and NOT nest at most MaxNesting deep: a filter text may come
  // from a stream, and deeper nesting would only exhaust the stack.
  static constexpr int MaxNesting = 256;
  std::unique_ptr<TFilterExpression> ParseNot() {
    if (Keyword("not")) {
      Nest nest(*this);
      auto e = std::make_unique<TFilterExpression>();
      e->kind = TFilterExpression::Not;
      e->terms.push_back(ParseNot());
      return e;
    }
    if (Symbol('(')) {
      Nest nest(*this);
      auto e = ParseOr();
      if (!Symbol(')'))
        SyntaxError(text_);
      return e;
    }
    auto e = std::make_unique<TFilterExpression>();
    e->left = ParseOperand();
    e->op = ParseOp();
    e->right = ParseOperand();
    return e;
  }
  Op ParseOp() {
    SkipBlanks();
    auto next = [&](const char* s) {
      size_t n = std::strlen(s);
      if (text_.compare(pos_, n, s) != 0)
        return false;
      pos_ += n;
      return true;
    };
    if (next("<>")) return Op::NotEqual;
    if (next("<=")) return Op::LessEqual;
    if (next(">=")) return Op::GreaterEqual;
    if (next("=")) return Op::Equal;
    if (next("<")) return Op::Less;
    if (next(">")) return Op::Greater;
    SyntaxError(text_);
  }
  Operand ParseOperand() {
    SkipBlanks();
    Operand o;
    if (pos_ >= text_.size())
      SyntaxError(text_);
    char c = text_[pos_];
    if (c == '\'') {
      o.kind = Operand::Text;
      for (++pos_;; ++pos_) {
        if (pos_ >= text_.size())
          SyntaxError(text_);
        if (text_[pos_] == '\'') {
          if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
            o.text += '\'';
            ++pos_;
            continue;
          }
          ++pos_;
          break;
        }
        o.text += text_[pos_];
      }
    } else if (c == '[') {
      size_t end = text_.find(']', pos_);
      if (end == AnsiString::npos)
        SyntaxError(text_);
      o.kind = Operand::Field;
      o.text = text_.substr(pos_ + 1, end - pos_ - 1);
      pos_ = end + 1;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') {
      size_t start = pos_++;
      while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.'))
        ++pos_;
      AnsiString number = text_.substr(start, pos_ - start);
      char* end = nullptr;
      o.number = std::strtod(number.c_str(), &end);
      if (end == number.c_str() || *end != '\0')
        SyntaxError(text_);
      o.kind = Operand::Number;
    } else if (IsNameChar(c)) {
      size_t start = pos_;
      while (pos_ < text_.size() && IsNameChar(text_[pos_]))
        ++pos_;
      o.text = text_.substr(start, pos_ - start);
      if (SameText(o.text, "null"))
        o.kind = Operand::NullValue;
      else if (SameText(o.text, "true") || SameText(o.text, "false"))
        o.kind = Operand::Boolean, o.number = SameText(o.text, "true") ? 1 : 0;
      else
        o.kind = Operand::Field;
    } else {
      SyntaxError(text_);
    }
    return o;
  }

  class Nest {
  public:
    explicit Nest(Parser& parser) : parser_(parser) {
      if (++parser_.depth_ > MaxNesting)
        SyntaxError(parser_.text_);
    }
    ~Nest() { --parser_.depth_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

  private:
    Parser& parser_;
  };

  const AnsiString& text_;
  size_t pos_ = 0;
  int depth_ = 0;
};

// A value read for comparison.
struct Value {
  bool isNull = true;
  bool isText = false;
  AnsiString text;
  double number = 0;
};

Value Read(const Operand& o, const TDataSet& dataSet) {
  Value v;
  switch (o.kind) {
    case Operand::NullValue:
      return v;
    case Operand::Text:
      v.isNull = false, v.isText = true, v.text = o.text;
      return v;
    case Operand::Number:
    case Operand::Boolean:
      v.isNull = false, v.number = o.number;
      return v;
    case Operand::Field: {
      TField* field = dataSet.FieldByName(o.text);
      if (field->IsNull())
        return v;
      v.isNull = false;
      switch (field->DataType()) {
        case ftString:
        case ftFixedChar:
        case ftMemo:
        case ftFmtMemo:
          v.isText = true;
          v.text = field->AsString();
          break;
        case ftBoolean:
          v.number = field->AsBoolean() ? 1 : 0;
          break;
        default:
          v.number = field->AsFloat();
          break;
      }
      return v;
    }
  }
  return v;
}

bool Holds(int order, Op op) {
  switch (op) {
    case Op::Equal: return order == 0;
    case Op::NotEqual: return order != 0;
    case Op::Less: return order < 0;
    case Op::Greater: return order > 0;
    case Op::LessEqual: return order <= 0;
    case Op::GreaterEqual: return order >= 0;
  }
  return false;
}

bool Compare(const TFilterExpression& e, const TDataSet& dataSet, TFilterOptions options) {
  Value left = Read(e.left, dataSet), right = Read(e.right, dataSet);
  if (e.left.kind == Operand::NullValue || e.right.kind == Operand::NullValue) {
    if (e.op == Op::Equal)
      return left.isNull && right.isNull;
    if (e.op == Op::NotEqual)
      return left.isNull != right.isNull;
    return false;
  }
  if (left.isNull || right.isNull)
    return false;  // a null value compares with no value
  if (left.isText || right.isText) {
    AnsiString a = left.isText ? left.text : FloatToStr(left.number);
    AnsiString b = right.isText ? right.text : FloatToStr(right.number);
    // 'abc*' matches every text that begins with "abc".
    if (!options.Contains(foNoPartialCompare) && right.isText && e.right.kind == Operand::Text &&
        !b.empty() && b.back() == '*' && (e.op == Op::Equal || e.op == Op::NotEqual)) {
      b.pop_back();
      if (a.size() > b.size())
        a.resize(b.size());
    }
    int order = options.Contains(foCaseInsensitive) ? AnsiCompareText(a, b) : AnsiCompareStr(a, b);
    return Holds(order, e.op);
  }
  return Holds((left.number > right.number) - (left.number < right.number), e.op);
}

}  // namespace

std::shared_ptr<TFilterExpression> ParseFilterExpression(const AnsiString& Text) {
  return Parser(Text).Parse();
}

bool EvaluateFilterExpression(const TFilterExpression& Expression, const TDataSet& DataSet,
                              TFilterOptions Options) {
  auto holds = [&](const std::unique_ptr<TFilterExpression>& term) {
    return EvaluateFilterExpression(*term, DataSet, Options);
  };
  const auto& terms = Expression.terms;
  switch (Expression.kind) {
    case TFilterExpression::And:
      return std::all_of(terms.begin(), terms.end(), holds);
    case TFilterExpression::Or:
      return std::any_of(terms.begin(), terms.end(), holds);
    case TFilterExpression::Not:
      return !holds(terms.front());
    case TFilterExpression::Compare:
      return Compare(Expression, DataSet, Options);
  }
  return false;
}

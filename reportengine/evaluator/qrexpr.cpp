#include "reportengine/evaluator/qrexpr.h"

#include "classlib/system/format.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "reportengine/evaluator/qrevdatafield.h"
#include "reportengine/evaluator/qrevelement.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/evaluator/qrexprtext.h"
#include "reportengine/evaluator/qrlibrary.h"

IMPLEMENT_CLASS(TQREvaluator)

// Counts the parse levels entered; past MaxParseDepth the text is not parsed
// further.
class TQREvaluator::DepthGuard {
public:
  explicit DepthGuard(TQREvaluator& owner) : owner_(owner) { ++owner_.FParseDepth; }
  ~DepthGuard() { --owner_.FParseDepth; }
  bool TooDeep() const { return owner_.FParseDepth > MaxParseDepth; }

private:
  TQREvaluator& owner_;
};

TQREvaluator::TQREvaluator() = default;

TQREvaluator::~TQREvaluator() {
  if (FIsPrepared)
    UnprepareExpression();
}

// ---- Preparing ---------------------------------------------------------------

void TQREvaluator::PrepareExpression(const AnsiString& Expression) {
  if (FIsPrepared)
    UnprepareExpression();
  GlobalVariables()->PrepareVariables();
  FSequence = std::make_unique<TQRFiFo>();
  FParseDepth = 0;
  ParseRelation(Expression.empty() ? std::string_view("' '") : std::string_view(Expression));
  FIsPrepared = true;
}

void TQREvaluator::UnprepareExpression() {
  FSequence.reset();
  // At process exit the global environment may already be gone.
  if (TQREvEnvironment* global = ExistingGlobalVariables())
    global->UnprepareVariables();
  FIsPrepared = false;
}

void TQREvaluator::Append(TQREvElement* Element) {
  FSequence->Append(Element);
}

void TQREvaluator::AppendError(const AnsiString& Message) {
  Append(new TQREvElementError(Message));
}

// ---- Parse levels --------------------------------------------------------------
// Each level splits its text at the first operator of the level and appends
// the operator before its operands, so the sequence is in prefix order.

void TQREvaluator::ParseRelation(std::string_view Text) {
  DepthGuard depth(*this);
  if (depth.TooDeep())
    return AppendError(ExpressionTooComplexText);
  TQROperatorSplit split = FindOperator(Text, TQROperatorLevel::Relation);
  if (!split.Found)
    return ParseSum(Text);
  Append(new TQREvElementOperator(split.Code));
  // Relations do not chain: both sides are sums.
  ParseSum(Text.substr(0, split.LeftEnd));
  ParseSum(Text.substr(split.RightStart));
}

void TQREvaluator::ParseSum(std::string_view Text) {
  DepthGuard depth(*this);
  if (depth.TooDeep())
    return AppendError(ExpressionTooComplexText);
  TQROperatorSplit split = FindOperator(Text, TQROperatorLevel::Sum);
  if (!split.Found)
    return ParseTerm(Text);
  Append(new TQREvElementOperator(split.Code));
  ParseTerm(Text.substr(0, split.LeftEnd));
  std::string_view right = Text.substr(split.RightStart);
  if (split.Code == opMinus) {
    // The sum is right-recursive: a-b+c is parsed as a-(b-c).
    AnsiString swapped = SwapOperators(right, '+', '-', true);
    ParseSum(swapped);
  } else {
    ParseSum(right);
  }
}

void TQREvaluator::ParseTerm(std::string_view Text) {
  DepthGuard depth(*this);
  if (depth.TooDeep())
    return AppendError(ExpressionTooComplexText);
  TQROperatorSplit split = FindOperator(Text, TQROperatorLevel::Term);
  if (!split.Found)
    return ParseFactor(Text);
  Append(new TQREvElementOperator(split.Code));
  ParseFactor(Text.substr(0, split.LeftEnd));
  std::string_view right = Text.substr(split.RightStart);
  if (split.Code == opDiv) {
    // a/b*c is parsed as a/(b/c).
    AnsiString swapped = SwapOperators(right, '*', '/', false);
    ParseTerm(swapped);
  } else {
    ParseTerm(right);
  }
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWithNot(std::string_view text) {
  if (text.size() < 3)
    return false;
  AnsiString head = LowerCase(text.substr(0, 3));
  return head == "not";
}

// The text between the first and the last character when the text ends with
// closing and is longer than that one character.
bool Enclosed(std::string_view text, char closing, std::string_view& inner) {
  if (text.size() < 2 || text.back() != closing)
    return false;
  inner = text.substr(1, text.size() - 2);
  return true;
}

AnsiString MissingText(const char* what) {
  return Format("Missing %s", {what});
}

}  // namespace

void TQREvaluator::ParseFactor(std::string_view Text) {
  DepthGuard depth(*this);
  if (depth.TooDeep())
    return AppendError(ExpressionTooComplexText);
  std::string_view text = StripSpaces(Text);
  if (StartsWithNot(text)) {
    Append(new TQREvElementNot);
    return ParseSum(text.substr(3));
  }
  std::string_view inner;
  char first = text.empty() ? '\0' : text.front();
  if (first == '\'') {
    if (Enclosed(text, '\'', inner))
      return Append(new TQREvElementString(AnsiString(inner)));
    return AppendError(MissingText("'"));
  }
  if (first == '(') {
    if (Enclosed(text, ')', inner))
      return ParseRelation(inner);
    return AppendError(MissingText(")"));
  }
  if (first == '+')
    return ParseFactor(text.substr(1));
  if (first == '-') {
    // Unary minus is a subtraction from 0.
    AnsiString difference = "0-" + AnsiString(text.substr(1));
    return ParseSum(difference);
  }
  if (IsDigit(first))
    return ParseNumber(text);
  if (IsAsciiLetter(first))
    return ParseName(text);
  if (first == '[') {
    if (Enclosed(text, ']', inner))
      return ParseField(AnsiString(inner));
    return AppendError(MissingText("]"));
  }
  // Also the empty factor of "()" or of an empty argument.
  AppendError(Format("Error in expression : %s", {text}));
}

// Digits make an integer; "+", "-", ".", digits and "E" after them a float.
// Expressions always write decimals with ".", whatever the locale.
void TQREvaluator::ParseNumber(std::string_view Text) {
  std::size_t i = 0;
  while (i < Text.size() && IsDigit(Text[i]))
    ++i;
  bool isFloat = false;
  while (i < Text.size() && (IsDigit(Text[i]) || std::string_view("+-.Ee").find(Text[i]) != std::string_view::npos)) {
    isFloat = true;
    ++i;
  }
  AnsiString number(Text);
  AnsiString illegal = "Illegal character in numeric contant \"" + number + "\"";
  if (i < Text.size())
    return AppendError(illegal);
  int integer;
  if (!isFloat && TryStrToInt(number, integer))
    return Append(new TQREvElementConstant(TQREvValue::Integer(integer)));
  for (char& c : number)
    if (c == '.')
      c = FormatSettings.DecimalSeparator;
  double value;
  if (!TryStrToFloat(number, value))
    return AppendError(illegal);
  Append(new TQREvElementConstant(TQREvValue::Float(value)));
}

void TQREvaluator::ParseName(std::string_view Text) {
  std::size_t open = Text.find('(');
  if (open == std::string_view::npos)
    return ParseFunction(AnsiString(Text), "");
  if (Text.back() == ')')
    return ParseFunction(AnsiString(Text.substr(0, open)), AnsiString(Text.substr(open + 1, Text.size() - open - 2)));
  ParseFunction("", "");
}

void TQREvaluator::ParseFunction(const AnsiString& Name, const AnsiString& Arguments) {
  AnsiString name = AnsiUpperCase(Name);
  std::unique_ptr<TQREvElement> element(BuiltInFunctions()->InstantiateFunction(name));
  if (dynamic_cast<TQREvElementError*>(element.get()) != nullptr) {
    if (Arguments.empty())
      return ParseField(name);  // not a function: a field or a variable
    return Append(element.release());
  }
  Append(element.release());
  if (!Arguments.empty())
    for (const AnsiString& argument : SplitArguments(Arguments))
      ParseRelation(argument);
  Append(new TQREvElementArgumentEnd);
}

// A field of the source data sets, else a variable.
void TQREvaluator::ParseField(const AnsiString& Name) {
  if (TQREvElementDataField* field = FindDataFieldElement(SourceDataSets, Name))
    return Append(field);
  ParseVariable(Name);
}

void TQREvaluator::ParseVariable(const AnsiString& Name) {
  std::unique_ptr<TQREvElement> reference;
  if (LocalEnvironment != nullptr) {
    reference.reset(LocalEnvironment->CreateReference(Name));
    if (dynamic_cast<TQREvElementError*>(reference.get()) != nullptr)
      reference.reset();
  }
  if (!reference)
    reference.reset(GlobalVariables()->CreateReference(Name));
  Append(reference.release());
}

// ---- Evaluating ------------------------------------------------------------------

void TQREvaluator::EvaluateExpression(TQREvValue& Result) {
  if (!FIsPrepared)
    throw Exception("Evaluator not prepared");
  FSequence->Restart();
  if (TQREvElement* element = FSequence->NextElement())
    element->GetValue(*FSequence, Result);
  else
    SetEvError(Result, "Empty expression");
}

void TQREvaluator::ResetAggregates() {
  if (!FSequence)
    return;
  for (int i = 0; i < FSequence->Count(); ++i)
    FSequence->Items(i)->ResetState();
}

void TQREvaluator::AggregateStep() {
  struct Aggregating {
    TQRFiFo* sequence;
    ~Aggregating() {
      if (sequence)
        sequence->Aggregating = false;
    }
  } scope{FSequence.get()};
  if (FSequence)
    FSequence->Aggregating = true;
  TQREvValue scratch;
  EvaluateExpression(scratch);
}

bool TQREvaluator::HasAggregates() const {
  if (!FSequence)
    return false;
  for (int i = 0; i < FSequence->Count(); ++i)
    if (FSequence->Items(i)->IsAggregateFunction)
      return true;
  return false;
}

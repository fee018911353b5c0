// The evaluation elements an expression is prepared into.
//
// A prepared expression is a flat sequence (TQRFiFo) in prefix order: an
// operator before its two operands, a function before its arguments and the
// TQREvElementArgumentEnd that closes them. GetValue computes an element's
// value, taking whatever it needs from the sequence after it.
#pragma once
#include <vector>

#include "classlib/classes/object.h"
#include "reportengine/evaluator/qrevvalue.h"

class TQRFiFo;

class TQREvElement : public TObject {
  DECLARE_CLASS(TQREvElement, TObject)

public:
  TQREvElement() = default;

  virtual void GetValue(TQRFiFo& Sequence, TQREvValue& Result) {}
  virtual void ResetState() {}

  bool IsAggregateFunction = false;
};

// The value of the next element of the sequence; an error value when the
// sequence has ended.
void EvaluateNextElement(TQRFiFo& Sequence, TQREvValue& Result);

// Operator codes: relations, then the sum level, then the term level.
enum : unsigned char {
  opLess, opLessOrEqual, opGreater, opGreaterOrEqual, opEqual, opUnequal,
  opPlus, opMinus, opOr,
  opMul, opDiv, opAnd
};

class TQREvElementOperator : public TQREvElement {
  DECLARE_CLASS(TQREvElementOperator, TQREvElement)

public:
  TQREvElementOperator() = default;
  explicit TQREvElementOperator(unsigned char Code) : OperatorCode(Code) {}

  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;

  unsigned char OperatorCode = 0;

private:
  TQREvValue FRight;  // kept so its text buffer is reused between evaluations
};

// NOT: the negation of the boolean that follows.
class TQREvElementNot : public TQREvElement {
  DECLARE_CLASS(TQREvElementNot, TQREvElement)

public:
  TQREvElementNot() = default;
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;
};

// An integer or float literal; the report's stored constants change it in place.
class TQREvElementConstant : public TQREvElement {
  DECLARE_CLASS(TQREvElementConstant, TQREvElement)

public:
  TQREvElementConstant() = default;
  explicit TQREvElementConstant(const TQREvValue& AValue) : Value(AValue) {}
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override { Result = Value; }

  TQREvValue Value;
};

class TQREvElementString : public TQREvElement {
  DECLARE_CLASS(TQREvElementString, TQREvElement)

public:
  TQREvElementString() = default;
  explicit TQREvElementString(AnsiString AText) : Text(std::move(AText)) {}
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override { SetEvString(Result, Text); }

  AnsiString Text;
};

class TQREvElementError : public TQREvElement {
  DECLARE_CLASS(TQREvElementError, TQREvElement)

public:
  TQREvElementError() = default;
  explicit TQREvElementError(AnsiString AMessage) : Message(std::move(AMessage)) {}
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override { SetEvError(Result, Message); }

  AnsiString Message;
};

// Closes the arguments of a function in the sequence.
class TQREvElementArgumentEnd : public TQREvElement {
  DECLARE_CLASS(TQREvElementArgumentEnd, TQREvElement)

public:
  TQREvElementArgumentEnd() = default;
};

// The base of every function: GetValue collects the argument values, lets an
// aggregate accumulate them during an aggregation step and asks the function
// for its result.
class TQREvElementFunction : public TQREvElement {
  DECLARE_CLASS(TQREvElementFunction, TQREvElement)

public:
  TQREvElementFunction() = default;

  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;
  virtual void Accumulate() {}
  virtual void ComputeResult(TQREvValue& Result);

  // The evaluated arguments; filled during one evaluation, emptied after it.
  std::vector<TQREvValue> Arguments;

protected:
  // Reads the argument values up to the argument end into Arguments.
  void ReadArguments(TQRFiFo& Sequence);
  int ArgumentCount() const { return static_cast<int>(Arguments.size()); }
};

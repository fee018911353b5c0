// TQREvaluator: prepares an expression once and evaluates it as often as a
// report run asks.
//
// PrepareExpression parses the text into a flat element sequence; parsing
// never raises: every parse error becomes an error element whose message is
// the expression's value. EvaluateExpression walks the sequence; values of
// kind error stand for every failure, and only evaluating an unprepared
// evaluator raises ("Evaluator not prepared").
//
// Names are looked up as functions (BuiltInFunctions), then as fields of the
// source data sets, then as variables of the local environment and of
// GlobalVariables.
#pragma once
#include <memory>
#include <string_view>

#include "classlib/classes/object.h"
#include "reportengine/evaluator/qrevvalue.h"
#include "reportengine/evaluator/qrfifo.h"

class TList;
class TQREvElement;
class TQREvEnvironment;

class TQREvaluator : public TObject {
  DECLARE_CLASS(TQREvaluator, TObject)

public:
  // Deepest nesting of parse levels a text may need; deeper text (a flood
  // of parentheses or a chain of hundreds of operators) becomes the error
  // ExpressionTooComplexText instead of exhausting the stack.
  static constexpr int MaxParseDepth = 512;

  TQREvaluator();
  ~TQREvaluator() override;

  void PrepareExpression(const AnsiString& Expression);
  void UnprepareExpression();
  // Raises Exception "Evaluator not prepared" before PrepareExpression.
  void EvaluateExpression(TQREvValue& Result);
  void ResetAggregates();
  // One aggregation step: every aggregate function of the expression takes
  // in its current arguments.
  void AggregateStep();
  bool HasAggregates() const;

  // The sequence of the last prepare; nullptr while unprepared.
  TQRFiFo* Sequence() const { return FSequence.get(); }
  bool IsPrepared() const { return FIsPrepared; }

  // Consulted first for variable names; not owned.
  TQREvEnvironment* LocalEnvironment = nullptr;
  // The TDataSet objects field names are searched in, in order; not owned.
  TList* SourceDataSets = nullptr;

protected:
  virtual void ParseFunction(const AnsiString& Name, const AnsiString& Arguments);
  virtual void ParseField(const AnsiString& Name);

private:
  class DepthGuard;

  void Append(TQREvElement* Element);
  void AppendError(const AnsiString& Message);
  void ParseRelation(std::string_view Text);
  void ParseSum(std::string_view Text);
  void ParseTerm(std::string_view Text);
  void ParseFactor(std::string_view Text);
  void ParseNumber(std::string_view Text);
  void ParseName(std::string_view Text);
  void ParseVariable(const AnsiString& Name);

  std::unique_ptr<TQRFiFo> FSequence;
  bool FIsPrepared = false;
  int FParseDepth = 0;
};

inline constexpr const char* ExpressionTooComplexText = "Expression too complex";

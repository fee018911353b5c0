#include "reportengine/evaluator/qrevelement.h"

#include "reportengine/evaluator/qrevoperators.h"
#include "reportengine/evaluator/qrfifo.h"

IMPLEMENT_CLASS(TQREvElement)
IMPLEMENT_CLASS(TQREvElementOperator)
IMPLEMENT_CLASS(TQREvElementNot)
IMPLEMENT_CLASS(TQREvElementConstant)
IMPLEMENT_CLASS(TQREvElementString)
IMPLEMENT_CLASS(TQREvElementError)
IMPLEMENT_CLASS(TQREvElementArgumentEnd)
IMPLEMENT_CLASS(TQREvElementFunction)

void EvaluateNextElement(TQRFiFo& Sequence, TQREvValue& Result) {
  if (TQREvElement* element = Sequence.NextElement())
    element->GetValue(Sequence, Result);
  else
    SetEvError(Result, "Missing operand");  // cannot happen in a sequence the parser built
}

void TQREvElementOperator::GetValue(TQRFiFo& Sequence, TQREvValue& Result) {
  EvaluateNextElement(Sequence, Result);
  EvaluateNextElement(Sequence, FRight);
  ApplyEvOperator(OperatorCode, Result, FRight);
}

void TQREvElementNot::GetValue(TQRFiFo& Sequence, TQREvValue& Result) {
  EvaluateNextElement(Sequence, Result);
  if (Result.ValueKind == evBoolean)
    Result.BoolValue = !Result.BoolValue;
  else
    SetEvError(Result, "Invalid use of NOT");
}

void TQREvElementFunction::ReadArguments(TQRFiFo& Sequence) {
  Arguments.clear();
  while (TQREvElement* element = Sequence.NextElement()) {
    if (element->ClassType() == TQREvElementArgumentEnd::StaticClass())
      break;
    Arguments.emplace_back();
    element->GetValue(Sequence, Arguments.back());
  }
}

void TQREvElementFunction::GetValue(TQRFiFo& Sequence, TQREvValue& Result) {
  ReadArguments(Sequence);
  if (Sequence.Aggregating)
    Accumulate();
  ComputeResult(Result);
  Arguments.clear();
}

void TQREvElementFunction::ComputeResult(TQREvValue& Result) {
  SetEvError(Result, "");
}

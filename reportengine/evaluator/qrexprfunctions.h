// The built-in expression functions that are not aggregates.
//
// Each is a TQREvElementFunction whose ComputeResult checks its argument
// values and answers a value or an error value; BuiltInFunctions registers
// them, with the aggregates of qrexpraggregates.h, in their fixed order.
#pragma once
#include "reportengine/evaluator/qrevelement.h"

#define DOZURI_EV_FUNCTION(Name)                          \
  class Name : public TQREvElementFunction {              \
    DECLARE_CLASS(Name, TQREvElementFunction)             \
                                                          \
  public:                                                 \
    Name() = default;                                     \
    void ComputeResult(TQREvValue& Result) override;      \
  }

DOZURI_EV_FUNCTION(TQREvIfFunction);
DOZURI_EV_FUNCTION(TQREvStrFunction);
DOZURI_EV_FUNCTION(TQREvUpperFunction);
DOZURI_EV_FUNCTION(TQREvLowerFunction);
DOZURI_EV_FUNCTION(TQREvPrettyFunction);
DOZURI_EV_FUNCTION(TQREvTimeFunction);
DOZURI_EV_FUNCTION(TQREvDateFunction);
DOZURI_EV_FUNCTION(TQREvCopyFunction);
DOZURI_EV_FUNCTION(TQREvTrue);
DOZURI_EV_FUNCTION(TQREvFalse);
DOZURI_EV_FUNCTION(TQREvIntFunction);
DOZURI_EV_FUNCTION(TQREvFracFunction);
DOZURI_EV_FUNCTION(TQREvSQRTFunction);
DOZURI_EV_FUNCTION(TQREvDivFunction);
DOZURI_EV_FUNCTION(TQREvTypeOfFunction);
DOZURI_EV_FUNCTION(TQREvFormatNumericFunction);

#undef DOZURI_EV_FUNCTION

// "Wrong arguments for <Name>".
AnsiString WrongArgumentsText(const char* Name);

// fuzz-deps: dozuri_evaluator dozuri_data dozuri_classes dozuri_system
//
// Expressions come from layout files. The first byte picks what the rest is:
//   odd:  an expression, prepared against an environment with variables and
//         evaluated, stepped and reset as a report run does;
//   even: a stored environment (a component with "Functions"), read, then
//         every variable prepared and evaluated.
// Everything must end normally: parse errors and evaluation errors are
// values, and a damaged stream raises only EReadError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/classes/component.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/typinfo.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/evaluator/qrexpr.h"

namespace {

class TFuzzReport : public TComponent {
  DECLARE_CLASS(TFuzzReport, TComponent)

public:
  explicit TFuzzReport(TComponent* AOwner) : TComponent(AOwner) {}
  TQREvEnvironment* GetFunctions() { return &FFunctions; }
  void SetFunctions(TQREvEnvironment* Value) { FFunctions.Assign(Value); }

  TQREvEnvironment FFunctions;
};

BEGIN_PUBLISHED(TFuzzReport)
PROPERTY(Functions, GetFunctions, SetFunctions),
END_PUBLISHED

void RunExpression(const std::string& expression) {
  TQREvEnvironment environment;
  environment.AddVariable("X", "2.5");
  environment.AddVariable("Y", "'y' + STR(X)");
  environment.AddVariable("R", "R + 1");
  environment.PrepareVariables();
  {
    TQREvaluator evaluator;
    evaluator.LocalEnvironment = &environment;
    evaluator.PrepareExpression(expression);
    evaluator.ResetAggregates();
    TQREvValue value;
    for (int i = 0; i < 3; ++i) {
      evaluator.AggregateStep();
      evaluator.EvaluateExpression(value);
    }
    (void)evaluator.HasAggregates();
    evaluator.ResetAggregates();
    evaluator.EvaluateExpression(value);
  }
  environment.UnprepareVariables();
}

void RunStoredEnvironment(const std::string& bytes) {
  TFuzzReport report(nullptr);
  try {
    TStringStream stream(bytes);
    TReader reader(stream);
    reader.ReadRootComponent(&report);
  } catch (const EReadError&) {
    return;
  }
  TQREvEnvironment& functions = report.FFunctions;
  functions.PrepareVariables();
  for (int i = 0; i < functions.Count(); ++i) {
    TQREvValue value;
    functions.VariableValue(functions[i], value);
  }
  functions.UnprepareVariables();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1)
    RunExpression(rest);
  else
    RunStoredEnvironment(rest);
  return 0;
}

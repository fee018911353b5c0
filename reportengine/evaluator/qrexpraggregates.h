// The aggregate functions: SUM, COUNT, MAX, MIN and AVERAGE.
//
// An aggregate keeps a running state: ResetState clears it, Accumulate takes
// the current argument values into it during an aggregation step, and
// ComputeResult reports it whenever the expression is evaluated.
//
// Totals: an integer total that would leave the 32-bit range goes on as a
// float total, and an integer meeting a float total (or a float meeting an
// integer total) makes the total a float of their sum, so a long report
// keeps printing correct totals instead of failing.
#pragma once
#include "reportengine/evaluator/qrevelement.h"

class TQREvSumFunction : public TQREvElementFunction {
  DECLARE_CLASS(TQREvSumFunction, TQREvElementFunction)

public:
  TQREvSumFunction();

  void ResetState() override;
  void Accumulate() override;
  void ComputeResult(TQREvValue& Result) override;

  bool HasTotal = false;
  TQREvValue Total;

protected:
  virtual const char* FunctionName() const { return "SUM"; }

private:
  void AddToTotal(const TQREvValue& Value);
};

class TQREvAverageFunction : public TQREvSumFunction {
  DECLARE_CLASS(TQREvAverageFunction, TQREvSumFunction)

public:
  TQREvAverageFunction() = default;

  void ResetState() override;
  void Accumulate() override;
  void ComputeResult(TQREvValue& Result) override;

  int SampleCount = 0;
  TQREvValue Average;

protected:
  const char* FunctionName() const override { return "AVERAGE"; }
};

// MAX and MIN: the first value sets the total; later values replace it when
// larger (smaller). Integers and floats compare numerically with each other,
// strings by their bytes, booleans with false below true; a later value that
// cannot be compared with the total (another kind, an error) is passed over,
// as SUM passes over booleans and errors.
class TQREvMaxFunction : public TQREvElementFunction {
  DECLARE_CLASS(TQREvMaxFunction, TQREvElementFunction)

public:
  TQREvMaxFunction();

  void ResetState() override { HasTotal = false; }
  void Accumulate() override;
  void ComputeResult(TQREvValue& Result) override;

  bool HasTotal = false;
  TQREvValue Total;
};

class TQREvMinFunction : public TQREvElementFunction {
  DECLARE_CLASS(TQREvMinFunction, TQREvElementFunction)

public:
  TQREvMinFunction();

  void ResetState() override { HasTotal = false; }
  void Accumulate() override;
  void ComputeResult(TQREvValue& Result) override;

  bool HasTotal = false;
  TQREvValue Total;
};

// COUNT counts aggregation steps, not evaluations.
class TQREvCountFunction : public TQREvElementFunction {
  DECLARE_CLASS(TQREvCountFunction, TQREvElementFunction)

public:
  TQREvCountFunction();

  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;
  void ResetState() override { Counter = 0; }

  int Counter = 0;
};

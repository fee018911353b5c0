// Text report variables: named values of one controller, recalculated each
// time the controller moves to a record. TZRField reads a field of a data
// set; TZRAggregator counts, sums and finds the least and greatest of
// another variable's values over the controller's run. The controller looks
// one record ahead before it prints, so every variable keeps its previous
// value (and an aggregator its previous levels) and can step back and
// forward by one record.
#pragma once
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/data/dataset.h"
#include "textreport/core/zrformat.h"

class TZRCustomController;

enum class TZRVariableState : unsigned char { Off = 0, Valid = 1, Stale = 2, Calculating = 3 };

class TZRVariable : public TComponent {
  DECLARE_CLASS(TZRVariable, TComponent)

public:
  explicit TZRVariable(TComponent* AOwner);
  ~TZRVariable() override;

  TZFormat* Format() const { return FFormat.get(); }
  void SetFormat(TZFormat* Value) { FFormat->Assign(Value); }
  TZRCustomController* Controller() const { return FController; }
  TZRVariableState State() const { return FState; }
  const Variant& CurrentValue() const { return FCurrentValue; }
  const Variant& PreviousValue() const { return FPreviousValue; }

  // The value of the current record, calculated when stale.
  Variant GetValue();
  virtual void GetFormattedText(AnsiString& Text);
  AnsiString FormattedText();
  virtual void AttachController(TZRCustomController* Controller);

  // The run. Prepare and the data start (ResetValue) clear the values and
  // mark the variable stale. After every move the controller marks every
  // variable stale (keeping the values) and then calculates each: the current
  // value becomes the previous one and the new value the current one. The
  // look-ahead steps back and forward by swapping the two. Unprepare ends
  // the run.
  virtual void Prepare();
  virtual void Unprepare();
  virtual void Calculate();
  virtual void StepBack();
  virtual void StepForward();
  virtual void MarkStale();
  virtual void ResetValue();

  void SetName(const AnsiString& NewName) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

protected:
  virtual void CalcValue(Variant& Value) {}
  // Exchanges the current and the previous value of a valid variable.
  void SwapValues();
  void SetState(TZRVariableState Value) { FState = Value; }
  // The controller's report hears of the variable joining, leaving or being renamed.
  void NotifyController(int Code);

private:
  std::unique_ptr<TZFormat> FFormat;
  Variant FPreviousValue;
  Variant FCurrentValue;
  TZRVariableState FState = TZRVariableState::Off;
  TZRCustomController* FController = nullptr;
};

class TZRField : public TZRVariable {
  DECLARE_CLASS(TZRField, TZRVariable)

public:
  explicit TZRField(TComponent* AOwner) : TZRVariable(AOwner) {}

  const AnsiString& DataField() const { return FDataField; }
  void SetDataField(const AnsiString& Value);
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  int FieldIndex() const { return FFieldIndex; }
  TField* Field() const { return FField; }

  void GetFormattedText(AnsiString& Text) override;
  void AttachController(TZRCustomController* Controller) override;
  void Prepare() override;
  void Unprepare() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void CalcValue(Variant& Value) override;

private:
  AnsiString FDataField;
  TDataSet* FDataSet = nullptr;
  int FFieldIndex = -1;
  TField* FField = nullptr;
};

// One level of an aggregator: the whole run, or one group of it.
struct TZRAggregateLevel {
  int Count = 0;
  Variant Sum;
  Variant Min;
  Variant Max;
};

class TZRAggregator : public TZRVariable {
  DECLARE_CLASS(TZRAggregator, TZRVariable)

public:
  explicit TZRAggregator(TComponent* AOwner) : TZRVariable(AOwner) {}

  TZRVariable* Variable() const { return FVariable; }
  void SetVariable(TZRVariable* Value);
  int LevelCount() const { return static_cast<int>(FLevels.size()); }
  const TZRAggregateLevel& Level(int Index) const { return FLevels.at(Index); }
  const TZRAggregateLevel& PrevLevel(int Index) const { return FPrevLevels.at(Index); }
  // Integer 0 without values, else Sum / Count.
  Variant Average(int Index) const;

  // Adds one value to a level, keeping the level as it was in the previous copy.
  void Accumulate(int Index, const Variant& Value);

  void GetFormattedText(AnsiString& Text) override;
  void Prepare() override;
  void Unprepare() override;
  void Calculate() override;
  void StepBack() override;
  void StepForward() override;
  void ResetValue() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The name part that follows a source: "zrv" + field name for a field
  // variable so named, else what follows a leading "zrv" ("" without one).
  static AnsiString SourceKey(TZRVariable* Source);

protected:
  void CalcValue(Variant& Value) override;

private:
  void ClearLevels();

  TZRVariable* FVariable = nullptr;
  std::vector<TZRAggregateLevel> FLevels;
  std::vector<TZRAggregateLevel> FPrevLevels;
};

// Whether a value is summed: integers of any size, floats and currency.
bool IsSummableValue(const Variant& Value);

#include "textreport/engine/zrvariables.h"

#include "classlib/data/field.h"
#include "classlib/data/numericfields.h"
#include "classlib/system/strutils.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zrutils.h"
#include "textreport/engine/zrbands.h"

namespace {

bool Loading(const TComponent& c) { return c.ComponentState().Contains(csLoading); }
bool Designing(const TComponent& c) { return c.ComponentState().Contains(csDesigning); }

// A value that is missing: empty or Null. It counts, but is neither summed
// nor compared.
bool IsMissing(const Variant& Value) { return VarIsEmpty(Value) || VarIsNull(Value); }

}  // namespace

bool IsSummableValue(const Variant& Value) {
  switch (Value.VarType()) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64: return true;
  }
  return false;
}

// ---- TZRVariable --------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRVariable)
  PROPERTY(Format, Format, SetFormat),
END_PUBLISHED

TZRVariable::TZRVariable(TComponent* AOwner) : TComponent(AOwner), FFormat(std::make_unique<TZFormat>()) {}

TZRVariable::~TZRVariable() {
  Unprepare();
  AttachController(nullptr);
}

// Asked for while it is being calculated, a variable needs its own value:
// Calculate refuses that with the circular reference error.
Variant TZRVariable::GetValue() {
  if (FState == TZRVariableState::Stale || FState == TZRVariableState::Calculating)
    Calculate();
  return FState == TZRVariableState::Valid ? FCurrentValue : Variant();
}

void TZRVariable::GetFormattedText(AnsiString& Text) { FFormat->FormatValue(GetValue(), Text); }

AnsiString TZRVariable::FormattedText() {
  AnsiString text;
  GetFormattedText(text);
  return text;
}

void TZRVariable::NotifyController(int Code) {
  if (FController != nullptr)
    FController->NotifyReport(static_cast<TZRStructureNotice>(Code));
}

void TZRVariable::AttachController(TZRCustomController* Controller) {
  if (FController == Controller)
    return;
  if (FController != nullptr) {
    NotifyController(zsnLeft);
    FController->RemoveVariable(this);
    FController->RemoveFreeNotification(this);
  }
  FController = Controller;
  if (Controller != nullptr) {
    Controller->AddVariable(this);
    Controller->FreeNotification(this);
    NotifyController(zsnJoined);
  }
}

void TZRVariable::SetName(const AnsiString& NewName) {
  TComponent::SetName(NewName);
  NotifyController(zsnRenamed);
}

TComponent* TZRVariable::GetParentComponent() { return FController; }

void TZRVariable::SetParentComponent(TComponent* Value) {
  if (auto* controller = dynamic_cast<TZRCustomController*>(Value))
    AttachController(controller);
}

void TZRVariable::Prepare() { ResetValue(); }

void TZRVariable::Unprepare() { FState = TZRVariableState::Off; }

// A run's values start afresh: nothing current, nothing before it, to be
// calculated at the first record.
void TZRVariable::ResetValue() {
  FCurrentValue = Variant();
  FPreviousValue = Variant();
  if (FState != TZRVariableState::Calculating)
    FState = TZRVariableState::Stale;
}

// The controller moved: the value is to be calculated again, but the one
// it has stays, so that it becomes the previous value.
void TZRVariable::MarkStale() {
  if (FState == TZRVariableState::Valid)
    FState = TZRVariableState::Stale;
}

void TZRVariable::Calculate() {
  if (FState == TZRVariableState::Calculating)
    RaiseZRError(SZRCircularReference, {Name()});
  if (FState != TZRVariableState::Stale)
    return;
  FState = TZRVariableState::Calculating;
  Variant value;
  try {
    CalcValue(value);
  } catch (...) {
    FState = TZRVariableState::Stale;
    throw;
  }
  FPreviousValue = std::move(FCurrentValue);
  FCurrentValue = std::move(value);
  FState = TZRVariableState::Valid;
}

void TZRVariable::SwapValues() {
  if (FState != TZRVariableState::Valid)
    return;
  FState = TZRVariableState::Calculating;
  std::swap(FCurrentValue, FPreviousValue);
  FState = TZRVariableState::Valid;
}

void TZRVariable::StepBack() { SwapValues(); }
void TZRVariable::StepForward() { SwapValues(); }

void TZRVariable::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  // A controller being freed has let its variables go already.
  if (Operation == opRemove && AComponent == FController)
    FController = nullptr;
}

// ---- TZRField -----------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRField)
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSet, DataSet, SetDataSet),
END_PUBLISHED

void TZRField::SetDataSet(TDataSet* Value) {
  if (FDataSet == Value)
    return;
  Unprepare();
  if (FDataSet != nullptr)
    FDataSet->RemoveFreeNotification(this);
  FDataSet = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

// At design time the format follows the field: its display width, and the
// currency format for a money field.
void TZRField::SetDataField(const AnsiString& Value) {
  FDataField = Value;
  if (!Designing(*this) || Loading(*this) || FDataSet == nullptr)
    return;
  TField* field = FDataSet->FindField(Value);
  if (field == nullptr)
    return;
  Format()->SetWidth(field->DisplayWidth());
  if (auto* money = dynamic_cast<TFloatField*>(field); money != nullptr && money->Currency())
    Format()->SetFloatFormat(ffCurrency);
}

void TZRField::GetFormattedText(AnsiString& Text) {
  if (Controller() != nullptr && Controller()->Printing())
    TZRVariable::GetFormattedText(Text);
  else
    Text = FDataField;
}

void TZRField::AttachController(TZRCustomController* Controller) {
  TZRVariable::AttachController(Controller);
  if (Controller != nullptr && FDataSet == nullptr && Controller->DataSet() != nullptr)
    SetDataSet(Controller->DataSet());
}

void TZRField::Prepare() {
  TZRVariable::Prepare();
  FField = nullptr;
  FFieldIndex = -1;
  if (FDataSet == nullptr || !FDataSet->Active())
    return;
  FField = FDataSet->FindField(FDataField);
  if (FField != nullptr)
    FFieldIndex = FDataSet->Fields().IndexOf(FField);
}

void TZRField::Unprepare() {
  TZRVariable::Unprepare();
  FField = nullptr;
  FFieldIndex = -1;
}

void TZRField::CalcValue(Variant& Value) {
  Value = Variant();
  if (FDataSet == nullptr || FFieldIndex < 0)
    return;
  if (!FDataSet->Active()) {
    FField = nullptr;
    return;
  }
  // Dynamic fields may have been made anew since Prepare.
  if (FDataSet->DefaultFields())
    FField = FFieldIndex < FDataSet->Fields().Count() ? FDataSet->Fields()[FFieldIndex] : nullptr;
  if (FField != nullptr)
    Value = FField->Value();
}

void TZRField::Notification(TComponent* AComponent, TOperation Operation) {
  TZRVariable::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) {
    Unprepare();
    FDataSet = nullptr;
  }
}

// ---- TZRAggregator ------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRAggregator)
  PROPERTY(Variable, Variable, SetVariable),
END_PUBLISHED

AnsiString TZRAggregator::SourceKey(TZRVariable* Source) {
  if (Source == nullptr)
    return "";
  const AnsiString& name = Source->Name();
  if (auto* field = dynamic_cast<TZRField*>(Source);
      field != nullptr && SameText(name, "zrv" + field->DataField()))
    return field->DataField();
  return name.size() >= 3 && SameText(name.substr(0, 3), "zrv") ? name.substr(3) : AnsiString();
}

void TZRAggregator::SetVariable(TZRVariable* Value) {
  if (FVariable == Value)
    return;
  Unprepare();
  TZRVariable* old = FVariable;
  if (old != nullptr)
    old->RemoveFreeNotification(this);
  FVariable = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
  if (Designing(*this) && !Loading(*this)) {
    // "zrsumAMOUNT" over "zrvAMOUNT" becomes "zrsumPRICE" over "zrvPRICE".
    const AnsiString oldKey = SourceKey(old), newKey = SourceKey(Value);
    const AnsiString& name = Name();
    if (!oldKey.empty() && WildcardMatch("*" + oldKey, name)) {
      const AnsiString renamed = name.substr(0, name.size() - oldKey.size()) + newKey;
      if (!renamed.empty() && renamed != name)
        UniqueName(this, renamed);
    }
  }
  // A layout being read keeps the aggregator's own stored format.
  if (Value != nullptr && !Loading(*this))
    SetFormat(Value->Format());
}

Variant TZRAggregator::Average(int Index) const {
  const TZRAggregateLevel& level = FLevels.at(Index);
  if (level.Count <= 0)
    return Variant(0);
  return level.Sum / Variant(level.Count);
}

void TZRAggregator::GetFormattedText(AnsiString& Text) {
  if (FVariable == nullptr) {
    TZRVariable::GetFormattedText(Text);
    return;
  }
  AnsiString source;
  FVariable->GetFormattedText(source);
  Text = "$(" + source + ")";
}

void TZRAggregator::ClearLevels() {
  const size_t count = FLevels.size();
  FLevels.assign(count, TZRAggregateLevel{});
  FPrevLevels.assign(count, TZRAggregateLevel{});
}

// One level for the whole run; groups would add one each, and this engine
// has none.
void TZRAggregator::Prepare() {
  const size_t levels = Controller() != nullptr ? Controller()->GroupList().size() + 1 : 1;
  FLevels.assign(levels, TZRAggregateLevel{});
  FPrevLevels.assign(levels, TZRAggregateLevel{});
  TZRVariable::Prepare();
}

void TZRAggregator::Unprepare() {
  TZRVariable::Unprepare();
  FLevels.clear();
  FPrevLevels.clear();
}

// The data start: the levels start empty. The source is left alone: its
// own controller recalculates it, and calculating it here again would turn
// its current value into its previous one.
void TZRAggregator::ResetValue() {
  TZRVariable::ResetValue();
  ClearLevels();
}

void TZRAggregator::Calculate() {
  if (State() == TZRVariableState::Valid)
    return;
  TZRVariable::Calculate();
  if (State() != TZRVariableState::Valid)
    return;
  for (int i = 0; i < LevelCount(); ++i)
    Accumulate(i, CurrentValue());
}

void TZRAggregator::CalcValue(Variant& Value) {
  Value = FVariable != nullptr ? FVariable->GetValue() : Variant();
}

void TZRAggregator::StepBack() {
  TZRVariable::StepBack();
  if (State() == TZRVariableState::Valid)
    std::swap(FLevels, FPrevLevels);
}

void TZRAggregator::StepForward() {
  TZRVariable::StepForward();
  if (State() == TZRVariableState::Valid)
    std::swap(FLevels, FPrevLevels);
}

// Every number is summed whatever its size (integers of 8 to 64 bits,
// floats, currency, which keeps its four decimals); a missing value counts
// but takes no part in the sum, the least or the greatest.
void TZRAggregator::Accumulate(int Index, const Variant& Value) {
  TZRAggregateLevel& level = FLevels.at(Index);
  FPrevLevels.at(Index) = level;
  if (level.Count == 0) {
    level.Sum = Variant(0);
    level.Min = Value;
    level.Max = Value;
  }
  if (!IsMissing(Value)) {
    if (IsSummableValue(Value))
      level.Sum += Value;
    if (IsMissing(level.Max) || Value > level.Max)
      level.Max = Value;
    if (IsMissing(level.Min) || Value < level.Min)
      level.Min = Value;
  }
  ++level.Count;
}

void TZRAggregator::Notification(TComponent* AComponent, TOperation Operation) {
  TZRVariable::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FVariable) {
    Unprepare();
    FVariable = nullptr;
  }
}

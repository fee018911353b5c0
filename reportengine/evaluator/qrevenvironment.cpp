#include "reportengine/evaluator/qrevenvironment.h"

#include <memory>

#include "classlib/classes/lists.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/system/datetime.h"
#include "classlib/system/strutils.h"
#include "reportengine/evaluator/qrlibrary.h"

IMPLEMENT_CLASS(TQREvEmbeddedFunction)
IMPLEMENT_CLASS(TQREvElementWrapper)
IMPLEMENT_CLASS(TQREvEnvironment)

// ---- Variables ---------------------------------------------------------------

namespace {

// The variables being evaluated inside one another on this thread, and the
// elements of their expressions.
thread_local int variableNesting = 0;
thread_local int chainElements = 0;

}  // namespace

TQREvEmbeddedFunction::TQREvEmbeddedFunction() : TQREvEmbeddedFunction(AnsiString()) {}

TQREvEmbeddedFunction::TQREvEmbeddedFunction(const AnsiString& Expression)
    : ExpressionText(Expression), OwnEvaluator(new TQREvaluator) {}

TQREvEmbeddedFunction::~TQREvEmbeddedFunction() {
  delete OwnEvaluator;
}

void TQREvEmbeddedFunction::GetValue(TQRFiFo&, TQREvValue& Result) {
  if (InEvaluation)
    return SetEvError(Result, "Recursive calls not allowed");
  TQRFiFo* sequence = OwnEvaluator->Sequence();
  int elements = sequence != nullptr ? sequence->Count() : 0;
  if (variableNesting >= MaxNesting || chainElements + elements > MaxChainElements)
    return SetEvError(Result, ExpressionTooComplexText);
  struct Evaluating {
    TQREvEmbeddedFunction& self;
    int elements;
    Evaluating(TQREvEmbeddedFunction& s, int e) : self(s), elements(e) {
      self.InEvaluation = true;
      ++variableNesting;
      chainElements += elements;
    }
    ~Evaluating() {
      self.InEvaluation = false;
      --variableNesting;
      chainElements -= elements;
    }
  } evaluating(*this, elements);
  OwnEvaluator->EvaluateExpression(Result);
}

void TQREvEmbeddedFunction::ResetState() {
  OwnEvaluator->ResetAggregates();
}

void TQREvElementWrapper::GetValue(TQRFiFo& Sequence, TQREvValue& Result) {
  Target->GetValue(Sequence, Result);
}

// ---- Environment ---------------------------------------------------------------

TQREvEnvironment::TQREvEnvironment() = default;

TQREvEnvironment::~TQREvEnvironment() {
  Clear();
  if (FOwnsDataSets)
    delete FVariableDataSets;
}

TQREvEmbeddedFunction* TQREvEnvironment::Variable(int Index) const {
  return static_cast<TQREvEmbeddedFunction*>(Objects(Index));
}

int TQREvEnvironment::IndexOfVariable(const AnsiString& Name) const {
  return IndexOf(AnsiUpperCase(Name));
}

void TQREvEnvironment::PrepareVariable(TQREvEmbeddedFunction* Variable) {
  Variable->OwnEvaluator->SourceDataSets = VariableDataSets();
  Variable->OwnEvaluator->LocalEnvironment = this;
  Variable->OwnEvaluator->PrepareExpression(Variable->ExpressionText);
}

void TQREvEnvironment::AddVariable(const AnsiString& Name, const AnsiString& Expression) {
  AnsiString name = AnsiUpperCase(Name);
  if (IndexOf(name) >= 0)
    return;
  auto variable = std::make_unique<TQREvEmbeddedFunction>(Expression);
  AddObject(name, variable.get());
  TQREvEmbeddedFunction* added = variable.release();
  if (FPrepareDepth > 0)
    PrepareVariable(added);
}

void TQREvEnvironment::RemoveVariable(const AnsiString& Name) {
  int index = IndexOfVariable(Name);
  if (index < 0)
    return;
  delete Variable(index);
  Delete(index);
}

void TQREvEnvironment::Clear() {
  for (int i = 0; i < Count(); ++i) {
    delete Variable(i);
    PutObject(i, nullptr);
  }
  TStringList::Clear();
}

void TQREvEnvironment::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TQREvEnvironment*>(Source);
  if (source == nullptr)
    return TStringList::Assign(Source);
  if (source == this)
    return;
  Clear();
  for (int i = 0; i < source->Count(); ++i)
    if (TQREvEmbeddedFunction* variable = source->Variable(i))
      AddVariable(source->Strings(i), variable->ExpressionText);
}

void TQREvEnvironment::PrepareVariables() {
  if (FPrepareDepth++ > 0)
    return;
  for (int i = 0; i < Count(); ++i)
    if (TQREvEmbeddedFunction* variable = Variable(i))
      PrepareVariable(variable);
}

void TQREvEnvironment::UnprepareVariables() {
  // Each variable's evaluator unprepares the global environment in turn.
  if (this == ExistingGlobalVariables() && FUnpreparing)
    return;
  if (FPrepareDepth == 0)
    return;  // unbalanced: nothing is prepared
  if (--FPrepareDepth > 0)
    return;
  FUnpreparing = true;
  try {
    for (int i = 0; i < Count(); ++i)
      if (TQREvEmbeddedFunction* variable = Variable(i))
        if (variable->OwnEvaluator->IsPrepared())
          variable->OwnEvaluator->UnprepareExpression();
  } catch (...) {
    FUnpreparing = false;
    throw;
  }
  FUnpreparing = false;
}

TList* TQREvEnvironment::VariableDataSets() {
  if (FVariableDataSets == nullptr) {
    FVariableDataSets = new TList;
    FOwnsDataSets = true;
  }
  return FVariableDataSets;
}

void TQREvEnvironment::SetVariableDataSets(TList* Value) {
  if (FOwnsDataSets && FVariableDataSets != Value)
    delete FVariableDataSets;
  FVariableDataSets = Value;
  FOwnsDataSets = false;
}

void TQREvEnvironment::VariableValue(const AnsiString& Name, TQREvValue& Result) {
  int index = IndexOfVariable(Name);
  TQREvEmbeddedFunction* variable = index >= 0 ? Variable(index) : nullptr;
  if (variable == nullptr)
    return SetEvError(Result, UnknownFunctionText(Name));
  TQRFiFo unused;
  variable->GetValue(unused, Result);
}

TQREvElement* TQREvEnvironment::CreateReference(const AnsiString& Name) {
  int index = IndexOfVariable(Name);
  TQREvEmbeddedFunction* variable = index >= 0 ? Variable(index) : nullptr;
  if (variable == nullptr)
    return new TQREvElementError(UnknownFunctionText(Name));
  return new TQREvElementWrapper(variable);
}

TQREvElement* TQREvEnvironment::FindConstant(const AnsiString& Name) {
  int index = IndexOfVariable(Name);
  TQREvEmbeddedFunction* variable = index >= 0 ? Variable(index) : nullptr;
  if (variable == nullptr)
    return nullptr;
  TQRFiFo* sequence = variable->OwnEvaluator->Sequence();
  if (sequence == nullptr || sequence->Count() == 0)
    return nullptr;
  return sequence->Items(0);
}

void TQREvEnvironment::StoreString(TQREvElement* Element, const AnsiString& Text) {
  if (auto* string = dynamic_cast<TQREvElementString*>(Element))
    string->Text = Text;
}

void TQREvEnvironment::StoreInteger(TQREvElement* Element, int Value) {
  if (auto* constant = dynamic_cast<TQREvElementConstant*>(Element))
    constant->Value = TQREvValue::Integer(Value);
}

void TQREvEnvironment::StoreValue(TQREvElement* Element, const TQREvValue& Value) {
  if (auto* constant = dynamic_cast<TQREvElementConstant*>(Element))
    constant->Value = Value;
  else if (auto* string = dynamic_cast<TQREvElementString*>(Element); string && Value.ValueKind == evString)
    string->Text = Value.StrValue;
}

// ---- Streaming -------------------------------------------------------------------

void TQREvEnvironment::DefineProperties(TFiler& Filer) {
  TStringList::DefineProperties(Filer);
  Filer.DefineProperty(
      "DATA", [this](TReader& reader) { ReadExpressions(reader); },
      [this](TWriter& writer) { WriteExpressions(writer); }, Count() > 0);
}

void TQREvEnvironment::WriteExpressions(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) {
    TQREvEmbeddedFunction* variable = Variable(i);
    Writer.WriteString(variable != nullptr ? variable->ExpressionText : AnsiString());
  }
  Writer.WriteListEnd();
}

// The names came with "Strings"; the i-th expression belongs to line i. An
// expression without a line is dropped: a damaged layout must not make
// variables without names.
void TQREvEnvironment::ReadExpressions(TReader& Reader) {
  Reader.ReadListBegin();
  for (int i = 0; !Reader.EndOfList(); ++i) {
    AnsiString expression = Reader.ReadString();
    if (i >= Count())
      continue;
    TQREvEmbeddedFunction* replaced = Variable(i);
    PutObject(i, new TQREvEmbeddedFunction(expression));
    delete replaced;
  }
  Reader.ReadListEnd();
}

// ---- The process-wide environment ---------------------------------------------------

namespace {

AnsiString NoApplicationTitle() {
  return AnsiString();
}

TApplicationTitleSource applicationTitle = NoApplicationTitle;
TQREvEnvironment* globalVariables = nullptr;

// Made on first use, after the function registry; freed at exit.
struct GlobalVariablesModule {
  GlobalVariablesModule() {
    BuiltInFunctions();
    auto* environment = new TQREvEnvironment;
    environment->AddVariable("AppStartTime", "'" + TimeToStr(Time()) + "'");
    environment->AddVariable("AppStartDate", "'" + DateToStr(Date()) + "'");
    environment->AddVariable("AppName", "'" + applicationTitle() + "'");
    globalVariables = environment;
  }
  ~GlobalVariablesModule() {
    TQREvEnvironment* dying = globalVariables;
    globalVariables = nullptr;
    delete dying;
  }
};

}  // namespace

TQREvEnvironment* GlobalVariables() {
  static GlobalVariablesModule module;
  return globalVariables;
}

TQREvEnvironment* ExistingGlobalVariables() {
  return globalVariables;
}

void SetApplicationTitleSource(TApplicationTitleSource Source) {
  applicationTitle = Source != nullptr ? Source : NoApplicationTitle;
}

// Named variables of expressions and the environments that hold them.
//
// A variable is a name bound to an expression of its own, evaluated afresh
// at each use by its own evaluator. An environment is a string list whose
// lines are the variable names in upper case and whose objects are the
// variables (TQREvEmbeddedFunction), owned by the environment. A report's
// Functions is one; GlobalVariables, the process-wide one, holds
// APPSTARTTIME, APPSTARTDATE and APPNAME, fixed when it is made.
//
// Stored form: the string list's "Strings" (the names) and after it the
// defined property "DATA", the expressions in line order.
#pragma once
#include "classlib/classes/strings.h"
#include "reportengine/evaluator/qrevelement.h"
#include "reportengine/evaluator/qrexpr.h"

class TList;

class TQREvEmbeddedFunction : public TQREvElement {
  DECLARE_CLASS(TQREvEmbeddedFunction, TQREvElement)

public:
  // Deepest chain of variables evaluating one another, and the most elements
  // the expressions of such a chain may hold together (which bounds how deep
  // evaluation nests); beyond either a variable gives ExpressionTooComplexText
  // rather than exhausting the stack.
  static constexpr int MaxNesting = 64;
  static constexpr int MaxChainElements = 2048;

  TQREvEmbeddedFunction();
  explicit TQREvEmbeddedFunction(const AnsiString& Expression);
  ~TQREvEmbeddedFunction() override;

  // "Recursive calls not allowed" when the variable is already being
  // evaluated (it refers to itself, directly or through others).
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;
  void ResetState() override;

  AnsiString ExpressionText;
  TQREvaluator* OwnEvaluator;
  bool InEvaluation = false;
};

// Stands in an expression for a variable it does not own.
class TQREvElementWrapper : public TQREvElement {
  DECLARE_CLASS(TQREvElementWrapper, TQREvElement)

public:
  TQREvElementWrapper() = default;
  explicit TQREvElementWrapper(TQREvEmbeddedFunction* ATarget) : Target(ATarget) {}
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;

  TQREvEmbeddedFunction* Target = nullptr;
};

class TQREvEnvironment : public TStringList {
  DECLARE_CLASS(TQREvEnvironment, TStringList)

public:
  TQREvEnvironment();
  ~TQREvEnvironment() override;

  // Adds a variable unless the (upper-cased) name exists; while the
  // environment is prepared the new variable is prepared at once.
  void AddVariable(const AnsiString& Name, const AnsiString& Expression);
  void RemoveVariable(const AnsiString& Name);
  // Frees every variable, then empties the list.
  void Clear() override;
  // Copies the names and expressions of another environment (each copy has
  // variables of its own); other string lists copy their lines only.
  void Assign(TPersistent* Source) override;

  void PrepareVariables();
  void UnprepareVariables();
  int PrepareDepth() const { return FPrepareDepth; }

  // The data sets the variables' fields come from; an empty list of the
  // environment's own when none was given.
  TList* VariableDataSets();
  void SetVariableDataSets(TList* Value);

  void VariableValue(const AnsiString& Name, TQREvValue& Result);
  // A new TQREvElementWrapper for the variable, or a new TQREvElementError
  // "Unknown function : <Name>".
  TQREvElement* CreateReference(const AnsiString& Name);
  // The first element of the variable's prepared sequence, or nullptr.
  TQREvElement* FindConstant(const AnsiString& Name);
  static void StoreString(TQREvElement* Element, const AnsiString& Text);
  static void StoreInteger(TQREvElement* Element, int Value);
  static void StoreValue(TQREvElement* Element, const TQREvValue& Value);

  // The variable of a line; nullptr for a line without one.
  TQREvEmbeddedFunction* Variable(int Index) const;

  void DefineProperties(TFiler& Filer) override;

private:
  void PrepareVariable(TQREvEmbeddedFunction* Variable);
  int IndexOfVariable(const AnsiString& Name) const;
  void ReadExpressions(TReader& Reader);
  void WriteExpressions(TWriter& Writer);

  int FPrepareDepth = 0;
  TList* FVariableDataSets = nullptr;
  bool FOwnsDataSets = false;
  bool FUnpreparing = false;
};

// The process-wide environment, made on first use (after BuiltInFunctions)
// and freed at exit.
TQREvEnvironment* GlobalVariables();
// The process-wide environment if it exists (nullptr once freed at exit).
TQREvEnvironment* ExistingGlobalVariables();

// Where APPNAME takes the application's title from when GlobalVariables is
// made; the program installs its own before the first expression.
using TApplicationTitleSource = AnsiString (*)();
void SetApplicationTitleSource(TApplicationTitleSource Source);

// TQRExpr: prints the value of an expression over the run's data sets and
// functions, through a mask. An expression with aggregate functions counts
// the detail records that print: the controller notifies it (operation 0)
// before each detail band's printables print. With ResetAfterPrint the
// aggregates start again after each print, so a group footer's total
// covers its group only.
#pragma once
#include <memory>

#include "reportengine/printables/qrlabel.h"

class TQREvaluator;
struct TQREvValue;

class TQRExpr : public TQRCustomLabel {
  DECLARE_CLASS(TQRExpr, TQRCustomLabel)

public:
  explicit TQRExpr(TComponent* AOwner);
  ~TQRExpr() override;

  void Prepare() override;
  void Print(int OfsX, int OfsY) override;
  void Notify(TObject* Sender, int Operation) override;
  void Unprepare() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  AnsiString Expression() const { return FExpression; }
  // Stores and shows the expression, or "(none)" when it is empty.
  void SetExpression(const AnsiString& Value);
  AnsiString Mask() const { return FMask; }
  void SetMask(const AnsiString& Value);
  // The report or sub-detail whose detail prints the aggregates count.
  TComponent* Master() const { return FMaster; }
  void SetMaster(TComponent* Value);
  bool ResetAfterPrint() const { return FResetAfterPrint; }
  void SetResetAfterPrint(bool Value) { FResetAfterPrint = Value; }
  TQREvaluator* ExprEvaluator() const { return FEvaluator.get(); }

  // The text a value prints as under Mask. A float mask holding "%m" is
  // formatted as money; a mask the value cannot be formatted with gives the
  // formatting error's message.
  AnsiString ValueText(const TQREvValue& Value) const;

private:
  std::unique_ptr<TQREvaluator> FEvaluator;
  AnsiString FExpression;
  AnsiString FMask;
  TComponent* FMaster = nullptr;
  // Whose notify list the run registered the expression with.
  TComponent* FNotifier = nullptr;
  bool FResetAfterPrint = false;
};

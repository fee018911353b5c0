#include "reportengine/printables/qrexprlabel.h"

#include <cctype>

#include "classlib/system/format.h"
#include "classlib/system/numconv.h"
#include "reportengine/evaluator/qrexpr.h"
#include "reportengine/printables/qrtexthost.h"
#include "reportengine/report/qrbasepanel.h"

BEGIN_PUBLISHED(TQRExpr)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(AlignToBand, AlignToBand, SetAlignToBand).Default(false),
  PROPERTY(AutoSize, AutoSize, SetAutoSize),
  PROPERTY(AutoStretch, AutoStretch, SetAutoStretch).Default(false),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Master, Master, SetMaster),
  PROPERTY(OnPrint, OnPrint, OnPrint),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ResetAfterPrint, ResetAfterPrint, SetResetAfterPrint).Default(false),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
  PROPERTY(Expression, Expression, SetExpression),
  PROPERTY(Mask, Mask, SetMask),
END_PUBLISHED

namespace {

// The number of format specifiers in a mask ("%%" is a percent sign, not a
// specifier) and whether the only one is a money specifier.
bool HasOneMoneySpecifier(const AnsiString& mask) {
  int specifiers = 0;
  bool money = false;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != '%')
      continue;
    if (i + 1 < mask.size() && mask[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < mask.size() && !std::isalpha(static_cast<unsigned char>(mask[j])))
      ++j;
    ++specifiers;
    money = j < mask.size() && (mask[j] == 'm' || mask[j] == 'M');
    i = j;
  }
  return specifiers == 1 && money;
}

// A float through a mask holding "%m": the money format of the settings.
// Any other specifier, or a second one, cannot take the one value: the
// formatting error's text prints instead of stopping the run.
AnsiString MoneyText(const AnsiString& mask, double value) {
  AnsiString invalid = "Format '" + mask + "' invalid or incompatible with argument";
  if (!HasOneMoneySpecifier(mask))
    return invalid;
  try {
    return Format(mask, {value});
  } catch (const Exception& e) {
    return e.Message;
  } catch (...) {
    return invalid;
  }
}

}  // namespace

TQRExpr::TQRExpr(TComponent* AOwner) : TQRCustomLabel(AOwner), FEvaluator(std::make_unique<TQREvaluator>()) {
  SetExpression("");
}

TQRExpr::~TQRExpr() { SetMaster(nullptr); }

void TQRExpr::SetExpression(const AnsiString& Value) {
  FExpression = Value;
  ApplyCaption(Value.empty() ? AnsiString("(") + "none" + ")" : Value);
  Invalidate();
}

void TQRExpr::SetMask(const AnsiString& Value) {
  FMask = Value;
  SetExpression(FExpression);
}

void TQRExpr::SetMaster(TComponent* Value) {
  ReplaceComponentReference(this, FMaster, Value);
}

void TQRExpr::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomLabel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMaster)
    FMaster = nullptr;
  if (Operation == opRemove && AComponent == FNotifier)
    FNotifier = nullptr;
}

void TQRExpr::Prepare() {
  TQRCustomLabel::Prepare();
  FEvaluator->SourceDataSets = QRReportDataSets(ParentReport());
  FEvaluator->LocalEnvironment = QRReportFunctions(ParentReport());
  FEvaluator->PrepareExpression(FExpression);
  FNotifier = FMaster != nullptr                                        ? FMaster
              : FEvaluator->HasAggregates() && ParentReport() != nullptr ? ParentReport()
                                                                       : nullptr;
  if (FNotifier != nullptr && !QRAddNotifyClient(FNotifier, this))
    FNotifier = nullptr;
  FEvaluator->ResetAggregates();
}

void TQRExpr::Notify(TObject* Sender, int Operation) {
  TQRCustomLabel::Notify(Sender, Operation);
  if (Operation == QRNotifyRecordAdvanced && FEvaluator->IsPrepared())
    FEvaluator->AggregateStep();
}

AnsiString TQRExpr::ValueText(const TQREvValue& Value) const {
  switch (Value.ValueKind) {
    case evInteger: return FormatFloat(FMask, Value.IntValue);
    case evFloat:
      if (FMask.find("%m") != AnsiString::npos)
        return MoneyText(FMask, Value.FloatValue);
      return FormatFloat(FMask, Value.FloatValue);
    case evString: return Value.StrValue;
    case evError: return Value.StrValue;
    case evBoolean: return Value.BoolValue ? "True" : "False";
  }
  return "";
}

void TQRExpr::Print(int OfsX, int OfsY) {
  if (!ShouldPrint())
    return;
  AnsiString text = " ";
  if (!FExpression.empty() && FEvaluator->IsPrepared()) {
    TQREvValue value;
    FEvaluator->EvaluateExpression(value);
    text = ValueText(value);
  }
  SetOutputText(text);
  SetIsLaidOut(false);
  TQRCustomLabel::Print(OfsX, OfsY);
  if (FResetAfterPrint)
    FEvaluator->ResetAggregates();
}

// The expression leaves the notify list with the run, so a list kept past
// the run never names an expression freed since.
void TQRExpr::Unprepare() {
  if (FNotifier != nullptr)
    QRRemoveNotifyClient(FNotifier, this);
  FNotifier = nullptr;
  FEvaluator->SourceDataSets = nullptr;
  FEvaluator->UnprepareExpression();
  TQRCustomLabel::Unprepare();
  SetExpression(FExpression);
}

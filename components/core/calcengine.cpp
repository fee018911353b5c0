#include "components/core/calcengine.h"

#include <cmath>

#include "classlib/system/formatsettings.h"
#include "classlib/system/numconv.h"

namespace {

// The calculator's own number format: Turkish separators in any locale.
const TFormatSettings& CalcNumberFormat() {
  static const TFormatSettings settings = TurkishFormatSettings();
  return settings;
}

constexpr const char* CalcErrorText = "Hata";

bool IsCalcOperator(char Key) {
  return Key == '+' || Key == '-' || Key == '*' || Key == '/' || Key == '%' || Key == TCalcEngine::Enter;
}

// The memory is kept as a numeric edit with 10 decimals keeps it.
double RoundToTenDecimals(double Value) {
  const double scaled = std::round(Value * 1e10) / 1e10;
  return std::isfinite(scaled) ? scaled : Value;
}

}  // namespace

TCalcEngine::TCalcEngine() = default;

void TCalcEngine::Changed() {
  if (OnChange)
    OnChange();
}

void TCalcEngine::Reset() {
  FCurrent = "0";
  FPrevious = "0";
  FMode = cmEntering;
  FPending = 0;
  Changed();
}

void TCalcEngine::ResetAll() {
  FTape.clear();
  Reset();
}

void TCalcEngine::ClearEntry() { SetText("0"); }

void TCalcEngine::SetText(const AnsiString& Text) {
  FCurrent = Text.substr(0, MaxTextLength);
  Changed();
}

// ---- Keys ---------------------------------------------------------------------

void TCalcEngine::KeyPress(char Key) {
  if (Key == Escape) {
    if (FCurrent != "0")
      ResetAll();
    else if (OnCloseRequest)
      OnCloseRequest();
    return;
  }
  if (FMode == cmError)
    return;
  if (Key >= '0' && Key <= '9')
    TypeDigit(Key);
  else if (Key == ',')
    TypeComma();
  else if (Key == Backspace)
    TypeBackspace();
  else if (Key == SquareRoot)
    TakeRoot();
  else if (IsCalcOperator(Key))
    Operator(Key);
}

void TCalcEngine::StartNew() {
  if (FMode != cmOperated)
    return;
  FMode = cmEntering;
  FCurrent = "0";
}

void TCalcEngine::TypeDigit(char Digit) {
  StartNew();
  AnsiString text = FCurrent == "0" ? AnsiString() : FCurrent;
  SetText(text + Digit);
}

void TCalcEngine::TypeComma() {
  StartNew();
  if (FCurrent.find(',') == AnsiString::npos)
    SetText(FCurrent + ',');
}

// What is left of a number after its last character goes: an empty text or
// a lone minus sign is no number, so it becomes "0".
void TCalcEngine::TypeBackspace() {
  StartNew();
  AnsiString text = FCurrent.size() > 1 ? FCurrent.substr(0, FCurrent.size() - 1) : AnsiString("0");
  if (text.empty() || text == "-")
    text = "0";
  SetText(text);
}

void TCalcEngine::TakeRoot() {
  const double value = TextValue(FCurrent);
  if (value < 0) {
    ShowError();
    return;
  }
  ShowResult(std::sqrt(value));
}

void TCalcEngine::Operator(char Key) {
  if (FMode == cmEntering) {
    FMode = cmOperated;
    if (Key == '%') {
      const double current = TextValue(FCurrent);
      if (FPending == '*' || FPending == '/')
        ShowResult(current / 100);
      else if (FPending == '+' || FPending == '-')
        ShowResult(TextValue(FPrevious) * current / 100);
      if (FMode == cmError)
        return;
    }
    if (!ApplyPending())
      return;
  }
  FPrevious = FCurrent;
  FPending = Key;
  if (OnCopy)
    OnCopy(FCurrent);
  Changed();
}

bool TCalcEngine::ApplyPending() {
  if (FPending != '+' && FPending != '-' && FPending != '*' && FPending != '/')
    return true;
  const double left = TextValue(FPrevious), right = TextValue(FCurrent);
  double result = 0;
  switch (FPending) {
  case '+':
    result = left + right;
    break;
  case '-':
    result = left - right;
    break;
  case '*':
    result = left * right;
    break;
  default:
    // A zero divisor however it was typed ("0", "0,0", "0,").
    if (right == 0) {
      ShowError();
      return false;
    }
    result = left / right;
    break;
  }
  const AnsiString resultText = NumberText(result);
  if (resultText.empty()) {
    ShowError();
    return false;
  }
  FTape.push_back(StringFormat(FPrevious) + " " + FPending + " " + StringFormat(FCurrent) + " = " +
                  StringFormat(resultText));
  SetText(resultText);
  return true;
}

void TCalcEngine::ShowResult(double Value) {
  const AnsiString text = NumberText(Value);
  if (text.empty())
    ShowError();
  else
    SetText(text);
}

void TCalcEngine::ShowError() {
  FMode = cmError;
  SetText(CalcErrorText);
}

// ---- Memory -------------------------------------------------------------------

void TCalcEngine::MemoryAdd() { FMemory = RoundToTenDecimals(FMemory + TextValue(FCurrent)); }

void TCalcEngine::MemorySubtract() { FMemory = RoundToTenDecimals(FMemory - TextValue(FCurrent)); }

// The memory becomes the number being entered, so an operator takes it.
void TCalcEngine::MemoryRecall() {
  if (FMode == cmError)
    return;
  const AnsiString text = NumberText(FMemory);
  FMode = cmEntering;
  SetText(text.empty() ? AnsiString("0") : text);
}

void TCalcEngine::MemoryClear() { FMemory = 0; }

// ---- Number texts -------------------------------------------------------------

AnsiString TCalcEngine::StringFormat(const AnsiString& Text) {
  AnsiString text = Text;
  while (!text.empty() && text.front() == ' ')
    text.erase(0, 1);
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  if (text == "0")
    return text;
  const std::size_t sign = !text.empty() && text.front() == '-' ? 1 : 0;
  std::size_t digitsEnd = sign;
  while (digitsEnd < text.size() && text[digitsEnd] >= '0' && text[digitsEnd] <= '9')
    ++digitsEnd;
  const AnsiString digits = text.substr(sign, digitsEnd - sign);
  AnsiString grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      grouped += '.';
    grouped += digits[i];
  }
  return text.substr(0, sign) + grouped + text.substr(digitsEnd);
}

// The general format with as many significant digits as fit in 15
// characters; a cut text could lose its exponent and so its magnitude.
AnsiString TCalcEngine::NumberText(double Value) {
  if (!std::isfinite(Value))
    return "";
  for (int precision = MaxTextLength; precision >= 1; --precision) {
    const AnsiString text = FloatToStrF(Value, ffGeneral, precision, 0, CalcNumberFormat());
    if (static_cast<int>(text.size()) <= MaxTextLength)
      return text;
  }
  return "";
}

double TCalcEngine::TextValue(const AnsiString& Text) {
  AnsiString text = Text;
  if (!text.empty() && text.back() == ',')
    text += '0';
  double value = 0;
  if (!TryStrToFloat(text, value, CalcNumberFormat()))
    return 0;
  return value;
}

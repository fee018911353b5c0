// The desk calculator's arithmetic and typing rules, without a window: the
// number being typed, the left operand, the pending operator, the mode, one
// memory and the paper tape of finished operations.
//
// Numbers are typed and shown in the Turkish way whatever the locale: ","
// is the decimal separator and "." groups thousands. The current text holds
// at most 15 characters; a result that would be longer is rounded to fit,
// and one that cannot be shown (an overflow, a zero divisor, the root of a
// negative number) gives "Hata" and the error mode, where only Esc works.
#pragma once
#include <functional>
#include <vector>

#include "classlib/system/ansistring.h"

class TCalcEngine {
public:
  enum TMode { cmEntering = 0, cmOperated = 1, cmError = 2 };
  static constexpr int MaxTextLength = 15;
  static constexpr char Enter = '\r';
  static constexpr char Escape = '\x1b';
  static constexpr char Backspace = '\b';
  static constexpr char SquareRoot = '@';

  TCalcEngine();

  // One key: a digit, ",", Backspace, "@", one of "+-*/%", Enter or Esc.
  // Other keys do nothing. Esc on a current text of "0" asks to close
  // (OnCloseRequest); on any other text it resets and clears the tape.
  void KeyPress(char Key);

  // Current and previous text "0", entering mode, no pending operator.
  void Reset();
  // Reset and an empty tape (Shift+Delete, Esc on a number).
  void ResetAll();
  // The current number becomes "0" (Delete).
  void ClearEntry();

  // Memory: add or subtract the current number, show it as the current
  // number, set it to 0. The memory keeps 10 decimals.
  void MemoryAdd();
  void MemorySubtract();
  void MemoryRecall();
  void MemoryClear();
  double Memory() const { return FMemory; }

  const AnsiString& Current() const { return FCurrent; }
  const AnsiString& Previous() const { return FPrevious; }
  char Pending() const { return FPending; }
  TMode Mode() const { return FMode; }
  // The current text as the display shows it (thousands grouped).
  AnsiString DisplayText() const { return StringFormat(FCurrent); }
  const std::vector<AnsiString>& Tape() const { return FTape; }
  void ClearTape() { FTape.clear(); }

  // Cuts Text to 15 characters and makes it the current text.
  void SetText(const AnsiString& Text);

  // "0" stays; otherwise a "." goes before every group of three digits of
  // the whole part counted from the right (a leading minus stays in front);
  // the "," with the decimals, or an exponent, follows unchanged.
  static AnsiString StringFormat(const AnsiString& Text);
  // A number as the calculator writes it: "," decimal, at most 15
  // characters, rounded to fit; "" when it cannot be shown.
  static AnsiString NumberText(double Value);
  // The value of a typed or computed text; 0 for a text that is none.
  static double TextValue(const AnsiString& Text);

  // Called after each operator key with the current text, when the number
  // goes to the clipboard.
  std::function<void(const AnsiString& Text)> OnCopy;
  // Esc on "0": the calculator should close.
  std::function<void()> OnCloseRequest;
  // The current text, the tape or the mode changed.
  std::function<void()> OnChange;

private:
  void StartNew();
  void TypeDigit(char Digit);
  void TypeComma();
  void TypeBackspace();
  void TakeRoot();
  void Operator(char Key);
  // Applies the pending operator to previous and current; false after an
  // error.
  bool ApplyPending();
  void ShowError();
  void ShowResult(double Value);
  void Changed();

  AnsiString FCurrent = "0";
  AnsiString FPrevious = "0";
  char FPending = 0;
  TMode FMode = cmEntering;
  double FMemory = 0;
  std::vector<AnsiString> FTape;
};

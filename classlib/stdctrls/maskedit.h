// An edit with an edit mask (the mask language of FormatMaskText): the
// window shows the mask's literals and a blank character in every place to
// fill; typing fills the places one by one, skipping the literals, and
// refuses characters the place does not take. Backspace and Delete blank a
// place again. Without a mask it is a plain edit.
#pragma once
#include <vector>

#include "classlib/controls/stdctrls.h"

class TCustomMaskEdit : public TCustomEdit {
  DECLARE_CLASS(TCustomMaskEdit, TCustomEdit)

public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  const AnsiString& EditMask() const { return FEditMask; }
  void SetEditMask(const AnsiString& Value);
  bool IsMasked() const { return !FSlots.empty(); }
  // The text as the window shows it (literals and blanks included).
  AnsiString EditText() const { return Text(); }
  // The character shown in a place not filled yet.
  char BlankChar() const { return FBlank; }

protected:
  void KeyPress(char& Key) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void CreateWnd() override;

private:
  // One character of the shown text: a literal, or a place to fill.
  struct Slot {
    bool Literal = true;
    char Char = ' ';    // the literal, or the mask character (0 9 # L l A a C c)
    int CaseMode = 0;   // 1 upper, -1 lower, 0 as typed
  };
  void ParseMask();
  // The text with every place blank.
  AnsiString BlankText() const;
  // The next place at or after Pos (-1: none).
  int NextPlace(int Pos) const;
  int PreviousPlace(int Pos) const;
  // The character as the place takes it, or 0 when refused.
  char Accept(const Slot& Place, char Key) const;
  void PutChar(int Pos, char C);

  AnsiString FEditMask;
  std::vector<Slot> FSlots;
  char FBlank = '_';
};

class TMaskEdit : public TCustomMaskEdit {
  DECLARE_CLASS(TMaskEdit, TCustomMaskEdit)

public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};

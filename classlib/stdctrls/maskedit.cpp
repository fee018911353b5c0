#include "classlib/stdctrls/maskedit.h"

#include "classlib/graphics/wintext.h"
#include "classlib/system/formatsettings.h"

IMPLEMENT_CLASS(TCustomMaskEdit)

BEGIN_PUBLISHED(TMaskEdit)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSelect, AutoSelect, SetAutoSelect).Default(true),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(CharCase, CharCase, SetCharCase).Default(ecNormal),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(EditMask, EditMask, SetEditMask),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Text, Text, SetText),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// The mask's last fields (";1;_") give the literal flag and the blank.
void TCustomMaskEdit::ParseMask() {
  FSlots.clear();
  FBlank = '_';
  AnsiString mask = FEditMask;
  std::size_t last = mask.rfind(';');
  if (last != AnsiString::npos && last + 2 == mask.size()) {
    FBlank = mask[last + 1];
    mask.erase(last);
    std::size_t flag = mask.rfind(';');
    if (flag != AnsiString::npos && flag + 2 == mask.size())
      mask.erase(flag);
  }
  int caseMode = 0;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    char c = mask[i];
    Slot slot;
    slot.CaseMode = caseMode;
    switch (c) {
      case '>':
        caseMode = i + 1 < mask.size() && mask[i + 1] == '<' ? (++i, 0) : 1;
        continue;
      case '<':
        caseMode = i + 1 < mask.size() && mask[i + 1] == '>' ? (++i, 0) : -1;
        continue;
      case '!': continue;
      case '\\':
        if (i + 1 < mask.size())
          slot.Char = mask[++i];
        break;
      case ':': slot.Char = FormatSettings.TimeSeparator; break;
      case '/': slot.Char = FormatSettings.DateSeparator; break;
      case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
        slot.Literal = false;
        slot.Char = c;
        break;
      default: slot.Char = c; break;
    }
    FSlots.push_back(slot);
  }
}

AnsiString TCustomMaskEdit::BlankText() const {
  AnsiString text;
  for (const Slot& slot : FSlots)
    text += slot.Literal ? slot.Char : FBlank;
  return text;
}

void TCustomMaskEdit::SetEditMask(const AnsiString& Value) {
  if (FEditMask == Value)
    return;
  FEditMask = Value;
  ParseMask();
  if (IsMasked()) {
    SetMaxLength(static_cast<int>(FSlots.size()));
    SetText(BlankText());
  } else {
    SetMaxLength(0);
  }
}

void TCustomMaskEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  if (IsMasked() && Text().size() != FSlots.size())
    SetText(BlankText());
}

int TCustomMaskEdit::NextPlace(int Pos) const {
  for (int i = Pos < 0 ? 0 : Pos; i < static_cast<int>(FSlots.size()); ++i)
    if (!FSlots[static_cast<std::size_t>(i)].Literal)
      return i;
  return -1;
}

int TCustomMaskEdit::PreviousPlace(int Pos) const {
  for (int i = Pos - 1; i >= 0; --i)
    if (!FSlots[static_cast<std::size_t>(i)].Literal)
      return i;
  return -1;
}

char TCustomMaskEdit::Accept(const Slot& Place, char Key) const {
  std::u16string wide = AnsiToUtf16(std::string(1, Key));
  wchar_t w = wide.empty() ? 0 : static_cast<wchar_t>(wide[0]);
  bool digit = Key >= '0' && Key <= '9';
  bool letter = IsCharAlphaW(w) != FALSE;
  bool ok = false;
  switch (Place.Char) {
    case '0': case '9': ok = digit; break;
    case '#': ok = digit || Key == '+' || Key == '-'; break;
    case 'L': case 'l': ok = letter; break;
    case 'A': case 'a': ok = letter || digit; break;
    default: ok = static_cast<unsigned char>(Key) >= ' '; break;
  }
  if (!ok)
    return '\0';
  if (Place.CaseMode != 0 && letter) {
    wchar_t buffer[2] = {w, 0};
    if (Place.CaseMode > 0)
      CharUpperW(buffer);
    else
      CharLowerW(buffer);
    AnsiString converted = AnsiOf(buffer, 1);
    return converted.empty() ? Key : converted[0];
  }
  return Key;
}

void TCustomMaskEdit::PutChar(int Pos, char C) {
  AnsiString text = Text();
  if (text.size() != FSlots.size())
    text = BlankText();
  text[static_cast<std::size_t>(Pos)] = C;
  SetText(text);
}

// Each typed character fills the next place; the caret goes past it.
void TCustomMaskEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == '\0' || ReadOnly())
    return;
  if (Key == '\b') {
    int place = PreviousPlace(SelStart());
    if (place >= 0) {
      PutChar(place, FBlank);
      SetSelStart(place);
    }
    Key = '\0';
    return;
  }
  if (static_cast<unsigned char>(Key) < ' ')
    return;  // Enter, Esc and other control keys are not typed
  int place = NextPlace(SelStart());
  char accepted = place >= 0 ? Accept(FSlots[static_cast<std::size_t>(place)], Key) : '\0';
  if (accepted == '\0') {
    MessageBeep(0);
  } else {
    PutChar(place, accepted);
    int next = NextPlace(place + 1);
    SetSelStart(next >= 0 ? next : static_cast<int>(FSlots.size()));
  }
  Key = '\0';
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key != VK_DELETE || ReadOnly())
    return;
  int place = NextPlace(SelStart());
  if (place >= 0)
    PutChar(place, FBlank);
  SetSelStart(place >= 0 ? place : SelStart());
  Key = 0;
}

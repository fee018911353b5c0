// Shortcut texts for menus and actions.
#include <windows.h>

#include "classlib/forms/shortcuts.h"
#include "classlib/system/strutils.h"

namespace {

// The names of the keys that have no printable character of their own.
AnsiString SpecialKeyName(WORD key) {
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_ESCAPE: return "Esc";
    case VK_RETURN: return "Enter";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return AnsiString();
  }
}

AnsiString KeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return AnsiString(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24)
    return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
    return "Num " + std::to_string(key - VK_NUMPAD0);
  AnsiString name = SpecialKeyName(key);
  if (!name.empty())
    return name;
  // Punctuation keys: the character the keyboard layout gives them.
  UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
  if (ch >= 0x21 && ch < 0x7F)
    return AnsiString(1, static_cast<char>(ch));
  return AnsiString();
}

// Strips a modifier prefix ("Ctrl+") from the front of text, without regard to case.
bool TakePrefix(AnsiString& text, const char* prefix) {
  const std::size_t n = std::char_traits<char>::length(prefix);
  if (text.size() <= n || !SameText(text.substr(0, n), prefix))
    return false;
  text.erase(0, n);
  return true;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if ((Key & 0xFF00) != 0)
    return 0;
  TShortCut result = Key;
  if (Shift.Contains(ssShift))
    result |= scShift;
  if (Shift.Contains(ssCtrl))
    result |= scCtrl;
  if (Shift.Contains(ssAlt))
    result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = TShiftState();
  if (ShortCut & scShift)
    Shift.Include(ssShift);
  if (ShortCut & scCtrl)
    Shift.Include(ssCtrl);
  if (ShortCut & scAlt)
    Shift.Include(ssAlt);
}

AnsiString ShortCutToText(TShortCut ShortCut) {
  AnsiString name = KeyName(ShortCut & 0xFF);
  if (name.empty())
    return AnsiString();
  AnsiString text;
  if (ShortCut & scShift)
    text += "Shift+";
  if (ShortCut & scCtrl)
    text += "Ctrl+";
  if (ShortCut & scAlt)
    text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
  AnsiString rest = Text;
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    if (TakePrefix(rest, "Shift+")) {
      modifiers |= scShift;
      found = true;
    }
    if (TakePrefix(rest, "Ctrl+")) {
      modifiers |= scCtrl;
      found = true;
    }
    if (TakePrefix(rest, "Alt+")) {
      modifiers |= scAlt;
      found = true;
    }
  }
  if (rest.empty())
    return 0;
  for (WORD key = 0x08; key <= 0xFF; ++key) {
    AnsiString name = KeyName(key);
    if (!name.empty() && SameText(name, rest))
      return static_cast<TShortCut>(key | modifiers);
  }
  return 0;
}


#include "components/core/uitext.h"

#include <array>

#include "classlib/classes/component.h"
#include "classlib/classes/typinfo.h"

namespace {

// Byte -> ASCII letter for the Turkish letters of code page 1254; 0 elsewhere.
constexpr std::array<char, 256> MakeTransliterationTable() {
  std::array<char, 256> table{};
  table[0xC7] = 'C';
  table[0xD0] = 'G';
  table[0xD6] = 'O';
  table[0xDC] = 'U';
  table[0xDD] = 'I';
  table[0xDE] = 'S';
  table[0xE7] = 'c';
  table[0xF0] = 'g';
  table[0xF6] = 'o';
  table[0xFC] = 'u';
  table[0xFD] = 'i';
  table[0xFE] = 's';
  return table;
}

constexpr std::array<char, 256> TransliterationTable = MakeTransliterationTable();

constexpr const char* TransliteratedProperties[] = {"Caption", "Hint", "Title"};

bool IsTextProperty(PPropInfo Prop) {
  return Prop != nullptr && (Prop->Kind() == tkLString || Prop->Kind() == tkString) && Prop->Writable();
}

}  // namespace

AnsiString TransliterateTurkish(const AnsiString& Text) {
  AnsiString result = Text;
  for (char& c : result) {
    const char ascii = TransliterationTable[static_cast<unsigned char>(c)];
    if (ascii != 0)
      c = ascii;
  }
  return result;
}

void TransliterateFormTexts(TComponent* Form) {
  if (Form == nullptr)
    return;
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    TComponent* component = Form->Components(i);
    for (const char* name : TransliteratedProperties) {
      PPropInfo prop = GetPropInfo(component, name);
      if (IsTextProperty(prop))
        SetStrProp(component, prop, TransliterateTurkish(GetStrProp(component, prop)));
    }
  }
}

AnsiString TranslateHookText(const AnsiString& Text, const TTranslateTextEvent& OnTranslateText) {
  if (!OnTranslateText)
    return Text;
  // A hook that leaves the result alone shows the ASCII text, never nothing.
  const AnsiString ascii = TransliterateTurkish(Text);
  AnsiString result = ascii;
  OnTranslateText(ascii, result);
  return result;
}

AnsiString TranslateText(const AnsiString& Message, const TTranslateTextEvent& OnTranslateText) {
  if (OnTranslateText)
    return TranslateHookText(Message, OnTranslateText);
  AnsiString result;
  result.reserve(Message.size());
  for (size_t i = 0; i < Message.size(); ++i) {
    if (Message[i] == '^' && i + 1 < Message.size() && Message[i + 1] == 'M') {
      result += "\r\n";
      ++i;
    } else {
      result += Message[i];
    }
  }
  return result;
}

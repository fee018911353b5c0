// UI-text helpers of the program's components. The components are written
// with Turkish texts; a host may put them into another language through
// three optional hooks: one translates a text, one a whole dialog, one shows
// a message its own way. When a hook is used, Turkish letters are first
// turned into plain ASCII, so the host's tables can be keyed by ASCII text.
// Without hooks the Turkish texts show as they are.
#pragma once
#include "classlib/classes/events.h"
#include "classlib/system/ansistring.h"

class TComponent;
class TCustomForm;

// Turns an ASCII source text into the user's language.
DOZURI_EVENT(TTranslateTextEvent, void(const AnsiString& Text, AnsiString& Result));
// Translates a dialog after its texts were transliterated.
DOZURI_EVENT(TTranslateFormEvent, void(TCustomForm* Form));
// Shows a message itself; Kind 0 is information.
DOZURI_EVENT(TShowMessageEvent, void(const AnsiString& Msg, int Kind));

inline constexpr int ShowMessageInformation = 0;

// Each of the twelve Turkish letters of code page 1254 (Ç Ğ Ö Ü İ Ş ç ğ ö ü ı ş)
// becomes its base letter; every other byte stays. Same length as the input.
AnsiString TransliterateTurkish(const AnsiString& Text);

// For every component Form owns, in its component order: a published text
// property "Caption", "Hint" or "Title" is replaced by its transliteration.
// The form's own caption is left alone.
void TransliterateFormTexts(TComponent* Form);

// Without a text hook: Message with every "^M" turned into CR LF. With one:
// the hook's translation of the transliterated message ("^M" is then the
// hook's matter).
AnsiString TranslateText(const AnsiString& Message, const TTranslateTextEvent& OnTranslateText);

// The text hook's translation of Text, transliterated first; Text as it
// stands without a hook.
AnsiString TranslateHookText(const AnsiString& Text, const TTranslateTextEvent& OnTranslateText);

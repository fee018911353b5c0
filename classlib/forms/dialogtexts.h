// The class library's own dialog texts (message dialog captions and
// buttons, the data controls' delete question) in the language of the
// user's system: Turkish under a Turkish system, English under any other.
#pragma once
#include <optional>

#include "classlib/forms/dialogservice.h"

enum class TDialogLanguage { English, Turkish };

// The language read once from the user's system (its display language or
// its locale being Turkish), unless a test has set one.
TDialogLanguage DialogLanguage();
// Sets the language for tests; nullopt goes back to the system's.
void SetDialogLanguageForTesting(std::optional<TDialogLanguage> Language);

// Keeps a language for the lifetime of the scope.
class TDialogLanguageScope {
public:
  explicit TDialogLanguageScope(TDialogLanguage Language) { SetDialogLanguageForTesting(Language); }
  ~TDialogLanguageScope() { SetDialogLanguageForTesting(std::nullopt); }
  TDialogLanguageScope(const TDialogLanguageScope&) = delete;
  TDialogLanguageScope& operator=(const TDialogLanguageScope&) = delete;
};

// "&Yes" / "&Evet", "OK" / "Tamam" ...
AnsiString MessageButtonText(TMsgDlgBtn Button);
// "Confirm" / "Onay" ...; empty for mtCustom.
AnsiString MessageTypeText(TMsgDlgType DlgType);
// The question before a data control deletes the current record.
AnsiString DeleteRecordQuestion();

#include "classlib/forms/dialogtexts.h"

#include <windows.h>

namespace {

std::optional<TDialogLanguage> forced;

TDialogLanguage SystemLanguage() {
  const bool turkish = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_TURKISH ||
                       PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_TURKISH;
  return turkish ? TDialogLanguage::Turkish : TDialogLanguage::English;
}

bool Turkish() { return DialogLanguage() == TDialogLanguage::Turkish; }

}  // namespace

TDialogLanguage DialogLanguage() {
  static const TDialogLanguage system = SystemLanguage();
  return forced.value_or(system);
}

void SetDialogLanguageForTesting(std::optional<TDialogLanguage> Language) { forced = Language; }

AnsiString MessageButtonText(TMsgDlgBtn Button) {
  static const char* const english[] = {"&Yes",    "&No",  "OK",         "Cancel",      "&Abort", "&Retry",
                                        "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"};
  static const char* const turkish[] = {"&Evet",    "&Hayır", "Tamam",          "İptal",          "&Durdur",
                                        "&Yeniden Dene", "Yoksa&y", "&Tümü", "Tümüne H&ayır", "Tümüne E&vet",
                                        "Yardı&m"};
  return (Turkish() ? turkish : english)[Button];
}

AnsiString MessageTypeText(TMsgDlgType DlgType) {
  const bool tr = Turkish();
  switch (DlgType) {
    case mtWarning: return tr ? "Uyarı" : "Warning";
    case mtError: return tr ? "Hata" : "Error";
    case mtInformation: return tr ? "Bilgi" : "Information";
    case mtConfirmation: return tr ? "Onay" : "Confirm";
    default: return "";
  }
}

AnsiString DeleteRecordQuestion() { return Turkish() ? "Kayıt silinsin mi?" : "Delete record?"; }

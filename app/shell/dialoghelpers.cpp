#include "app/shell/dialoghelpers.h"

void ShowInfo(const AnsiString& text) { Application->MessageBox(text, "Bilgi", MB_OK | MB_ICONINFORMATION); }

int AskQuestion(const AnsiString& text, UINT extraFlags) {
  return Application->MessageBox(text, "Soru", MB_YESNO | MB_ICONQUESTION | extraFlags);
}

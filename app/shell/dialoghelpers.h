// The two standard message boxes of the program and the way a task form is
// opened. Both boxes are owned by the application window and block until
// closed; they go through the dialog service, so tests answer them.
#pragma once
#include <windows.h>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"

// An information box: the text, caption "Bilgi", one OK button.
void ShowInfo(const AnsiString& text);

// A Yes/No question captioned "Soru"; extraFlags are added to the style
// flags. Gives the button pressed (IDYES 6, IDNO 7).
int AskQuestion(const AnsiString& text, UINT extraFlags = 0);

// Makes the form through the application (it never becomes the main form,
// which exists already), keeps it in reference while it is shown modally,
// then frees it and sets reference back to nullptr, also when showing fails.
template <class F>
TModalResult ShowFormModal(F*& reference) {
  Application->CreateForm(reference);
  struct FreeOnExit {
    F*& form;
    ~FreeOnExit() {
      form->Free();
      form = nullptr;
    }
  } freeOnExit{reference};
  return reference->ShowModal();
}

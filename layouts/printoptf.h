// TPrintOptF, the designer's print-option dialog: on which pages the
// selected printables print (the PRINTOPTION of their binding hints). It
// opens on the option of the first selected component; "&Tamam" writes the
// chosen option into every selected component's own hint, changing only
// that line, and closes with mrOk. "&Vazgec" changes nothing.
#pragma once
#include <vector>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/radiogroup.h"

class TPrintOptF : public TForm {
  DECLARE_CLASS(TPrintOptF, TForm)

public:
  explicit TPrintOptF(TComponent* AOwner);

  // ---- Set by the opener before showing ----
  std::vector<TComponent*> Selection;

  // ---- Controls ----
  TLabel* Label1 = nullptr;  // the heading
  TRadioGroup* RadioGroup1 = nullptr;
  TButton* Button1 = nullptr;  // "&Vazgec"
  TButton* Button2 = nullptr;  // "&Tamam"

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void Button2Click(TObject* Sender);

private:
  void CreateControls();
  void FitClientArea();
};

// The PRINTOPTION of a component's hint: 4 (every page) when the component
// has no hint, the line is missing or not a number 0-4.
int PrintOptionOf(TComponent* Component);
// Writes Option as the PRINTOPTION line of each component's own hint (added
// when missing); every other line of each hint stays as it was.
void ApplyPrintOption(const std::vector<TComponent*>& Components, int Option);

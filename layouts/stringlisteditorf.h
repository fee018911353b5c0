// TStringListEditorF, the designer's lines editor: a memo with both scroll
// bars; "Tamam" keeps the edited text in LinesText and closes with mrOk,
// "Vazgec" closes with mrCancel.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/memo.h"

class TStringListEditorF : public TForm {
  DECLARE_CLASS(TStringListEditorF, TForm)

public:
  explicit TStringListEditorF(TComponent* AOwner);

  // The text to edit, set by the opener; the edited text after "Tamam".
  AnsiString LinesText;

  TLabel* LabelTitle = nullptr;  // "Yazi Editoru"
  TMemo* Memo1 = nullptr;
  TButton* Button1 = nullptr;  // "Vazgec"
  TButton* Button2 = nullptr;  // "Tamam"

  void FormShow(TObject* Sender);
  void Button2Click(TObject* Sender);

private:
  void CreateControls();
};

// The library's message form (window class "TMessageForm") and input query
// form, as the program's dialog service shows them.
#pragma once
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/forms.h"

class TEdit;

// A message form: the type's icon, the text ("Message") and one button per
// entry of the set, named after it ("OK", "Cancel", "Yes" ...). Enter gives
// the default button (OK, else Yes), Esc the cancel one (Cancel, else No,
// else OK).
class TMessageForm : public TForm {
  DECLARE_CLASS(TMessageForm, TForm)

public:
  explicit TMessageForm(TComponent* AOwner);
  ~TMessageForm() override;
  // Lays out the text and buttons and sizes the form to them.
  void Build(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

protected:
  void Paint() override;

private:
  HICON icon_ = nullptr;
  POINT iconPos_{};
};

// The caption a message dialog button has ("&Yes", "OK" ...).
AnsiString MessageButtonCaption(TMsgDlgBtn Button);
// The name the button has on the form ("Yes", "OK" ...).
AnsiString MessageButtonName(TMsgDlgBtn Button);

TForm* CreateMessageDialog(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// A form that asks for one line: a prompt label, an edit named "Edit" and
// OK and Cancel buttons. The caller shows it and frees it.
TForm* CreateInputQueryForm(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& Value,
                            TEdit*& Edit);

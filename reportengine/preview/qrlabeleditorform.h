// TQRLabelEditorForm: the run-time editor form of a label's text settings:
// the text, the width and height (as text in the report's units), and the
// auto-size, stretch and transparent switches, confirmed with OK.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/groupbox.h"
#include "classlib/stdctrls/maskedit.h"

class TQRLabelEditorForm : public TForm {
  DECLARE_CLASS(TQRLabelEditorForm, TForm)

public:
  explicit TQRLabelEditorForm(TComponent* AOwner);

  TGroupBox* GroupBox1 = nullptr;  // "Properties"
  TLabel* ValueLabel = nullptr;    // "Text"
  TEdit* Value = nullptr;
  TLabel* WidthLabel = nullptr;
  TMaskEdit* Width = nullptr;
  TLabel* HeightLabel = nullptr;
  TMaskEdit* Height = nullptr;
  TCheckBox* AutoSize = nullptr;    // "Autosize"
  TCheckBox* Stretch = nullptr;
  TCheckBox* Transparent = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;
  TFontDialog* FontDialog1 = nullptr;
};

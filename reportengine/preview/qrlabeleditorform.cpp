#include "reportengine/preview/qrlabeleditorform.h"

#include "classlib/controls/controlmaking.h"

IMPLEMENT_CLASS(TQRLabelEditorForm)

TQRLabelEditorForm::TQRLabelEditorForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("QRLabelEditorForm");
  SetCaption("Text Settings");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  HandleNeeded();
  SetClientWidth(281);
  SetClientHeight(185);

  GroupBox1 = MakeControlAt<TGroupBox>(this, this, "GroupBox1", 8, 8, 265, 137);
  GroupBox1->SetCaption("Properties");
  ValueLabel = MakeControlAt<TLabel>(this, GroupBox1, "ValueLabel", 12, 24, 40, 13);
  ValueLabel->SetCaption("Text");
  Value = MakeControlAt<TEdit>(this, GroupBox1, "Value", 64, 20, 189, 21);
  Value->SetText("");
  WidthLabel = MakeControlAt<TLabel>(this, GroupBox1, "WidthLabel", 12, 52, 40, 13);
  WidthLabel->SetCaption("Width");
  Width = MakeControlAt<TMaskEdit>(this, GroupBox1, "Width", 64, 48, 65, 21);
  HeightLabel = MakeControlAt<TLabel>(this, GroupBox1, "HeightLabel", 140, 52, 40, 13);
  HeightLabel->SetCaption("Height");
  Height = MakeControlAt<TMaskEdit>(this, GroupBox1, "Height", 188, 48, 65, 21);
  AutoSize = MakeControlAt<TCheckBox>(this, GroupBox1, "AutoSize", 12, 80, 120, 17);
  AutoSize->SetCaption("Autosize");
  Stretch = MakeControlAt<TCheckBox>(this, GroupBox1, "Stretch", 12, 100, 120, 17);
  Stretch->SetCaption("Stretch");
  Transparent = MakeControlAt<TCheckBox>(this, GroupBox1, "Transparent", 140, 80, 113, 17);
  Transparent->SetCaption("Transparent");

  OKButton = MakeControlAt<TButton>(this, this, "OKButton", 116, 152, 75, 25);
  OKButton->SetCaption("OK");
  OKButton->SetDefault(true);
  OKButton->SetModalResult(mrOk);
  CancelButton = MakeControlAt<TButton>(this, this, "CancelButton", 198, 152, 75, 25);
  CancelButton->SetCaption("Cancel");
  CancelButton->SetCancel(true);
  CancelButton->SetModalResult(mrCancel);
  FontDialog1 = new TFontDialog(this);
  FontDialog1->SetName("FontDialog1");
}

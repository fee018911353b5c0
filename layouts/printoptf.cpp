#include "layouts/printoptf.h"

#include "classlib/controls/controlmaking.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dialogcaption.h"

BEGIN_PUBLISHED(TPrintOptF)
  METHOD(FormShow),
  METHOD(Button2Click),
END_PUBLISHED

namespace {

constexpr char kPrintOptTitle[] = "Yazdirma Secenekleri";

}  // namespace

int PrintOptionOf(TComponent* Component) {
  TBindingHint hint;
  if (!ReadComponentHint(Component, hint))
    return poEveryPage;
  return hint.PrintOption();
}

void ApplyPrintOption(const std::vector<TComponent*>& Components, int Option) {
  for (TComponent* component : Components) {
    TBindingHint hint;
    if (!ReadComponentHint(component, hint))
      continue;
    hint.SetPrintOption(static_cast<TPrintOption>(Option));
    WriteComponentHint(component, hint);
  }
}

TPrintOptF::TPrintOptF(TComponent* AOwner) : TForm(AOwner) {
  SetName("PrintOptF");
  SetCaption(kPrintOptTitle);
  SetBorderStyle(bsToolWindow);
  SetPosition(poScreenCenter);
  FitClientArea();
  CreateControls();
  OnShow = Method<&TPrintOptF::FormShow>(this);
}

void TPrintOptF::CreateControls() {
  Label1 = MakeControlAt<TLabel>(this, this, "Label1", 8, 8, 244, 16);
  Label1->SetCaption(kPrintOptTitle);
  Label1->Font()->SetStyle(TFontStyles{fsBold});

  RadioGroup1 = MakeControlAt<TRadioGroup>(this, this, "RadioGroup1", 8, 28, 244, 140);
  RadioGroup1->SetCaption(kPrintOptTitle);
  for (const char* item : PrintOptionItems)
    RadioGroup1->Items()->Add(item);
  RadioGroup1->SetItemIndex(poEveryPage);

  Button1 = MakeControlAt<TButton>(this, this, "Button1", 96, 178, 75, 25);
  Button1->SetCaption("&Vazgec");
  Button1->SetCancel(true);
  Button1->SetModalResult(mrCancel);

  Button2 = MakeControlAt<TButton>(this, this, "Button2", 177, 178, 75, 25);
  Button2->SetCaption("&Tamam");
  Button2->SetDefault(true);
  Button2->OnClick = Method<&TPrintOptF::Button2Click>(this);
}

// Before the window exists the form's client area counts as its whole
// size; once it exists the frame is known and the client size comes out right.
void TPrintOptF::FitClientArea() {
  SetClientWidth(260);
  SetClientHeight(214);
}

void TPrintOptF::FormShow(TObject*) {
  FitClientArea();
  TakeMainFormCaption(*this);
  RadioGroup1->SetItemIndex(Selection.empty() ? static_cast<int>(poEveryPage) : PrintOptionOf(Selection.front()));
}

void TPrintOptF::Button2Click(TObject*) {
  const int option = RadioGroup1->ItemIndex();
  if (option >= 0)
    ApplyPrintOption(Selection, option);
  SetModalResult(mrOk);
}

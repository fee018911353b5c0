#include "layouts/parametreeditorf.h"

#include <algorithm>

#include "classlib/controls/controlmaking.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/stringfield.h"
#include "layouts/core/pickerlists.h"
#include "layouts/designpickertables.h"
#include "layouts/dizaynanaf.h"

BEGIN_PUBLISHED(TParametreEditorF)
  METHOD(FormShow),
  METHOD(FormClose),
  METHOD(Button2Click),
  METHOD(Button3Click),
END_PUBLISHED

namespace {

constexpr char ParametreEditorTitle[] = "Parametre Editoru";
constexpr int ParamCodeSize = 50;
constexpr int ParamTextSize = 100;

int WidestOf(std::size_t Longest, int AtLeast) {
  return static_cast<int>(
      std::min<std::size_t>(std::max<std::size_t>(Longest, AtLeast), TStringField::MaxStringSize));
}

}  // namespace

TParametreEditorF::TParametreEditorF(TComponent* AOwner) : TForm(AOwner) {
  SetName("ParametreEditorF");
  SetCaption(ParametreEditorTitle);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetClientWidth(440);
  SetClientHeight(370);
  RxParam = new TRxMemoryData(this);
  RxParam->SetName("RxParam");
  OpenRxParam(ParamCodeSize, ParamTextSize);
  RxParam_S = new TDataSource(this);
  RxParam_S->SetName("RxParam_S");
  RxParam_S->SetDataSet(RxParam);
  CreateControls();
  OnShow = Method<&TParametreEditorF::FormShow>(this);
  OnClose = Method<&TParametreEditorF::FormClose>(this);
}

void TParametreEditorF::OpenRxParam(int CodeSize, int TextSize) {
  RxParam->Close();
  RxParam->FieldDefs()->Clear();
  RxParam->FieldDefs()->Add("PARAMORG", ftString, CodeSize);
  RxParam->FieldDefs()->Add("PARAMTEXT", ftString, TextSize);
  RxParam->Open();
}

void TParametreEditorF::CreateControls() {
  LabelTitle = MakeControlAt<TLabel>(this, this, "LabelTitle", 10, 8, 300, 18);
  LabelTitle->SetCaption(ParametreEditorTitle);
  LabelTitle->Font()->SetStyle(TFontStyles{fsBold});
  DBGrid1 = MakeControlAt<TVTRXDBGrid>(this, this, "DBGrid1", 10, 32, 420, 290);
  DBGrid1->SetReadOnly(true);
  DBGrid1->SetDataSource(RxParam_S);
  DBGrid1->OnDblClick = Method<&TParametreEditorF::Button2Click>(this);
  TColumn* code = DBGrid1->Columns()->Add();
  code->SetFieldName("PARAMORG");
  code->Title()->SetCaption("Parametre");
  code->SetWidth(141);
  TColumn* text = DBGrid1->Columns()->Add();
  text->SetFieldName("PARAMTEXT");
  text->Title()->SetCaption("Aciklama");
  text->SetWidth(242);

  Button3 = MakeControlAt<TButton>(this, this, "Button3", 10, 334, 190, 25);
  Button3->SetCaption("Parametre Bilgilerini Temizle");
  Button3->OnClick = Method<&TParametreEditorF::Button3Click>(this);
  Button1 = MakeControlAt<TButton>(this, this, "Button1", 274, 334, 75, 25);
  Button1->SetCaption("Vazgec");
  Button1->SetCancel(true);
  Button1->SetModalResult(mrCancel);
  Button2 = MakeControlAt<TButton>(this, this, "Button2", 355, 334, 75, 25);
  Button2->SetCaption("Tamam");
  Button2->OnClick = Method<&TParametreEditorF::Button2Click>(this);
}

void TParametreEditorF::FormShow(TObject*) {
  OpenPickerForm(DizaynAnaF, *this);
  const auto translate = [](const AnsiString& Text) { return DizaynAnaF != nullptr ? DizaynAnaF->_(Text) : Text; };
  const std::vector<TParameterEntry> rows = ReadParameterList(*ParametreList, translate);
  std::size_t longestCode = 0;
  std::size_t longestText = 0;
  for (const TParameterEntry& row : rows) {
    longestCode = std::max(longestCode, row.Code.size());
    longestText = std::max(longestText, row.Text.size());
  }
  OpenRxParam(WidestOf(longestCode, ParamCodeSize), WidestOf(longestText, ParamTextSize));
  RxParam->DisableControls();
  for (const TParameterEntry& row : rows) {
    RxParam->Append();
    RxParam->FieldByName("PARAMORG")->SetAsString(row.Code);
    RxParam->FieldByName("PARAMTEXT")->SetAsString(row.Text);
    RxParam->Post();
  }
  RxParam->EnableControls();
  if (!RxParam->Locate("PARAMORG", Variant(Parametre), TLocateOptions()))
    RxParam->First();
  if (DBGrid1->CanFocus())
    DBGrid1->SetFocus();
}

void TParametreEditorF::FormClose(TObject*, TCloseAction&) { ParametreList->Clear(); }

// An empty list has nothing to take: the picker closes as if cancelled.
void TParametreEditorF::Button2Click(TObject*) {
  if (RxParam->IsEmpty()) {
    SetModalResult(mrCancel);
    return;
  }
  Parametre = RxParam->FieldByName("PARAMORG")->AsString();
  Secildi = true;
  SetModalResult(mrOk);
}

void TParametreEditorF::Button3Click(TObject*) {
  Parametre.clear();
  Secildi = true;
  SetModalResult(mrOk);
}

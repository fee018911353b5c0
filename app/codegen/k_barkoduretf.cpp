// The code generator's form: its controls made in code, the remembered
// inputs, and "Tamam" handing the inputs to the generation.
#include "app/codegen/k_barkoduretf.h"

#include <cmath>

#include "app/generalhelpers.h"
#include "app/recordtables.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/mainform.h"
#include "classlib/classes/inifiles.h"
#include "classlib/controls/controlmaking.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

TK_BarkodUretF* K_BarkodUretF = nullptr;

BEGIN_PUBLISHED(TK_BarkodUretF)
  METHOD(FormCreate),
  METHOD(FormDestroy),
  METHOD(ButtonTamamClick),
  METHOD(ButtonVazgecClick),
END_PUBLISHED

namespace {

constexpr int CodegenLabelLeft = 12;
constexpr int CodegenInputLeft = 190;
constexpr int CodegenRowHeight = 27;

void MakeCodegenLabel(TComponent* owner, TWinControl* parent, const AnsiString& caption, int left, int top,
                      int width) {
  TLabel* label = MakeControlAt<TLabel>(owner, parent, "", left, top + 3, width, 16);
  label->SetCaption(caption);
}

TRxCalcEdit* MakeNumberEdit(TComponent* owner, TWinControl* parent, const char* name, int top, double value) {
  TRxCalcEdit* edit = MakeControlAt<TRxCalcEdit>(owner, parent, name, CodegenInputLeft, top, 160, 21);
  edit->SetValue(value);
  return edit;
}

// An empty text edit (naming an edit gives it the name as its text).
TEdit* MakeTextEdit(TComponent* owner, TWinControl* parent, const AnsiString& name, int left, int top, int width) {
  TEdit* edit = MakeControlAt<TEdit>(owner, parent, name, left, top, width, 21);
  edit->SetText("");
  return edit;
}

TComboBox* MakeChoiceBox(TComponent* owner, TWinControl* parent, const char* name, int top, const char* itemWord,
                         const char* itemSuffix, int chosen) {
  TComboBox* box = MakeControlAt<TComboBox>(owner, parent, name, CodegenInputLeft, top, 160, 21);
  box->SetStyle(csDropDownList);
  for (int n = 1; n <= 20; ++n)
    box->Items()->Add(AnsiString(itemWord) + IntToStr(n) + itemSuffix);
  box->Items()->Add("");  // the empty last entry of the original lists
  box->SetItemIndex(chosen);
  return box;
}

// A number edit's value as whole-number text: what is typed while the
// edit has the focus, otherwise its value cut toward zero; a value outside
// the 64-bit range gives a text the generation refuses as such.
AnsiString WholeNumberText(TRxCalcEdit* edit) {
  if (edit->Focused())
    return edit->Text();
  const double value = std::trunc(edit->Value());
  if (!(std::fabs(value) < 9223372036854775807.0))
    return value < 0 ? "-9223372036854775809" : "9223372036854775808";
  return IntToStr(static_cast<std::int64_t>(value));
}

const char* const StoredInputs[] = {
    "RxCalcEditBaslangic.Value", "RxCalcEditArtis.Value", "ComboBasamak.ItemIndex", "EditBasaEkle.Text",
    "EditSonaEkle.Text",         "ComboAlan.ItemIndex",   "RxCalcEditMiktar.Value", "EditMetin1.Text",
    "EditMetin2.Text",           "EditMetin3.Text",       "EditMetin4.Text",        "EditMetin5.Text",
    "EditMetin6.Text",           "EditMetin7.Text",       "EditMetin8.Text",        "EditMetin9.Text",
    "EditMetin10.Text"};

}  // namespace

TK_BarkodUretF::TK_BarkodUretF(TComponent* AOwner) : TForm(AOwner) {
  SetName("K_BarkodUretF");
  SetCaption("Otomatik Dozuri Oluştur");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  // Before the window exists these sizes are the window's own, frame included.
  SetClientWidth(648);
  SetClientHeight(432);
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetTitle("Otomatik Dozuri Oluştur");
  VTFormHeader1->SetAlign(alTop);
  BuildCriteria();
  BuildFixedTexts();
  BuildButtons();
  SetActiveControl(RxCalcEditBaslangic);
  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  for (const char* input : StoredInputs)
    FormStorage1->StoredProps()->Add(input);
  if (AnaF != nullptr)
    Labels = AnaF->RxEtiket;
  OnCreate = Method<&TK_BarkodUretF::FormCreate>(this);
  OnDestroy = Method<&TK_BarkodUretF::FormDestroy>(this);
}

void TK_BarkodUretF::BuildCriteria() {
  GroupBox1 = MakeControlAt<TGroupBox>(this, this, "GroupBox1", 8, 56, 366, 290);
  GroupBox1->SetCaption("Dozuri Oluşturma Kriterleri");
  const char* captions[] = {"Başlangıç No",       "Artış Miktarı",
                            "Basamak Sayısı",     "Dozuri Başına Ekle",
                            "Dozuri Sonuna Ekle", "Barkodun Oluşturulacağı Alan",
                            "Oluşturulacak Etiket Miktarı"};
  for (int row = 0; row < 7; ++row)
    MakeCodegenLabel(this, GroupBox1, captions[row], CodegenLabelLeft, 22 + row * CodegenRowHeight, 175);
  RxCalcEditBaslangic = MakeNumberEdit(this, GroupBox1, "RxCalcEditBaslangic", 22, 0);
  RxCalcEditBaslangic->SetDisplayFormat("0");
  RxCalcEditArtis = MakeNumberEdit(this, GroupBox1, "RxCalcEditArtis", 22 + CodegenRowHeight, 1);
  ComboBasamak = MakeChoiceBox(this, GroupBox1, "ComboBasamak", 22 + 2 * CodegenRowHeight, "", " Basamak", 11);
  EditBasaEkle = MakeTextEdit(this, GroupBox1, "EditBasaEkle", CodegenInputLeft, 22 + 3 * CodegenRowHeight, 160);
  EditSonaEkle = MakeTextEdit(this, GroupBox1, "EditSonaEkle", CodegenInputLeft, 22 + 4 * CodegenRowHeight, 160);
  ComboAlan = MakeChoiceBox(this, GroupBox1, "ComboAlan", 22 + 5 * CodegenRowHeight, "Metin ", "", 0);
  RxCalcEditMiktar = MakeNumberEdit(this, GroupBox1, "RxCalcEditMiktar", 22 + 6 * CodegenRowHeight, 1);
  RadioGroupTip = MakeControlAt<TRadioGroup>(this, GroupBox1, "RadioGroupTip", CodegenLabelLeft,
                                             22 + 7 * CodegenRowHeight, 338, 70);
  RadioGroupTip->SetCaption("");
  RadioGroupTip->Items()->Add("Yeni Oluştur");
  RadioGroupTip->Items()->Add("Eklenmiş Etiketlerin Üzerine Yaz");
  RadioGroupTip->SetItemIndex(0);
}

void TK_BarkodUretF::BuildFixedTexts() {
  GroupBox2 = MakeControlAt<TGroupBox>(this, this, "GroupBox2", 382, 56, 250, 290);
  GroupBox2->SetCaption("Diğer Alan Değerleri");
  for (int k = 0; k < FixedTextCount; ++k) {
    const int top = 20 + k * 26;
    MakeCodegenLabel(this, GroupBox2, "Metin " + IntToStr(k + 1), CodegenLabelLeft, top, 60);
    TEdit* edit = MakeTextEdit(this, GroupBox2, "EditMetin" + IntToStr(k + 1), 80, top, 158);
    edit->SetMaxLength(RecordFieldSize);
    EditMetin[static_cast<std::size_t>(k)] = edit;
  }
}

void TK_BarkodUretF::BuildButtons() {
  ButtonTamam = MakeControlAt<TButton>(this, this, "ButtonTamam", 454, 360, 85, 27);
  ButtonTamam->SetCaption("Tamam");
  ButtonTamam->SetDefault(true);
  ButtonTamam->OnClick = Method<&TK_BarkodUretF::ButtonTamamClick>(this);
  ButtonVazgec = MakeControlAt<TButton>(this, this, "ButtonVazgec", 547, 360, 85, 27);
  ButtonVazgec->SetCaption("Kapat");
  ButtonVazgec->SetCancel(true);
  ButtonVazgec->OnClick = Method<&TK_BarkodUretF::ButtonVazgecClick>(this);
}

AnsiString TK_BarkodUretF::StorageFileName() { return IniDir() + "Dozuri.INI"; }

// Older versions named the file after the program and gave no folder, so
// the system put it in the Windows folder.
AnsiString TK_BarkodUretF::OldStorageFileName() {
  return IniWindowsFolder() + ChangeFileExt(ExtractFileName(ProgramFileName()), ".INI");
}

// The inputs come from the program's own file; until it exists, once from
// where older versions kept them.
void TK_BarkodUretF::FormCreate(TObject*) {
  const bool moved = FileExists(StorageFileName());
  FormStorage1->SetIniFileName(moved ? StorageFileName() : OldStorageFileName());
  FormStorage1->RestoreFormPlacement();
  FormStorage1->SetIniFileName(StorageFileName());
}

// A file that cannot be written loses only the remembered inputs; the
// labels are made already.
void TK_BarkodUretF::FormDestroy(TObject*) {
  try {
    FormStorage1->SaveFormPlacement();
  } catch (const Exception&) {
    ShowInfo("Girilen değerler \"" + FormStorage1->IniFileName() +
             "\" dosyasına yazılamadı; bir sonraki açılışta hatırlanmayacak.");
  }
}

TCodeRequest TK_BarkodUretF::CurrentRequest() {
  TCodeRequest request;
  request.Start = WholeNumberText(RxCalcEditBaslangic);
  request.Step = WholeNumberText(RxCalcEditArtis);
  request.Count = WholeNumberText(RxCalcEditMiktar);
  request.DigitIndex = ComboBasamak->ItemIndex();
  request.Prefix = EditBasaEkle->Text();
  request.Suffix = EditSonaEkle->Text();
  request.FieldIndex = ComboAlan->ItemIndex();
  request.Overwrite = RadioGroupTip->ItemIndex() == 1;
  for (int k = 0; k < FixedTextCount; ++k)
    request.FixedTexts[static_cast<std::size_t>(k)] = EditMetin[static_cast<std::size_t>(k)]->Text();
  return request;
}

void TK_BarkodUretF::ButtonTamamClick(TObject*) {
  const AnsiString refusal = GenerateCodes(*Labels, CurrentRequest());
  if (!refusal.empty()) {
    ShowInfo(refusal);
    return;
  }
  SetModalResult(mrOk);
}

void TK_BarkodUretF::ButtonVazgecClick(TObject*) { SetModalResult(mrCancel); }

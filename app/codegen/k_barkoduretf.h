// TK_BarkodUretF, "Otomatik Dozuri Oluştur": fills the main form's label
// table with numbered codes, appended as new labels or written over the
// labels there (see codegeneration.h). Opened modally from the print page.
// The inputs other than the mode are remembered between runs in
// Data\Ini\Dozuri.INI, restored when the form is made and stored when it is
// freed.
#pragma once
#include <array>

#include "app/codegen/codegeneration.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/data/dataset.h"
#include "classlib/forms/forms.h"
#include "classlib/placement/formstorage.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/groupbox.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/radiogroup.h"
#include "components/vtformheader.h"

class TK_BarkodUretF : public TForm {
  DECLARE_CLASS(TK_BarkodUretF, TForm)

public:
  explicit TK_BarkodUretF(TComponent* AOwner);

  TVTFormHeader* VTFormHeader1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;  // "Dozuri Oluşturma Kriterleri"
  TRxCalcEdit* RxCalcEditBaslangic = nullptr;
  TRxCalcEdit* RxCalcEditArtis = nullptr;
  TComboBox* ComboBasamak = nullptr;
  TEdit* EditBasaEkle = nullptr;
  TEdit* EditSonaEkle = nullptr;
  TComboBox* ComboAlan = nullptr;
  TRxCalcEdit* RxCalcEditMiktar = nullptr;
  TRadioGroup* RadioGroupTip = nullptr;
  TGroupBox* GroupBox2 = nullptr;  // "Diğer Alan Değerleri"
  std::array<TEdit*, FixedTextCount> EditMetin{};  // EditMetin1 ... EditMetin10
  TButton* ButtonTamam = nullptr;
  TButton* ButtonVazgec = nullptr;  // "Kapat"
  TFormStorage* FormStorage1 = nullptr;

  // The label table the codes go to: the main form's RxEtiket unless a
  // caller names another before "Tamam".
  TDataSet* Labels = nullptr;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void ButtonTamamClick(TObject* Sender);
  void ButtonVazgecClick(TObject* Sender);

  // The request the inputs make now.
  TCodeRequest CurrentRequest();
  // Where the inputs are remembered, and where older versions kept them.
  static AnsiString StorageFileName();
  static AnsiString OldStorageFileName();

private:
  void BuildCriteria();
  void BuildFixedTexts();
  void BuildButtons();
};

extern TK_BarkodUretF* K_BarkodUretF;

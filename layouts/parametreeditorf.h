// TParametreEditorF, the designer's parameter picker: the host's parameter
// list in a grid (code and text); "Tamam" or a double click takes the
// current code, "Parametre Bilgilerini Temizle" takes an empty one,
// "Vazgec" takes nothing.
#pragma once
#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/data/datasource.h"
#include "classlib/data/rxmemorydata.h"
#include "components/vtrxdbgrid.h"
#include "classlib/forms/forms.h"

class TParametreEditorF : public TForm {
  DECLARE_CLASS(TParametreEditorF, TForm)

public:
  explicit TParametreEditorF(TComponent* AOwner);

  // ---- Values ----
  AnsiString Parametre;  // preset by the opener, the taken code after
  bool Secildi = false;
  // The picker's own copy of the parameter list, freed on closing.
  std::unique_ptr<TStringList> ParametreList = std::make_unique<TStringList>();

  // ---- Components ----
  TRxMemoryData* RxParam = nullptr;  // PARAMORG, PARAMTEXT
  TDataSource* RxParam_S = nullptr;
  TLabel* LabelTitle = nullptr;      // "Parametre Editoru"
  TVTRXDBGrid* DBGrid1 = nullptr;
  TButton* Button1 = nullptr;        // "Vazgec"
  TButton* Button2 = nullptr;        // "Tamam"
  TButton* Button3 = nullptr;        // "Parametre Bilgilerini Temizle"

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button2Click(TObject* Sender);  // take
  void Button3Click(TObject* Sender);  // clear

private:
  void CreateControls();
  // (Re)opens RxParam, empty, wide enough for the longest code and text.
  void OpenRxParam(int CodeSize, int TextSize);
};

// TK_EtiketF, the designer's label-sheet settings for a graphic page: the
// margins, the paper width and length (they take effect on "Custom" paper
// only), the space between label columns, the number of columns and the
// label height (the page's first detail band).
//
// Shown, it hands itself to the report component's form-open hook and reads
// the page. "&Tamam" checks the values, writes them to the page (making a
// detail band when it has none), switches the design controller off and on
// so that its agents follow the new geometry, and closes with mrOk. Values
// that would give a page or label of no size, or no column, are refused
// with a message naming the field; the page is then unchanged and the
// dialog stays open. "&Vazgec" changes nothing.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/numedit.h"
#include "components/vtformheader.h"

class TQuickRep;
class TQRCustomBand;
class TStageController;
class TVtRapor;

class TK_EtiketF : public TForm {
  DECLARE_CLASS(TK_EtiketF, TForm)

public:
  explicit TK_EtiketF(TComponent* AOwner);

  // ---- Set by the opener before showing ----
  TQuickRep* QuickRep = nullptr;
  // Its OnFormOpen sees the dialog when it shows; may be nullptr.
  TVtRapor* VtRapor = nullptr;
  // The designer's controller; may be nullptr.
  TStageController* Controller = nullptr;

  // ---- Controls ----
  TVTFormHeader* VTFormHeader1 = nullptr;
  TCurrencyEdit* ceSolBosluk = nullptr;
  TCurrencyEdit* ceUstBosluk = nullptr;
  TCurrencyEdit* ceSagBosluk = nullptr;
  TCurrencyEdit* ceAltBosluk = nullptr;
  TCurrencyEdit* ceGenislik = nullptr;
  TCurrencyEdit* ceYukseklik = nullptr;
  TCurrencyEdit* ceYatay = nullptr;
  TCurrencyEdit* ceEtiketYukseklik = nullptr;
  TCurrencyEdit* ceSutun = nullptr;
  TButton* Button1 = nullptr;  // "&Vazgec"
  TButton* Button2 = nullptr;  // "&Tamam"

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void Button2Click(TObject* Sender);

private:
  void CreateControls();
  void FitClientArea();
  TCurrencyEdit* AddField(int Column, int Row, const char* Caption, const char* Name, const char* Unit);
  // The first detail band whose parent is the page, or nullptr.
  TQRCustomBand* DetailBand() const;
  // False, with the message shown, when a value cannot be used.
  bool CheckValues();
  void Refuse(TCurrencyEdit* Field, const AnsiString& Message);
};

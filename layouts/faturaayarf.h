// TFaturaAyarF, the designer's invoice settings: the paper height of an
// invoice page and where its line-item area starts, how high it is and how
// many line items it holds. On a graphic page the lengths are millimetres;
// on a text page they are lines, and the item count is the area's height.
//
// Shown, it reads the page (QuickRep, or ZReport when there is no graphic
// page) and its hint keys (defaults 50, 150 and 20). "&Tamam" checks the
// values, sets the page's length and band heights, leaves the hint lines in
// ResultHint for the designer to merge into the page's hint and closes with
// mrOk. Values that would give a band or page of no size, or no line item,
// are refused with a message naming the field; the page is then unchanged
// and the dialog stays open.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/paintbox.h"
#include "components/vtformheader.h"

class TQuickRep;
class TZReport;

class TFaturaAyarF : public TForm {
  DECLARE_CLASS(TFaturaAyarF, TForm)

public:
  explicit TFaturaAyarF(TComponent* AOwner);

  // ---- Set by the opener before showing ----
  TQuickRep* QuickRep = nullptr;
  TZReport* ZReport = nullptr;

  // ---- The answer after "&Tamam": NAME=VALUE lines, CR LF separated ----
  AnsiString ResultHint;

  // ---- Controls ----
  TVTFormHeader* VTFormHeader1 = nullptr;
  TPaintBox* ImageFatura = nullptr;  // a sketch of an invoice form
  TLabel* Label1 = nullptr;          // "Kagit Yuksekligi"
  TLabel* Label2 = nullptr;          // "Hareket Baslangic Yuksekligi"
  TLabel* Label3 = nullptr;          // "Hareket alani Yuksekligi"
  TLabel* Label4 = nullptr;          // "Hareket Sayisi"
  TCurrencyEdit* ceYukseklik = nullptr;
  TCurrencyEdit* ceBaslangic = nullptr;
  TCurrencyEdit* ceHareketAlani = nullptr;
  TCurrencyEdit* CeHareketSayisi = nullptr;
  TLabel* Label5 = nullptr;  // unit of ceYukseklik
  TLabel* Label6 = nullptr;  // unit of ceBaslangic
  TLabel* Label7 = nullptr;  // unit of ceHareketAlani
  TLabel* Label8 = nullptr;  // "ad."
  TButton* Button1 = nullptr;  // "&Vazgec"
  TButton* Button2 = nullptr;  // "&Tamam"

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void Button2Click(TObject* Sender);
  void ImageFaturaPaint(TObject* Sender);

private:
  void CreateControls();
  void FitClientArea();
  TCurrencyEdit* AddRow(int Row, TLabel*& Caption, const char* Text, const char* Name, TLabel*& Unit);
  void ShowTextPageLook();
  // The page as the edits say, or false (with the message shown).
  bool ApplyToGraphicPage();
  bool ApplyToTextPage();
  // Shows the refusal and puts the focus on the field.
  void Refuse(TCurrencyEdit* Field, const AnsiString& Message);
};

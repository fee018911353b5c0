#include "layouts/k_etiketf.h"

#include <cmath>

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/dialogs.h"
#include "design/dsnunit.h"
#include "layouts/dialogcaption.h"
#include "layouts/vtrapor.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

BEGIN_PUBLISHED(TK_EtiketF)
  METHOD(FormShow),
  METHOD(Button2Click),
END_PUBLISHED

namespace {

constexpr char kEtiketTitle[] = "Etiket ayarlari";
constexpr char kMillimetreFormat[] = ",0.0000;-,0.0000";
constexpr char kCountFormat[] = ",0;-,0";

double PageValue(long double Value) { return static_cast<double>(Value); }

}  // namespace

TK_EtiketF::TK_EtiketF(TComponent* AOwner) : TForm(AOwner) {
  SetName("K_EtiketF");
  SetCaption(kEtiketTitle);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  FitClientArea();
  CreateControls();
  OnShow = Method<&TK_EtiketF::FormShow>(this);
}

TCurrencyEdit* TK_EtiketF::AddField(int Column, int Row, const char* Caption, const char* Name, const char* Unit) {
  const int left = 10 + Column * 230;
  const int top = 44 + Row * 30;
  auto* label = MakeControlAt<TLabel>(this, this, AnsiString("Label_") + Name, left, top + 3, 112, 16);
  label->SetCaption(Caption);
  TCurrencyEdit* edit = MakeControlAt<TCurrencyEdit>(this, this, Name, left + 116, top, 80, 21);
  edit->SetDecimalPlaces(4);
  edit->SetDisplayFormat(kMillimetreFormat);
  auto* unit = MakeControlAt<TLabel>(this, this, AnsiString("Birim_") + Name, left + 200, top + 3, 28, 16);
  unit->SetCaption(Unit);
  return edit;
}

void TK_EtiketF::CreateControls() {
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetAlign(alTop);
  VTFormHeader1->SetTitle(kEtiketTitle);

  ceSolBosluk = AddField(0, 0, "Sol Bosluk", "ceSolBosluk", "mm.");
  ceUstBosluk = AddField(0, 1, "Ust Bosluk", "ceUstBosluk", "mm.");
  ceSagBosluk = AddField(0, 2, "Sag Bosluk", "ceSagBosluk", "mm.");
  ceAltBosluk = AddField(0, 3, "Alt Bosluk", "ceAltBosluk", "mm.");
  ceGenislik = AddField(1, 0, "Sayfa Genisligi", "ceGenislik", "mm.");
  ceYukseklik = AddField(1, 1, "Sayfa Yuksekligi", "ceYukseklik", "mm.");
  ceYatay = AddField(1, 2, "Etiket Yatay Aralik", "ceYatay", "mm.");
  ceEtiketYukseklik = AddField(1, 3, "Etiket Yuksekligi", "ceEtiketYukseklik", "mm.");
  ceSutun = AddField(1, 4, "Sutun Sayisi", "ceSutun", "adet");
  ceSutun->SetDecimalPlaces(0);
  ceSutun->SetDisplayFormat(kCountFormat);

  Button1 = MakeControlAt<TButton>(this, this, "Button1", 10, 192, 75, 25);
  Button1->SetCaption("&Vazgec");
  Button1->SetCancel(true);
  Button1->SetModalResult(mrCancel);
  Button2 = MakeControlAt<TButton>(this, this, "Button2", 91, 192, 75, 25);
  Button2->SetCaption("&Tamam");
  Button2->SetDefault(true);
  Button2->OnClick = Method<&TK_EtiketF::Button2Click>(this);
}

TQRCustomBand* TK_EtiketF::DetailBand() const {
  if (QuickRep == nullptr)
    return nullptr;
  for (int i = 0; i < QuickRep->ControlCount(); ++i) {
    auto* band = dynamic_cast<TQRCustomBand*>(QuickRep->Controls(i));
    if (band != nullptr && band->BandType() == rbDetail)
      return band;
  }
  return nullptr;
}

// Before the window exists the form's client area counts as its whole
// size; once it exists the frame is known and the client size comes out right.
void TK_EtiketF::FitClientArea() {
  SetClientWidth(470);
  SetClientHeight(226);
}

void TK_EtiketF::FormShow(TObject*) {
  FitClientArea();
  TakeMainFormCaption(*this);
  if (VtRapor != nullptr && VtRapor->OnFormOpen)
    VtRapor->OnFormOpen(this);
  if (QuickRep == nullptr)
    return;
  TQRPage& page = *QuickRep->Page();
  ceSolBosluk->SetValue(PageValue(page.LeftMargin()));
  ceSagBosluk->SetValue(PageValue(page.RightMargin()));
  ceUstBosluk->SetValue(PageValue(page.TopMargin()));
  ceAltBosluk->SetValue(PageValue(page.BottomMargin()));
  ceGenislik->SetValue(PageValue(page.Width()));
  ceYukseklik->SetValue(PageValue(page.Length()));
  ceYatay->SetValue(PageValue(page.ColumnSpace()));
  ceSutun->SetValue(page.Columns());
  if (TQRCustomBand* detail = DetailBand())
    ceEtiketYukseklik->SetValue(PageValue(detail->Size()->Height()));
}

void TK_EtiketF::Refuse(TCurrencyEdit* Field, const AnsiString& Message) {
  ShowMessage(Message);
  if (Field->CanFocus())
    Field->SetFocus();
}

bool TK_EtiketF::CheckValues() {
  const struct {
    TCurrencyEdit* field;
    double least;  // the value must be above this
    const char* message;
  } rules[] = {
      {ceGenislik, 0, "Sayfa Genisligi sifirdan buyuk olmalidir."},
      {ceYukseklik, 0, "Sayfa Yuksekligi sifirdan buyuk olmalidir."},
      {ceSutun, 0.5, "Sutun Sayisi en az 1 olmalidir."},
      {ceEtiketYukseklik, 0, "Etiket Yuksekligi sifirdan buyuk olmalidir."},
  };
  for (const auto& rule : rules) {
    if (!(rule.field->Value() > rule.least)) {
      Refuse(rule.field, rule.message);
      return false;
    }
  }
  return true;
}

void TK_EtiketF::Button2Click(TObject*) {
  if (QuickRep == nullptr) {
    SetModalResult(mrCancel);  // nothing to set up
    return;
  }
  if (!CheckValues())
    return;
  TQRPage& page = *QuickRep->Page();
  page.SetLeftMargin(ceSolBosluk->Value());
  page.SetRightMargin(ceSagBosluk->Value());
  page.SetTopMargin(ceUstBosluk->Value());
  page.SetBottomMargin(ceAltBosluk->Value());
  page.SetWidth(ceGenislik->Value());
  page.SetLength(ceYukseklik->Value());
  page.SetColumnSpace(ceYatay->Value());
  page.SetColumns(static_cast<int>(std::lround(ceSutun->Value())));
  if (DetailBand() == nullptr)
    QuickRep->Bands()->SetHasDetail(true);
  if (TQRCustomBand* detail = DetailBand())
    detail->Size()->SetHeight(ceEtiketYukseklik->Value());
  if (Controller != nullptr) {
    Controller->SetActive(false);
    Controller->SetActive(true);
  }
  SetModalResult(mrOk);
}

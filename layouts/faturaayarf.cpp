#include "layouts/faturaayarf.h"

#include <cmath>

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/dialogs.h"
#include "classlib/system/numconv.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dialogcaption.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zreport.h"

BEGIN_PUBLISHED(TFaturaAyarF)
  METHOD(FormShow),
  METHOD(Button2Click),
  METHOD(ImageFaturaPaint),
END_PUBLISHED

namespace {

constexpr char kFaturaTitle[] = "Fatura - Fis Ayarlari";
constexpr double kDefaultBaslangic = 50;
constexpr double kDefaultHareketAlani = 150;
constexpr double kDefaultHareketSayisi = 20;
constexpr char kDecimalFormat[] = ",0.0000;-,0.0000";
constexpr char kWholeFormat[] = ",0;-,0";
constexpr char kCrLf[] = "\r\n";

// A number of a page hint, written with "," or "." before its decimals;
// Default when the key is missing or holds no number.
double InvoiceHintNumber(const TBindingHint& Hint, const char* Key, double Default) {
  const AnsiString text = Hint.Value(Key);
  TFormatSettings other = FormatSettings;
  other.DecimalSeparator = FormatSettings.DecimalSeparator == ',' ? '.' : ',';
  double value = 0;
  if (TryStrToFloat(text, value) || TryStrToFloat(text, value, other))
    return value;
  return Default;
}

void SetNumberFormat(TCurrencyEdit* Edit, int Decimals) {
  Edit->SetDecimalPlaces(Decimals);
  Edit->SetDisplayFormat(Decimals > 0 ? kDecimalFormat : kWholeFormat);
}

int WholeLines(TCurrencyEdit* Edit) { return static_cast<int>(std::lround(Edit->Value())); }

// The first band of the page of that kind, made when the page has none.
TQRCustomBand* GraphicBand(TQuickRep& Page, int Index) {
  if (!Page.Bands()->HasBand(Index))
    Page.Bands()->SetBand(Index, true);
  return Page.Bands()->BandOf(Index);
}

TZRCustomBand* TextBand(TZReport& Page, TZRBandType Kind) {
  if (Page.FindBand(Kind) == nullptr)
    Page.Bands()->SetHas(Kind, true);
  return Page.FindBand(Kind);
}

constexpr int kPageHeaderIndex = 2;
constexpr int kDetailIndex = 4;

}  // namespace

TFaturaAyarF::TFaturaAyarF(TComponent* AOwner) : TForm(AOwner) {
  SetName("FaturaAyarF");
  SetCaption(kFaturaTitle);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  FitClientArea();
  CreateControls();
  OnShow = Method<&TFaturaAyarF::FormShow>(this);
}

TCurrencyEdit* TFaturaAyarF::AddRow(int Row, TLabel*& Caption, const char* Text, const char* Name, TLabel*& Unit) {
  const int top = 46 + Row * 32;
  Caption = MakeControlAt<TLabel>(this, this, AnsiString("Label") + std::to_string(Row + 1), 130, top + 3, 160, 16);
  Caption->SetCaption(Text);
  TCurrencyEdit* edit = MakeControlAt<TCurrencyEdit>(this, this, Name, 296, top, 90, 21);
  SetNumberFormat(edit, 4);
  Unit = MakeControlAt<TLabel>(this, this, AnsiString("Label") + std::to_string(Row + 5), 392, top + 3, 34, 16);
  Unit->SetCaption("mm.");
  return edit;
}

void TFaturaAyarF::CreateControls() {
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetAlign(alTop);
  VTFormHeader1->SetTitle(kFaturaTitle);

  ImageFatura = MakeControlAt<TPaintBox>(this, this, "ImageFatura", 10, 42, 110, 150);
  ImageFatura->OnPaint = Method<&TFaturaAyarF::ImageFaturaPaint>(this);

  ceYukseklik = AddRow(0, Label1, "Kagit Yuksekligi", "ceYukseklik", Label5);
  ceBaslangic = AddRow(1, Label2, "Hareket Baslangic Yuksekligi", "ceBaslangic", Label6);
  ceHareketAlani = AddRow(2, Label3, "Hareket alani Yuksekligi", "ceHareketAlani", Label7);
  CeHareketSayisi = AddRow(3, Label4, "Hareket Sayisi", "CeHareketSayisi", Label8);
  SetNumberFormat(CeHareketSayisi, 0);
  Label8->SetCaption("ad.");

  Button1 = MakeControlAt<TButton>(this, this, "Button1", 262, 202, 75, 25);
  Button1->SetCaption("&Vazgec");
  Button1->SetCancel(true);
  Button1->SetModalResult(mrCancel);
  Button2 = MakeControlAt<TButton>(this, this, "Button2", 343, 202, 75, 25);
  Button2->SetCaption("&Tamam");
  Button2->SetDefault(true);
  Button2->OnClick = Method<&TFaturaAyarF::Button2Click>(this);
}

// A sheet with a heading block, the line-item area in blue and a footer.
void TFaturaAyarF::ImageFaturaPaint(TObject*) {
  TCanvas& canvas = *ImageFatura->Canvas();
  const int w = ImageFatura->Width(), h = ImageFatura->Height();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWhite);
  canvas.Pen().SetColor(clGray);
  canvas.Rectangle(0, 0, w, h);
  canvas.Pen().SetColor(clSilver);
  for (int y = 10; y < 36; y += 6)
    canvas.Rectangle(8, y, w / 2, y + 2);
  canvas.Brush().SetColor(static_cast<TColor>(0xFFE8D0));
  canvas.Pen().SetColor(clNavy);
  canvas.Rectangle(6, 44, w - 6, h - 30);
  canvas.Pen().SetColor(clSilver);
  for (int y = 52; y < h - 34; y += 8) {
    canvas.MoveTo(10, y);
    canvas.LineTo(w - 10, y);
  }
  canvas.Brush().SetColor(clSilver);
  canvas.FillRect(Rect(w / 2, h - 22, w - 8, h - 14));
}

void TFaturaAyarF::ShowTextPageLook() {
  for (TCurrencyEdit* edit : {ceYukseklik, ceBaslangic, ceHareketAlani})
    SetNumberFormat(edit, 0);
  for (TLabel* unit : {Label5, Label6, Label7})
    unit->SetCaption("st.");
  CeHareketSayisi->SetVisible(false);
  Label4->SetVisible(false);
  Label8->SetVisible(false);
}

// Before the window exists the form's client area counts as its whole
// size; once it exists the frame is known and the client size comes out right.
void TFaturaAyarF::FitClientArea() {
  SetClientWidth(430);
  SetClientHeight(236);
}

void TFaturaAyarF::FormShow(TObject*) {
  FitClientArea();
  TakeMainFormCaption(*this);
  TBindingHint hint;
  if (QuickRep != nullptr) {
    ReadComponentHint(QuickRep, hint);
    ceYukseklik->SetValue(static_cast<double>(QuickRep->Page()->Length()));
  } else if (ZReport != nullptr) {
    ReadComponentHint(ZReport, hint);
    ShowTextPageLook();
    ceYukseklik->SetValue(ZReport->Height());
  }
  ceBaslangic->SetValue(InvoiceHintNumber(hint, PageHareketBaslangic, kDefaultBaslangic));
  ceHareketAlani->SetValue(InvoiceHintNumber(hint, PageHareketAlaniYukseklik, kDefaultHareketAlani));
  CeHareketSayisi->SetValue(InvoiceHintNumber(hint, PageHareketSayisi, kDefaultHareketSayisi));
}

void TFaturaAyarF::Refuse(TCurrencyEdit* Field, const AnsiString& Message) {
  ShowMessage(Message);
  if (Field->CanFocus())
    Field->SetFocus();
}

bool TFaturaAyarF::ApplyToGraphicPage() {
  const double length = ceYukseklik->Value();
  const double start = ceBaslangic->Value();
  const double area = ceHareketAlani->Value();
  const double count = CeHareketSayisi->Value();
  const double top = static_cast<double>(QuickRep->Page()->TopMargin());
  if (!(length > 0)) {
    Refuse(ceYukseklik, "Kagit Yuksekligi sifirdan buyuk olmalidir.");
    return false;
  }
  if (start < top) {
    Refuse(ceBaslangic, "Hareket Baslangic Yuksekligi ust bosluktan (" + FloatToStr(top) + ") kucuk olamaz.");
    return false;
  }
  if (!(area > 0)) {
    Refuse(ceHareketAlani, "Hareket alani Yuksekligi sifirdan buyuk olmalidir.");
    return false;
  }
  if (count < 1) {
    Refuse(CeHareketSayisi, "Hareket Sayisi en az 1 olmalidir.");
    return false;
  }
  QuickRep->Page()->SetLength(length);
  GraphicBand(*QuickRep, kPageHeaderIndex)->Size()->SetHeight(start - top);
  GraphicBand(*QuickRep, kDetailIndex)->Size()->SetHeight(area);
  ResultHint = AnsiString(PageHareketBaslangic) + "=" + FloatToStr(start) + kCrLf + PageHareketAlaniYukseklik + "=" +
               FloatToStr(area) + kCrLf + PageHareketSayisi + "=" + FloatToStr(count);
  return true;
}

bool TFaturaAyarF::ApplyToTextPage() {
  const int paper = WholeLines(ceYukseklik);
  const int start = WholeLines(ceBaslangic);
  const int area = WholeLines(ceHareketAlani);
  const int top = ZReport->Margins()->Top();
  const int bottom = ZReport->Margins()->Bottom();
  const int header = start - top;
  const int footer = paper - header - area - top - bottom;
  if (paper <= 0) {
    Refuse(ceYukseklik, "Kagit Yuksekligi sifirdan buyuk olmalidir.");
    return false;
  }
  if (header < 0) {
    Refuse(ceBaslangic, "Hareket Baslangic Yuksekligi ust bosluktan (" + std::to_string(top) + ") kucuk olamaz.");
    return false;
  }
  if (area <= 0) {
    Refuse(ceHareketAlani, "Hareket alani Yuksekligi sifirdan buyuk olmalidir.");
    return false;
  }
  if (footer < 0) {
    Refuse(ceYukseklik, "Kagit Yuksekligi; ust bosluk, hareket baslangici, hareket alani ve alt bosluga yetmiyor.");
    return false;
  }
  TextBand(*ZReport, zbtColumnHeader)->SetHeight(header);
  TextBand(*ZReport, zbtDetail)->SetHeight(area);
  TextBand(*ZReport, zbtPageFooter)->SetHeight(footer);
  ZReport->SetHeight(paper);
  ResultHint = AnsiString(PageHareketBaslangic) + "=" + std::to_string(start) + kCrLf + PageHareketAlaniYukseklik +
               "=" + std::to_string(area) + kCrLf + PageHareketSayisi + "=" + std::to_string(area);
  return true;
}

void TFaturaAyarF::Button2Click(TObject*) {
  if (QuickRep == nullptr && ZReport == nullptr) {
    SetModalResult(mrCancel);  // nothing to set up
    return;
  }
  const bool applied = QuickRep != nullptr ? ApplyToGraphicPage() : ApplyToTextPage();
  if (applied)
    SetModalResult(mrOk);
}

#include "layouts/layoutprototypes.h"

#include <array>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/controlmaking.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/picture.h"
#include "layouts/core/bindinghints.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "support/barcode/components/stdbbarcode.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/output/zrprntr.h"

namespace {

void SetPublishedOrd(TComponent* C, const char* Prop, std::int64_t Value) {
  if (C != nullptr && GetPropInfo(C, Prop) != nullptr)
    SetOrdProp(C, Prop, Value);
}

void SetPublishedEnum(TComponent* C, const char* Prop, const char* Value) {
  if (C != nullptr && GetPropInfo(C, Prop) != nullptr)
    SetEnumProp(C, Prop, Value);
}

// Small Tahoma text on a transparent ground, wrapped: how new texts look.
void UsePaletteTextLook(TComponent* C) {
  if (C == nullptr)
    return;
  if (auto* font = dynamic_cast<TFont*>(GetObjectProp(C, "Font"))) {
    font->SetName("Tahoma");
    font->SetSize(8);
  }
  SetPublishedOrd(C, "Transparent", 1);
  SetPublishedOrd(C, "WordWrap", 1);
}

// Turned texts read upward.
void UseUpwardText(TComponent* C) {
  SetPublishedEnum(C, "Direction", "fldDownUp");
  SetPublishedOrd(C, "Escapment", 900);
}

// A framed square with a diagonal: the picture a new image shows.
void GiveSamplePicture(TComponent* C) {
  auto* image = dynamic_cast<TQRImage*>(C);
  if (image == nullptr)
    return;
  TBitmap sample;
  sample.SetPixelFormat(pf24bit);
  sample.SetSize(32, 32);
  TCanvas& canvas = sample.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(RECT{0, 0, 32, 32});
  canvas.Pen().SetColor(clGray);
  canvas.Rectangle(0, 0, 32, 32);
  canvas.MoveTo(0, 31);
  canvas.LineTo(31, 0);
  image->Picture()->Assign(&sample);
}

// EAN-13 with its check character, 12-mil bars, tall guard bars, the code
// shown, on white: what a barcode dropped from the palette looks like.
TStBarCode* MakeBarcodePrototype(TComponent* Owner, TWinControl* Panel, const char* Name, bool DataAware) {
  TStBarCode* barcode = DataAware ? new TStDbBarCode(Owner) : new TStBarCode(Owner);
  barcode->SetName(Name);
  barcode->SetParent(Panel);
  barcode->SetTag(PrototypeTag);
  barcode->SetBarCodeType(bcEAN_13);
  barcode->SetAddCheckChar(true);
  barcode->SetBarWidth(12);
  barcode->SetBarToSpaceRatio(1);
  barcode->SetTallGuardBars(true);
  barcode->SetShowCode(true);
  barcode->SetColor(clWhite);
  if (!DataAware)
    barcode->SetCode("123456789012");
  return barcode;
}

void MakePrintablePrototypes(TComponent* Owner, TPanel* Panel) {
  TComponent* label = MakeRegisteredComponent(Owner, "TQRLabel", "Dpst_TQRLabel", Panel);
  UsePaletteTextLook(label);
  if (label != nullptr)
    SetStrProp(label, "Caption", "Dpst_TQRLabel");
  UseUpwardText(MakeRegisteredComponent(Owner, "TVtQrLabel", "Dpst_TQRLabelDikey", Panel));
  UsePaletteTextLook(MakeRegisteredComponent(Owner, "TQRDBText", "Dpst_TQRDbText", Panel));
  UseUpwardText(MakeRegisteredComponent(Owner, "TVtQrDBText", "Dpst_TQRDbTextDikey", Panel));
  TComponent* upwardData = MakeRegisteredComponent(Owner, "TVtQrDBText", "Dpst_TJvQrDbText", Panel);
  UseUpwardText(upwardData);
  SetPublishedOrd(upwardData, "AutoSize", 1);
  UsePaletteTextLook(MakeRegisteredComponent(Owner, "TQRExpr", "Dpst_TQRExpr", Panel));
  SetPublishedEnum(MakeRegisteredComponent(Owner, "TQRSysData", "Dpst_TQRSysData", Panel), "Data", "qrsDate");
  TComponent* memo = MakeRegisteredComponent(Owner, "TQRMemo", "Dpst_TQRMemo", Panel);
  UsePaletteTextLook(memo);
  if (memo != nullptr)
    if (auto* lines = dynamic_cast<TStrings*>(GetObjectProp(memo, "Lines")))
      lines->SetText("Memo");
  SetPublishedEnum(MakeRegisteredComponent(Owner, "TQRShape", "Dpst_TQRShape", Panel), "Shape", "qrsRectangle");
  GiveSamplePicture(MakeRegisteredComponent(Owner, "TQRImage", "Dpst_TQRResim", Panel));
  MakeRegisteredComponent(Owner, "TQRDBImage", "Dpst_TQRDBImage", Panel);
  MakeBarcodePrototype(Owner, Panel, "Dpst_StDbBarCode", true);
  MakeBarcodePrototype(Owner, Panel, "Dpst_StBarCode", false);
}

// The band prototypes sit on a page of their own: a title band and a
// sub-detail, beside the detail band every page has.
TQuickRep* MakeGraphicPrototypePage(TComponent* Owner, TPanel* Panel) {
  auto* page = new TQuickRep(Owner);
  page->SetName("PrototypeReport");
  page->SetTag(PrototypeTag);
  page->SetParent(Panel);
  auto* detail = new TQRBand(Owner);
  detail->SetName("Dpst_DetailBand");
  detail->SetBandType(rbDetail);
  detail->SetParent(page);
  auto* title = new TQRBand(Owner);
  title->SetName("Dpst_TQRBand");
  title->SetBandType(rbTitle);
  title->SetParent(page);
  MakeRegisteredComponent(Owner, "TQRSubDetail", "Dpst_TQRSubDetail", page);
  return page;
}

// The text palette's prototypes: a continuous 76 x 60 page in Courier New,
// previewed whole, with a detail band, its sub-detail and a label of each
// kind on the detail band.
TZReport* MakeTextPrototypePage(TComponent* Owner, TPanel* Panel) {
  auto* page = new TZReport(Owner);
  page->SetName("ZReport1");
  page->SetTag(PrototypeTag);
  page->SetParent(Panel);
  page->Font()->SetName("Courier New");
  page->Options()->SetPaperType(zptContinuous);
  page->Options()->SetPreviewMode(zpmWholeReport);
  page->Bands()->SetHas(zbtDetail, true);
  TZRCustomBand* detail = page->FindBand(zbtDetail);
  detail->SetHasController(true);
  auto place = [Owner, detail](TZRCustomLabel* Label, const char* Name) {
    Label->SetName(Name);
    Label->SetParent(detail);
  };
  place(new TZRLabel(Owner), "Dpst_TZrLabel");
  place(new TZRSystemLabel(Owner), "Dpst_TZrSystemLabel");
  auto* total = new TZRTotalLabel(Owner);
  place(total, "Dpst_TlZRTotalLabel");
  total->SetKind(ztkSum);
  return page;
}

}  // namespace

TComponent* MakeRegisteredComponent(TComponent* Owner, const char* ClassName, const AnsiString& Name,
                                    TWinControl* Parent) {
  TClass cls = GetClass(ClassName);
  if (cls == nullptr)
    return nullptr;
  TCreateContext context;
  context.Owner = Owner;
  auto* component = static_cast<TComponent*>(cls->Create(context));
  component->SetName(Name);
  if (auto* control = dynamic_cast<TControl*>(component); control != nullptr && Parent != nullptr)
    control->SetParent(Parent);
  return component;
}

TLayoutPrototypes BuildLayoutPrototypes(TComponent* Owner, TWinControl* Parent) {
  TLayoutPrototypes made;
  made.Panel = MakeControl<TPanel>(Owner, Parent, "DsnDpstPanel");
  made.Panel->SetVisible(false);
  MakePrintablePrototypes(Owner, made.Panel);
  made.GraphicPage = MakeGraphicPrototypePage(Owner, made.Panel);
  made.TextPage = MakeTextPrototypePage(Owner, made.Panel);
  return made;
}

std::span<const TPaletteEntry> LayoutPaletteEntries() {
  using enum TPaletteKind;
  static constexpr std::array<TPaletteEntry, 17> entries{{
      {"Metin ekle", "Dpst_TQrLabel", Graphic},
      {"Dikey metin ekle", "Dpst_TQRLabelDikey", Graphic},
      {"Veri alani ekle", "Dpst_TQrDbText", Graphic},
      {"DB baglantili dikey metin ekle", "Dpst_TJvQrDbText", Either},
      {"Expression ekle", "Dpst_TQrExpr", Graphic},
      {"Sistem bilgisi ekle", "Dpst_TQrSysData", Graphic},
      {"Cok satirli metin ekle", "Dpst_TQRMemo", Graphic},
      {"Sekil ekle", "Dpst_TQRShape", Graphic},
      {"Resim ekle", "Dpst_TQRResim", Graphic},
      {"DB Resim ekle", "Dpst_TQRDBImage", Either},
      {"Alt detay ekle", "Dpst_TQRSubDetail", Graphic},
      {"Band ekle", "Dpst_TQRBand", Graphic},
      {"DB baglantili barkod ekle", "DpsT_StDbBarCode", Graphic},
      {"Dozuri ekle", "DpsT_StBarCode", Graphic},
      {"Data alani veya metin ekle", "Dpst_TZrLabel", Text},
      {"Sistem bilgisi ekle", "Dpst_TZrSystemLabel", Text},
      {"Toplam Deger Alani Ekle", "Dpst_TlZRTotalLabel", Text},
  }};
  return entries;
}

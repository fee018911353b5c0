// The sheet mode's form: its controls made in code, and the link between
// them, the document and the commands.
#include "app/sheet/b3_anaf.h"

#include "app/generalhelpers.h"
#include "app/sheet/sheetreport.h"
#include "classlib/controls/controlmaking.h"
#include "classlib/forms/application.h"
#include "classlib/data/field.h"
#include "classlib/printers/printers.h"
#include "classlib/printers/spooler.h"
#include "classlib/stdctrls/groupbox.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"

BEGIN_PUBLISHED(TB3_AnaF)
  METHOD(tbYeniClick),
  METHOD(tbAcClick),
  METHOD(ToolButton3Click),
  METHOD(tbKaydetClick),
  METHOD(btnReportClick),
  METHOD(FarklKaydet1Click),
  METHOD(tbKopyalaClick),
  METHOD(tbKopyala2Click),
  METHOD(tbKapatClick),
END_PUBLISHED

namespace {

const char* const GridPageCaptions[SheetTableCount] = {"Dozuri", "Ürün isimleri", "Fiyatlar"};

// The current printer's paper names, then "Varsayılan".
void FillPapers(TComboBox* box) {
  box->Items()->Clear();
  try {
    AnsiString device, driver, port;
    HGLOBAL mode = nullptr;
    Printer().GetPrinter(device, driver, port, mode);
    for (const AnsiString& name : Spooler().PaperNames(device, port))
      box->Items()->Add(name);
  } catch (const Exception&) {
    // No printer: only the default paper is offered.
  }
  box->Items()->Add("Varsayılan");
  box->SetItemIndex(box->Items()->Count() - 1);
}

TGroupBox* MakeGroup(TComponent* owner, TWinControl* parent, const char* name, const AnsiString& caption, int left,
                     int top, int width, int height) {
  TGroupBox* group = MakeControlAt<TGroupBox>(owner, parent, name, left, top, width, height);
  group->SetCaption(caption);
  return group;
}

void MakeLabel(TComponent* owner, TWinControl* parent, const AnsiString& caption, int left, int top) {
  TLabel* label = MakeControlAt<TLabel>(owner, parent, "", left, top + 3, 110, 16);
  label->SetCaption(caption);
}

TToolButton* MakeButton(TComponent* owner, TToolBar* bar, const char* name, const AnsiString& caption,
                        const AnsiString& hint, const TNotifyEvent& onClick) {
  TToolButton* button = MakeControl<TToolButton>(owner, bar, name);
  button->SetCaption(caption);
  button->SetHint(hint);
  button->OnClick = onClick;
  return button;
}

TMenuItem* AddItem(TMenuItem* parent, const AnsiString& caption, const TNotifyEvent& onClick) {
  TMenuItem* item = new TMenuItem(parent->Owner());
  item->SetCaption(caption);
  item->OnClick = onClick;
  parent->Add(item);
  return item;
}

}  // namespace

TB3_AnaF::TB3_AnaF(TComponent* AOwner) : TForm(AOwner) {
  SetName("B3_AnaF");
  SetCaption(Application->MainForm() ? Application->MainForm()->Caption() : AnsiString("Dozuri 3 Modu"));
  SetClientWidth(760);
  SetClientHeight(560);
  SetPosition(poDesktopCenter);
  ForceDirectories(SheetDataDir());
  document_ = std::make_unique<TSheetDocument>(this);
  prompts_ = std::make_unique<TSheetDialogPrompts>(this);
  work_ = std::make_unique<TSheetWork>(*document_, *prompts_);
  work_->BeforeWrite = [this] { ReadSettings(); };
  work_->AfterRead = [this] { ShowSettings(); };
  work_->StateChanged = [this] { ShowState(); };
  document_->OnGridSized = [this] { ShowColumns(); };

  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetTitle("Dozuri 3 Modu");
  VTFormHeader1->SetAlign(alTop);
  BuildCommands();
  StatusBar1 = MakeControl<TStatusBar>(this, this, "StatusBar1");
  StatusBar1->SetSimplePanel(true);
  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1");
  PageControl1->SetAlign(alClient);
  BuildSettingsPage();
  BuildGridPages();
  document_->PaperCount = cbKagit->Items()->Count();
  document_->Tables.AppendRow(stBarkod);
  document_->SheetModified = false;
  RvSystem1 = std::make_unique<TRvSystem>();
  RvSystem1->TitleSetup = "Çıktı Seçenekleri";
  RvSystem1->TitleStatus = "Rapor Durumu";
  RvSystem1->TitlePreview = "Baskı Önizleme";
  RvSystem1->StatusFormat = "Generating page %p";
  RvSystem1->StatusPrinting = "Sayfa yazırılıyor %p";
  RvSystem1->JobTitle = "ReportPrinter Report";
  RvSystem1->PreviewMaximised = true;
  RvSystem1->PreviewZoom = 100;
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
  ShowState();
}

TB3_AnaF::~TB3_AnaF() {
  // The document's tables are owned by the form; the grids let go of them first.
  for (TDataSource* source : Sources)
    if (source)
      source->SetDataSet(nullptr);
}

void TB3_AnaF::BuildCommands() {
  ToolBar1 = MakeControl<TToolBar>(this, this, "ToolBar1");
  ToolBar1->SetShowCaptions(true);
  ToolBar1->SetShowHint(true);
  tbYeni = MakeButton(this, ToolBar1, "tbYeni", "Yeni", "Yeni barkod çalışması (CTRL-N)", Method<&TB3_AnaF::tbYeniClick>(this));
  tbAc = MakeButton(this, ToolBar1, "tbAc", "Aç", "Varolan barkod çalışmasını aç (CTRL-O)", Method<&TB3_AnaF::tbAcClick>(this));
  ToolButton3 = MakeButton(this, ToolBar1, "ToolButton3", "Veri Al", "VORTELIM Programlarından Veri Al",
                           Method<&TB3_AnaF::ToolButton3Click>(this));
  tbKaydet = MakeButton(this, ToolBar1, "tbKaydet", "Kaydet", "Kaydet (CTRL-S)", Method<&TB3_AnaF::tbKaydetClick>(this));
  btnReport = MakeButton(this, ToolBar1, "btnReport", "Önizleme", ",Baskı önizleme (CTRL-P)",
                         Method<&TB3_AnaF::btnReportClick>(this));
  tbKopyala = MakeButton(this, ToolBar1, "tbKopyala", "Kopyala", "İlk hücredeki kodu\rbütün tabloya kopyala (CTRL-T)",
                         Method<&TB3_AnaF::tbKopyalaClick>(this));
  tbKopyala2 = MakeButton(this, ToolBar1, "tbKopyala2", "Kopyala 2",
                          "Seçili hücredeki barkod numarasını \r1 er artırak kopyalar", Method<&TB3_AnaF::tbKopyala2Click>(this));
  tbKapat = MakeButton(this, ToolBar1, "tbKapat", "Kapat", "Çıkış (ESC)", Method<&TB3_AnaF::tbKapatClick>(this));

  MainMenu1 = new TMainMenu(this);
  TMenuItem* dosya = AddItem(MainMenu1->Items(), "Dosya", nullptr);
  AddItem(dosya, "Yeni Dozuri Çalışması", Method<&TB3_AnaF::tbYeniClick>(this));
  AddItem(dosya, "Aç", Method<&TB3_AnaF::tbAcClick>(this));
  mKaydet = AddItem(dosya, "Kaydet", Method<&TB3_AnaF::tbKaydetClick>(this));
  FarklKaydet1 = AddItem(dosya, "Farklı Kaydet", Method<&TB3_AnaF::FarklKaydet1Click>(this));
  AddItem(dosya, "-", nullptr);
  AddItem(dosya, "Çıkış", Method<&TB3_AnaF::tbKapatClick>(this));
  SetMenu(MainMenu1);

  ActionList1 = new TActionList(this);
  TAction* kapat = new TAction(this);
  kapat->SetShortCut(VK_ESCAPE);
  kapat->OnExecute = Method<&TB3_AnaF::tbKapatClick>(this);
  kapat->SetActionList(ActionList1);
}

TCurrencyEdit* TB3_AnaF::MakeLength(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top) {
  MakeLabel(this, parent, caption, left, top);
  TCurrencyEdit* edit = MakeControlAt<TCurrencyEdit>(this, parent, name, left + 110, top, 80, 21);
  edit->SetDecimalPlaces(4);
  edit->SetDisplayFormat("0.0000");
  edit->SetZeroEmpty(false);
  edit->OnChange = [this](TObject* Sender) { SettingChanged(Sender); };
  return edit;
}

TCheckBox* TB3_AnaF::MakeCheck(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top) {
  TCheckBox* box = MakeControlAt<TCheckBox>(this, parent, name, left, top, 180, 17);
  box->SetCaption(caption);
  box->OnClick = [this](TObject* Sender) { SettingChanged(Sender); };
  return box;
}

void TB3_AnaF::BuildSettingsPage() {
  TabAyarlar = new TTabSheet(this);
  TabAyarlar->SetCaption("Ayarlar");
  TabAyarlar->SetPageControl(PageControl1);
  TWinControl* page = TabAyarlar;

  TGroupBox* sayfa = MakeGroup(this, page, "GroupSayfa", "Sayfa", 8, 8, 220, 130);
  ceSolBosluk = MakeLength(sayfa, "ceSolBosluk", "Sol Boşluk", 8, 20);
  ceUstBosluk = MakeLength(sayfa, "ceUstBosluk", "Üst Boşluk", 8, 46);
  ceSagBosluk = MakeLength(sayfa, "ceSagBosluk", "Sağ Boşluk", 8, 72);
  ceAltBosluk = MakeLength(sayfa, "ceAltBosluk", "Alt Boşluk", 8, 98);

  TGroupBox* etiket = MakeGroup(this, page, "GroupEtiket", "Etiket", 8, 144, 220, 130);
  ceYukseklik = MakeLength(etiket, "ceYukseklik", "Yükseklik", 8, 20);
  ceGenislik = MakeLength(etiket, "ceGenislik", "Genişlik", 8, 46);
  ceDikeyAralik = MakeLength(etiket, "ceDikeyAralik", "Dikey Aralık", 8, 72);
  ceYatayAralik = MakeLength(etiket, "ceYatayAralik", "Yatay Aralık", 8, 98);

  TGroupBox* kagit = MakeGroup(this, page, "GroupKagit", "Kağıt", 8, 280, 220, 100);
  MakeLabel(this, kagit, "Kağıt Tipi", 8, 20);
  cbKagit = MakeControlAt<TComboBox>(this, kagit, "cbKagit", 80, 20, 130, 21);
  cbKagit->SetStyle(csDropDownList);
  FillPapers(cbKagit);
  cbKagit->OnChange = [this](TObject* Sender) { SettingChanged(Sender); };
  rbYatay = MakeControlAt<TRadioButton>(this, kagit, "rbYatay", 8, 50, 90, 17);
  rbYatay->SetCaption("Yatay");
  rbDikey = MakeControlAt<TRadioButton>(this, kagit, "rbDikey", 110, 50, 90, 17);
  rbDikey->SetCaption("Dikey");
  rbDikey->SetChecked(true);
  // Switching the orientation is a change to keep like any other.
  rbYatay->OnClick = [this](TObject* Sender) { SettingChanged(Sender); };
  rbDikey->OnClick = [this](TObject* Sender) { SettingChanged(Sender); };

  TGroupBox* satir = MakeGroup(this, page, "GroupSatirSutun", "Satır/Sütun", 490, 30, 220, 110);
  auto makeCount = [&](const char* name, const AnsiString& caption, int top, int max, int value) {
    MakeLabel(this, satir, caption, 8, top);
    TRxSpinEdit* edit = MakeControlAt<TRxSpinEdit>(this, satir, name, 118, top, 60, 21);
    edit->SetMinValue(1);
    edit->SetMaxValue(max);
    edit->SetValue(value);
    edit->OnChange = [this](TObject* Sender) { CountChanged(Sender); };
    return edit;
  };
  seSutun = makeCount("seSutun", "Sütun Sayısı", 20, SheetColumnMax, 3);
  seSutun->SetEditorEnabled(false);
  seSatir = makeCount("seSatir", "Satır Sayısı", 46, SheetRowMax, 7);
  seSayfaSatir = makeCount("seSayfaSatir", "Her Sayfa ... Satır", 72, SheetRowMax, 7);

  TGroupBox* barkod = MakeGroup(this, page, "GroupDozuri", "Dozuri", 240, 8, 240, 250);
  MakeLabel(this, barkod, "Dozuri Tipi", 8, 20);
  cbBarkodTipi = MakeControlAt<TComboBox>(this, barkod, "cbBarkodTipi", 118, 20, 100, 21);
  cbBarkodTipi->SetStyle(csDropDownList);
  for (const char* type : SheetBarcodeTypeNames)
    cbBarkodTipi->Items()->Add(type);
  cbBarkodTipi->SetItemIndex(0);
  cbBarkodTipi->OnChange = [this](TObject* Sender) { SettingChanged(Sender); };
  ceBarkodYukseklik = MakeLength(barkod, "ceBarkodYukseklik", "Yükseklik", 8, 46);
  ceBarGenisligi = MakeLength(barkod, "ceBarGenisligi", "Bar Genişliği", 8, 72);
  ceBarkodUst = MakeLength(barkod, "ceBarkodUst", "Üst Boşluk", 8, 98);
  ceBarkodSol = MakeLength(barkod, "ceBarkodSol", "Sol Boşluk", 8, 124);
  cxCheckSum = MakeCheck(barkod, "cxCheckSum", "CheckSum Kullan", 8, 154);
  cxCheckSumYazdir = MakeCheck(barkod, "cxCheckSumYazdir", "CheckSum Yazdır", 8, 178);
  cxKodYaz = MakeCheck(barkod, "cxKodYaz", "Kodu Göster", 8, 202);

  TGroupBox* yazi = MakeGroup(this, page, "GroupYazi", "", 240, 264, 240, 120);
  cxYaziKullan = MakeCheck(yazi, "cxYaziKullan", "Ürün isimlerini yaz", 8, 16);
  ceYaziSol = MakeLength(yazi, "ceYaziSol", "Sol Boşluk", 8, 40);
  ceYaziUst = MakeLength(yazi, "ceYaziUst", "Üst Boşluk", 8, 66);
  btnFont = MakeControlAt<TButton>(this, yazi, "btnFont", 8, 92, 100, 23);
  btnFont->SetCaption("Yazı Fontu");
  btnFont->OnClick = [this](TObject* Sender) { FontClick(Sender); };

  TGroupBox* fiyat = MakeGroup(this, page, "GroupFiyat", "", 490, 146, 240, 100);
  cxFiyatKullan = MakeCheck(fiyat, "cxFiyatKullan", "Ürün Fiyatlarını yaz", 8, 16);
  ceFiyatSol = MakeLength(fiyat, "ceFiyatSol", "Sol Boşluk", 8, 40);
  ceFiyatUst = MakeLength(fiyat, "ceFiyatUst", "Üst Boşluk", 8, 66);

  TLabel* olcu = MakeControlAt<TLabel>(this, page, "LabelOlcu", 490, 8, 200, 16);
  olcu->SetCaption("Ölçüler mm cinsindendir");
  // The form's own defaults, until "Yeni" or "Aç" replaces them.
  showing_ = true;
  for (auto [edit, value] : {std::pair{ceSolBosluk, 6.0}, {ceUstBosluk, 15.0}, {ceSagBosluk, 6.0}, {ceAltBosluk, 15.0},
                             {ceYukseklik, 38.0}, {ceGenislik, 63.0}, {ceYatayAralik, 3.0}, {ceBarkodYukseklik, 12.7},
                             {ceBarGenisligi, 0.254}, {ceBarkodUst, 5.0}, {ceBarkodSol, 5.0}, {ceYaziSol, 6.0},
                             {ceYaziUst, 2.0}, {ceFiyatSol, 6.0}, {ceFiyatUst, 2.0}})
    edit->SetValue(value);
  cxCheckSum->SetChecked(true);
  cxKodYaz->SetChecked(true);
  showing_ = false;
}

void TB3_AnaF::BuildGridPages() {
  for (int which = 0; which < SheetTableCount; ++which) {
    TTabSheet* page = new TTabSheet(this);
    page->SetCaption(GridPageCaptions[which]);
    page->SetPageControl(PageControl1);
    GridPages[which] = page;
    Sources[which] = new TDataSource(this);
    Sources[which]->SetDataSet(&document_->Tables.Table(static_cast<TSheetTable>(which)));
    TDBGrid* grid = MakeControl<TDBGrid>(this, page, "");
    grid->SetAlign(alClient);
    grid->SetDataSource(Sources[which]);
    grid->SetOptions(TDBGridOptions{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgEditing, dgTabs});
    TColumn* sira = grid->Columns()->Add();
    sira->SetFieldName("SIRA");
    sira->SetReadOnly(true);
    sira->SetWidth(40);
    for (int column = 1; column <= SheetColumnLimit; ++column) {
      TColumn* cell = grid->Columns()->Add();
      cell->SetFieldName(SheetCellFieldName(column));
      cell->SetWidth(110);
    }
    Grids[which] = grid;
  }
  // Every posted cell marks the work modified.
  for (int which = 0; which < SheetTableCount; ++which)
    document_->Tables.Table(static_cast<TSheetTable>(which)).AfterPost = [this](TDataSet*) {
      if (!showing_)
        work_->Modified();
    };
  ShowColumns();
}

void TB3_AnaF::SettingChanged(TObject*) {
  if (!showing_)
    work_->Modified();
}

void TB3_AnaF::CountChanged(TObject*) {
  if (showing_)
    return;
  document_->SetCounts(seSutun->AsInteger(), seSatir->AsInteger(), seSayfaSatir->AsInteger());
}

void TB3_AnaF::FontClick(TObject*) {
  TFontDialog dialog(nullptr);
  dialog.Font()->Assign(btnFont->Font());
  if (!dialog.Execute())
    return;
  btnFont->Font()->Assign(dialog.Font());
  work_->Modified();
}

void TB3_AnaF::ReadSettings() {
  TSheetSettings& s = document_->Settings;
  s.SolBosluk = ceSolBosluk->Value();
  s.UstBosluk = ceUstBosluk->Value();
  s.SagBosluk = ceSagBosluk->Value();
  s.AltBosluk = ceAltBosluk->Value();
  s.KagitTip = cbKagit->ItemIndex();
  s.Yatay = rbYatay->Checked();
  s.Yukseklik = ceYukseklik->Value();
  s.Genislik = ceGenislik->Value();
  s.DikeyAralik = ceDikeyAralik->Value();
  s.YatayAralik = ceYatayAralik->Value();
  s.Sutun = seSutun->AsInteger();
  s.Satir = seSatir->AsInteger();
  s.SayfaSatir = seSayfaSatir->AsInteger();
  s.BarkodTipi = cbBarkodTipi->ItemIndex();
  s.BarkodYukseklik = ceBarkodYukseklik->Value();
  s.BarGenisligi = ceBarGenisligi->Value();
  s.BarkodUst = ceBarkodUst->Value();
  s.BarkodSol = ceBarkodSol->Value();
  s.CheckSum = cxCheckSum->Checked();
  s.CheckSumYazdir = cxCheckSumYazdir->Checked();
  s.KodYaz = cxKodYaz->Checked();
  s.YaziKullan = cxYaziKullan->Checked();
  s.YaziSol = ceYaziSol->Value();
  s.YaziUst = ceYaziUst->Value();
  s.FontName = btnFont->Font()->Name();
  s.FontSize = btnFont->Font()->Size();
  s.FontBold = btnFont->Font()->Style().Contains(fsBold);
  s.FontColor = static_cast<std::int32_t>(btnFont->Font()->Color());
  s.FiyatKullan = cxFiyatKullan->Checked();
  s.FiyatSol = ceFiyatSol->Value();
  s.FiyatUst = ceFiyatUst->Value();
}

void TB3_AnaF::ShowSettings() {
  const TSheetSettings& s = document_->Settings;
  showing_ = true;
  ceSolBosluk->SetValue(s.SolBosluk);
  ceUstBosluk->SetValue(s.UstBosluk);
  ceSagBosluk->SetValue(s.SagBosluk);
  ceAltBosluk->SetValue(s.AltBosluk);
  cbKagit->SetItemIndex(s.KagitTip);
  (s.Yatay ? rbYatay : rbDikey)->SetChecked(true);
  ceYukseklik->SetValue(s.Yukseklik);
  ceGenislik->SetValue(s.Genislik);
  ceDikeyAralik->SetValue(s.DikeyAralik);
  ceYatayAralik->SetValue(s.YatayAralik);
  seSutun->SetValue(s.Sutun);
  seSatir->SetValue(s.Satir);
  seSayfaSatir->SetValue(s.SayfaSatir);
  cbBarkodTipi->SetItemIndex(s.BarkodTipi);
  ceBarkodYukseklik->SetValue(s.BarkodYukseklik);
  ceBarGenisligi->SetValue(s.BarGenisligi);
  ceBarkodUst->SetValue(s.BarkodUst);
  ceBarkodSol->SetValue(s.BarkodSol);
  cxCheckSum->SetChecked(s.CheckSum);
  cxCheckSumYazdir->SetChecked(s.CheckSumYazdir);
  cxKodYaz->SetChecked(s.KodYaz);
  cxYaziKullan->SetChecked(s.YaziKullan);
  ceYaziSol->SetValue(s.YaziSol);
  ceYaziUst->SetValue(s.YaziUst);
  btnFont->Font()->SetName(s.FontName);
  btnFont->Font()->SetSize(s.FontSize);
  btnFont->Font()->SetStyle(s.FontBold ? TFontStyles{fsBold} : TFontStyles{});
  btnFont->Font()->SetColor(static_cast<TColor>(s.FontColor));
  cxFiyatKullan->SetChecked(s.FiyatKullan);
  ceFiyatSol->SetValue(s.FiyatSol);
  ceFiyatUst->SetValue(s.FiyatUst);
  showing_ = false;
  ShowColumns();
}

void TB3_AnaF::ShowColumns() {
  const int columns = document_->Settings.Sutun;
  for (TDBGrid* grid : Grids)
    if (grid)
      for (int column = 1; column <= SheetColumnLimit; ++column)
        grid->Columns()->Items(column)->SetVisible(column <= columns);
}

void TB3_AnaF::ShowState() {
  const bool open = work_->SheetOpen();
  for (TToolButton* button : {tbKaydet, btnReport, tbKopyala, tbKopyala2})
    button->SetEnabled(open);
  mKaydet->SetEnabled(open);
  FarklKaydet1->SetEnabled(open);
  TabAyarlar->SetTabVisible(open);
  for (TTabSheet* page : GridPages)
    page->SetTabVisible(open);
  if (open)
    PageControl1->SetActivePage(TabAyarlar);
  StatusBar1->SetSimpleText(work_->StatusText());
}

void TB3_AnaF::PostPendingEdits() {
  for (int which = 0; which < SheetTableCount; ++which) {
    TRxMemoryData& table = document_->Tables.Table(static_cast<TSheetTable>(which));
    if (table.State() == dsEdit || table.State() == dsInsert)
      table.Post();
  }
}

void TB3_AnaF::tbYeniClick(TObject*) { work_->Yeni(); }
void TB3_AnaF::tbAcClick(TObject*) { work_->Ac(); }
void TB3_AnaF::ToolButton3Click(TObject*) { work_->VeriAl(); }

void TB3_AnaF::tbKaydetClick(TObject*) {
  PostPendingEdits();
  work_->Kaydet();
}

void TB3_AnaF::FarklKaydet1Click(TObject*) {
  PostPendingEdits();
  work_->FarklKaydet();
}

TRaveFont TB3_AnaF::ReportFont() {
  // Face, size and style of the "Yazı Fontu" font; its colour is not used.
  TFont* chosen = btnFont->Font();
  TRaveFont font;
  font.Name = chosen->Name();
  font.Size = chosen->Size();
  font.Bold = chosen->Style().Contains(fsBold);
  font.Italic = chosen->Style().Contains(fsItalic);
  font.Underline = chosen->Style().Contains(fsUnderline);
  font.StrikeOut = chosen->Style().Contains(fsStrikeOut);
  return font;
}

void TB3_AnaF::btnReportClick(TObject*) {
  PostPendingEdits();
  ReadSettings();
  // A code the type cannot encode stops the report before anything prints.
  const AnsiString problem = FirstUnprintableSheetCode(*document_);
  if (!problem.empty()) {
    prompts_->Inform(problem);
    return;
  }
  const TSheetSettings& s = document_->Settings;
  TRaveProject project;
  project.Open();
  RvSystem1->Orientation = s.Yatay ? poLandscape : poPortrait;
  const int paper = cbKagit->ItemIndex();
  const bool defaultPaper = paper < 0 || paper >= cbKagit->Items()->Count() - 1;
  RvSystem1->SelectPaper(defaultPaper ? AnsiString() : cbKagit->Items()->Strings(paper));
  TSheetReportPage page;
  RvSystem1->PageSize(page.Width, page.Height);
  BuildSheetReport(*document_, ReportFont(), page, project);
  // Nothing reads the saved project back, so a folder that cannot be
  // written to does not stop the report.
  try {
    project.SaveToFile(GetTempDir() + SheetReportFileName);
  } catch (const Exception&) {
  }
  RvSystem1->Execute(project, SheetReportName);
  project.Close();
}

void TB3_AnaF::tbKopyalaClick(TObject*) {
  PostPendingEdits();
  work_->Kopyala();
}

void TB3_AnaF::tbKopyala2Click(TObject*) {
  PostPendingEdits();
  TRxMemoryData& table = document_->Tables.RxMemBarkod();
  const int selected = Grids[stBarkod]->SelectedIndex();  // 0 is the row number column
  work_->Kopyala2(table.RecNo(), selected < 1 ? 1 : selected);
}

void TB3_AnaF::tbKapatClick(TObject*) { Close(); }

void TB3_AnaF::FormCloseQuery(TObject*, bool& CanClose) {
  PostPendingEdits();
  CanClose = work_->CanClose();
}

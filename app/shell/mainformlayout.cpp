// The main form's controls, menus and actions, made in code in the order
// the user tabs through them.
#include "app/shell/mainform.h"

#include "classlib/controls/controlmaking.h"
#include "app/shell/mainformpictures.h"
#include "app/shell/programidentity.h"
#include "classlib/system/numconv.h"

namespace {

TPanel* MakePanel(TComponent* owner, TWinControl* parent, const char* name, TAlign align) {
  TPanel* panel = MakeControl<TPanel>(owner, parent, name);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(align);
  return panel;
}

TLabel* MakeTitle(TComponent* owner, TWinControl* parent, const char* name, const AnsiString& caption) {
  TLabel* label = MakeControl<TLabel>(owner, parent, name);
  label->SetCaption(caption);
  label->SetAlign(alTop);
  return label;
}

TMenuItem* AddItem(TMenuItem* parent, const AnsiString& caption, const TNotifyEvent& onClick = nullptr) {
  TMenuItem* item = new TMenuItem(parent->Owner());
  item->SetCaption(caption);
  item->OnClick = onClick;
  parent->Add(item);
  return item;
}

void AddSeparator(TMenuItem* parent) { AddItem(parent, "-"); }

// "Metin 1" ... "Metin 20": the field boxes of the filter and the sort box.
void FillFieldCaptions(TComboBox* box) {
  for (int number = 1; number <= RecordFieldCount; ++number)
    box->Items()->Add("Metin " + IntToStr(number));
}

TDBGrid* MakeRecordGrid(TComponent* owner, TWinControl* parent, const char* name, TDataSource* source, bool editable) {
  TDBGrid* grid = MakeControl<TDBGrid>(owner, parent, name);
  grid->SetAlign(alClient);
  grid->SetDataSource(source);
  TDBGridOptions options{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgAlwaysShowSelection};
  if (editable)
    options = options + TDBGridOptions{dgEditing, dgConfirmDelete, dgCancelOnExit};
  else
    options = options + TDBGridOptions{dgTabs, dgRowSelect};
  grid->SetOptions(options);
  grid->SetReadOnly(!editable);
  for (int number = 1; number <= RecordFieldCount; ++number) {
    TColumn* column = grid->Columns()->Add();
    column->SetFieldName(RecordFieldName(number));
    column->Title()->SetCaption("Metin " + IntToStr(number));
    column->SetWidth(100);
  }
  return grid;
}

}  // namespace

void TAnaF::BuildComponents() {
  RxBarkod = new TRxMemoryData(this);
  RxBarkod->SetName("RxBarkod");
  DefineBarcodeRecordFields(*RxBarkod);
  RxBarkod->BeforeInsert = Method<&TAnaF::RxBarkodBeforeInsert>(this);
  RxBarkod->OnFilterRecord = Method<&TAnaF::RxBarkodFilterRecord>(this);
  RxBarkod_S = new TDataSource(this);
  RxBarkod_S->SetName("RxBarkod_S");
  RxBarkod_S->SetDataSet(RxBarkod);

  RxEtiket = new TRxMemoryData(this);
  RxEtiket->SetName("RxEtiket");
  DefineLabelFields(*RxEtiket);
  RxEtiket_S = new TDataSource(this);
  RxEtiket_S->SetName("RxEtiket_S");
  RxEtiket_S->SetDataSet(RxEtiket);

  ApplicationEvents1 = new TApplicationEvents(this);
  ApplicationEvents1->SetName("ApplicationEvents1");
  ApplicationEvents1->OnException = Method<&TAnaF::ApplicationEvents1Exception>(this);

  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");
}

void TAnaF::BuildActions() {
  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  auto makeAction = [this](const char* name, const AnsiString& caption, WORD key, const TNotifyEvent& onExecute) {
    TAction* action = new TAction(this);
    action->SetName(name);
    action->SetCaption(caption);
    action->SetShortCut(key);
    action->OnExecute = onExecute;
    action->SetActionList(ActionList1);
    return action;
  };
  Kapat = makeAction("Kapat", "Kapat", VK_ESCAPE, Method<&TAnaF::KapatExecute>(this));
  Filtrele = makeAction("Filtrele", "Filtrele", VK_F2, Method<&TAnaF::Button6Click>(this));
  Hepsi = makeAction("Hepsi", "Hepsi", VK_F3, Method<&TAnaF::Button7Click>(this));
}

void TAnaF::BuildMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* root = MainMenu1->Items();

  TMenuItem* dosya = AddItem(root, "Dosya");
  FarklKaydet1 = AddItem(dosya, "Excel den Veri Al", Method<&TAnaF::FarklKaydet1Click>(this));
  mBarkodBilgileriniS1 = AddItem(dosya, "Tüm Dozuri Bilgilerini Sil", Method<&TAnaF::mBarkodBilgileriniS1Click>(this));
  AddSeparator(dosya);
  k1 = AddItem(dosya, "Çıkış", Method<&TAnaF::k1Click>(this));

  Araclar1 = AddItem(root, "Araçlar");
  AralarMensnDzenle1 = AddItem(Araclar1, "Araçlar Menüsünü &Düzenle", Method<&TAnaF::AralarMensnDzenle1Click>(this));
  AddSeparator(Araclar1);
  BuildToolComponents();  // its entries follow the separator

  TMenuItem* yardim = AddItem(root, "Yardım");
  Yardm2 = AddItem(yardim, "Yardım", Method<&TAnaF::Yardm2Click>(this));
  rtibat1 = AddItem(yardim, "İrtibat", Method<&TAnaF::rtibat1Click>(this));
  BarkodHakknda1 = AddItem(yardim, "Dozuri Hakkında");
  BarkodHakknda1->SetEnabled(false);  // the about box is not part of this program yet
  AddSeparator(yardim);
  WebSiteItem = AddItem(yardim, MakerWebAddress, Method<&TAnaF::WebSiteItemClick>(this));
  AddSeparator(yardim);
  ProgramSrmnKontrolEt1 = AddItem(yardim, "Program Sürümünü Kontrol Et");
  ProgramSrmnKontrolEt1->SetEnabled(false);  // the update check is not part of this program yet
  SetMenu(MainMenu1);
}

void TAnaF::BuildHeader() {
  ImageBaslik1 = MakeControl<TImage>(this, this, "ImageBaslik1");
  ImageBaslik1->SetVisible(false);

  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetTitle(ApplicationTitle);
  SpeedButton1 = MakeControl<TSpeedButton>(this, VTFormHeader1, "SpeedButton1");
  SpeedButton1->SetCaption("Dozuri 3 Modu");
  SpeedButton1->SetBounds(VTFormHeader1->Width() - 120, 3, 112, 24);
  SpeedButton1->SetAnchors(TAnchors{akTop, akRight});
  SpeedButton1->OnClick = Method<&TAnaF::SpeedButton1Click>(this);
}

void TAnaF::BuildRecordEdits(TWinControl* parent) {
  TLabel* hint = MakeControlAt<TLabel>(this, parent, "Label21", 8, 6, 600, 16);
  hint->SetCaption("Bu kısımda barkodunu yazmak istediğiniz ürün veya kart numaralarını giriniz.");
  for (int i = 0; i < RecordFieldCount; ++i) {
    const int left = 8 + (i / 10) * 372;
    const int top = 28 + (i % 10) * 24;
    const AnsiString number = IntToStr(i + 1);
    TLabel* label = MakeControlAt<TLabel>(this, parent, "Label" + number, left, top + 3, 56, 16);
    label->SetCaption("Metin " + number);
    TDBEdit* edit = MakeControlAt<TDBEdit>(this, parent, "DBEdit" + number, left + 60, top, 300, 21);
    edit->SetDataSource(RxBarkod_S);
    edit->SetDataField(RecordFieldName(i + 1));
    edit->OnKeyPress = Method<&TAnaF::DBEdit1KeyPress>(this);
    label->SetFocusControl(edit);
    MetinLabels[i] = label;
    MetinEdits[i] = edit;
  }
}

void TAnaF::BuildSortAndNavigator(TWinControl* parent) {
  const int top = 28 + 10 * 24 + 4;
  TLabel* sortLabel = MakeControlAt<TLabel>(this, parent, "Label22", 8, top + 4, 56, 16);
  sortLabel->SetCaption("Sıralama");
  ComboBox1 = MakeControlAt<TComboBox>(this, parent, "ComboBox1", 68, top, 140, 21);
  ComboBox1->SetStyle(csDropDownList);
  FillFieldCaptions(ComboBox1);
  ComboBox1->Items()->Add("");
  // The records come in the order they were saved in, which a sort of an
  // earlier run may have given: the box names no field rather than one
  // they are not sorted by.
  ComboBox1->SetItemIndex(RecordFieldCount);
  ComboBox1->OnChange = Method<&TAnaF::ComboBox1Change>(this);
  sortLabel->SetFocusControl(ComboBox1);

  // The navigator's shortcut actions join the form's list after the form's
  // own actions, so F3 stays "Hepsi" there: the first action of a list that
  // takes a key wins, and the navigator's cancel also answers F3.
  DBNavigator1 = MakeControlAt<TBiDiDBNavigator>(this, parent, "DBNavigator1", 380, top, 240, 25);
  DBNavigator1->SetDataSource(RxBarkod_S);
  DBNavigator1->SetDataSourceAct(RxBarkod_S);
  DBNavigator1->SetActionList(ActionList1);
  DBNavigator1->SetVisibleButtons(
      TButtonSet{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbPost, nbCancel});
  DBNavigator1->SetConfirmDelete(false);
  DBNavigator1->Hints()->SetText(
      "İlk Kayıt (Ctrl+PgUp)\r\nÖnceki Kayıt (PgUp)\r\nSonraki Kayıt (PgDown)\r\nSon Kayıt (Ctrl+PgDown)\r\n"
      "Yeni Kayıt Ekle (Ctrl+F2)\r\nKaydı Sil (Ctrl+F3)\r\nKaydı Düzenle\r\nKaydet (Alt+F2)\r\n"
      "Değişikliği İptal Et (F3)\r\nKaydı Yenile");
  DBNavigator1->SetShowHint(true);
}

void TAnaF::BuildRecordPage() {
  TabKayit = MakeControl<TTabSheet>(this, PageControl1, "TabKayit");
  TabKayit->SetPageControl(PageControl1);
  TabKayit->SetCaption("Dozuri Kayıt");
  TPanel* top = MakePanel(this, TabKayit, "PanelUst", alTop);
  top->SetHeight(28 + 10 * 24 + 36);
  BuildRecordEdits(top);
  BuildSortAndNavigator(top);
  PanelGrid = MakePanel(this, TabKayit, "PanelGrid", alClient);
  DBGrid1 = MakeRecordGrid(this, PanelGrid, "DBGrid1", RxBarkod_S, true);
}

void TAnaF::BuildFilterPanel() {
  PanelFiltre = MakeControl<TPanel>(this, PanelGrid, "PanelFiltre");
  PanelFiltre->SetCaption("");
  PanelFiltre->SetBevelOuter(bvLowered);
  MakeControlAt<TLabel>(this, PanelFiltre, "Label23", 8, 4, 200, 16)->SetCaption("Kayıt Filtreleme");
  for (int row = 0; row < 3; ++row) {
    const AnsiString number = IntToStr(row + 1);
    const int top = 24 + row * 28;
    TComboBox* field = MakeControlAt<TComboBox>(this, PanelFiltre, "ComboFiltre" + number, 8, top, 100, 21);
    field->SetStyle(csDropDownList);
    FillFieldCaptions(field);
    field->SetItemIndex(row);
    TEdit* value = MakeControlAt<TEdit>(this, PanelFiltre, "EditFiltre" + number, 112, top, 124, 21);
    value->SetText("");
    value->OnKeyPress = Method<&TAnaF::EditFiltre1KeyPress>(this);
    field->OnChange = Method<&TAnaF::FilterInputChange>(this);
    value->OnChange = Method<&TAnaF::FilterInputChange>(this);
    FilterFields[row] = field;
    FilterValues[row] = value;
  }
  Button6 = MakeControlAt<TButton>(this, PanelFiltre, "Button6", 8, 110, 110, 25);
  Button6->SetAction(Filtrele);
  Button7 = MakeControlAt<TButton>(this, PanelFiltre, "Button7", 126, 110, 110, 25);
  Button7->SetAction(Hepsi);
  PlaceFilterPanel();
}

void TAnaF::BuildPrintPage() {
  TabBasim = MakeControl<TTabSheet>(this, PageControl1, "TabBasim");
  TabBasim->SetPageControl(PageControl1);
  TabBasim->SetCaption("Dozuri Basımı");
  TabBasim->OnResize = Method<&TAnaF::TabBasimResize>(this);

  PanelKayitli = MakePanel(this, TabBasim, "PanelKayitli", alLeft);
  MakeTitle(this, PanelKayitli, "Label24", "Kayıtlı Dozuri Bilgileri");
  DBGrid2 = MakeRecordGrid(this, PanelKayitli, "DBGrid2", RxBarkod_S, false);
  DBGrid2->OnKeyDown = Method<&TAnaF::DBGrid2KeyDown>(this);

  PanelOrta = MakePanel(this, TabBasim, "PanelOrta", alLeft);
  PanelOrta->SetWidth(100);
  BuildReportComponent();
  BuildPrintDropDown();
  struct LabelCommand {
    const char* Caption;
    const char* Hint;
    TNotifyEvent OnClick;
  };
  const LabelCommand commands[] = {
      {">", "Seçili barkodu listeye al", Method<&TAnaF::Button1Click>(this)},
      {"<", "Seçili etiketi listeden sil", Method<&TAnaF::Button2Click>(this)},
      {">>", "Tüm barkodları listeye at", Method<&TAnaF::Button3Click>(this)},
      {"<<", "Tüm etiketleri temizle", Method<&TAnaF::Button4Click>(this)},
  };
  for (int i = 0; i < 4; ++i) {
    TButton* button = MakeControlAt<TButton>(this, PanelOrta, "Button" + IntToStr(i + 1), 8, 90 + i * 32, 84, 25);
    button->SetCaption(commands[i].Caption);
    button->SetHint(commands[i].Hint);
    button->SetShowHint(true);
    button->OnClick = commands[i].OnClick;
    LabelCommandButtons[i] = button;
  }

  PanelEtiket = MakePanel(this, TabBasim, "PanelEtiket", alClient);
  MakeTitle(this, PanelEtiket, "Label25", "Basılacak Etiketler");
  PanelUret = MakePanel(this, PanelEtiket, "PanelUret", alBottom);
  PanelUret->SetHeight(40);
  Button5 = MakeControlAt<TButton>(this, PanelUret, "Button5", 0, 8, 170, 25);
  Button5->SetCaption("Otomatik Dozuri Üret");
  Button5->OnClick = Method<&TAnaF::Button5Click>(this);
  PanelUret->OnResize = [this](TObject*) { Button5->SetLeft((PanelUret->Width() - Button5->Width()) / 2); };
  DBGrid3 = MakeRecordGrid(this, PanelEtiket, "DBGrid3", RxEtiket_S, false);
}

TAnaF::TAnaF(TComponent* AOwner) : TForm(AOwner) {
  SetName("AnaF");
  SetCaption(ApplicationTitle);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  Font()->SetStyle(TFontStyles{fsBold});
  SetClientWidth(768);
  SetClientHeight(571);
  Constraints()->SetMinWidth(754);
  Constraints()->SetMinHeight(592);
  SetPosition(poDesktopCenter);
  SetKeyPreview(true);

  BuildComponents();
  BuildActions();
  BuildMenu();
  BuildHeader();
  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->OnChange = Method<&TAnaF::PageControl1Change>(this);
  BuildRecordPage();
  BuildFilterPanel();
  BuildPrintPage();
  LoadMainFormPictures(*this);
  PageControl1->SetActivePage(TabKayit);
  SetActiveControl(MetinEdits[0]);

  OnCreate = Method<&TAnaF::FormCreate>(this);
  OnClose = Method<&TAnaF::FormClose>(this);
}

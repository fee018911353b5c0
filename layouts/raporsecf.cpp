#include "layouts/raporsecf.h"

#include "classlib/controls/controlmaking.h"

#include <limits>
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/printers/printers.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "layouts/reportlistfile.h"
#include "layouts/vtrapor.h"

BEGIN_PUBLISHED(TRaporSecF)
  METHOD(FormShow),
  METHOD(ListView1Changing),
  METHOD(ListView1Change),
  METHOD(ListView1Editing),
  METHOD(Button1Click),
  METHOD(Button2Click),
  METHOD(Button3Click),
  METHOD(Button4Click),
  METHOD(Button5Click),
  METHOD(Button7Click),
  METHOD(KapatExecute),
  METHOD(ButtonRaporSecClick),
END_PUBLISHED

namespace {

constexpr char kTitleManager[] = "Rapor Ayarlari";
constexpr char kTitleSelection[] = "Rapor Seciniz";
constexpr char kTopRowCaption[] = "Varsayilan";
constexpr char kLayoutFilter[] = "VORTELIM Rapor Dosyasi (*.vlp)|*.vlp";

TPanel* MakePanel(TComponent* owner, TWinControl* parent, const char* name, TAlign align, int height) {
  TPanel* panel = MakeControl<TPanel>(owner, parent, name);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(align);
  panel->SetHeight(height);
  return panel;
}

// The layout file of a row: its first sub-item.
AnsiString RowFile(const TListItem* item) {
  return item->SubItems()->Count() > 0 ? item->SubItems()->Strings(0) : AnsiString();
}

}  // namespace

TRaporSecF::TRaporSecF(TComponent* AOwner) : TForm(AOwner) {
  SetName("RaporSecF");
  SetCaption(kTitleManager);
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poDesktopCenter);
  SetKeyPreview(true);
  SetClientWidth(560);
  SetClientHeight(400);
  CreateControls();
  OnShow = Method<&TRaporSecF::FormShow>(this);
}

void TRaporSecF::CreateControls() {
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetAlign(alTop);
  VTFormHeader1->SetTitle(kTitleManager);

  Panel1 = MakePanel(this, this, "Panel1", alTop, 22);
  Panel1->SetCaption("Eklenmis Raporlar");
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetTop(VTFormHeader1->Top() + VTFormHeader1->Height());

  Panel3 = MakePanel(this, this, "Panel3", alBottom, 40);
  Panel3->SetVisible(false);
  ButtonRaporSec = MakeControlAt<TButton>(this, Panel3, "ButtonRaporSec", 452, 8, 100, 25);
  ButtonRaporSec->SetCaption("Tamam");
  ButtonRaporSec->SetDefault(true);
  ButtonRaporSec->SetVisible(false);
  ButtonRaporSec->OnClick = Method<&TRaporSecF::ButtonRaporSecClick>(this);

  Panel2 = MakePanel(this, this, "Panel2", alBottom, 112);
  CreateManagementControls();

  ListView1 = MakeControl<TListView>(this, this, "ListView1");
  ListView1->SetAlign(alClient);
  ListView1->SetViewStyle(vsReport);
  ListView1->SetCheckboxes(true);
  ListView1->SetRowSelect(true);
  ListView1->SetReadOnly(true);
  ListView1->SetHideSelection(false);
  TListColumn* description = ListView1->Columns()->Add();
  description->SetCaption("Aciklama");
  description->SetWidth(200);
  TListColumn* file = ListView1->Columns()->Add();
  file->SetCaption("Rapor Dosyasi");
  file->SetWidth(320);
  ListView1->OnChanging = Method<&TRaporSecF::ListView1Changing>(this);
  ListView1->OnChange = Method<&TRaporSecF::ListView1Change>(this);
  ListView1->OnEditing = Method<&TRaporSecF::ListView1Editing>(this);

  OD = new TOpenDialog(this);
  OD->SetName("OD");
  OD->SetDefaultExt("vlp");
  OD->SetFilter(kLayoutFilter);
}

void TRaporSecF::CreateManagementControls() {
  struct ButtonSpec {
    TButton*& button;
    const char* name;
    const char* caption;
    int left, top;
    TNotifyEvent click;
  };
  const ButtonSpec buttons[] = {
      {Button1, "Button1", "Ekle", 8, 8, Method<&TRaporSecF::Button1Click>(this)},
      {Button2, "Button2", "Kaldir", 116, 8, Method<&TRaporSecF::Button2Click>(this)},
      {Button3, "Button3", "Tasarla", 224, 8, Method<&TRaporSecF::Button3Click>(this)},
      {Button4, "Button4", "Aciklama", 332, 8, Method<&TRaporSecF::Button4Click>(this)},
      {Button7, "Button7", "Yeni Tasarim", 452, 8, Method<&TRaporSecF::Button7Click>(this)},
      {Button5, "Button5", "Kaydet", 452, 44, Method<&TRaporSecF::Button5Click>(this)},
      {Button6, "Button6", "Kapat", 452, 78, nullptr},
  };
  for (const ButtonSpec& item : buttons) {
    item.button = MakeControlAt<TButton>(this, Panel2, item.name, item.left, item.top, 100, 25);
    item.button->SetCaption(item.caption);
    item.button->OnClick = item.click;
  }

  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  Kapat = new TAction(this);
  Kapat->SetName("Kapat");
  Kapat->SetCaption("Kapat");
  Kapat->SetShortCut(VK_ESCAPE);
  Kapat->OnExecute = Method<&TRaporSecF::KapatExecute>(this);
  Kapat->SetActionList(ActionList1);
  Button6->SetAction(Kapat);

  CheckBox1 = MakeControlAt<TCheckBox>(this, Panel2, "CheckBox1", 8, 46, 400, 17);
  CheckBox1->SetCaption("Yazdirmadan once rapor seceneklerini bana goster");
  Label1 = MakeControlAt<TLabel>(this, Panel2, "Label1", 8, 83, 50, 13);
  Label1->SetCaption("Yazici");
  ComboBoxPrinters = MakeControlAt<TComboBox>(this, Panel2, "ComboBoxPrinters", 60, 79, 230, 21);
  ComboBoxPrinters->SetStyle(csDropDown);
  ComboBoxPrinters->SetText("");
  ComboBoxPrinters->Items()->Assign(&Printer().Printers());
  Label2 = MakeControlAt<TLabel>(this, Panel2, "Label2", 304, 83, 40, 13);
  Label2->SetCaption("Kopya");
  RxSpinEditKopya = MakeControlAt<TRxSpinEdit>(this, Panel2, "RxSpinEditKopya", 348, 79, 60, 21);
  RxSpinEditKopya->SetEditorEnabled(false);
  // A copy count below one prints nothing; the list file reads it as one.
  // No upper bound of its own: any count the list holds is shown and saved
  // back unchanged.
  RxSpinEditKopya->SetMinValue(1);
  RxSpinEditKopya->SetMaxValue(std::numeric_limits<int>::max());
  RxSpinEditKopya->SetValue(1);
}

void TRaporSecF::SetSelectionMode() {
  VTFormHeader1->SetTitle(FTextsTranslated ? Translate(kTitleSelection) : AnsiString(kTitleSelection));
  Panel2->SetVisible(false);
  Panel3->SetVisible(true);
  ButtonRaporSec->SetVisible(true);
}

AnsiString TRaporSecF::Translate(const AnsiString& Text) const {
  return VtRapor != nullptr ? VtRapor->Translate(Text) : Text;
}

// Every text the user reads, through the report component's hook, once
// (a hook need not give the same text when it is asked twice).
void TRaporSecF::TranslateTexts() {
  if (FTextsTranslated)
    return;
  FTextsTranslated = true;
  SetCaption(Translate(Caption()));
  VTFormHeader1->SetTitle(Translate(VTFormHeader1->Title()));
  for (TControl* control : {static_cast<TControl*>(Panel1), static_cast<TControl*>(Button1),
                            static_cast<TControl*>(Button2), static_cast<TControl*>(Button3),
                            static_cast<TControl*>(Button4), static_cast<TControl*>(Button7),
                            static_cast<TControl*>(Button5), static_cast<TControl*>(CheckBox1),
                            static_cast<TControl*>(Label1), static_cast<TControl*>(Label2),
                            static_cast<TControl*>(ButtonRaporSec)})
    control->SetCaption(Translate(control->Caption()));
  Kapat->SetCaption(Translate(Kapat->Caption()));
  for (int i = 0; i < ListView1->Columns()->Count(); ++i) {
    TListColumn* column = ListView1->Columns()->Items(i);
    column->SetCaption(Translate(column->Caption()));
  }
  OD->SetFilter(Translate(OD->Filter()));
}

void TRaporSecF::FormShow(TObject*) {
  if (Application->MainForm() != nullptr)
    SetCaption(Application->MainForm()->Caption());
  ChosenFile.clear();
  TranslateTexts();
  if (VtRapor != nullptr)
    VtRapor->DoFormOpen(this);
  try {
    FillList();
  } catch (const EReportListError& e) {
    // The list stays as it is on disk: the form closes before a save could
    // write over it.
    ShowListError(e);
    Finish(mrCancel);
  }
}

void TRaporSecF::ShowListError(const Exception& Error) {
  TMessageDlgRequest request;
  request.Caption = Caption();
  request.Text = Translate(Error.Message);
  request.DlgType = mtError;
  request.Buttons = TMsgDlgButtons{mbOK};
  DialogService().MessageDlg(request);
}

void TRaporSecF::FillList() {
  // Read first: a list that cannot be read changes nothing on the form.
  const bool listExists = FileExists(ListFileName);
  const TReportListFile list = listExists ? TReportListFile::Load(ListFileName) : TReportListFile();
  FUpdating = true;
  ListView1->Items()->BeginUpdate();
  ListView1->Items()->Clear();
  bool defaultFound = false;
  if (listExists) {
    CheckBox1->SetChecked(list.AskBeforePrint);
    ComboBoxPrinters->SetText(list.PrinterName);
    RxSpinEditKopya->SetValue(list.Copies);
    for (const TReportListEntry& entry : list.Entries) {
      AddRow(entry.FileName, entry.Description);
      if (entry.IsDefault) {
        TListItem* row = ListView1->Items()->Item(ListView1->Items()->Count() - 1);
        row->SetChecked(true);
        row->SetSelected(true);
        defaultFound = true;
      }
    }
  }
  TListItem* top = ListView1->Items()->Insert(0);
  top->SetCaption(Translate(kTopRowCaption));
  top->SubItems()->Add(DefaultLayout);
  if (ListView1->Items()->Count() == 1 || !defaultFound) {
    top->SetChecked(true);
    top->SetSelected(true);
  }
  ListView1->Items()->EndUpdate();
  RememberCheckMarks();
  FUpdating = false;
}

void TRaporSecF::AddRow(const AnsiString& FileName, const AnsiString& Description) {
  TListItem* row = ListView1->Items()->Add();
  row->SetCaption(Description);
  row->SubItems()->Add(FileName);
}

void TRaporSecF::CheckOnly(TListItem* Item) {
  FUpdating = true;
  for (int i = 0; i < ListView1->Items()->Count(); ++i)
    ListView1->Items()->Item(i)->SetChecked(false);
  Item->SetChecked(true);
  RememberCheckMarks();
  FUpdating = false;
}

// Each row keeps in Data the check mark it had when last seen, so a change
// is judged by the row's own earlier state: the window does not announce
// every state change beforehand (a selection may arrive without one).
bool TRaporSecF::RememberedChecked(const TListItem* Item) { return Item->Data() != nullptr; }

void TRaporSecF::RememberChecked(TListItem* Item, bool Checked) {
  Item->SetData(Checked ? Item : nullptr);
}

void TRaporSecF::RememberCheckMarks() {
  for (int i = 0; i < ListView1->Items()->Count(); ++i) {
    TListItem* item = ListView1->Items()->Item(i);
    RememberChecked(item, item->Checked());
  }
}

void TRaporSecF::ListView1Changing(TObject*, TListItem* Item, TItemChange Change, bool&) {
  if (Item != nullptr && Change == ctState)
    RememberChecked(Item, Item->Checked());
}

void TRaporSecF::ListView1Change(TObject*, TListItem* Item, TItemChange Change) {
  if (Item == nullptr || Change != ctState)
    return;
  const bool checked = Item->Checked();
  if (!FUpdating && ListView1->Items()->Count() > 0 && checked != RememberedChecked(Item))
    CheckOnly(Item);
  else
    RememberChecked(Item, checked);
}

void TRaporSecF::ListView1Editing(TObject*, TListItem*, bool& AllowEdit) { AllowEdit = false; }

void TRaporSecF::Button1Click(TObject*) {
  if (OD->Execute() && FileExists(OD->FileName()))
    AddRow(OD->FileName(), "");
}

void TRaporSecF::Button2Click(TObject*) {
  TListItem* row = ListView1->Selected();
  if (row != nullptr && row->Index() != 0)
    row->Delete();
}

void TRaporSecF::Button3Click(TObject*) {
  TListItem* row = ListView1->Selected();
  if (row == nullptr || VtRapor == nullptr)
    return;
  VtRapor->DesignReport(row->Index() == 0 ? DefaultLayout : RowFile(row));
}

void TRaporSecF::Button4Click(TObject*) {
  TListItem* row = ListView1->Selected();
  if (row == nullptr || row->Index() == 0)
    return;
  AnsiString description = row->Caption();
  if (DialogService().InputQuery(Caption(), Translate("Aciklama"), description))
    row->SetCaption(description);
}

void TRaporSecF::Button7Click(TObject*) {
  if (VtRapor != nullptr)
    VtRapor->DesignReport("");
}

void TRaporSecF::Button5Click(TObject*) {
  TReportListFile list;
  for (int i = 1; i < ListView1->Items()->Count(); ++i) {
    const TListItem* row = ListView1->Items()->Item(i);
    list.Entries.push_back({RowFile(row), row->Caption(), row->Checked()});
  }
  list.AskBeforePrint = CheckBox1->Checked();
  list.PrinterName = ComboBoxPrinters->Text();
  list.Copies = RxSpinEditKopya->AsInteger();
  try {
    list.Save(ListFileName);
  } catch (const EReportListError& e) {
    // The form stays open, so nothing the user set is lost.
    ShowListError(e);
    return;
  }
  Finish(mrOk);
}

void TRaporSecF::KapatExecute(TObject*) { Finish(mrCancel); }

void TRaporSecF::ButtonRaporSecClick(TObject*) {
  TListItem* row = ListView1->Selected();
  if (row == nullptr)
    return;
  ChosenFile = RowFile(row);
  Finish(mrOk);
}

void TRaporSecF::Finish(TModalResult Result) { SetModalResult(Result); }

namespace {

struct FreeForm {
  void operator()(TRaporSecF* form) const { form->Free(); }
};

std::unique_ptr<TRaporSecF, FreeForm> MakeChooser(const AnsiString& ListFile, const AnsiString& DefaultLayout,
                                                  TVtRapor* Report) {
  std::unique_ptr<TRaporSecF, FreeForm> form(NewForm<TRaporSecF>(Application));
  form->ListFileName = ListFile;
  form->DefaultLayout = DefaultLayout;
  form->VtRapor = Report;
  return form;
}

}  // namespace

void ShowReportManagerForm(const AnsiString& ListFile, const AnsiString& DefaultLayout, TVtRapor* Report) {
  auto form = MakeChooser(ListFile, DefaultLayout, Report);
  form->ShowModal();
  form->VtRapor = nullptr;
}

AnsiString ChooseReportForm(const AnsiString& ListFile, const AnsiString& DefaultLayout, TVtRapor* Report) {
  auto form = MakeChooser(ListFile, DefaultLayout, Report);
  form->SetSelectionMode();
  const TModalResult result = form->ShowModal();
  form->VtRapor = nullptr;
  return result == mrOk ? form->ChosenFile : AnsiString();
}

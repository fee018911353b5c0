#include "app/excel/k_excelaktarf.h"

#include "app/shell/dialoghelpers.h"
#include "classlib/controls/controlmaking.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/forms/application.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "support/workbook/automation/excelworkbookreader.h"

BEGIN_PUBLISHED(TK_ExcelAktarF)
  METHOD(FormCreate),
  METHOD(FormShow),
  METHOD(VtWinButton1Click),
END_PUBLISHED

namespace {

constexpr int kMappingRows = 20;

// "A" .. "Z", then "AA" .. "BZ": the 78 letters of the mapping grid's list.
const std::vector<AnsiString>& ExcelColumnLetters() {
  static const std::vector<AnsiString> letters = [] {
    std::vector<AnsiString> list;
    for (char c = 'A'; c <= 'Z'; ++c)
      list.push_back(AnsiString(1, c));
    for (char first : {'A', 'B'})
      for (char c = 'A'; c <= 'Z'; ++c)
        list.push_back(AnsiString(1, first) + c);
    return list;
  }();
  return letters;
}

TLabel* MakeExcelLabel(TComponent* owner, TWinControl* parent, const AnsiString& caption, int left, int top) {
  TLabel* label = MakeControlAt<TLabel>(owner, parent, "", left, top, 260, 16);
  label->SetCaption(caption);
  return label;
}

}  // namespace

TK_ExcelAktarF::TK_ExcelAktarF(TComponent* AOwner, TDataSet* Records)
    : TForm(AOwner), ReaderFactory(workbook::MakeWorkbookReader), records_(Records) {
  SetCaption("Excel Veri Transferi");
  SetBounds(0, 0, 560, 520);
  SetPosition(poScreenCenter);
  BuildMappingTable();
  BuildControls();
  OnShow = Method<&TK_ExcelAktarF::FormShow>(this);
  FormCreate(this);
}

TK_ExcelAktarF::~TK_ExcelAktarF() { RxTransfer_S->SetDataSet(nullptr); }

void TK_ExcelAktarF::BuildMappingTable() {
  RxTransfer = new TRxMemoryData(this);
  RxTransfer->SetName("RxTransfer");
  RxTransfer->FieldDefs()->Add("AKTAR", ftBoolean);
  RxTransfer->FieldDefs()->Add("ALANADI", ftString, 50);
  RxTransfer->FieldDefs()->Add("ACIKLAMA", ftString, 50);
  RxTransfer->FieldDefs()->Add("EXCELALANI", ftString, 2);
  RxTransfer->Open();
  RxTransfer_S = new TDataSource(this);
  RxTransfer_S->SetDataSet(RxTransfer);
}

void TK_ExcelAktarF::BuildControls() {
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetTitle("Excel Veri Transferi");
  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1");
  PageControl1->SetAlign(alClient);
  TabAktarim = MakeControl<TTabSheet>(this, PageControl1, "TabAktarim");
  TabAktarim->SetPageControl(PageControl1);
  TabAktarim->SetCaption("Aktarım");
  TabHatalar = MakeControl<TTabSheet>(this, PageControl1, "TabHatalar");
  TabHatalar->SetPageControl(PageControl1);
  TabHatalar->SetCaption("Hatalar");

  DBGrid1 = MakeControlAt<TDBGrid>(this, TabAktarim, "DBGrid1", 8, 8, 520, 250);
  DBGrid1->SetDataSource(RxTransfer_S);
  const struct {
    const char* field;
    const char* title;
    int width;
  } columns[] = {{"AKTAR", "Aktar", 45}, {"ALANADI", "Alan", 100}, {"ACIKLAMA", "Aciklamasi", 180},
                 {"EXCELALANI", "Excel Sutunu", 90}};
  for (const auto& c : columns) {
    TColumn* column = DBGrid1->Columns()->Add();
    column->SetFieldName(c.field);
    column->Title()->SetCaption(c.title);
    column->SetWidth(c.width);
  }
  DBGrid1->Columns()->Items(0)->SetReadOnly(true);
  DBGrid1->Columns()->Items(2)->SetReadOnly(true);
  TColumn* letters = DBGrid1->Columns()->Items(3);
  for (const AnsiString& letter : ExcelColumnLetters())
    letters->PickList()->Add(letter);
  letters->PickList()->Add("");
  DBGrid1->OnCellClick = Method<&TK_ExcelAktarF::DBGrid1CellClick>(this);

  MakeExcelLabel(this, TabAktarim, "Excel Dosyasi Yolu", 8, 268);
  FilenameEdit1 = MakeControlAt<TFilenameEdit>(this, TabAktarim, "FilenameEdit1", 8, 286, 520, 21);
  // The first filter keeps its text and also offers the newer workbooks.
  FilenameEdit1->SetFilter("Excel Dosyaları (*.XLS)|*.xls;*.xlsx|All files (*.*)|*.*");
  FilenameEdit1->SetDefaultExt("xls");
  FilenameEdit1->SetFileName("");
  MakeExcelLabel(this, TabAktarim, "Bilgilerin alinacagi calisma sayfasi", 8, 318);
  RxSpinEdit1 = MakeControlAt<TRxSpinEdit>(this, TabAktarim, "RxSpinEdit1", 270, 315, 60, 21);
  RxSpinEdit1->SetMinValue(1);
  RxSpinEdit1->SetMaxValue(100);
  RxSpinEdit1->SetValue(1);
  CheckBox1 = MakeControlAt<TCheckBox>(this, TabAktarim, "CheckBox1", 8, 345, 260, 17);
  CheckBox1->SetCaption("Ilk Satir Basliklari icerir");
  CheckBox1->SetChecked(true);
  VtWinButton1 = MakeControlAt<TVtWinButton>(this, TabAktarim, "VtWinButton1", 370, 340, 158, 28);
  VtWinButton1->SetCaption("Bilgileri Aktar");
  VtWinButton1->OnClick = Method<&TK_ExcelAktarF::VtWinButton1Click>(this);
  VTProgress1 = MakeControlAt<TVTProgress>(this, TabAktarim, "VTProgress1", 8, 376, 520, 30);
  VTProgress1->SetStatement("Excel den aktariliyor");
  VTProgress1->SetVisible(false);

  Memo1 = MakeControl<TMemo>(this, TabHatalar, "Memo1");
  Memo1->SetAlign(alClient);
  Memo1->SetReadOnly(true);

  ActionList1 = new TActionList(this);
  Kapat = new TAction(this);
  Kapat->SetShortCut(VK_ESCAPE);
  Kapat->SetActionList(ActionList1);
}

void TK_ExcelAktarF::FormCreate(TObject*) {
  for (int n = 1; n <= kMappingRows; ++n) {
    const AnsiString line = "METIN" + std::to_string(n) + "|Metin " + std::to_string(n);
    const std::size_t bar = line.find('|');
    RxTransfer->Append();
    RxTransfer->FieldByName("AKTAR")->SetAsBoolean(false);
    RxTransfer->FieldByName("ALANADI")->SetAsString(line.substr(0, bar));
    RxTransfer->FieldByName("ACIKLAMA")->SetAsString(line.substr(bar + 1));
    RxTransfer->Post();
  }
  RxTransfer->First();
  TabHatalar->SetTabVisible(false);
  PageControl1->SetActivePage(TabAktarim);
}

void TK_ExcelAktarF::FormShow(TObject*) {
  if (Application->MainForm() != nullptr)
    SetCaption(Application->MainForm()->Caption());
}

void TK_ExcelAktarF::DBGrid1CellClick(TColumn* Column) {
  if (Column == nullptr || Column->FieldName() != "AKTAR" || RxTransfer->IsEmpty())
    return;
  RxTransfer->Edit();
  RxTransfer->FieldByName("AKTAR")->SetAsBoolean(!RxTransfer->FieldByName("AKTAR")->AsBoolean());
  RxTransfer->Post();
}

bool TK_ExcelAktarF::AlanKontrol() {
  if (RxTransfer->State() != dsBrowse)
    RxTransfer->Post();
  RxTransfer->First();
  while (!RxTransfer->Eof()) {
    if (RxTransfer->FieldByName("AKTAR")->AsBoolean() && RxTransfer->FieldByName("EXCELALANI")->AsString().empty()) {
      ShowInfo("\"" + RxTransfer->FieldByName("ACIKLAMA")->AsString() + "\" değerini belirtiniz...");
      return false;
    }
    RxTransfer->Next();
  }
  return true;
}

int TK_ExcelAktarF::ColumnOfLetter(const AnsiString& Letter) {
  const auto& letters = ExcelColumnLetters();
  for (std::size_t i = 0; i < letters.size(); ++i)
    if (letters[i] == Letter)
      return static_cast<int>(i) + 1;
  return 0;
}

void TK_ExcelAktarF::ImportCell(const AnsiString& FieldName, const AnsiString& Letter) {
  try {
    const int column = ColumnOfLetter(Letter);
    if (column == 0)
      throw Exception("Geçersiz sütun harfi.");
    records_->FieldByName(FieldName)->SetAsString(reader_->CellText(row_, column));
  } catch (const Exception& error) {
    errors_->Add(std::to_string(row_) + "\t" + Letter + " " + error.Message);
  }
}

double TK_ExcelAktarF::StringConvertFloat(const AnsiString& Text) {
  AnsiString kept;
  for (char c : Text)
    if ((c >= '0' && c <= '9') || c == ',')
      kept += c;
  double number = 0;
  TFormatSettings settings = FormatSettings;
  settings.DecimalSeparator = ',';
  return TryStrToFloat(kept, number, settings) ? number : 0;
}

void TK_ExcelAktarF::SetTransferring(bool Transferring) {
  SetEnabled(!Transferring);
  Kapat->SetEnabled(!Transferring);
}

void TK_ExcelAktarF::VtWinButton1Click(TObject*) {
  const AnsiString fileName = FilenameEdit1->FileName();
  if (fileName.empty()) {
    ShowInfo("Excel dosyasını belirtiniz...");
    return;
  }
  if (!FileExists(fileName)) {
    ShowInfo(fileName + "\r\nisimli dosya bulunamadı...");
    return;
  }
  if (!AlanKontrol())
    return;
  TStringList errors;
  SetTransferring(true);
  std::unique_ptr<workbook::TWorkbookReader> reader;
  try {
    reader = ReaderFactory();
    reader->OpenWorkbook(fileName);
    reader->OpenWorksheet(RxSpinEdit1->AsInteger());
    TransferRows(*reader, errors);
  } catch (Exception& error) {
    // The workbook could not be opened or read: the application's handler
    // shows why; nothing is left open and the form is usable again.
    VTProgress1->SetVisible(false);
    if (reader)
      reader->Close();
    SetTransferring(false);
    Application->ShowException(&error);
    return;
  }
  VTProgress1->SetVisible(false);
  reader->Close();
  SetTransferring(false);
  Memo1->Lines()->Assign(&errors);
  if (errors.Count() > 0) {
    TabHatalar->SetTabVisible(true);
    PageControl1->SetActivePage(TabHatalar);
    ShowInfo("Aktarim sirasinda bazi problemler meydana geldi. Hatalar sayfasinda bu hatalari gorebilirsiniz.");
  }
  ShowInfo("Excel den bilgi alma işlemi tamamlandı");
}

std::vector<std::pair<AnsiString, AnsiString>> TK_ExcelAktarF::MappedFields() {
  std::vector<std::pair<AnsiString, AnsiString>> mapping;
  RxTransfer->First();
  while (!RxTransfer->Eof()) {
    if (RxTransfer->FieldByName("AKTAR")->AsBoolean())
      mapping.emplace_back(RxTransfer->FieldByName("ALANADI")->AsString(),
                           RxTransfer->FieldByName("EXCELALANI")->AsString());
    RxTransfer->Next();
  }
  return mapping;
}

void TK_ExcelAktarF::TransferRows(workbook::TWorkbookReader& Reader, TStrings& Errors) {
  const int last = Reader.LastUsedRow();
  const int first = CheckBox1->Checked() ? 2 : 1;
  VTProgress1->SetPosition(0);
  VTProgress1->SetMax(last - first);
  VTProgress1->SetVisible(true);
  reader_ = &Reader;
  errors_ = &Errors;
  // The mapping cannot change while the form transfers, so it is read once:
  // walking the grid's table for every row redraws the grid each step.
  const std::vector<std::pair<AnsiString, AnsiString>> mapping = MappedFields();
  int shownPercent = -1;
  for (row_ = first; row_ <= last; ++row_) {
    try {
      records_->Append();
      for (const auto& [field, letter] : mapping)
        ImportCell(field, letter);
      records_->Post();
    } catch (const Exception& error) {
      Errors.Add(error.Message);
      if (records_->State() != dsBrowse)
        records_->Cancel();
    }
    // The bar counts the rows done (it keeps no more than its Max). It and
    // the form are brought up to date when the percentage changes: the bar
    // repaints at once on every move, and repainting it after every one of
    // many thousand rows cost far more than reading and appending them.
    const int done = row_ - first + 1;
    const int percent = done * 100 / (last - first + 1);
    if (percent != shownPercent) {
      shownPercent = percent;
      VTProgress1->SetPosition(done);
      Application->ProcessMessages();
    }
  }
  reader_ = nullptr;
  errors_ = nullptr;
}

// The print page's drop-down "Yazdır": a print or preview request turns the
// label table into a sheet (placeholder labels fill the positions already
// used on a partly printed sheet) and hands it to the report component;
// "Ayarlar" opens the report settings. While a layout runs, the main form
// answers the report component's questions: the label table, the test
// barcode parameter, the printer and the copies of the report list file.
#include "app/generalhelpers.h"
#include "app/labelbarcodes.h"
#include "app/labeltable.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/labelsperpage.h"
#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"
#include "classlib/classes/typinfo.h"
#include "classlib/printers/spoolerrequest.h"
#include "classlib/forms/dialogs.h"
#include "classlib/graphics/font.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "layouts/reportlistfile.h"

namespace {

const char* const LabelDataSetName = "ETIKET";
const char* const TestBarcodeParameter = "BARKOD_TEST1";
const char* const TestBarcodeFont = "ZEBRA EAN13";
// The answer of the report list that stands for the host's own layout.
const char* const DefaultLayoutAnswer = "default";

AnsiString ReportListFileName() { return IniDir() + "etiketyeni.ini"; }
AnsiString DefaultLayoutFileName() { return ExeDir() + "etiket.vlp"; }

// True for a banded-report label and its descendants. The report engine's
// classes are looked up by name, so the host does not depend on them.
bool IsReportLabel(const TComponent* Component) {
  for (TClass c = Component->ClassType(); c != nullptr; c = c->Parent)
    if (AnsiString(c->Name) == "TQRLabel")
      return true;
  return false;
}

void FillFieldList(TStrings& Lines) {
  Lines.Clear();
  for (int n = 1; n <= RecordFieldCount; ++n)
    Lines.Add("ETIKET|Etiket Yazdırma|ETIKET|Etiket Bilgileri|METIN" + IntToStr(n) + "|Metin " + IntToStr(n) + "|");
  Lines.Add("");
}

}  // namespace

void TAnaF::BuildReportComponent() {
  VtRapor = new TVtRapor(this);
  VtRapor->SetName("VtRapor");
  FillFieldList(*VtRapor->FieldList());
  VtRapor->ParametreList()->Add(AnsiString(TestBarcodeParameter) + "|Dozuri Test");
  VtRapor->OnGetDataSet = Method<&TAnaF::VtRaporGetDataSet>(this);
  VtRapor->OnGetParam = Method<&TAnaF::VtRaporGetParam>(this);
  VtRapor->OnGetPrinterIndex = Method<&TAnaF::VtRaporGetPrinterIndex>(this);
  VtRapor->OnGetPrinterCopies = Method<&TAnaF::VtRaporGetPrinterCopies>(this);
}

void TAnaF::BuildPrintDropDown() {
  PopupYazdir = new TPopupMenu(this);
  PopupYazdir->SetName("PopupYazdir");
  auto add = [this](const AnsiString& caption, const char* name, TNotifyEvent onClick) {
    TMenuItem* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = onClick;
    PopupYazdir->Items()->Add(item);
    return item;
  };
  Yazdir1 = add("Yazdır", "Yazdir1", Method<&TAnaF::YazdirClick>(this));
  Onizleme1 = add("Önizleme Yap", "Onizleme1", Method<&TAnaF::YazdirClick>(this));
  add("-", "N1", nullptr);
  Ayarla1 = add("Ayarlar", "Ayarla1", Method<&TAnaF::AyarlaClick>(this));

  ButtonYazdir = new TRxSpeedButton(this);
  ButtonYazdir->SetName("ButtonYazdir");
  ButtonYazdir->SetParent(PanelOrta);
  ButtonYazdir->SetBounds(8, 40, 84, 25);
  ButtonYazdir->SetCaption("Yazdır");
  ButtonYazdir->SetDropDownMenu(PopupYazdir);
}

// Asks "Kaçıncı etiketten başlanacak" (default 1).
int TAnaF::AskStartPosition() {
  AnsiString answer = "1";
  if (!InputQuery(Caption(), "Kaçıncı etiketten başlanacak", answer))
    return 0;
  const int start = ReadWholeNumber(answer);
  if (start < 1) {
    ShowInfo(IsWholeNumberBelowOne(answer) ? "Etiket sırası 1'den başlar; lütfen 1 ya da daha büyük bir sayı giriniz."
                                           : "Lütfen geçerli bir tamsayı giriniz.");
    return 0;
  }
  if (start > MaxLabelCount) {
    ShowInfo("En fazla " + IntToStr(MaxLabelCount) + ". etiketten başlanabilir.");
    return 0;
  }
  return start;
}

AnsiString TAnaF::ChooseLayout() {
  AnsiString layout;
  VtRapor->GetDefaultReport(ReportListFileName(), DefaultLayoutFileName(), layout, false);
  return layout == DefaultLayoutAnswer ? DefaultLayoutFileName() : layout;
}

// The request: earlier placeholders go, the start position is asked, its
// placeholders go to the top of the label table, the layout is chosen and
// run. The placeholders stay after a run that ends normally (the user sees
// where the labels went); a request that ends any other way (cancelled,
// refused, or stopped by an error such as a missing printer) takes them
// away again and leaves the real labels as they were.
void TAnaF::YazdirClick(TObject* Sender) {
  // The printer's answers (printers, papers, driver settings) are asked of
  // the spooler once for the whole request, not by every printer object it makes.
  SpoolerRequestScope spoolerAnswers;
  const bool preview = Sender == Onizleme1;
  RemovePlaceholders(*RxEtiket);
  const int start = AskStartPosition();
  if (start == 0)
    return;
  InsertPlaceholders(*RxEtiket, start - 1);
  bool ran = false;
  try {
    ran = RunPrintRequest(start, preview);
  } catch (...) {
    RemovePlaceholders(*RxEtiket);
    throw;
  }
  if (!ran)
    RemovePlaceholders(*RxEtiket);
}

// The layout is chosen and checked before anything reaches the printer:
// blank positions that fill whole sheets, and codes the default layout
// cannot print, are named instead. False when the request ends unrun.
bool TAnaF::RunPrintRequest(int Start, bool Preview) {
  const AnsiString layout = ChooseLayout();
  if (layout.empty())
    return false;
  const int perPage = LabelsPerPageOfLayout(layout);
  if (PlaceholdersFillASheet(Start, perPage)) {
    ShowInfo("Seçilen raporda bir sayfaya " + IntToStr(perPage) + " etiket sığar; en fazla " + IntToStr(perPage) +
             ". etiketten başlanabilir.");
    return false;
  }
  // The shipped default layout prints METIN1 as an EAN-13 barcode.
  if (SameText(layout, DefaultLayoutFileName()) && FileExists(layout)) {
    const AnsiString problem = FirstLabelBarcodeProblem(*RxEtiket);
    if (!problem.empty()) {
      ShowInfo(problem);
      return false;
    }
  }
  ActiveListFile = ReportListFileName();
  if (Preview)
    VtRapor->PreviewReport(layout);
  else
    VtRapor->PrintReport(layout);
  return true;
}

// The report settings never start a print, so they leave ActiveListFile as
// it is; a printer chosen here applies to the next request.
void TAnaF::AyarlaClick(TObject*) { VtRapor->ShowReportManager(ReportListFileName(), DefaultLayoutFileName()); }

void TAnaF::VtRaporGetDataSet(TObject*, AnsiString DataStr, TDataSet*& Gdataset) {
  if (DataStr == LabelDataSetName)
    Gdataset = RxEtiket;
}

// The test barcode prints in the barcode font. A parameter left empty would
// print the runner's error text on the label, so the label keeps what it
// was designed to show (a blank when it shows nothing).
void TAnaF::VtRaporGetParam(TObject*, TComponent*& Component, AnsiString ParamStr, AnsiString& GValue) {
  if (ParamStr != TestBarcodeParameter || Component == nullptr || !IsReportLabel(Component))
    return;
  if (IsPublishedProp(Component, "Font") && PropType(Component, "Font") == tkClass)
    if (auto* font = dynamic_cast<TFont*>(GetObjectProp(Component, "Font")))
      font->SetName(TestBarcodeFont);
  const AnsiString caption = IsPublishedProp(Component, "Caption") && PropType(Component, "Caption") == tkLString
                                 ? GetStrProp(Component, "Caption")
                                 : AnsiString();
  GValue = caption.empty() ? AnsiString(" ") : caption;
}

void TAnaF::VtRaporGetPrinterIndex(TObject*, int& PrnIndex) {
  if (!ActiveListFile.empty())
    PrnIndex = VtRapor->PrinterIndexFromList(ActiveListFile);
}

// The copy count the report settings saved ("[*]COPY=") is the one printed.
// A hand-edited count beyond reason stops the run with a message rather
// than feed the printer without end.
void TAnaF::VtRaporGetPrinterCopies(TObject*, int& Copies) {
  if (ActiveListFile.empty() || !FileExists(ActiveListFile))
    return;
  const int listed = TReportListFile::Load(ActiveListFile).Copies;
  if (listed > MaxLabelCount)
    throw Exception("Rapor ayarlarındaki kopya sayısı (" + IntToStr(listed) + ") çok büyük; en fazla " +
                    IntToStr(MaxLabelCount) + " kopya basılabilir.");
  Copies = listed;
}

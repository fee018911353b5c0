// The main form's life: creation (folders, tables, the record file),
// page changes, unhandled exceptions and the shutdown with its save.
#include "app/shell/mainform.h"

#include "app/filefailure.h"
#include "app/generalhelpers.h"
#include "app/recordfile.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/programidentity.h"
#include "classlib/system/fileutils.h"

TAnaF* AnaF = nullptr;

BEGIN_PUBLISHED(TAnaF)
  METHOD(FormCreate),
  METHOD(FormClose),
  METHOD(ApplicationEvents1Exception),
  METHOD(PageControl1Change),
  METHOD(TabBasimResize),
  METHOD(DBGrid2KeyDown),
  METHOD(RxBarkodFilterRecord),
  METHOD(FilterInputChange),
  METHOD(RxBarkodBeforeInsert),
  METHOD(Button6Click),
  METHOD(Button7Click),
  METHOD(EditFiltre1KeyPress),
  METHOD(ComboBox1Change),
  METHOD(DBEdit1KeyPress),
  METHOD(mBarkodBilgileriniS1Click),
  METHOD(FarklKaydet1Click),
  METHOD(Button1Click),
  METHOD(Button2Click),
  METHOD(Button3Click),
  METHOD(Button4Click),
  METHOD(Button5Click),
  METHOD(YazdirClick),
  METHOD(AyarlaClick),
  METHOD(VtRaporGetDataSet),
  METHOD(VtRaporGetParam),
  METHOD(VtRaporGetPrinterIndex),
  METHOD(VtRaporGetPrinterCopies),
  METHOD(k1Click),
  METHOD(KapatExecute),
  METHOD(Yardm2Click),
  METHOD(rtibat1Click),
  METHOD(WebSiteItemClick),
  METHOD(VtAraclar1SbtClick),
  METHOD(AralarMensnDzenle1Click),
  METHOD(VtAraclar1TnmClick),
  METHOD(SpeedButton1Click),
  METHOD(FormAyar),
END_PUBLISHED

namespace {

AnsiString RecordFileName() { return DataDir() + "barkod.bxf"; }

}  // namespace

void TAnaF::FormCreate(TObject*) {
  SetWindowState(wsMaximized);
  PageControl1->SetActivePage(TabKayit);
  PlaceFilterPanel();
  if (!DirectoryExists(DataDir()))
    ForceDirectories(DataDir());
  RxBarkod->Open();
  RxEtiket->Open();
  SetCaption(MainFormCaption());

  FocusOnInsert = false;
  TStartupRecordLoad load;
  {
    TDisableControlsScope quiet(*RxBarkod);
    load = LoadRecordFileAtStartup(*RxBarkod, RecordFileName());
    RxBarkod->First();
  }
  FocusOnInsert = true;
  // A file that was not read whole and could not be kept aside holds the
  // only copy of its records: the saves of this run go beside it.
  recordSaveName_ = load.OriginalAtRisk() ? FreeSiblingRecordFileName(RecordFileName()) : RecordFileName();
  LoadToolsMenu();
  const AnsiString notice =
      RecordLoadNotice(load, recordSaveName_ != RecordFileName() ? recordSaveName_ : AnsiString());
  if (!notice.empty())
    ShowInfo(notice);
}

void TAnaF::FormClose(TObject*, TCloseAction& Action) {
  if (Application->MessageBox("Programdan çıkmak istiyor musunuz?", "Soru", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    Action = caNone;
    return;
  }
  // A failed save is shown as the exception handler shows it; then the user
  // may stay (the default: nothing typed is lost) or quit, leaving the file
  // on disk as it was.
  try {
    SaveRecords();
  } catch (Exception& e) {
    ApplicationEvents1Exception(this, &e);
    if (AskQuestion("Kayıtlar kaydedilemedi. Kaydetmeden çıkmak istiyor musunuz?\r\n"
                    "Diskteki kayıt dosyası olduğu gibi kalır.",
                    MB_DEFBUTTON2) != IDYES)
      Action = caNone;
    return;
  }
  if (RecordSaveName() != RecordFileName())
    ShowInfo("Kayıtlar \"" + RecordSaveName() + "\" dosyasına yazıldı; açılışta okunamayan \"" + RecordFileName() +
             "\" dosyasının üzerine yazılmadı.");
}

AnsiString TAnaF::RecordSaveName() const { return recordSaveName_.empty() ? RecordFileName() : recordSaveName_; }

void TAnaF::SaveRecords() {
  TDisableControlsScope quiet(*RxBarkod);
  ClearFilter();
  WriteRecordFile();
}

// The user is told in Turkish which file could not be written and why; the
// old file is untouched by a failed write.
void TAnaF::WriteRecordFile() {
  try {
    SaveRecordBuffers(*RxBarkod, RecordSaveName());
  } catch (const Exception& e) {
    throw EInOutError("Kayıtlar \"" + RecordSaveName() + "\" dosyasına yazılamadı: " + FileFailureText(e) + ".");
  }
}

void TAnaF::ClearFilter() {
  RxBarkod->SetFiltered(false);
  RxBarkod->Refresh();
  for (TEdit* value : FilterValues)
    value->SetText("");
}

// Every exception that reaches the application comes here. Data-set
// controls are re-enabled by the scopes that disabled them, so nothing is
// enabled here: a blind enable could release a disable still in force.
void TAnaF::ApplicationEvents1Exception(TObject*, Exception* E) {
  ActiveListFile = "";
  Application->ShowException(E);
}

void TAnaF::PageControl1Change(TObject*) { PlaceFilterPanel(); }

// On the print page the filter sits under the saved records; on the record
// page right of the grid.
void TAnaF::PlaceFilterPanel() {
  if (PanelFiltre == nullptr)
    return;
  if (TabBasim != nullptr && PageControl1->ActivePage() == TabBasim) {
    PanelFiltre->SetParent(PanelKayitli);
    PanelFiltre->SetAlign(alBottom);
    PanelFiltre->SetHeight(150);
  } else {
    PanelFiltre->SetParent(PanelGrid);
    PanelFiltre->SetAlign(alRight);
    PanelFiltre->SetWidth(244);
  }
}

void TAnaF::TabBasimResize(TObject*) { PanelKayitli->SetWidth(Width() / 2 - PanelOrta->Width()); }

// Tab in the saved-records grid goes on to the ">" button (to the next
// control while that button is disabled); Shift+Tab goes back. The grid
// takes Tab itself only so that it reaches this handler.
void TAnaF::DBGrid2KeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (Key != VK_TAB)
    return;
  Key = 0;
  TButton* next = LabelCommandButtons[0];
  if (Shift.Contains(ssShift))
    SelectNext(DBGrid2, false, true);
  else if (next->CanFocus())
    next->SetFocus();
  else
    SelectNext(DBGrid2, true, true);
}

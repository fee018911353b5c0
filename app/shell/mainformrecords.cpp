// The record page's behaviour: the filter, the sort, Enter as Tab in the
// record edits, the jump to the record page on insert and deleting every
// record.
#include "app/excel/k_excelaktarf.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"

TRecordFilter TAnaF::CurrentFilter() const {
  TRecordFilter filter;
  for (std::size_t row = 0; row < filter.size(); ++row) {
    const int index = FilterFields[row]->ItemIndex();
    filter[row].FieldNumber = index >= 0 && index < RecordFieldCount ? index + 1 : 1;
    filter[row].Value = FilterValues[row]->Text();
  }
  return filter;
}

// The table tests records against the rule the panel's rows last made, so
// no window is read per record; the change events of the rows keep the rule
// on the edits' current texts.
void TAnaF::RxBarkodFilterRecord(TDataSet* DataSet, bool& Accept) { Accept = filterRule_.Accepts(*DataSet); }

void TAnaF::FilterInputChange(TObject*) { UpdateFilterRule(); }

void TAnaF::UpdateFilterRule() {
  filterRule_ = TRecordFilterRule(CurrentFilter());
  if (RxBarkod != nullptr)
    RxBarkod->FilterInputsChanged();
}

// A field box set in code tells no change, so the rule is made again here.
void TAnaF::Button6Click(TObject*) {
  UpdateFilterRule();
  RxBarkod->SetFiltered(true);
  RxBarkod->Refresh();
}

void TAnaF::Button7Click(TObject*) { ClearFilter(); }

void TAnaF::EditFiltre1KeyPress(TObject*, char& Key) {
  if (Key != '\r')
    return;
  Key = 0;
  Filtrele->Execute();
}

// The last, empty entry names no field: the order stays as it is.
void TAnaF::ComboBox1Change(TObject*) {
  const int index = ComboBox1->ItemIndex();
  if (index < 0 || index >= RecordFieldCount)
    return;
  TDisableControlsScope quiet(*RxBarkod);
  RxBarkod->SortOnFields(RecordFieldName(index + 1), true, false);
}

// Enter moves on as Tab would: a Tab key press is posted to the focused
// control, so it goes through the same dialog-key handling as a real one.
void TAnaF::DBEdit1KeyPress(TObject*, char& Key) {
  if (Key != '\r')
    return;
  Key = 0;
  if (HWND focused = GetFocus())
    PostMessageW(focused, WM_KEYDOWN, VK_TAB, 0);
}

void TAnaF::RxBarkodBeforeInsert(TDataSet*) {
  if (!FocusOnInsert)
    return;
  PageControl1->SetActivePage(TabKayit);
  PlaceFilterPanel();
  if (MetinEdits[0]->CanFocus())
    MetinEdits[0]->SetFocus();
}

void TAnaF::mBarkodBilgileriniS1Click(TObject*) {
  if (AskQuestion("Tüm kayıtlı etiketler silinsin mi?") != IDYES)
    return;
  // Emptying removes the records a filter hides too; the filter and its
  // texts stay as the user set them.
  TDisableControlsScope quiet(*RxBarkod);
  RxBarkod->EmptyTable();
  WriteRecordFile();
}

void TAnaF::FarklKaydet1Click(TObject*) {
  auto* form = new TK_ExcelAktarF(Application, RxBarkod);
  struct FreeOnExit {
    TK_ExcelAktarF* form;
    ~FreeOnExit() { form->Free(); }
  } freeOnExit{form};
  form->ShowModal();
}

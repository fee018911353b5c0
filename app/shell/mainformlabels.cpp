// The label commands of the print page: ">" and ">>" copy saved records
// into the labels to print, as many times as the user asks; "<" removes the
// current label and "<<" all of them after a question.
#include "app/codegen/k_barkoduretf.h"
#include "app/labeltable.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/mainform.h"
#include "classlib/forms/dialogs.h"
#include "classlib/system/numconv.h"

namespace {

const char* const NoRecordMessage = "Filtrelenmiş kayıt bulunamadı.";
const char* const NotAWholeNumberMessage = "Lütfen geçerli bir tamsayı giriniz.";

}  // namespace

// Asks "Kaç Adet" (default 1). Gives 0 when the user cancels or the answer
// is no count that can be used; the user has been told why.
int TAnaF::AskLabelCount() {
  AnsiString answer = "1";
  if (!InputQuery(Caption(), "Kaç Adet", answer))
    return 0;
  int count = ReadWholeNumber(answer);
  if (count < 1) {
    ShowInfo(NotAWholeNumberMessage);
    return 0;
  }
  if (count > MaxLabelCount) {
    ShowInfo("En fazla " + IntToStr(MaxLabelCount) + " adet girilebilir.");
    return 0;
  }
  return count;
}

void TAnaF::Button1Click(TObject*) {
  if (RxBarkod->IsEmpty()) {
    ShowInfo(NoRecordMessage);
    return;
  }
  int count = AskLabelCount();
  if (count == 0)
    return;
  for (int k = 0; k < count; ++k)
    CopyRecordByFieldNames(*RxBarkod, *RxEtiket);
  if (DBGrid2->CanFocus())
    DBGrid2->SetFocus();
}

void TAnaF::Button2Click(TObject*) {
  if (!RxEtiket->IsEmpty())
    RxEtiket->Delete();
}

void TAnaF::Button3Click(TObject*) {
  TDisableControlsScope quietRecords(*RxBarkod);
  TDisableControlsScope quietLabels(*RxEtiket);
  if (RxBarkod->IsEmpty()) {
    ShowInfo(NoRecordMessage);
    return;
  }
  int count = AskLabelCount();
  if (count == 0)
    return;
  CopyShownRecords(*RxBarkod, *RxEtiket, count);
}

void TAnaF::Button4Click(TObject*) {
  if (AskQuestion("Tüm kayıtlı etiketler silinsin mi?") == IDYES)
    RxEtiket->EmptyTable();
}

void TAnaF::Button5Click(TObject*) { ShowFormModal(K_BarkodUretF); }

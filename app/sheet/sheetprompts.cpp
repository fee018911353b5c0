#include "app/sheet/sheetprompts.h"

#include "app/generalhelpers.h"
#include "classlib/forms/application.h"

namespace {

TSheetPrompts::TAnswer AnswerOf(int button) {
  switch (button) {
    case IDYES:
      return TSheetPrompts::aYes;
    case IDNO:
      return TSheetPrompts::aNo;
    default:
      return TSheetPrompts::aCancel;
  }
}

bool Choose(TOpenDialog& dialog, AnsiString& fileName) {
  dialog.SetFileName("");
  if (!dialog.Execute())
    return false;
  fileName = dialog.FileName();
  return true;
}

}  // namespace

AnsiString SheetDataDir() { return ExeDir() + "Barkod_3\\Data\\"; }

TSheetDialogPrompts::TSheetDialogPrompts(TComponent* owner)
    : OpenDialog1(new TOpenDialog(owner)), SaveDialog1(new TSaveDialog(owner)), TransferDialog(new TOpenDialog(owner)) {
  for (TOpenDialog* dialog : {static_cast<TOpenDialog*>(SaveDialog1), OpenDialog1}) {
    dialog->SetFilter("VORTELIM Dozuri Dosyası|*.bcd");
    dialog->SetDefaultExt("bcd");
    dialog->SetInitialDir(SheetDataDir());
  }
  SaveDialog1->SetOptions(SaveDialog1->Options() + TOpenOptions{ofOverwritePrompt});
  TransferDialog->SetFilter("VORTELIM Dozuri Transferi|*.BRC");
  TransferDialog->SetDefaultExt("BRC");
}

TSheetPrompts::TAnswer TSheetDialogPrompts::AskSaveChanges() {
  return AnswerOf(Application->MessageBox("Yapılan değişiklikler kaydedilsin mi?", "Onayla", MB_YESNOCANCEL));
}

TSheetPrompts::TAnswer TSheetDialogPrompts::AskImportIntoOpenSheet() {
  return AnswerOf(Application->MessageBox("Veri almayı aktif şablon üzerine yapılsın mı?", "Soru",
                                          MB_YESNOCANCEL | MB_ICONQUESTION));
}

bool TSheetDialogPrompts::ChooseSheetToOpen(AnsiString& fileName) {
  const bool chosen = Choose(*OpenDialog1, fileName);
  OpenDialog1->SetInitialDir(ExeDir());
  return chosen;
}

bool TSheetDialogPrompts::ChooseSheetToSave(AnsiString& fileName) { return Choose(*SaveDialog1, fileName); }

bool TSheetDialogPrompts::ChooseTransferFile(AnsiString& fileName) {
  TransferDialog->SetInitialDir(SheetDataDir());
  return Choose(*TransferDialog, fileName);
}

void TSheetDialogPrompts::Inform(const AnsiString& text) {
  Application->MessageBox(text, "Bilgi", MB_OK | MB_ICONINFORMATION);
}

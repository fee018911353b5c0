// The sheet mode's questions as the user sees them: the system's message
// boxes and file dialogs, through the dialog service.
#pragma once
#include "app/sheet/sheetwork.h"
#include "classlib/forms/dialogs.h"

// ExeDir + "Barkod_3\Data\": where sheets and transfer files are kept.
AnsiString SheetDataDir();

class TSheetDialogPrompts : public TSheetPrompts {
public:
  // The dialogs are owned by owner (the form).
  explicit TSheetDialogPrompts(TComponent* owner);

  TAnswer AskSaveChanges() override;
  TAnswer AskImportIntoOpenSheet() override;
  // After it closes, the open dialog starts in the program's folder.
  bool ChooseSheetToOpen(AnsiString& fileName) override;
  bool ChooseSheetToSave(AnsiString& fileName) override;
  bool ChooseTransferFile(AnsiString& fileName) override;
  void Inform(const AnsiString& text) override;

  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TOpenDialog* TransferDialog;
};

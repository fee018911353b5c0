#include "app/sheet/sheetwork.h"

#include "app/sheet/sheetcommands.h"
#include "app/sheet/transferfile.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/fileutils.h"

bool TSheetWork::Write(const AnsiString& fileName) {
  if (BeforeWrite)
    BeforeWrite();
  return document_.DosyaKaydet(fileName);
}

void TSheetWork::SetState(bool open, const AnsiString& fileName, const AnsiString& status) {
  open_ = open;
  fileName_ = fileName;
  status_ = status;
  if (StateChanged)
    StateChanged();
}

bool TSheetWork::Sor() {
  if (!document_.SheetModified)
    return true;
  switch (prompts_.AskSaveChanges()) {
    case TSheetPrompts::aNo:
      return true;
    case TSheetPrompts::aCancel:
      return false;
    case TSheetPrompts::aYes:
      break;
  }
  AnsiString fileName = fileName_;
  if (fileName.empty() && (!prompts_.ChooseSheetToSave(fileName) || fileName.empty()))
    return false;
  if (!Write(fileName)) {
    prompts_.Inform(SaveFailedText);
    return false;
  }
  return true;
}

bool TSheetWork::Yeni() {
  if (!Sor())
    return false;
  document_.Tables.EmptyAll();
  document_.DosyaAc(DefaultSheetName);
  if (AfterRead)
    AfterRead();
  document_.SheetModified = false;
  SetState(true, "", NewWorkStatus);
  return true;
}

void TSheetWork::Ac() {
  if (!Sor())
    return;
  document_.SheetModified = false;
  SetState(false, "", "");
  AnsiString fileName;
  if (!prompts_.ChooseSheetToOpen(fileName))
    return;
  const bool read = document_.DosyaAc(fileName);
  if (AfterRead)
    AfterRead();
  document_.SheetModified = false;
  if (!read) {
    prompts_.Inform(OpenFailedText);
    return;
  }
  SetState(true, fileName, fileName);
}

void TSheetWork::Kaydet() {
  if (!document_.SheetModified)
    return;
  AnsiString fileName = fileName_;
  const bool asked = fileName.empty();
  if (asked && (!prompts_.ChooseSheetToSave(fileName) || fileName.empty()))
    return;
  if (!Write(fileName)) {
    prompts_.Inform(SaveFailedText);
    return;
  }
  document_.SheetModified = false;
  if (asked)
    SetState(true, fileName, fileName);
}

void TSheetWork::FarklKaydet() {
  AnsiString fileName;
  if (!prompts_.ChooseSheetToSave(fileName) || fileName.empty())
    return;
  if (!Write(fileName)) {
    prompts_.Inform(SaveFailedText);
    return;
  }
  document_.SheetModified = false;
  SetState(true, fileName, fileName);
}

void TSheetWork::Kopyala() {
  CopyFirstCellEverywhere(document_.Tables);
  document_.SheetModified = true;
}

void TSheetWork::Kopyala2(int row, int column) {
  switch (CopyNumberedSeries(document_.Tables, row, column, document_.Settings.Sutun)) {
    case srDone:
      document_.SheetModified = true;
      break;
    case srNotANumber:
      prompts_.Inform(SeriesNotANumberText);
      break;
    case srTooLarge:
      prompts_.Inform(SeriesTooLargeText);
      break;
  }
}

void TSheetWork::VeriAl() {
  AnsiString fileName;
  if (!prompts_.ChooseTransferFile(fileName))
    return;
  if (open_) {
    const TSheetPrompts::TAnswer answer = prompts_.AskImportIntoOpenSheet();
    if (answer == TSheetPrompts::aCancel)
      return;
    // A cancelled save question of "Yeni" ends the import: the sheet it
    // would fill is still the user's unsaved work.
    if (answer == TSheetPrompts::aNo && !Yeni())
      return;
  } else if (!Yeni()) {
    return;
  }
  if (!FileExists(fileName)) {
    prompts_.Inform(fileName + " dosyası bulunamadı...");
    return;
  }
  TStringList lines;
  try {
    ReadTransferFile(fileName, lines);
  } catch (const Exception&) {
    prompts_.Inform(OpenFailedText);
    return;
  }
  switch (ImportTransferLines(lines, document_)) {
    case trImported:
      if (AfterRead)
        AfterRead();
      SetState(true, fileName_, status_);
      break;
    case trEmpty:
      prompts_.Inform(fileName + " dosyasında ürün yok.");
      break;
    case trTooMany:
      prompts_.Inform(TransferTooManyText(lines.Count(), document_.Settings.Sutun));
      break;
  }
}

// The standard preview's commands that reach beyond the shown page:
// printing, printer set-up, saving and loading page stores, text search,
// the outline and the page thumbnails.
#include <cmath>
#include <cstdint>
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/numconv.h"
#include "classlib/system/fileutils.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/preview/qrprevtexts.h"
#include "reportengine/preview/qrsearch.h"

namespace {

// The page store's filter for the save dialog ("Report page file(*.QRP)|*.QRP",
// no blank) and for the load dialog (with a blank before the parenthesis).
AnsiString PageStoreFilter(const char* beforeParenthesis) {
  return AnsiString(SQRPageFileText) + beforeParenthesis + "(*." + SQRPageFileExt + ")|*." + SQRPageFileExt;
}

}  // namespace

AnsiString QRSavePageStoreFilter() { return PageStoreFilter(""); }
AnsiString QRLoadPageStoreFilter() { return PageStoreFilter(" "); }

// ---- Printing -----------------------------------------------------------------------------------
// Pages of this report's own run are printed by running the report again
// on the printer; pages loaded from a page store into this printer object
// are printed as they are.
void TQRStandardPreview::PrintClick(TObject*) {
  TQRPrinter* printer = QRPrinter();
  if (printer == nullptr)
    return;
  IQRPreviewReport* report = Report();
  if (report != nullptr && !printer->PageStoreLoaded())
    report->PrintAgain();
  else
    printer->Print();
}

void TQRStandardPreview::PrintSetupClick(TObject*) {
  IQRPreviewReport* report = Report();
  if (report == nullptr || QRPrinter() == nullptr)
    return;
  // A cancelled dialog changes nothing.
  if (!report->ExecutePrintSetup())
    return;
  CopyPrintSetup(*report);
}

void TQRStandardPreview::CopyPrintSetup(IQRPreviewReport& Report) {
  TQRPrinter* printer = QRPrinter();
  if (printer == nullptr)
    return;
  const TQRPrinterSettings& chosen = Report.PrintSetupSettings();
  printer->SetPrinterIndex(chosen.PrinterIndex());
  TPrinterSettings& settings = printer->Settings();
  settings.SetOutputBin(chosen.OutputBin());
  settings.SetCollate(chosen.Collate());
  settings.SetColorOption(chosen.ColorOption());
  settings.SetPrintQuality(chosen.PrintQuality());
  settings.SetCopies(chosen.Copies());
  settings.SetDuplex(chosen.Duplex());
  settings.SetExtendedDuplex(chosen.ExtendedDuplex());
  settings.SetUseExtendedDuplex(true);
  settings.SetCustomBinCode(chosen.CustomBinCode());
  settings.SetUseCustomBinCode(Report.UseCustomBinCode());
  printer->SetFirstPage(chosen.FirstPage());
  printer->SetLastPage(chosen.LastPage());
  Report.KeepPrintSetup(printer->PageStoreLoaded());
}

// ---- Page stores --------------------------------------------------------------------------------
// No export filter is registered, so the page store is the only choice.
void TQRStandardPreview::SaveClick(TObject*) {
  TSaveDialog dialog(nullptr);
  dialog.SetTitle(SQRSaveTitle);
  dialog.SetDefaultExt(SQRPageFileExt);
  TOpenOptions options = dialog.Options();
  options.Include(ofOverwritePrompt);
  dialog.SetOptions(options);
  dialog.SetFilter(QRSavePageStoreFilter());
  if (!dialog.Execute())
    return;
  TQRPrinter* printer = QRPrinter();
  if (printer != nullptr && dialog.FilterIndex() == 1)
    printer->Save(dialog.FileName());
}

void TQRStandardPreview::LoadClick(TObject*) {
  TOpenDialog dialog(nullptr);
  dialog.SetTitle(SQRLoadTitle);
  dialog.SetFilter(QRLoadPageStoreFilter());
  if (!dialog.Execute())
    return;
  TQRPrinter* printer = QRPrinter();
  if (printer == nullptr)
    return;
  if (!FileExists(dialog.FileName())) {
    Application->MessageBox(SQRFileNotExist, Application->Title(), MB_OK);
    return;
  }
  printer->Load(dialog.FileName());
  FPreviewTitle = dialog.FileName();
  QRPreview->SetPageNumber(1);
  // The image may still hold page 1 of the pages shown before.
  QRPreview->PreviewImage()->ShowPage(1);
  FOrientation = printer->Settings().Orientation();
  ThumbGridResize(ThumbGrid);
  QRPreview->Layout();
  QRPreviewPageAvailable(QRPreview, 1);
  SelectThumb(0);
  EnablePrinting(true);
}

// ---- Search -------------------------------------------------------------------------------------
void TQRStandardPreview::FindButtonClick(TObject*) {
  std::unique_ptr<TSearchDlg, void (*)(TSearchDlg*)> dialog(NewForm<TSearchDlg>(nullptr),
                                                             [](TSearchDlg* d) { d->Free(); });
  if (dialog->ShowModal() != mrOk || dialog->Cancelled())
    return;
  const AnsiString text = dialog->SearchText();
  SearchResultBox->SetEnabled(true);
  SearchTextLabel->SetCaption(text);
  TStrings* items = SearchResultBox->Items();
  items->Clear();
  TQRPrinter* printer = QRPrinter();
  for (int page = 1; printer != nullptr && page <= printer->PageCount(); ++page) {
    std::unique_ptr<TMetafile> metafile = printer->GetPage(page);
    if (metafile && MetafileContainsText(text, *metafile, dialog->MatchCase()))
      items->AddObject(AnsiString(SQRPage) + " " + IntToStr(page),
                       reinterpret_cast<TObject*>(static_cast<std::intptr_t>(page)));
  }
  if (items->Count() == 0) {
    items->Add(SQRNoMatch);
    SearchResultBox->SetEnabled(false);
  }
  // The results are what the user asked to see.
  if (TabSearchResult->TabVisible())
    Tabs->SetActivePage(TabSearchResult);
}

void TQRStandardPreview::SearchResultBoxClick(TObject*) {
  const int index = SearchResultBox->ItemIndex();
  int page = 1;
  if (index >= 0 && index < SearchResultBox->Items()->Count())
    page = static_cast<int>(reinterpret_cast<std::intptr_t>(SearchResultBox->Items()->Objects(index)));
  if (page < 1 || page > PageCount())
    page = 1;
  GotoPage(page);
}

void TQRStandardPreview::OutlineViewChange(const AnsiString& Key) {
  if (Outline == nullptr)
    return;
  RECT area{};
  int page = 0;
  Outline->FindEntry(Key, area, page);
  if (page > 0) {
    QRPreview->SetPageNumber(page);
    UpdateStatus();
  }
}

// ---- Thumbnails ---------------------------------------------------------------------------------
// One column as wide as the grid; each row as high as a thumbnail of the
// paper at that width, less a line of text.
void TQRStandardPreview::ThumbGridResize(TObject*) {
  TQRPrinter* printer = QRPrinter();
  ThumbGrid->Canvas()->Font().Assign(ThumbGrid->Font());
  FLetterHeight = ThumbGrid->Canvas()->TextHeight("P");
  const int columnWidth = ThumbGrid->Width() - 4;
  FThumbWidth = columnWidth - 20;
  double width = printer != nullptr ? printer->Settings().PaperWidth() : 0;
  double length = printer != nullptr ? printer->Settings().PaperLength() : 0;
  if (FOrientation == poLandscape)
    std::swap(width, length);
  if (width > 0 && length > 0 && FThumbWidth > 0) {
    FThumbHeight = static_cast<int>(std::lround(FThumbWidth / width * length - FLetterHeight));
    if (FThumbHeight > 0)
      ThumbGrid->SetDefaultRowHeight(FThumbHeight);
  }
  if (columnWidth > 0)
    ThumbGrid->SetColWidths(0, columnWidth);
  FThumbLeft = static_cast<int>(std::lround((columnWidth - FThumbWidth) / 2.0));
}

void TQRStandardPreview::ThumbGridSelectCell(TObject*, int, int ARow, bool&) {
  if (FSelectingThumb)
    return;
  QRPreview->SetPageNumber(ARow + 1);
  UpdateStatus();
}

void TQRStandardPreview::ThumbGridDrawCell(TObject*, int, int ARow, TRect Rect, TGridDrawState) {
  TQRPrinter* printer = QRPrinter();
  if (printer == nullptr)
    return;
  TCanvas& canvas = *ThumbGrid->Canvas();
  canvas.Brush().SetColor(ThumbGrid->Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(Rect);
  // A page the run has not stored yet shows as an empty framed page.
  const std::unique_ptr<TMetafile> page = printer->GetPage(ARow + 1);
  DrawPage(page.get(), canvas, Rect.left + FThumbLeft, Rect.top + 10, Rect.right - 30, Rect.bottom - 10, true);
  // The grid leaves the selected row's text colour set for its highlight.
  canvas.Font().SetColor(clBtnText);
  canvas.Brush().SetColor(clBtnFace);
  canvas.Brush().SetStyle(bsSolid);
  canvas.TextOut(Rect.left, Rect.top, IntToStr(ARow + 1));
}

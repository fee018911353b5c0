// The standard preview: its components and texts, the report's options,
// the status and progress, page moves and keys, and the preview class.
// Printing, set-up, saving, loading, search and thumbnails are in
// qrprevcommands.cpp.
#include "reportengine/preview/qrprev.h"

#include <cmath>
#include <cstdint>

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/application.h"
#include "classlib/system/format.h"
#include "classlib/system/numconv.h"
#include "reportengine/preview/qrprevglyphs.h"
#include "reportengine/preview/qrprevtexts.h"

BEGIN_PUBLISHED(TQRStandardPreview)
  METHOD(FormCreate),
  METHOD(FormResize),
  METHOD(FormClose),
  METHOD(FormKeyDown),
  METHOD(ZoomToFitClick),
  METHOD(ZoomToWidthClick),
  METHOD(ZoomTo100Click),
  METHOD(FirstPageClick),
  METHOD(PrevPageClick),
  METHOD(NextPageClick),
  METHOD(LastPageClick),
  METHOD(GotoPageButtonClick),
  METHOD(PrintClick),
  METHOD(PrintSetupClick),
  METHOD(SaveClick),
  METHOD(LoadClick),
  METHOD(ExitClick),
  METHOD(FindButtonClick),
  METHOD(SearchResultBoxClick),
  METHOD(ThumbGridResize),
  METHOD(ThumbGridSelectCell),
  METHOD(ThumbGridDrawCell),
  METHOD(QRPreviewPageAvailable),
  METHOD(QRPreviewProgressUpdate),
END_PUBLISHED

// ---- Life -------------------------------------------------------------------------------------
TQRStandardPreview::TQRStandardPreview(TComponent* AOwner, TQRPrinter* APrinter) : TForm(AOwner) {
  BuildComponents();
  FormCreate(this);
  FPrinter = APrinter;
  SetTexts();
  TakeReportOptions();
  if (APrinter != nullptr) {
    // The printer object's notices go to the preview control's window and
    // are dropped while it has none: made now, the notices of pages that
    // arrive before the form shows wait in its queue.
    QRPreview->HandleNeeded();
    QRPreview->SetQRPrinter(APrinter);
    APrinter->Settings().SetOrientation(FOrientation);
    if (!APrinter->Title.empty())
      SetCaption(AnsiString(SQRPreviewCaption) + APrinter->Title);
  }
  ArrangeTabs();
  ApplyInitialZoom();
  // Pages already complete (a prepared report, a loaded page store) can be
  // printed and set up at once; no page notice will come to say so.
  if (Finished())
    EnablePrinting(true);
}

TQRStandardPreview::~TQRStandardPreview() {
  if (FPrinter != nullptr && QRPrinter() == FPrinter)
    FPrinter->ForgetPreviewForm(this);
}

void TQRStandardPreview::BuildComponents() {
  // No name of its own: several previews may be open at once.
  SetBounds(0, 0, 800, 639);
  SetCaption("Print Preview");
  SetKeyPreview(true);
  SetPosition(poScreenCenter);
  SetShowHint(true);
  BuildToolBar();
  BuildStatusBar();
  BuildTabs();
  Splitter1 = MakeControl<TSplitter>(this, this, "Splitter1");
  Splitter1->SetAlign(alLeft);
  Splitter1->SetLeft(Tabs->Width() + 1);
  QRPreview = MakeControl<TQRPreview>(this, this, "QRPreview");
  QRPreview->SetAlign(alClient);
  QRPreview->SetZoom(70);
  QRPreview->OnPageAvailable = Method<&TQRStandardPreview::QRPreviewPageAvailable>(this);
  QRPreview->OnProgressUpdate = Method<&TQRStandardPreview::QRPreviewProgressUpdate>(this);
  // A print dialog is on the form as it always was; the printer set-up
  // goes through the report's own dialog.
  PrintDialog = new TPrintDialog(this);
  PrintDialog->SetName("PrintDialog");
  OnResize = Method<&TQRStandardPreview::FormResize>(this);
  OnClose = Method<&TQRStandardPreview::FormClose>(this);
  OnKeyDown = Method<&TQRStandardPreview::FormKeyDown>(this);
}

void TQRStandardPreview::BuildToolBar() {
  ToolBar1 = MakeControl<TToolBar>(this, this, "ToolBar1");
  ToolBar1->SetAlign(alTop);
  ToolBar1->SetFlat(true);
  ToolBar1->SetButtonWidth(24);
  ToolBar1->SetButtonHeight(24);
  ToolBar1->SetHeight(28);
  FImages = MakeQRPreviewImages(this);
  ToolBar1->SetImages(FImages);
  int spacers = 0;
  auto button = [&](const char* name, TQRPreviewGlyph glyph, TNotifyEvent onClick) {
    auto* made = MakeControl<TToolButton>(this, ToolBar1, name);
    made->SetImageIndex(glyph);
    made->OnClick = onClick;
    return made;
  };
  auto spacer = [&] {
    auto* made = MakeControl<TToolButton>(this, ToolBar1, "ToolButton" + IntToStr(++spacers));
    made->SetStyle(tbsSeparator);
    made->SetWidth(8);
    made->SetEnabled(false);
  };
  auto zoom = [&](const char* name, TQRPreviewGlyph glyph, TNotifyEvent onClick) {
    TToolButton* made = button(name, glyph, onClick);
    made->SetStyle(tbsCheck);
    made->SetGrouped(true);
    return made;
  };
  ZoomFit = zoom("ZoomFit", qpgZoomFit, Method<&TQRStandardPreview::ZoomToFitClick>(this));
  ZoomToWidth = zoom("ZoomToWidth", qpgZoomWidth, Method<&TQRStandardPreview::ZoomToWidthClick>(this));
  Zoom100 = zoom("Zoom100", qpgZoom100, Method<&TQRStandardPreview::ZoomTo100Click>(this));
  spacer();
  FirstPage = button("FirstPage", qpgFirst, Method<&TQRStandardPreview::FirstPageClick>(this));
  PreviousPage = button("PreviousPage", qpgPrior, Method<&TQRStandardPreview::PrevPageClick>(this));
  nextPage = button("nextPage", qpgNext, Method<&TQRStandardPreview::NextPageClick>(this));
  LastPage = button("LastPage", qpgLast, Method<&TQRStandardPreview::LastPageClick>(this));
  GotoPageButton = button("GotoPageButton", qpgGotoPage, Method<&TQRStandardPreview::GotoPageButtonClick>(this));
  FindButton = button("FindButton", qpgFind, Method<&TQRStandardPreview::FindButtonClick>(this));
  spacer();
  PrintSetup = button("PrintSetup", qpgSetup, Method<&TQRStandardPreview::PrintSetupClick>(this));
  Print = button("Print", qpgPrint, Method<&TQRStandardPreview::PrintClick>(this));
  spacer();
  SaveReport = button("SaveReport", qpgSave, Method<&TQRStandardPreview::SaveClick>(this));
  LoadReport = button("LoadReport", qpgLoad, Method<&TQRStandardPreview::LoadClick>(this));
  spacer();
  // Printing and saving wait for the last page: the printer object keeps
  // no page store of an unfinished run.
  PrintSetup->SetEnabled(false);
  Print->SetEnabled(false);
  SaveReport->SetEnabled(false);
  ExitButton = MakeControl<TSpeedButton>(this, ToolBar1, "ExitButton");
  ExitButton->SetFlat(true);
  ExitButton->SetBounds(ToolBar1->Width() - 70, 1, 64, 24);
  ExitButton->SetAnchors(TAnchors{akTop, akRight});
  ExitButton->OnClick = Method<&TQRStandardPreview::ExitClick>(this);
}

void TQRStandardPreview::BuildStatusBar() {
  StatusBar = MakeControl<TStatusBar>(this, this, "StatusBar");
  StatusBar->SetAlign(alBottom);
  TStatusPanel* progress = StatusBar->Panels()->Add();
  progress->SetWidth(40);
  progress->SetAlignment(taRightJustify);
  progress->SetText("0%");
  TStatusPanel* page = StatusBar->Panels()->Add();
  page->SetWidth(120);
  page->SetText(SQRPage);
  StatusBar->Panels()->Add()->SetWidth(50);
}

void TQRStandardPreview::BuildTabs() {
  Tabs = MakeControl<TPageControl>(this, this, "Tabs");
  Tabs->SetAlign(alLeft);
  Tabs->SetWidth(193);
  TabThumbs = new TTabSheet(this);
  TabThumbs->SetName("TabThumbs");
  TabThumbs->SetPageControl(Tabs);
  ThumbGrid = MakeControl<TDrawGrid>(this, TabThumbs, "ThumbGrid");
  ThumbGrid->SetAlign(alClient);
  ThumbGrid->SetColCount(1);
  ThumbGrid->SetFixedCols(0);
  ThumbGrid->SetFixedRows(0);
  ThumbGrid->SetDefaultColWidth(90);
  ThumbGrid->SetDefaultRowHeight(90);
  ThumbGrid->SetOptions(TGridOptions{goRowSelect});
  ThumbGrid->OnDrawCell = Method<&TQRStandardPreview::ThumbGridDrawCell>(this);
  ThumbGrid->OnSelectCell = Method<&TQRStandardPreview::ThumbGridSelectCell>(this);

  TabSearchResult = new TTabSheet(this);
  TabSearchResult->SetName("TabSearchResult");
  TabSearchResult->SetPageControl(Tabs);
  GroupBox1 = MakeControl<TGroupBox>(this, TabSearchResult, "GroupBox1");
  GroupBox1->SetAlign(alTop);
  GroupBox1->SetHeight(49);
  SearchTextLabel = MakeControlAt<TLabel>(this, GroupBox1, "SearchTextLabel", 8, 20, 170, 13);
  SearchTextLabel->SetCaption("");
  Splitter2 = MakeControl<TSplitter>(this, TabSearchResult, "Splitter2");
  Splitter2->SetAlign(alTop);
  Splitter2->SetTop(GroupBox1->Height() + 1);
  SearchResultBox = MakeControl<TListBox>(this, TabSearchResult, "SearchResultBox");
  SearchResultBox->SetAlign(alClient);
  SearchResultBox->SetEnabled(false);
  SearchResultBox->OnClick = Method<&TQRStandardPreview::SearchResultBoxClick>(this);
  Tabs->SetActivePage(TabThumbs);
}

// What the form sets up before anything else: the page's scroll bars
// follow the thumb as it is dragged, and the thumbnail geometry follows the
// grid's size.
void TQRStandardPreview::FormCreate(TObject*) {
  QRPreview->HorzScrollBar()->SetTracking(true);
  QRPreview->VertScrollBar()->SetTracking(true);
  ThumbGrid->OnResize = Method<&TQRStandardPreview::ThumbGridResize>(this);
}

void TQRStandardPreview::SetTexts() {
  TabThumbs->SetCaption(SQRThumbnails);
  TabSearchResult->SetCaption(SQRSearchResults);
  GroupBox1->SetCaption(SQRSearchText);
  ZoomFit->SetHint(SQRZoomFitHint);
  ZoomToWidth->SetHint(SQRZoomWidthHint);
  Zoom100->SetHint(SQRZoom100Hint);
  FirstPage->SetHint(SQRFirstPageHint);
  nextPage->SetHint(SQRNextPageHint);
  PreviousPage->SetHint(SQRPrevPageHint);
  LastPage->SetHint(SQRLastPageHint);
  GotoPageButton->SetHint(SQRGotoPageHint);
  FindButton->SetHint(SQRFindHint);
  PrintSetup->SetHint(SQRPrintSetupHint);
  Print->SetHint(SQRPrintHint);
  SaveReport->SetHint(SQRSaveHint);
  LoadReport->SetHint(SQRLoadHint);
  ExitButton->SetHint(SQRExitHint);
  SetCaption(SQRPreviewCaption);
  ExitButton->SetCaption(SQRClose);
}

// ---- The report's options ---------------------------------------------------------------------
IQRPreviewReport* TQRStandardPreview::Report() const {
  TQRPrinter* printer = QRPrinter();
  return printer != nullptr ? dynamic_cast<IQRPreviewReport*>(printer->ParentReport()) : nullptr;
}

// The orientation remembered for the thumbnails starts as the printer
// object's own: pages without a report (a loaded page store) keep theirs.
void TQRStandardPreview::TakeReportOptions() {
  if (FPrinter != nullptr) {
    FOrientation = FPrinter->Settings().Orientation();
    FPreviewTitle = FPrinter->Title;
  }
  IQRPreviewReport* report =
      FPrinter != nullptr ? dynamic_cast<IQRPreviewReport*>(FPrinter->ParentReport()) : nullptr;
  if (report == nullptr) {
    SetWindowState(wsMaximized);
    FShowThumbs = true;
    FShowSearch = true;
    FInitialZoom = qrZoomOther;
    QRPreview->SetZoom(100);
    return;
  }
  const TQRPreviewOptions options = report->PreviewOptions();
  SetFormStyle(options.FormStyle);
  SetWidth(options.Width > 0 ? options.Width : 500);
  SetHeight(options.Height > 0 ? options.Height : 500);
  SetWindowState(options.InitialState);
  FShowThumbs = options.ShowThumbs;
  FShowSearch = options.ShowSearch;
  FInitialZoom = options.InitialZoom;
  FPreviewTitle = options.Title;
  FPrinter->Title = options.Title;
  FOrientation = options.Orientation;
  QRPreview->SetZoom(options.Zoom);
}

// The left tabs show what the options ask for. Arranging them may fail
// without harm to the preview, so a failure leaves them as they are.
void TQRStandardPreview::ArrangeTabs() {
  try {
    Tabs->SetVisible(FShowThumbs || FShowSearch);
    Splitter1->SetVisible(FShowThumbs || FShowSearch);
    if (PageCount() > 0)
      ThumbGrid->SetRowCount(PageCount());
    TabThumbs->SetTabVisible(FShowThumbs);
    FindButton->SetVisible(FShowSearch);
    TabSearchResult->SetTabVisible(FShowSearch);
    if (!FShowThumbs && FShowSearch)
      Tabs->SetActivePage(TabSearchResult);
  } catch (const Exception&) {
  }
}

void TQRStandardPreview::ApplyInitialZoom() {
  if (FInitialZoom == qrZoomToFit) {
    QRPreview->ZoomToFit();
    ZoomFit->SetDown(true);
  } else if (FInitialZoom == qrZoomToWidth) {
    QRPreview->ZoomToWidth();
    ZoomToWidth->SetDown(true);
  } else {
    QRPreview->Layout();
    Zoom100->SetDown(true);
  }
}

bool TQRStandardPreview::Finished() const {
  TQRPrinter* printer = QRPrinter();
  return printer != nullptr && printer->Status() == mpFinished;
}

void TQRStandardPreview::EnablePrinting(bool WithSetup) {
  Print->SetEnabled(true);
  SaveReport->SetEnabled(true);
  if (WithSetup)
    PrintSetup->SetEnabled(true);
}

int TQRStandardPreview::PageCount() const {
  TQRPrinter* printer = QRPrinter();
  return printer != nullptr ? printer->PageCount() : 0;
}

// ---- Showing ----------------------------------------------------------------------------------
// A run still making its pages waits at its next page until this window has
// shown one: the window appears sooner, and with a page.
void TQRStandardPreview::DoShow() {
  TForm::DoShow();
  if (TQRPrinter* printer = QRPrinter()) {
      printer->HoldUntilPageShown(); }
}

void TQRStandardPreview::ShowPreview() {
  Show();
  UpdateStatus();
}

void TQRStandardPreview::UpdateStatus() {
  StatusBar->Panels()->Items(1)->SetText(AnsiString(SQRPage) + " " + IntToStr(QRPreview->PageNumber()) + " " +
                                         SQROf + " " + IntToStr(PageCount()));
  StatusBar->Panels()->Items(2)->SetText(FPreviewTitle);
}

void TQRStandardPreview::QRPreviewPageAvailable(TObject*, int) {
  UpdateStatus();
  if (PageCount() > 0)
    ThumbGrid->SetRowCount(PageCount());
  ThumbGrid->Invalidate();
  if (Finished())
    EnablePrinting(true);
}

// Only steps of 5 are shown, so a fast run does not spend its time
// repainting the status bar.
void TQRStandardPreview::QRPreviewProgressUpdate(TObject*, int Progress) {
  TStatusPanel* panel = StatusBar->Panels()->Items(0);
  if (Progress >= FLastProgress + 5) {
    panel->SetText(IntToStr(Progress) + "%");
    FLastProgress = Progress;
  }
  if (Progress == 0 || Progress == 100)
    panel->SetText("");
}

void TQRStandardPreview::QRPreviewHyperlink(TObject*, const AnsiString& Link) {
  StatusBar->Panels()->Items(2)->SetText(Link);
}

// ---- Page moves -------------------------------------------------------------------------------
void TQRStandardPreview::GotoPage(int N) {
  QRPreview->SetPageNumber(N);
  UpdateStatus();
  if (N >= 1 && N <= PageCount())
    SelectThumb(N - 1);
}

void TQRStandardPreview::SelectThumb(int Row) {
  if (Row >= ThumbGrid->RowCount())
    return;
  FSelectingThumb = true;
  try {
    ThumbGrid->SetRow(Row);
  } catch (...) {
    FSelectingThumb = false;
    throw;
  }
  FSelectingThumb = false;
}

void TQRStandardPreview::FirstPageClick(TObject*) { GotoPage(1); }
void TQRStandardPreview::PrevPageClick(TObject*) { GotoPage(QRPreview->PageNumber() - 1); }
void TQRStandardPreview::NextPageClick(TObject*) { GotoPage(QRPreview->PageNumber() + 1); }
void TQRStandardPreview::LastPageClick(TObject*) { GotoPage(PageCount()); }

void TQRStandardPreview::GotoPageButtonClick(TObject*) {
  const int count = PageCount();
  AnsiString answer = IntToStr(QRPreview->PageNumber());
  InputQuery(Format(SQRGotoPageCaption, {count}), SQRGotoPagePrompt, answer);
  int page = StrToIntDef(answer, 0);
  if (page < 1 || page > count)
    page = 1;
  GotoPage(page);
}

void TQRStandardPreview::ZoomToFitClick(TObject*) {
  Application->ProcessMessages();
  QRPreview->ZoomToFit();
}

void TQRStandardPreview::ZoomToWidthClick(TObject*) {
  Application->ProcessMessages();
  QRPreview->ZoomToWidth();
}

void TQRStandardPreview::ZoomTo100Click(TObject*) {
  Application->ProcessMessages();
  QRPreview->SetZoom(100);
  QRPreview->Layout();
}

void TQRStandardPreview::FormResize(TObject*) { QRPreview->Layout(); }

// ---- Keys and closing -------------------------------------------------------------------------
void TQRStandardPreview::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  const bool ctrlOnly = Shift == TShiftState{ssCtrl};
  TControlScrollBar* bar = QRPreview->VertScrollBar();
  const int room = bar->Range() - QRPreview->Height();
  switch (Key) {
    case VK_ESCAPE:
      Close();
      break;
    case VK_PRIOR:
      ctrlOnly ? FirstPageClick(this) : PrevPageClick(this);
      break;
    case VK_NEXT:
      ctrlOnly ? LastPageClick(this) : NextPageClick(this);
      break;
    case VK_HOME:
      FirstPageClick(this);
      break;
    case VK_END:
      LastPageClick(this);
      break;
    case VK_DOWN:
      if (bar->Position() + bar->Increment() < room)
        bar->SetPosition(bar->Position() + bar->Increment());
      else
        NextPageClick(this);
      break;
    case VK_UP:
      if (bar->Position() - bar->Increment() > 0) {
        bar->SetPosition(bar->Position() - bar->Increment());
      } else if (QRPreview->PageNumber() > 1) {
        PrevPageClick(this);
        bar->SetPosition(bar->Range() - QRPreview->Height() - bar->Increment());
      } else {
        // The first page has none before it: its top is as far as Up goes.
        bar->SetPosition(0);
      }
      break;
    default:
      return;
  }
  Key = 0;
}

void TQRStandardPreview::ExitClick(TObject*) { Close(); }

// The printer object hears first that its preview goes: the report may
// cancel its run or free the object then.
void TQRStandardPreview::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  if (TQRPrinter* printer = QRPrinter()) {
    printer->PageShown();
    printer->ForgetPreviewForm(this);
    printer->ClosePreview();
  }
  Application->ProcessMessages();
}

// ---- The preview class ------------------------------------------------------------------------
IMPLEMENT_CLASS(TQRStandardPreviewInterface)

TQRStandardPreviewInterface::TQRStandardPreviewInterface(TComponent* AOwner) : TQRPreviewInterface(AOwner) {}

TCustomForm* TQRStandardPreviewInterface::Show(TQRPrinter* printer) {
  auto* form = NewForm<TQRStandardPreview>(Application, printer);
  form->ShowPreview();
  return form;
}

TCustomForm* TQRStandardPreviewInterface::ShowModal(TQRPrinter* printer) {
  auto* form = NewForm<TQRStandardPreview>(Application, printer);
  // Finished pages send no notice that would fill the status in.
  form->UpdateStatus();
  form->ShowModal();
  return nullptr;
}

void RegisterQRStandardPreview() { RegisterPreviewClass(TQRStandardPreviewInterface::StaticClass()); }

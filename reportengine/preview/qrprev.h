// TQRStandardPreview: the window a printer object opens to show its pages.
//
// A tool bar (zoom, page moves, go to page, find, printer set-up, print,
// save, load, close), the preview control with the pages, a status bar
// (progress, "Page n of m", the title), and on the left a page control with
// page thumbnails and the search results. Pages arriving while the report
// still runs show as they come: the preview control passes the printer
// object's page and progress notices on to the form. Its texts are English.
//
// The printer object makes the form through TQRStandardPreviewInterface
// (RegisterQRStandardPreview installs it as the preview class). The form
// frees itself when closed, and tells the printer object so first.
#pragma once
#include "classlib/comctrls/pagecontrol.h"
#include "classlib/comctrls/statusbar.h"
#include "classlib/comctrls/toolbar.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/forms.h"
#include "classlib/grids/drawgrid.h"
#include "classlib/stdctrls/groupbox.h"
#include "classlib/stdctrls/listbox.h"
#include "classlib/stdctrls/speedbutton.h"
#include "classlib/stdctrls/splitter.h"
#include "reportengine/preview/qroutline.h"
#include "reportengine/preview/qrpreview.h"
#include "reportengine/preview/qrpreviewreport.h"

class TImageList;

class TQRStandardPreview : public TForm {
  DECLARE_CLASS(TQRStandardPreview, TForm)

public:
  TQRStandardPreview(TComponent* AOwner, TQRPrinter* APrinter);
  ~TQRStandardPreview() override;

  // ---- Components ----
  TToolBar* ToolBar1 = nullptr;
  TToolButton* ZoomFit = nullptr;
  TToolButton* ZoomToWidth = nullptr;
  TToolButton* Zoom100 = nullptr;
  TToolButton* FirstPage = nullptr;
  TToolButton* PreviousPage = nullptr;
  TToolButton* nextPage = nullptr;
  TToolButton* LastPage = nullptr;
  TToolButton* GotoPageButton = nullptr;
  TToolButton* FindButton = nullptr;
  TToolButton* PrintSetup = nullptr;
  TToolButton* Print = nullptr;
  TToolButton* SaveReport = nullptr;
  TToolButton* LoadReport = nullptr;
  TSpeedButton* ExitButton = nullptr;
  TStatusBar* StatusBar = nullptr;
  TPageControl* Tabs = nullptr;
  TTabSheet* TabThumbs = nullptr;
  TDrawGrid* ThumbGrid = nullptr;
  TTabSheet* TabSearchResult = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* SearchTextLabel = nullptr;
  TListBox* SearchResultBox = nullptr;
  TSplitter* Splitter1 = nullptr;
  TSplitter* Splitter2 = nullptr;
  TQRPreview* QRPreview = nullptr;
  TPrintDialog* PrintDialog = nullptr;
  // The outline whose keys OutlineViewChange looks up (not owned; none
  // unless the caller gives one).
  TQROutline* Outline = nullptr;

  // ---- State ----
  // The printer object shown; nullptr once it was freed.
  TQRPrinter* QRPrinter() const { return QRPreview->QRPrinter(); }
  const AnsiString& PreviewTitle() const { return FPreviewTitle; }
  bool ShowThumbs() const { return FShowThumbs; }
  bool ShowSearch() const { return FShowSearch; }
  TQRZoomState InitialZoom() const { return FInitialZoom; }
  TPrinterOrientation ThumbOrientation() const { return FOrientation; }
  int ThumbWidth() const { return FThumbWidth; }
  int ThumbHeight() const { return FThumbHeight; }
  int ThumbLeft() const { return FThumbLeft; }
  // The page count shown: the printer object's, 0 without one.
  int PageCount() const;

  // Shows the page (ignored out of range), the status text, and selects
  // the page's thumbnail without acting on that selection.
  void GotoPage(int N);
  void UpdateStatus();
  // Shows the form non-modally, then the status text.
  void ShowPreview();

  // ---- Handlers ----
  void FormCreate(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void ZoomToFitClick(TObject* Sender);
  void ZoomToWidthClick(TObject* Sender);
  void ZoomTo100Click(TObject* Sender);
  void FirstPageClick(TObject* Sender);
  void PrevPageClick(TObject* Sender);
  void NextPageClick(TObject* Sender);
  void LastPageClick(TObject* Sender);
  void GotoPageButtonClick(TObject* Sender);
  void PrintClick(TObject* Sender);
  void PrintSetupClick(TObject* Sender);
  void SaveClick(TObject* Sender);
  void LoadClick(TObject* Sender);
  void ExitClick(TObject* Sender);
  void FindButtonClick(TObject* Sender);
  void SearchResultBoxClick(TObject* Sender);
  void ThumbGridResize(TObject* Sender);
  void ThumbGridSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void ThumbGridDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
  void QRPreviewPageAvailable(TObject* Sender, int PageNum);
  void QRPreviewProgressUpdate(TObject* Sender, int Progress);
  void QRPreviewHyperlink(TObject* Sender, const AnsiString& Link);
  // The outline's key: goes to the page the outline gives for it.
  void OutlineViewChange(const AnsiString& Key);

protected:
  // Holds a run still making pages until this window has shown one.
  void DoShow() override;

private:
  void BuildComponents();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildTabs();
  void SetTexts();
  void TakeReportOptions();
  void ArrangeTabs();
  void ApplyInitialZoom();
  // The report the printer object belongs to, when it can be previewed.
  IQRPreviewReport* Report() const;
  bool Finished() const;
  void EnablePrinting(bool WithSetup);
  void SelectThumb(int Row);
  void CopyPrintSetup(IQRPreviewReport& Report);

  TQRPrinter* FPrinter = nullptr;
  TImageList* FImages = nullptr;
  AnsiString FPreviewTitle;
  bool FShowThumbs = true;
  bool FShowSearch = true;
  TQRZoomState FInitialZoom = qrZoomOther;
  TPrinterOrientation FOrientation = poPortrait;
  int FLastProgress = 0;
  int FThumbWidth = 0;
  int FThumbHeight = 0;
  int FThumbLeft = 0;
  int FLetterHeight = 0;
  bool FSelectingThumb = false;
};

// The preview class of the printer object: makes a TQRStandardPreview for
// the printer object and shows it.
class TQRStandardPreviewInterface : public TQRPreviewInterface {
  DECLARE_CLASS(TQRStandardPreviewInterface, TQRPreviewInterface)

public:
  explicit TQRStandardPreviewInterface(TComponent* AOwner);
  // The shown form.
  TCustomForm* Show(TQRPrinter* printer) override;
  // Runs the form modally; gives nothing, as the form is gone when it closed.
  TCustomForm* ShowModal(TQRPrinter* printer) override;
};

// The page store filters of the save dialog ("Report page file(*.QRP)|*.QRP")
// and of the load dialog ("Report page file (*.QRP)|*.QRP").
AnsiString QRSavePageStoreFilter();
AnsiString QRLoadPageStoreFilter();

// Makes Preview and PreviewModal of every printer object use the standard
// preview.
void RegisterQRStandardPreview();

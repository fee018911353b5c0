// TZReport: the text report component. It is itself the outermost
// controller: its bands print in its own data loop, its band switches make
// and free its bands, and every band, label and variable of the report
// belongs to it. It owns the page geometry (page size in characters and
// lines, margins, columns), the report-wide options, the document of a
// running report and the page flow: new page, end page, columns, and the
// printing of every band with forced breaks and room kept for footers.
//
// TZRComposite chains several text reports into one document.
#pragma once
#include <functional>
#include <vector>

#include "classlib/graphics/font.h"
#include "textreport/engine/zrbands.h"

class TSpeedButton;
class TZReport;

// Margins in characters (Left, Right) and lines (Top, Bottom); never negative.
class TZRMargins : public TPersistent {
  DECLARE_CLASS(TZRMargins, TPersistent)

public:
  explicit TZRMargins(TZReport* Report = nullptr) : FReport(Report) {}
  int Left() const { return FLeft; }
  void SetLeft(int Value) { Set(FLeft, Value); }
  int Top() const { return FTop; }
  void SetTop(int Value) { Set(FTop, Value); }
  int Right() const { return FRight; }
  void SetRight(int Value) { Set(FRight, Value); }
  int Bottom() const { return FBottom; }
  void SetBottom(int Value) { Set(FBottom, Value); }
  void Assign(TPersistent* Source) override;

private:
  void Set(int& Side, int Value);
  TZReport* FReport;
  int FLeft = 2, FTop = 1, FRight = 1, FBottom = 1;
};

// How many columns a page has and the characters between them; at least 1.
class TZRColumns : public TPersistent {
  DECLARE_CLASS(TZRColumns, TPersistent)

public:
  explicit TZRColumns(TZReport* Report = nullptr) : FReport(Report) {}
  int Count() const { return FCount; }
  void SetCount(int Value) { Set(FCount, Value); }
  int Space() const { return FSpace; }
  void SetSpace(int Value) { Set(FSpace, Value); }
  void Assign(TPersistent* Source) override;

private:
  void Set(int& Item, int Value);
  TZReport* FReport;
  int FCount = 1, FSpace = 2;
};

DOZURI_EVENT(TZRGetFileNameEvent, void(TObject* Sender, AnsiString& FileName));

// Makes the document of a run for a report or composite: nothing (false)
// while one runs; a document left from before is freed first. The progress
// form is made by ProgressFormFactory while one is set.
bool CreateReportPrinter(IZReport* Report);
extern std::function<void(TZRPrinter&)> ProgressFormFactory;

class TZReport : public TZRCustomController, public IZReport {
  DECLARE_CLASS(TZReport, TZRCustomController)

public:
  explicit TZReport(TComponent* AOwner);
  ~TZReport() override;

  bool IsReport() const override { return true; }
  TZRPrinter* Document() const override { return FPrinter; }

  // On the design surface the report sits at a pixel position, unlike the
  // controls inside it; its Width and Height are the page in characters.
  int PixelLeft() const { return TControl::Left(); }
  void SetPixelLeft(int Value);
  int PixelTop() const { return TControl::Top(); }
  void SetPixelTop(int Value);

  // The band switches: HasPageHeader ... HasPageFooter.
  TZReportBands* Bands() const { return FBands.get(); }
  // The switches read the bands themselves; nothing is assigned.
  void SetBands(TZReportBands*) {}
  TZRColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TZRColumns* Value) { FColumns->Assign(Value); }
  TZRMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TZRMargins* Value) { FMargins->Assign(Value); }
  TZReportOptions* Options() const { return FOptions.get(); }
  void SetOptions(TZReportOptions* Value) { FOptions->Assign(Value); }
  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  bool RunTimeVisible() const { return FRunTimeVisible; }
  void SetRunTimeVisible(bool Value) { FRunTimeVisible = Value; }
  bool ShowProgress() const { return FShowProgress; }
  void SetShowProgress(bool Value) { FShowProgress = Value; }

  TNotifyEvent OnNewPage;
  TNotifyEvent OnEndPage;
  TZRGetFileNameEvent OnGetFileName;
  TNotifyEvent OnPrintStart;
  TNotifyEvent OnPrintFinish;

  // ---- IZReport
  TZReportOptions* FetchOptions() override { return FOptions.get(); }
  void StoreOptions(TZReportOptions* Value) override { FOptions->Assign(Value); }
  AnsiString FetchTitle() override { return FTitle; }
  void StoreTitle(const AnsiString& Value) override { FTitle = Value; }
  TFont* FetchFont() override { return Font(); }
  void StoreFont(TFont* Value) override { SetFont(Value); }
  AnsiString FetchFileName() override;
  int PageWidthInChars() override { return Width(); }
  int PageHeightInLines() override { return Height(); }
  TZRPrinter* FetchPrinter() override { return FPrinter; }
  void AttachPrinter(TZRPrinter* Printer) override { FPrinter = Printer; }
  bool IsRunning() override { return FRunning || Printing(); }
  void Preview() override;
  void Print() override;
  void DoPrintStart() override;
  void DoPrintFinish() override;

  // Runs the report into the running document; Part when it is one of a
  // composite's reports (the composite begins and ends the document).
  void BuildReport(bool Part);
  void NewPage();
  void EndPage();
  void BeginColumn() override;
  void EndColumn() override;
  void UpdateProgress() override;
  // Prints one band of any controller of the report in the page flow.
  void PrintBand(TZRCustomBand* Band);
  // The report prints by running its data loop.
  void Print(int X, int Y) override;
  // The page size stays the design size through the run.
  void Prepare() override;
  // Read at run time, the report's window stays hidden unless RunTimeVisible.
  void Loaded() override;

  // On a design surface a minimized report shows as a small picture; its
  // page size is kept for the restore. The button in its corner toggles it
  // unless the report stays visible at run time.
  bool IsMinimized() const override { return FMinimized; }
  bool ShowsAtRunTime() const override { return FRunTimeVisible; }
  void SetMinimized(bool Value);
  TSpeedButton* MinimizeButton() const { return FMinimizeButton; }
  void DefineProperties(TFiler& Filer) override;

  int PageNumber() const { return FPrinter != nullptr ? FPrinter->PageCount() : 0; }
  int PageWidth() const;
  int PageHeight() const;
  int ColumnWidth() const;
  int ColumnHeight() const;
  int RoomLeftWidth() const;
  int RoomLeftHeight() const;
  bool Continuous() const { return FOptions->PaperType() == zptContinuous; }

  int CurrentX = 0;
  int CurrentY = 0;
  int ColumnIndex = 0;
  int ColumnTop = 0;
  bool LastPage = false;

  // Margins and columns changed: lays the bands out again.
  void GeometryChanged() { ArrangeDesign(); }
  // On a design surface: stacks the bands in print order from the top
  // margin, each under the one before, as wide as a column (the page header
  // and footer and the report's header as wide as the page), and lets the
  // report grow to hold them.
  void ArrangeDesign();
  void UpdateLayout() override;
  // The options of the running document (a composite's when the report is
  // one of its reports), else the report's own.
  TZReportOptions& RunOptions() const { return FPrinter != nullptr ? FPrinter->Options() : *FOptions; }

protected:
  void StructureNotice(TZRStructureNotice Code, TZReportControl* Sender) override;
  void PaintDesign() override;

private:
  friend class TZRComposite;
  void PaintMinimized();
  void ArrangeController(TZRCustomController& Controller, int& Line);
  void ArrangeBand(TZRCustomBand& Band, int& Line);
  // Runs one print of the report with a fresh document: Preview and Print.
  void Run(bool AsPreview);

  std::unique_ptr<TZReportBands> FBands;
  std::unique_ptr<TZRColumns> FColumns;
  std::unique_ptr<TZRMargins> FMargins;
  std::unique_ptr<TZReportOptions> FOptions;
  AnsiString FTitle;
  bool FRunTimeVisible = false;
  bool FShowProgress = true;
  TZRPrinter* FPrinter = nullptr;
  bool FInNewPage = false;
  bool FInEndPage = false;
  // Set from Preview or Print until the document is freed, so a handler
  // that asks for another run meanwhile gets nothing.
  bool FRunning = false;
  // A composite's first report starts its page once it is prepared.
  bool FStartPageInBuild = false;
  bool FArranging = false;
  bool FMinimized = false;
  TSpeedButton* FMinimizeButton = nullptr;
};

// Several text reports in one document: each continues where the one before
// ended, or on a new page when the one before had columns.
class TZRComposite : public TComponent, public IZReport {
  DECLARE_CLASS(TZRComposite, TComponent)

public:
  explicit TZRComposite(TComponent* AOwner);
  ~TZRComposite() override;

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TZReportOptions* Options() const { return FOptions.get(); }
  void SetOptions(TZReportOptions* Value) { FOptions->Assign(Value); }
  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  int PageWidth() const { return FPageWidth; }
  void SetPageWidth(int Value) { FPageWidth = Value; }
  int PageHeight() const { return FPageHeight; }
  void SetPageHeight(int Value) { FPageHeight = Value; }
  bool ShowProgress() const { return FShowProgress; }
  void SetShowProgress(bool Value) { FShowProgress = Value; }

  TNotifyEvent OnAddReports;
  TZRGetFileNameEvent OnGetFileName;
  TNotifyEvent OnPrintStart;
  TNotifyEvent OnPrintFinish;

  // The reports to chain, filled by OnAddReports; not owned.
  std::vector<TZReport*>& Reports() { return FReports; }

  TZReportOptions* FetchOptions() override { return FOptions.get(); }
  void StoreOptions(TZReportOptions* Value) override { FOptions->Assign(Value); }
  AnsiString FetchTitle() override { return FTitle; }
  void StoreTitle(const AnsiString& Value) override { FTitle = Value; }
  TFont* FetchFont() override { return FFont.get(); }
  void StoreFont(TFont* Value) override { FFont->Assign(Value); }
  AnsiString FetchFileName() override;
  int PageWidthInChars() override { return FPageWidth; }
  int PageHeightInLines() override { return FPageHeight; }
  TZRPrinter* FetchPrinter() override { return FPrinter; }
  void AttachPrinter(TZRPrinter* Printer) override { FPrinter = Printer; }
  bool IsRunning() override { return FRunning; }
  void Preview() override;
  void Print() override;
  void DoPrintStart() override;
  void DoPrintFinish() override;

private:
  void Build();
  void BuildReports();
  void Run(bool AsPreview);

  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TZReportOptions> FOptions;
  AnsiString FTitle;
  int FPageWidth = 76;
  int FPageHeight = 60;
  bool FShowProgress = true;
  TZRPrinter* FPrinter = nullptr;
  bool FRunning = false;
  std::vector<TZReport*> FReports;
};

// Makes the report, band, sub-detail and variable classes known to the
// component reader, so text layouts load.
void RegisterZReportClasses();

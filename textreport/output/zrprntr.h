// The document of one text report run and its print options.
//
// TZRPrinter holds the pages as lists of text lines while bands and labels
// write into them (WriteText), carries the run's state (idle, building,
// done, cancelled), tells the preview and progress forms of new pages and
// progress, searches the pages, and writes the document as 8-bit text with
// the printer model's escape strings to a stream, a file or the spooler.
// TZReportOptions holds the print options of a report; IZReport is what the
// document asks of the report or composite it belongs to.
#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "classlib/classes/persistent.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/strings.h"
#include "textreport/core/zrescape.h"

class TFont;
class TPrintDialog;
class TPrinter;
class TZRPrinter;

enum TZRDestination { zrdFile, zrdPrinter };
DOZURI_ENUM(TZRDestination, "zrdFile", "zrdPrinter");
enum TZRPaperType { zptSheet, zptFolio, zptContinuous };
DOZURI_ENUM(TZRPaperType, "zptSheet", "zptFolio", "zptContinuous");
enum TZRPreviewMode { zpmSinglePage, zpmWholeReport };
DOZURI_ENUM(TZRPreviewMode, "zpmSinglePage", "zpmWholeReport");
enum TZRPrinterFontStyle { zfsPica, zfsElite };
DOZURI_ENUM(TZRPrinterFontStyle, "zfsPica", "zfsElite");

// Pitch and condensed mode, set at the start of every copy.
class TZRPrinterFont : public TPersistent {
  DECLARE_CLASS(TZRPrinterFont, TPersistent)

public:
  TZRPrinterFontStyle Style() const { return FStyle; }
  void SetStyle(TZRPrinterFontStyle Value) { FStyle = Value; }
  bool Condensed() const { return FCondensed; }
  void SetCondensed(bool Value) { FCondensed = Value; }
  void Assign(TPersistent* Source) override;

private:
  TZRPrinterFontStyle FStyle = zfsPica;
  bool FCondensed = false;
};

class TZReportOptions : public TPersistent {
  DECLARE_CLASS(TZReportOptions, TPersistent)

public:
  TZReportOptions();
  ~TZReportOptions() override;

  int Copies() const { return FCopies; }
  void SetCopies(int Value) { FCopies = Value; }
  TZRDestination Destination() const { return FDestination; }
  void SetDestination(TZRDestination Value) { FDestination = Value; }
  TZREscapes* Escapes() const { return FEscapes.get(); }
  void SetEscapes(TZREscapes* Value) { FEscapes->Assign(Value); }
  const AnsiString& FileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value) { FFileName = Value; }
  TZRPrinterFont* Font() const { return FFont.get(); }
  void SetFont(TZRPrinterFont* Value) { FFont->Assign(Value); }
  bool IgnoreStyles() const { return FIgnoreStyles; }
  void SetIgnoreStyles(bool Value) { FIgnoreStyles = Value; }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value) { FOEMConvert = Value; }
  int PageFrom() const { return FPageFrom; }
  void SetPageFrom(int Value) { FPageFrom = Value; }
  int PageTo() const { return FPageTo; }
  void SetPageTo(int Value) { FPageTo = Value; }
  TZRPaperType PaperType() const { return FPaperType; }
  void SetPaperType(TZRPaperType Value) { FPaperType = Value; }
  TZRPreviewMode PreviewMode() const { return FPreviewMode; }
  void SetPreviewMode(TZRPreviewMode Value) { FPreviewMode = Value; }
  bool Scissors() const { return FScissors; }
  void SetScissors(bool Value) { FScissors = Value; }
  bool FirstPageHeader() const { return FFirstPageHeader; }
  void SetFirstPageHeader(bool Value) { FFirstPageHeader = Value; }
  bool LastPageFooter() const { return FLastPageFooter; }
  void SetLastPageFooter(bool Value) { FLastPageFooter = Value; }

  // Copies all fourteen options from another option set.
  void Assign(TPersistent* Source) override;

private:
  int FCopies = 1;
  TZRDestination FDestination = zrdPrinter;
  std::unique_ptr<TZREscapes> FEscapes;
  AnsiString FFileName;
  std::unique_ptr<TZRPrinterFont> FFont;
  bool FIgnoreStyles = false;
  bool FOEMConvert = true;
  int FPageFrom = 0;
  int FPageTo = 0;
  TZRPaperType FPaperType = zptFolio;
  TZRPreviewMode FPreviewMode = zpmSinglePage;
  bool FScissors = true;
  bool FFirstPageHeader = true;
  bool FLastPageFooter = true;
};

// What the document asks of the text report or composite it belongs to.
class IZReport {
public:
  virtual ~IZReport() = default;
  virtual TZReportOptions* FetchOptions() = 0;
  virtual void StoreOptions(TZReportOptions* Value) = 0;
  virtual AnsiString FetchTitle() = 0;
  virtual void StoreTitle(const AnsiString& Value) = 0;
  virtual TFont* FetchFont() = 0;
  virtual void StoreFont(TFont* Value) = 0;
  virtual AnsiString FetchFileName() = 0;
  virtual int PageWidthInChars() = 0;
  virtual int PageHeightInLines() = 0;
  virtual TZRPrinter* FetchPrinter() = 0;
  virtual void AttachPrinter(TZRPrinter* Printer) = 0;
  virtual bool IsRunning() = 0;
  virtual void Preview() = 0;
  virtual void Print() = 0;
  virtual void DoPrintStart() = 0;
  virtual void DoPrintFinish() = 0;
};

// A preview or progress form of a run, as the document sees it. A form
// registers itself in its slot of the document when it is made and clears
// the slot when it goes (SetPreviewForm, SetProgressForm).
class IZRDocumentForm {
public:
  virtual ~IZRDocumentForm() = default;
  // ZRNoticeProgress with the percent, ZRNoticePageDone with the page count.
  virtual void DocumentNotice(unsigned Message, int Value) = 0;
  // Closes the form (the run was cancelled).
  virtual void CloseForm() = 0;
  // Makes the form visible.
  virtual void ShowForm() = 0;
  // Frees the form; it is not used again.
  virtual void ReleaseForm() = 0;
};

// What the text print setup form shows besides the print dialog: its two
// check boxes and the printer model chosen in its combo box.
struct TZRSetupFormValues {
  bool OEMConvert = true;
  bool IgnoreStyles = false;
  int ModelIndex = 0;
};

inline constexpr unsigned ZRNoticeProgress = 0x0400;      // WM_USER
inline constexpr unsigned ZRNoticePageDone = 0x0400 + 1;  // WM_USER + 1

// One page: exactly PageHeightInLines lines, empty when made.
class TZRPage {
public:
  explicit TZRPage(TZRPrinter& Document);
  TStringList& Lines() { return FLines; }
  const TStringList& Lines() const { return FLines; }

private:
  TStringList FLines;
};

enum class TZRDocumentState : unsigned char { Idle = 0, Building = 1, Done = 2, Cancelled = 3 };

class TZRPrinter : public TObject {
  DECLARE_CLASS(TZRPrinter, TObject)

public:
  explicit TZRPrinter(IZReport* Report);
  ~TZRPrinter() override;

  IZReport* Report() const { return FReport; }
  TZReportOptions& Options() const { return *FReport->FetchOptions(); }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TZRPage& Pages(int Index) const { return *FPages.at(Index); }
  TZRDocumentState State() const { return FState; }
  int CurrentPage() const { return FCurrentPage; }
  int Progress() const { return FProgress; }

  void Reset();
  void BeginDoc();
  void NewPage();
  void PageDone();
  void EndDoc();
  void Cancel();
  bool IsCancelled() const { return FState == TZRDocumentState::Cancelled; }
  void SetProgress(int Percent);

  AnsiString GetLine(int Line) const;
  void SetLine(int Line, const AnsiString& Text);
  // Writes Text at zero-based column X of line Y of the current page, Turkish
  // letters as their ASCII twins, cut to what the page width leaves.
  void WriteText(int X, int Y, const AnsiString& Text);

  // Sends the document where the options say: a file or the printer.
  void Output();
  void SaveToFile(const AnsiString& Name);
  void PrintToPrinter(TPrinter& Printer);
  void WriteToStream(TStream& Stream);
  AnsiString PageSeparator(bool ForPreview) const;

  // Makes the preview form of the run (PreviewFormFactory) and shows the
  // form the preview mode wants while building: the preview for single
  // pages, the progress form for the whole report.
  void CreatePreviewForm();
  // After the build: frees the progress form and, unless cancelled, shows
  // the preview form when there is one.
  void ShowAfterBuild();

  // The print setup: page range, copies, print to file and the printer
  // options; true when it was confirmed (with print to file, the file name
  // too). Windows only.
  bool SetupDialog();

  bool Find(const AnsiString& Text, bool IgnoreCase, int Page, int Line, int Column);
  bool FindNext();
  bool Found() const { return FFound; }
  int FoundPage() const { return FFoundPage; }
  int FoundLine() const { return FFoundLine; }
  // One-based character position in the visible text of the line.
  int FoundColumn() const { return FFoundColumn; }
  const AnsiString& SearchText() const { return FSearchText; }

  // The forms of the run register here while they live.
  IZRDocumentForm* PreviewForm() const { return FPreviewForm; }
  void SetPreviewForm(IZRDocumentForm* Form) { FPreviewForm = Form; }
  IZRDocumentForm* ProgressForm() const { return FProgressForm; }
  void SetProgressForm(IZRDocumentForm* Form) { FProgressForm = Form; }

  // Makes the preview form for a document; the form registers itself. No
  // preview is made while none is set.
  static std::function<void(TZRPrinter&)> PreviewFormFactory;
  // Shows the print setup form over a filled print dialog; true when it was
  // confirmed. While none is set, the print dialog alone is shown.
  static std::function<bool(TPrintDialog& Dialog, TZRSetupFormValues& Form)> SetupForm;

private:
  friend class TZRPage;
  void AddPage(TZRPage* Page);
  void CheckState(TZRDocumentState Needed) const;
  // The pages the options ask for, first page at least 1.
  std::pair<int, int> OutputRange() const;
  TStringList& CurrentLines(int Line) const;
  void WritePage(const TZRPage& Page, class TZREscapeStream& Stream, bool LastOfCopy) const;
  void Notify(unsigned Message, int Value);
  bool Search();

  IZReport* FReport;
  std::vector<std::unique_ptr<TZRPage>> FPages;
  TZRDocumentState FState = TZRDocumentState::Idle;
  int FCurrentPage = -1;
  int FProgress = 0;
  IZRDocumentForm* FPreviewForm = nullptr;
  IZRDocumentForm* FProgressForm = nullptr;
  bool FFound = false;
  AnsiString FSearchText;
  int FFoundPage = 0;
  int FFoundLine = 0;
  int FFoundColumn = 0;
  bool FIgnoreCase = false;
  bool FSearching = false;
};

// Whether a name may be given to an output file: not empty, and none of
// ; , = + < > " [ ] | in it. Drive letters, colons and backslashes are fine.
bool IsValidOutputFileName(const AnsiString& Name);

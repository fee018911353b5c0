#include "textreport/output/zrprntr.h"

#include <climits>

#include "classlib/system/strutils.h"
#include "components/core/uitext.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zrescapestream.h"
#include "textreport/core/zrescapetext.h"
#include "textreport/core/zrutils.h"

// ---- Options ------------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRPrinterFont)
  PROPERTY(Style, Style, SetStyle).Default(zfsPica),
  PROPERTY(Condensed, Condensed, SetCondensed).Default(false),
END_PUBLISHED

void TZRPrinterFont::Assign(TPersistent* Source) {
  if (auto* font = dynamic_cast<TZRPrinterFont*>(Source)) {
    FStyle = font->FStyle;
    FCondensed = font->FCondensed;
    return;
  }
  TPersistent::Assign(Source);
}

BEGIN_PUBLISHED(TZReportOptions)
  PROPERTY(Copies, Copies, SetCopies).Default(1),
  PROPERTY(Destination, Destination, SetDestination).Default(zrdPrinter),
  PROPERTY(Escapes, Escapes, SetEscapes),
  PROPERTY(FileName, FileName, SetFileName),
  PROPERTY(Font, Font, SetFont),
  PROPERTY(IgnoreStyles, IgnoreStyles, SetIgnoreStyles).Default(false),
  PROPERTY(OEMConvert, OEMConvert, SetOEMConvert).Default(true),
  PROPERTY(PageFrom, PageFrom, SetPageFrom).Default(0),
  PROPERTY(PageTo, PageTo, SetPageTo).Default(0),
  PROPERTY(PaperType, PaperType, SetPaperType).Default(zptFolio),
  PROPERTY(PreviewMode, PreviewMode, SetPreviewMode).Default(zpmSinglePage),
  PROPERTY(Scissors, Scissors, SetScissors).Default(true),
  PROPERTY(FirstPageHeader, FirstPageHeader, SetFirstPageHeader).Default(true),
  PROPERTY(LastPageFooter, LastPageFooter, SetLastPageFooter).Default(true),
END_PUBLISHED

TZReportOptions::TZReportOptions()
    : FEscapes(std::make_unique<TZREscapes>()), FFont(std::make_unique<TZRPrinterFont>()) {}

TZReportOptions::~TZReportOptions() = default;

void TZReportOptions::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TZReportOptions*>(Source);
  if (other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FCopies = other->FCopies;
  FDestination = other->FDestination;
  FEscapes->Assign(other->FEscapes.get());
  FFileName = other->FFileName;
  FFont->Assign(other->FFont.get());
  FIgnoreStyles = other->FIgnoreStyles;
  FOEMConvert = other->FOEMConvert;
  FPageFrom = other->FPageFrom;
  FPageTo = other->FPageTo;
  FPaperType = other->FPaperType;
  FPreviewMode = other->FPreviewMode;
  FScissors = other->FScissors;
  FFirstPageHeader = other->FFirstPageHeader;
  FLastPageFooter = other->FLastPageFooter;
}

// ---- Pages --------------------------------------------------------------------------------
TZRPage::TZRPage(TZRPrinter& Document) {
  const int height = Document.Report()->PageHeightInLines();
  for (int i = 0; i < height; ++i)
    FLines.Add("");
  Document.AddPage(this);
}

// ---- The document -------------------------------------------------------------------------
IMPLEMENT_CLASS(TZRPrinter)

std::function<void(TZRPrinter&)> TZRPrinter::PreviewFormFactory;
std::function<bool(TPrintDialog&, TZRSetupFormValues&)> TZRPrinter::SetupForm;

TZRPrinter::TZRPrinter(IZReport* Report) : FReport(Report) {
  Reset();
  FReport->AttachPrinter(this);
}

TZRPrinter::~TZRPrinter() {
  Reset();
  FReport->AttachPrinter(nullptr);
}

void TZRPrinter::Reset() {
  Cancel();
  while (!FPages.empty())
    FPages.pop_back();
  FCurrentPage = -1;
  FState = TZRDocumentState::Idle;
}

void TZRPrinter::CheckState(TZRDocumentState Needed) const {
  if (FState == Needed)
    return;
  switch (Needed) {
    case TZRDocumentState::Idle: RaiseZRError(SZRNotReady);
    case TZRDocumentState::Building: RaiseZRError(SZRNotStarted);
    default: RaiseZRError(SZRCancelled);
  }
}

void TZRPrinter::BeginDoc() {
  CheckState(TZRDocumentState::Idle);
  FState = TZRDocumentState::Building;
  FProgress = 0;
}

void TZRPrinter::AddPage(TZRPage* Page) {
  FPages.emplace_back(Page);
  FCurrentPage = PageCount() - 1;
}

void TZRPrinter::NewPage() {
  CheckState(TZRDocumentState::Building);
  if (PageCount() > 0)
    PageDone();
  new TZRPage(*this);
}

void TZRPrinter::PageDone() {
  CheckState(TZRDocumentState::Building);
  Notify(ZRNoticePageDone, PageCount());
}

void TZRPrinter::EndDoc() {
  PageDone();
  FState = TZRDocumentState::Done;
  Options().SetPageFrom(1);
  Options().SetPageTo(PageCount());
  // The forms hear that the build is through when the last progress they
  // heard fell short of it (a data loop that stopped before its last record).
  if (FProgress != 100)
    SetProgress(100);
}

void TZRPrinter::Cancel() {
  FState = TZRDocumentState::Cancelled;
  // Closing a form clears its slot, so read each slot once.
  if (IZRDocumentForm* preview = FPreviewForm)
    preview->CloseForm();
  if (IZRDocumentForm* progress = FProgressForm)
    progress->CloseForm();
}

void TZRPrinter::SetProgress(int Percent) {
  FProgress = Percent;
  Notify(ZRNoticeProgress, Percent);
}

void TZRPrinter::Notify(unsigned Message, int Value) {
  if (FProgressForm != nullptr)
    FProgressForm->DocumentNotice(Message, Value);
  if (FPreviewForm != nullptr)
    FPreviewForm->DocumentNotice(Message, Value);
}

// Without a current page no line can be reached; the error names the line
// asked for, as for any line outside the page.
TStringList& TZRPrinter::CurrentLines(int Line) const {
  if (FCurrentPage < 0 || FCurrentPage >= PageCount())
    RaiseZRError(SZROutOfPageBounds, {FCurrentPage, 0, Line});
  return FPages[FCurrentPage]->Lines();
}

AnsiString TZRPrinter::GetLine(int Line) const {
  TStringList& lines = CurrentLines(Line);
  if (Line < 0 || Line >= lines.Count())
    RaiseZRError(SZROutOfPageBounds, {FCurrentPage, 0, Line});
  return lines.Strings(Line);
}

void TZRPrinter::SetLine(int Line, const AnsiString& Text) {
  TStringList& lines = CurrentLines(Line);
  if (Line < 0 || Line >= lines.Count())
    RaiseZRError(SZROutOfPageBounds, {FCurrentPage, 0, Line});
  lines.SetStrings(Line, Text);
}

void TZRPrinter::WriteText(int X, int Y, const AnsiString& Text) {
  AnsiString line = GetLine(Y);
  AnsiString text = TransliterateTurkish(Text);
  // What lies left of the page's first column is cut off, as is what runs
  // past its last. Inside the page the line is filled up with spaces to the
  // column even when nothing is left to write there (an empty value keeps
  // its place); at or past the page's width nothing is written, so a line
  // never grows wider than the paper.
  if (X < 0) {
    const int visible = VisibleLength(text);
    text = VisibleCopy(text, (X < -visible ? visible : -X) + 1, visible);
    X = 0;
  }
  const int room = FReport->PageWidthInChars() - X;
  if (room <= 0)
    return;
  text = VisibleCopy(text, 1, room);
  SetLine(Y, OverlayVisible(text, line, X + 1));
}

// ---- Output -------------------------------------------------------------------------------
AnsiString TZRPrinter::PageSeparator(bool ForPreview) const {
  switch (Options().PaperType()) {
    case zptSheet: return ForPreview ? AnsiString() : AnsiString("\\=");
    case zptFolio:
      if (!Options().Scissors())
        return AnsiString();
      return ":<" + RepeatString(" -", (FReport->PageWidthInChars() - 2) / 2) + "\r";
    case zptContinuous: return AnsiString();
  }
  return AnsiString();
}

namespace {

bool IsBlankLine(const AnsiString& Line) { return Trim(Line).empty(); }

// The copy's start codes: reset, pitch, condensed mode, report start.
AnsiString StartCodes(const TZReportOptions& Options) {
  AnsiString codes = "\\@";
  codes += Options.Font()->Style() == zfsElite ? "\\E" : "\\P";
  codes += Options.Font()->Condensed() ? "\\C" : "\\c";
  codes += "\\<";
  return codes;
}

// Whether the report finish codes end with a form feed of their own.
bool FinishEjects(const TZReportOptions& Options) {
  const AnsiString& finish = Options.Escapes()->Values(zecReportFinish);
  return !finish.empty() && finish.back() == '\x0C';
}

}  // namespace

bool IsValidOutputFileName(const AnsiString& Name) {
  return !Name.empty() && Name.find_first_of(";,=+<>\"[]|") == AnsiString::npos;
}

// The stored page never changes: blank lines are dropped from a copy. The
// last page of a copy gets no sheet separator (a form feed) when the report
// finish codes that follow it eject the sheet themselves: each copy ends
// with one form feed. A folio page keeps its cut line, which feeds nothing.
void TZRPrinter::WritePage(const TZRPage& Page, TZREscapeStream& Stream, bool LastOfCopy) const {
  std::vector<AnsiString> lines;
  for (int i = 0; i < Page.Lines().Count(); ++i)
    lines.push_back(Page.Lines().Strings(i));
  bool separate = true;
  const bool continuous = Options().PaperType() == zptContinuous;
  if (&Page == FPages.back().get() || continuous) {
    while (!lines.empty() && IsBlankLine(lines.back())) {
      lines.pop_back();
      separate = false;
    }
  }
  size_t first = 0;
  if (continuous)
    while (first < lines.size() && IsBlankLine(lines[first]))
      ++first;
  for (size_t i = first; i < lines.size(); ++i)
    Stream.WriteLn(lines[i]);
  if (LastOfCopy && Options().PaperType() == zptSheet && FinishEjects(Options()))
    separate = false;
  if (separate)
    Stream.WriteString(PageSeparator(false));
}

std::pair<int, int> TZRPrinter::OutputRange() const {
  int from = Options().PageFrom(), to = Options().PageTo();
  if (to < from || from < 0 || PageCount() < to)
    RaiseZRError(SZRInvalidPageRange, {from, to});
  return {from < 1 ? 1 : from, to};
}

void TZRPrinter::WriteToStream(TStream& Stream) {
  CheckState(TZRDocumentState::Done);
  const auto [from, to] = OutputRange();
  TZREscapeStream escapes(&Stream, Options().Escapes());
  escapes.OEMConvert = Options().OEMConvert();
  for (int copy = 0; copy < Options().Copies(); ++copy) {
    escapes.WriteString(StartCodes(Options()));
    // The report finish codes follow each copy, also one cut short by an
    // error, so the printer is left in its normal state.
    try {
      for (int page = from; page <= to; ++page)
        WritePage(*FPages[page - 1], escapes, page == to);
    } catch (...) {
      try {
        escapes.WriteString("\\>");
      } catch (...) {
      }
      throw;
    }
    escapes.WriteString("\\>");
  }
}

void TZRPrinter::SaveToFile(const AnsiString& Name) {
  CheckState(TZRDocumentState::Done);
  if (!IsValidOutputFileName(Name))
    RaiseZRError(SZRInvalidFileName, {Name});
  // A range that cannot be written must not cost the file it would replace.
  OutputRange();
  TFileStream file(Name, fmCreate);
  WriteToStream(file);
}

// ---- Forms --------------------------------------------------------------------------------
void TZRPrinter::CreatePreviewForm() {
  if (PreviewFormFactory)
    PreviewFormFactory(*this);
  IZRDocumentForm* shown = Options().PreviewMode() == zpmSinglePage ? FPreviewForm : FProgressForm;
  if (shown != nullptr)
    shown->ShowForm();
}

void TZRPrinter::ShowAfterBuild() {
  if (IZRDocumentForm* progress = FProgressForm) {
    FProgressForm = nullptr;
    progress->ReleaseForm();
  }
  if (!IsCancelled() && FPreviewForm != nullptr)
    FPreviewForm->ShowForm();
}

// ---- Search -------------------------------------------------------------------------------
bool TZRPrinter::Find(const AnsiString& Text, bool IgnoreCase, int Page, int Line, int Column) {
  FSearchText = Text;
  FIgnoreCase = IgnoreCase;
  FFoundPage = Page < 0 ? 0 : Page;
  FFoundLine = Line < 0 ? 0 : Line;
  FFoundColumn = Column < 1 ? 1 : Column;
  FSearching = true;
  return Search();
}

bool TZRPrinter::FindNext() {
  if (!FSearching || !FFound)
    return false;
  FFound = false;
  FFoundColumn += static_cast<int>(FSearchText.size());
  return Search();
}

// The pages hold transliterated text, so the pattern is transliterated the
// same way: "ŞİŞLİ" finds "SISLI".
bool TZRPrinter::Search() {
  FFound = false;
  AnsiString pattern = TransliterateTurkish(FSearchText);
  if (FIgnoreCase)
    pattern = AnsiUpperCase(pattern);
  if (pattern.empty())
    return false;
  const int startPage = FFoundPage, startLine = FFoundLine;
  for (int page = startPage; page < PageCount(); ++page) {
    const TStringList& lines = FPages[page]->Lines();
    for (int line = page == startPage ? startLine : 0; line < lines.Count(); ++line) {
      AnsiString text = StripEscapes(lines.Strings(line));
      const bool startingLine = page == startPage && line == startLine;
      if (startingLine)
        text = FFoundColumn - 1 < static_cast<int>(text.size()) ? text.substr(FFoundColumn - 1) : AnsiString();
      if (FIgnoreCase)
        text = AnsiUpperCase(text);
      int position = AnsiPos(pattern, text);
      if (position == 0)
        continue;
      FFound = true;
      FFoundColumn = startingLine ? FFoundColumn + position - 1 : position;
      FFoundPage = page;
      FFoundLine = line;
      return true;
    }
  }
  return false;
}

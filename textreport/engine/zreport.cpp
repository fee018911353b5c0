#include "textreport/engine/zreport.h"

#include <algorithm>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/forms/application.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/stdctrls/speedbutton.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zrvariables.h"

std::function<void(TZRPrinter&)> ProgressFormFactory;

// ---- Margins and columns ------------------------------------------------------------------
BEGIN_PUBLISHED(TZRMargins)
  PROPERTY(Left, Left, SetLeft).Default(2),
  PROPERTY(Top, Top, SetTop).Default(1),
  PROPERTY(Right, Right, SetRight).Default(1),
  PROPERTY(Bottom, Bottom, SetBottom).Default(1),
END_PUBLISHED

void TZRMargins::Set(int& Side, int Value) {
  Side = std::max(Value, 0);
  if (FReport != nullptr)
    FReport->GeometryChanged();
}

void TZRMargins::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TZRMargins*>(Source)) {
    FLeft = other->FLeft;
    FTop = other->FTop;
    FRight = other->FRight;
    FBottom = other->FBottom;
    if (FReport != nullptr)
      FReport->GeometryChanged();
    return;
  }
  TPersistent::Assign(Source);
}

BEGIN_PUBLISHED(TZRColumns)
  PROPERTY(Count, Count, SetCount).Default(1),
  PROPERTY(Space, Space, SetSpace).Default(2),
END_PUBLISHED

void TZRColumns::Set(int& Item, int Value) {
  Item = Value <= 0 ? 1 : Value;
  if (FReport != nullptr)
    FReport->GeometryChanged();
}

void TZRColumns::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TZRColumns*>(Source)) {
    FCount = other->FCount;
    FSpace = other->FSpace;
    if (FReport != nullptr)
      FReport->GeometryChanged();
    return;
  }
  TPersistent::Assign(Source);
}

// ---- Making the document ------------------------------------------------------------------
bool CreateReportPrinter(IZReport* Report) {
  if (Report->IsRunning())
    return false;
  if (TZRPrinter* old = Report->FetchPrinter()) {
    delete old;
    Report->AttachPrinter(nullptr);
  }
  auto* document = new TZRPrinter(Report);
  if (ProgressFormFactory)
    ProgressFormFactory(*document);
  return true;
}

namespace {

// Frees the document of a run on every way out of it.
struct DocumentOfRun {
  IZReport& Report;
  ~DocumentOfRun() {
    delete Report.FetchPrinter();
    Report.AttachPrinter(nullptr);
  }
};

// The common end of Preview and Print once the pages are built: the
// preview stays until it is closed; printing writes the output unless the
// run was cancelled.
void FinishRun(IZReport& Report, bool AsPreview) {
  TZRPrinter* document = Report.FetchPrinter();
  if (document == nullptr)
    return;
  document->ShowAfterBuild();
  if (AsPreview) {
    while (Report.FetchPrinter() != nullptr && Report.FetchPrinter()->PreviewForm() != nullptr &&
           Application != nullptr && !Application->Terminated())
      Application->HandleMessage();
  } else if (document->State() == TZRDocumentState::Done) {
    // A report whose BeforePrint declined has no document to write.
    document->Output();
  }
}

void StartRun(IZReport& Report, bool AsPreview, bool ShowProgress) {
  TZRPrinter* document = Report.FetchPrinter();
  if (AsPreview)
    document->CreatePreviewForm();
  else if (ShowProgress && document->ProgressForm() != nullptr)
    document->ProgressForm()->ShowForm();
}

// A whole run of a report or composite: its document made (nothing when one
// is running), the forms started, the pages built, then previewed or
// written; the running mark and the document go on every way out.
template <class TBuild>
void RunDocument(IZReport& Report, bool& Running, bool AsPreview, bool ShowProgress, TBuild Build) {
  if (!CreateReportPrinter(&Report))
    return;
  DocumentOfRun run{Report};
  Running = true;
  struct Clear {
    bool& Flag;
    ~Clear() { Flag = false; }
  } clear{Running};
  StartRun(Report, AsPreview, ShowProgress);
  Build();
  FinishRun(Report, AsPreview);
}

}  // namespace

// ---- TZReport -----------------------------------------------------------------------------
BEGIN_PUBLISHED(TZReport)
  PROPERTY(Left, PixelLeft, SetPixelLeft),
  PROPERTY(Top, PixelTop, SetPixelTop),
  PROPERTY(Bands, Bands, SetBands),
  PROPERTY(Columns, Columns, SetColumns),
  PROPERTY(DataOptions, DataOptions, SetDataOptions),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(Font, Font, SetFont),
  PROPERTY(Options, Options, SetOptions),
  PROPERTY(Title, Title, SetTitle),
  PROPERTY(RunTimeVisible, RunTimeVisible, SetRunTimeVisible).Default(false),
  PROPERTY(Margins, Margins, SetMargins),
  PROPERTY(PrintIfEmpty, PrintIfEmpty, SetPrintIfEmpty).Default(false),
  PROPERTY(ShowProgress, ShowProgress, SetShowProgress).Default(true),
  PROPERTY(OnDataStart, OnDataStart, OnDataStart),
  PROPERTY(OnDataNext, OnDataNext, OnDataNext),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
  PROPERTY(OnNewPage, OnNewPage, OnNewPage),
  PROPERTY(OnEndPage, OnEndPage, OnEndPage),
  PROPERTY(OnGetFileName, OnGetFileName, OnGetFileName),
  PROPERTY(OnPrintStart, OnPrintStart, OnPrintStart),
  PROPERTY(OnPrintFinish, OnPrintFinish, OnPrintFinish),
END_PUBLISHED

// A page of 76 characters by 60 lines.
TZReport::TZReport(TComponent* AOwner)
    : TZRCustomController(AOwner), FBands(std::make_unique<TZReportBands>(this)),
      FColumns(std::make_unique<TZRColumns>(this)), FMargins(std::make_unique<TZRMargins>(this)),
      FOptions(std::make_unique<TZReportOptions>()) {
  MakeOwnReport();
  SetColor(clAppWorkSpace);
  Font()->SetName("Courier New");
  SetWidth(76);
  SetHeight(60);
  FMinimizeButton = new TSpeedButton(this);
  FMinimizeButton->Font()->SetName("Wingdings");
  FMinimizeButton->Font()->SetCharset(SYMBOL_CHARSET);
  FMinimizeButton->SetBounds(0, 0, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  FMinimizeButton->SetCaption("\xA7");
  FMinimizeButton->OnClick = [this](TObject*) {
    if (!FRunTimeVisible)
      SetMinimized(!FMinimized);
  };
  FMinimizeButton->SetParent(this);
}

TZReport::~TZReport() {
  delete FPrinter;
}

void TZReport::SetPixelLeft(int Value) {
  TCustomControl::SetBounds(Value, TControl::Top(), TControl::Width(), TControl::Height());
}

void TZReport::SetPixelTop(int Value) {
  TCustomControl::SetBounds(TControl::Left(), Value, TControl::Width(), TControl::Height());
}

// A handler that fails is not passed over: the run stops with its error
// rather than write to a name nobody chose.
AnsiString TZReport::FetchFileName() {
  AnsiString name = FOptions->FileName();
  if (OnGetFileName)
    OnGetFileName(this, name);
  return name;
}

void TZReport::DoPrintStart() {
  if (OnPrintStart)
    OnPrintStart(this);
}

void TZReport::DoPrintFinish() {
  if (OnPrintFinish)
    OnPrintFinish(this);
}

void TZReport::Run(bool AsPreview) {
  RunDocument(*this, FRunning, AsPreview, FShowProgress, [this] { BuildReport(false); });
}

void TZReport::Preview() { Run(true); }
void TZReport::Print() { Run(false); }

// ---- Geometry -----------------------------------------------------------------------------
int TZReport::PageWidth() const { return FPrinter != nullptr ? FPrinter->Report()->PageWidthInChars() : Width(); }
int TZReport::PageHeight() const { return FPrinter != nullptr ? FPrinter->Report()->PageHeightInLines() : Height(); }

int TZReport::ColumnWidth() const {
  const int count = FColumns->Count();
  return (PageWidth() - FMargins->Left() - FMargins->Right() - (count - 1) * FColumns->Space()) / count;
}

int TZReport::ColumnHeight() const { return PageHeight() - FMargins->Top() - FMargins->Bottom(); }

int TZReport::RoomLeftWidth() const {
  return (ColumnWidth() + FColumns->Space()) * ColumnIndex + FMargins->Left() - FColumns->Space() - CurrentX;
}

int TZReport::RoomLeftHeight() const { return FMargins->Top() + ColumnHeight() - CurrentY; }

// ---- Design-time arrangement -------------------------------------------------------------
void TZReport::UpdateLayout() {
  TZRCustomController::UpdateLayout();
  ArrangeDesign();
}

void TZReport::StructureNotice(TZRStructureNotice Code, TZReportControl* Sender) {
  TZRCustomController::StructureNotice(Code, Sender);
  ArrangeDesign();
}

void TZReport::ArrangeDesign() {
  if (FArranging || !Designing() || Printing() || ComponentState().Contains(csLoading) ||
      ComponentState().Contains(csDestroying))
    return;
  FArranging = true;
  struct Clear {
    bool& Flag;
    ~Clear() { Flag = false; }
  } clear{FArranging};
  int line = FMargins->Top() + (IsMinimized() ? 10 : 0);
  ArrangeController(*this, line);
  if (line + FMargins->Bottom() > Height())
    SetHeight(line + FMargins->Bottom());
}

void TZReport::ArrangeController(TZRCustomController& Controller, int& Line) {
  for (TZRBandType kind : {zbtPageHeader, zbtHeader, zbtColumnHeader, zbtDetailHeader, zbtDetail, zbtDetailFooter,
                           zbtColumnFooter, zbtFooter, zbtPageFooter})
    if (TZRCustomBand* band = Controller.FindBand(kind))
      ArrangeBand(*band, Line);
}

void TZReport::ArrangeBand(TZRCustomBand& Band, int& Line) {
  const TZRBandType kind = Band.BandType();
  const bool pageWide = Band.Controller() == this &&
                        (kind == zbtPageHeader || kind == zbtPageFooter || (kind == zbtHeader && Band.ParentControl() == this));
  Band.SetLeft(FMargins->Left());
  Band.SetTop(Line);
  Band.SetWidth(pageWide ? Width() - FMargins->Left() - FMargins->Right() : ColumnWidth());
  Line += Band.Height();
  if (TZRCustomBand* child = Band.ChildBand())
    ArrangeBand(*child, Line);
  if (TZRCustomController* sub = Band.SubController())
    ArrangeController(*sub, Line);
}

// ---- The run ------------------------------------------------------------------------------
void TZReport::BuildReport(bool Part) {
  DoBeforePrint();
  if (!PrintFlag())
    return;
  try {
    if (!Part)
      FPrinter->BeginDoc();
    Prepare();
    try {
      if (!Part) {
        LastPage = false;
        NewPage();
      } else if (FStartPageInBuild) {
        NewPage();
      }
      try {
        Print(FMargins->Left(), FMargins->Top());
      } catch (...) {
        ClearPrintFlag();
        throw;
      }
      if (!Part) {
        LastPage = true;
        EndPage();
      }
    } catch (...) {
      Unprepare();
      throw;
    }
    Unprepare();
    DoAfterPrint();
  } catch (...) {
    // A run that failed leaves no document that could be printed as if whole.
    if (!Part && FPrinter != nullptr)
      FPrinter->Cancel();
    throw;
  }
  if (Part || FPrinter == nullptr)
    return;
  if (FPrinter->IsCancelled())
    FPrinter->Cancel();
  else
    FPrinter->EndDoc();
}

void TZReport::Print(int, int) { Execute(); }

void TZReport::SetMinimized(bool Value) {
  if (FMinimized == Value)
    return;
  FMinimized = Value;
  FMinimizeButton->SetCaption(Value ? "\xA8" : "\xA7");
  ApplyPixelBounds();
  ArrangeDesign();
  Invalidate();
}

void TZReport::DefineProperties(TFiler& Filer) {
  TZRCustomController::DefineProperties(Filer);
  Filer.DefineProperty(
      "Minimized", [this](TReader& r) { SetMinimized(r.ReadBoolean()); },
      [this](TWriter& w) { w.WriteBoolean(FMinimized); }, FMinimized);
}

// The page as the bands stand on it: the grid, then the margins as a
// rectangle and, with several columns, dashed red lines where each column
// ends and the next begins. Minimized: the report's picture in a raised frame.
void TZReport::PaintDesign() {
  if (FMinimized) {
    PaintMinimized();
    return;
  }
  TZRCustomController::PaintDesign();
  TCanvas& canvas = *Canvas();
  const TZRCharMetrics cell = GetCharMetrics();
  const int left = FMargins->Left() * cell.Width, top = FMargins->Top() * cell.Height;
  const int right = (Width() - FMargins->Right()) * cell.Width, bottom = (Height() - FMargins->Bottom()) * cell.Height;
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(clWindowText);
  canvas.Pen().SetWidth(2);
  canvas.Rectangle(left, top, right + 1, bottom + 1);
  if (FColumns->Count() <= 1)
    return;
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(psDash);
  canvas.Pen().SetColor(clRed);
  const int step = ColumnWidth() + FColumns->Space();
  for (int column = 1; column < FColumns->Count(); ++column) {
    const int start = FMargins->Left() + step * column;
    for (int x : {(start - FColumns->Space()) * cell.Width, start * cell.Width}) {
      canvas.MoveTo(x, top);
      canvas.LineTo(x, bottom);
    }
  }
  canvas.Pen().SetStyle(psSolid);
}

// The picture is the bitmap resource named after the class, see-through
// where it is magenta; a program without it shows the frame alone.
void TZReport::PaintMinimized() {
  TCanvas& canvas = *Canvas();
  RECT client = ClientRect();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(client);
  ::DrawEdge(canvas.Handle(), &client, EDGE_RAISED, BF_RECT);
  TBitmap picture;
  try {
    picture.LoadFromResourceName(::GetModuleHandleW(nullptr), ClassName());
  } catch (const EResNotFound&) {
    return;
  }
  picture.SetTransparent(true);
  canvas.Draw((ClientWidth() - picture.Width()) / 2, (ClientHeight() - picture.Height()) / 2, picture);
}

void TZReport::Loaded() {
  TZRCustomController::Loaded();
  if (!Designing() && !FRunTimeVisible)
    TControl::SetVisible(false);
}

void TZReport::Prepare() {
  TZRCustomController::Prepare();
  FormatContent();
}

void TZReport::NewPage() {
  if (FInNewPage)
    return;
  FInNewPage = true;
  struct Clear {
    bool& Flag;
    ~Clear() { Flag = false; }
  } clear{FInNewPage};
  EndPage();
  FPrinter->NewPage();
  CurrentX = FMargins->Left();
  CurrentY = FMargins->Top();
  ColumnIndex = 0;
  if (OnNewPage && !Designing())
    OnNewPage(this);
  if (!Continuous() && (PageNumber() > 1 || RunOptions().FirstPageHeader()))
    PrintBand(FindBand(zbtPageHeader));
  ColumnTop = CurrentY;
  BeginColumn();
}

void TZReport::EndPage() {
  if (FInEndPage || PageNumber() == 0)
    return;
  FInEndPage = true;
  struct Clear {
    bool& Flag;
    ~Clear() { Flag = false; }
  } clear{FInEndPage};
  EndColumn();
  TZRCustomBand* footer = FindBand(zbtPageFooter);
  if (!Continuous() && footer != nullptr && footer->Enabled() && footer->Visible()) {
    footer->UpdateLayout();
    CurrentX = FMargins->Left();
    CurrentY = PageHeight() - FMargins->Bottom() - footer->Height();
    if (!LastPage || RunOptions().LastPageFooter())
      PrintBand(footer);
  }
  if (OnEndPage && !Designing())
    OnEndPage(this);
}

// Only the report's own column header or footer printing blocks a column
// change: the one NewPage and EndPage make must run, so the footers close
// the page that overflowed and the next page starts in its first column
// with its column header.
void TZReport::BeginColumn() {
  if (InBeginColumn || InEndColumn)
    return;
  if ((ColumnIndex == 1 && Continuous()) || ColumnIndex >= FColumns->Count()) {
    NewPage();
    return;
  }
  EndColumn();
  CurrentX = FMargins->Left() + (ColumnWidth() + FColumns->Space()) * ColumnIndex;
  CurrentY = ColumnTop;
  ++ColumnIndex;
  BandPrinted = false;
  if (PageNumber() > 1 || ColumnIndex > 1)
    TZRCustomController::BeginColumn();
}

void TZReport::EndColumn() {
  if (InBeginColumn || InEndColumn)
    return;
  if (ColumnIndex > 0 && FColumns->Count() >= ColumnIndex)
    TZRCustomController::EndColumn();
}

void TZReport::UpdateProgress() {
  const int total = RecordTotal();
  if (FPrinter != nullptr)
    FPrinter->SetProgress(total > 0 ? RecordNumber * 100 / total : 0);
  if (Application != nullptr)
    Application->ProcessMessages();
}

namespace {

bool BreaksAround(TZRBandType Kind) {
  return Kind != zbtPageHeader && Kind != zbtColumnHeader && Kind != zbtDetailHeader && Kind != zbtPageFooter;
}

// Column changes until the page number grows; a change that cannot start a
// page (a column change already running) ends the tries.
void BreakPage(TZReport& Report, TZRCustomController& Owner) {
  const int page = Report.PageNumber();
  for (int tries = 0; tries <= Report.Columns()->Count() && Report.PageNumber() == page; ++tries)
    Owner.BeginColumn();
}

}  // namespace

void TZReport::PrintBand(TZRCustomBand* Band) {
  if (Band == nullptr || !Band->Enabled())
    return;
  Band->DoBeforePrint();
  if (Band->PrintFlag()) {
    auto& owner = Band->IsController() ? static_cast<TZRCustomController&>(*Band) : *Band->Controller();
    const TZRBandType kind = Band->BandType();
    const bool breaks = !Continuous() && BreaksAround(kind);
    const TZRForceKind force = Band->ForceKind();
    if (breaks && !owner.StepBands.Contains(zbtHeader) && owner.BandPrinted) {
      if (force.Contains(zfkPageBefore))
        BreakPage(*this, owner);
      else if (force.Contains(zfkColumnBefore))
        owner.BeginColumn();
    }
    if (kind != zbtPageHeader && kind != zbtPageFooter) {
      int room = RoomLeftHeight() - Band->Height();
      if (!Continuous())
        room -= owner.FooterReserve(Band);
      if (room < 0)
        owner.BeginColumn();
    }
    try {
      Band->Print(CurrentX, CurrentY);
    } catch (...) {
      Band->ClearPrintFlag();
      throw;
    }
    CurrentY += Band->Height();
    // A controller printing as its own detail band has printed in its own
    // column too: its forced breaks count from here.
    if (Band->IsController() && &owner != this)
      owner.BandPrinted = !(owner.InBeginColumn || owner.InEndColumn);
    if (kind == zbtHeader && &owner == this)
      ColumnTop += Band->Height();
    if (breaks && !owner.StepBands.Contains(zbtFooter) && owner.BandPrinted) {
      if (force.Contains(zfkColumnAfter))
        owner.BeginColumn();
      else if (force.Contains(zfkPageAfter))
        BreakPage(*this, owner);
    }
    Band->DoAfterPrint();
  }
  if (TZRCustomBand* child = Band->ChildBand())
    PrintBand(child);
  if (TZRCustomController* sub = Band->SubController())
    sub->Execute();
}

// ---- TZRComposite -------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRComposite)
  PROPERTY(Font, Font, SetFont),
  PROPERTY(Options, Options, SetOptions),
  PROPERTY(Title, Title, SetTitle),
  PROPERTY(PageWidth, PageWidth, SetPageWidth).Default(76),
  PROPERTY(PageHeight, PageHeight, SetPageHeight).Default(60),
  PROPERTY(ShowProgress, ShowProgress, SetShowProgress).Default(true),
  PROPERTY(OnAddReports, OnAddReports, OnAddReports),
  PROPERTY(OnGetFileName, OnGetFileName, OnGetFileName),
  PROPERTY(OnPrintStart, OnPrintStart, OnPrintStart),
  PROPERTY(OnPrintFinish, OnPrintFinish, OnPrintFinish),
END_PUBLISHED

TZRComposite::TZRComposite(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FOptions(std::make_unique<TZReportOptions>()) {
  FFont->SetName("Courier New");
}

TZRComposite::~TZRComposite() { delete FPrinter; }

AnsiString TZRComposite::FetchFileName() {
  AnsiString name = FOptions->FileName();
  if (OnGetFileName)
    OnGetFileName(this, name);
  return name;
}

void TZRComposite::DoPrintStart() {
  if (OnPrintStart)
    OnPrintStart(this);
}

void TZRComposite::DoPrintFinish() {
  if (OnPrintFinish)
    OnPrintFinish(this);
}

void TZRComposite::Run(bool AsPreview) {
  RunDocument(*this, FRunning, AsPreview, FShowProgress, [this] { Build(); });
}

void TZRComposite::Preview() { Run(true); }
void TZRComposite::Print() { Run(false); }

// A failing report cancels the document, so nothing half built is printed,
// and its error still reaches the caller.
void TZRComposite::Build() {
  FReports.clear();
  if (OnAddReports)
    OnAddReports(this);
  if (FReports.empty())
    return;
  FRunning = true;
  try {
    FPrinter->BeginDoc();
    BuildReports();
  } catch (...) {
    FRunning = false;
    if (FPrinter != nullptr)
      FPrinter->Cancel();
    throw;
  }
  FRunning = false;
}

namespace {

// Lends the document to one report for as long as it builds.
struct LentDocument {
  TZReport& Report;
  LentDocument(TZReport& R, TZRPrinter* Document) : Report(R) { Report.AttachPrinter(Document); }
  ~LentDocument() { Report.AttachPrinter(nullptr); }
};

}  // namespace

void TZRComposite::BuildReports() {
  int line = FReports.front()->Margins()->Top();
  int columns = FReports.front()->Columns()->Count();
  int columnIndex = 1;
  // The last report that printed: it closes the last page.
  TZReport* printed = nullptr;
  for (TZReport* each : FReports) {
    if (FPrinter == nullptr || FPrinter->IsCancelled())
      break;
    TZReport& report = *each;
    LentDocument lent(report, FPrinter);
    const bool newPage = printed == nullptr || (FOptions->PaperType() != zptContinuous && columns > 1);
    report.FStartPageInBuild = newPage;
    report.LastPage = false;
    if (newPage) {
      // The page before is closed with this report's page footer only.
      report.ColumnIndex = 0;
    } else {
      report.CurrentX = report.Margins()->Left();
      report.CurrentY = line;
      report.ColumnIndex = columnIndex;
      // Its columns start on its own first line, below what the reports
      // before it printed on this page.
      report.ColumnTop = line;
    }
    struct Clear {
      bool& Flag;
      ~Clear() { Flag = false; }
    } clear{report.FStartPageInBuild};
    report.BuildReport(true);
    // A report that declined to print is left out: the next one takes its
    // place on the page.
    if (!report.PrintFlag())
      continue;
    printed = &report;
    line = report.CurrentY;
    columnIndex = report.ColumnIndex;
    columns = report.Columns()->Count();
  }
  // Without a printed report there is no page to write.
  if (FPrinter->IsCancelled() || printed == nullptr) {
    FPrinter->Cancel();
    return;
  }
  TZReport& last = *printed;
  LentDocument lent(last, FPrinter);
  last.LastPage = true;
  last.EndPage();
  last.LastPage = false;
  FPrinter->EndDoc();
}

void RegisterZReportClasses() {
  RegisterClasses({TZReport::StaticClass(), TZRBand::StaticClass(), TZRSubDetail::StaticClass(),
                   TZRField::StaticClass(), TZRAggregator::StaticClass(), TZRComposite::StaticClass()});
  // A text layout holds labels too; registering the report alone must be
  // enough to read one.
  RegisterZRLabelClasses();
}

// The data loop of a controller: it walks its data set one record ahead of
// what it prints, so the last detail prints in the same step as the footers,
// and decides in every step which of its bands print. Every band goes
// through the report's page flow (TZReport::PrintBand).
#include <utility>

#include "textreport/engine/zrbands.h"
#include "textreport/engine/zreport.h"

namespace {

TZReport& ReportOf(const TZRCustomController& Controller) {
  return *static_cast<TZReport*>(Controller.Report());
}

bool Cancelled(const TZRCustomController& Controller) {
  TZRPrinter* document = Controller.Report() != nullptr ? Controller.Report()->Document() : nullptr;
  return document != nullptr && document->IsCancelled();
}

// A kind and every kind it brings along: a header opens the column and
// detail headers, a footer closes the column and detail footers.
void IncludeBand(TZRBandTypes& Set, TZRBandType Kind) {
  Set = Set + TZRBandTypes{Kind};
  const std::pair<TZRBandType, TZRBandType> rules[] = {
      {zbtPageHeader, zbtColumnHeader},  {zbtPageFooter, zbtColumnFooter},  {zbtHeader, zbtColumnHeader},
      {zbtFooter, zbtColumnFooter},      {zbtHeader, zbtGroupHeader},       {zbtFooter, zbtGroupFooter},
      {zbtColumnHeader, zbtDetailHeader}, {zbtColumnFooter, zbtDetailFooter}, {zbtGroupHeader, zbtDetailHeader},
      {zbtGroupFooter, zbtDetailFooter}};
  for (const auto& [from, to] : rules)
    if (Set.Contains(from))
      Set = Set + TZRBandTypes{to};
}

struct Guard {
  bool& Flag;
  explicit Guard(bool& F) : Flag(F) { Flag = true; }
  ~Guard() { Flag = false; }
};

// The lines a band takes with its content formatted, and those of its
// child bands (a child of an invisible band still prints).
int ListedHeight(TZRCustomBand* Band) {
  int height = 0;
  for (; Band != nullptr; Band = Band->ChildBand()) {
    if (!Band->Enabled())
      break;
    if (Band->Visible()) {
      Band->UpdateLayout();
      height += Band->Height();
    }
  }
  return height;
}

}  // namespace

// One step prints the current record; the data set stands one record further
// while the loop looks whether more data follows, then steps back.
class TZRDataLoop {
public:
  explicit TZRDataLoop(TZRCustomController& C) : c(C), report(ReportOf(C)) {}

  void DataStart() {
    c.StepBands = {};
    c.ListedBands = {};
    c.PrintedBands = TZRBandTypes{zbtDetailFooter, zbtColumnFooter};
    TDataSet* data = c.DataSet();
    if (data != nullptr && c.DataOptions()->AutoOpen())
      data->Open();
    c.RecordNumber = 0;
    c.RecordCount = 0;
    c.HasData = false;
    c.ResetVariables();
    if (data != nullptr && data->Active()) {
      if (c.DataOptions()->RangeBegin() != zrbCurrent)
        data->First();
      c.HasData = !data->IsEmpty();
      c.RecordCount = data->RecordCount();
    }
    if (c.OnDataStart && !c.Designing())
      c.OnDataStart(&c, c.HasData);
    AfterMove();
    IncludeBand(c.StepBands, zbtHeader);
  }

  void DataEnd() {
    c.StepBands = {};
    c.ListedBands = TZRBandTypes{zbtColumnHeader, zbtDetailHeader};
    c.PrintedBands = TZRBandTypes{zbtDetailFooter, zbtColumnFooter};
    c.RecordNumber = 0;
    c.RecordCount = 0;
    if (c.DataSet() != nullptr && c.DataOptions()->AutoOpen())
      c.DataSet()->SetActive(c.WasActive);
  }

  void Step() {
    c.UpdateProgress();
    TDataSet* data = c.DataSet();
    c.HasData = false;
    if (data != nullptr && data->Active()) {
      c.HasData = true;
      if (c.DataOptions()->RangeEnd() == zreCurrent)
        c.HasData = data->Bookmark() != c.RangeBookmark;
      if (c.HasData) {
        data->Next();
        c.HasData = !data->Bof() && !data->Eof();
      }
    }
    if (c.OnDataNext && !c.Designing())
      c.OnDataNext(&c, c.HasData);
    AfterMove();
    const bool moved = c.HasData && data != nullptr && data->Active();
    if (moved) {
      data->Prior();
      c.StepVariablesBack();
      --c.RecordNumber;
      std::swap(c.StepBands, c.NextBands);
    }
    if (c.NextBands.Contains(zbtGroupHeader))
      IncludeBand(c.StepBands, zbtGroupFooter);
    PrintStep();
    if (moved) {
      data->Next();
      c.StepVariablesForward();
      ++c.RecordNumber;
      std::swap(c.StepBands, c.NextBands);
    }
  }

private:
  void AfterMove() {
    TZRBandType kind = zbtFooter;
    if (c.HasData) {
      c.NextBands = c.StepBands;
      c.StepBands = {};
      c.MoveVariables();
      ++c.RecordNumber;
      kind = zbtDetail;
    }
    IncludeBand(c.StepBands, kind);
  }

  void List(TZRBandType Kind) {
    if (!c.StepBands.Contains(Kind))
      return;
    TZRCustomBand* band = c.FindBand(Kind);
    if (band == nullptr || !band->Enabled())
      return;
    c.PrintList.push_back(band);
    c.ListedBands = c.ListedBands + TZRBandTypes{band->PrintType()};
  }

  int Room() const { return report.RoomLeftHeight() - c.ListHeight; }

  void MeasureList() {
    TZRCustomController* master = c.MasterController();
    c.ListHeight = master != nullptr && c.StepBands.Contains(zbtFooter) ? master->ListHeight : 0;
    for (TZRCustomBand* band : c.PrintList)
      c.ListHeight += ListedHeight(band);
  }

  void PrintStep() {
    if (Cancelled(c))
      return;
    c.ListedBands = {};
    c.PrintList.clear();
    for (TZRBandType kind : {zbtPageHeader, zbtHeader, zbtColumnHeader, zbtDetailHeader, zbtDetail, zbtDetailFooter,
                             zbtColumnFooter, zbtFooter, zbtPageFooter})
      List(kind);
    if (!report.Continuous()) {
      MeasureList();
      if (Room() < 0) {
        c.BeginColumn();
        MeasureList();
      }
      if (Room() - c.FooterReserve(nullptr) < 0)
        c.BeginColumn();
    }
    for (TZRCustomBand*& band : c.PrintList) {
      if (band == nullptr)
        continue;
      c.ListHeight -= band->Height();
      report.PrintBand(band);
      c.ListedBands = c.ListedBands - TZRBandTypes{band->PrintType()};
      band = nullptr;
    }
  }

  TZRCustomController& c;
  TZReport& report;
};

void TZRCustomController::Execute() {
  if (Executing || !Enabled())
    return;
  Guard running(Executing);
  TZRDataLoop loop(*this);
  try {
    loop.DataStart();
    if (PrintIfEmpty() || HasData) {
      do
        loop.Step();
      while (!Cancelled(*this) && HasData);
    }
  } catch (...) {
    loop.DataEnd();
    throw;
  }
  loop.DataEnd();
}

void TZRCustomController::BeginColumn() {
  if (InBeginColumn)
    return;
  Guard changing(InBeginColumn);
  if (!IsReport())
    EndColumn();
  if (TZRCustomController* master = MasterController())
    master->BeginColumn();
  TZReport& report = ReportOf(*this);
  if (report.Continuous())
    return;
  PrintedBands = {};
  if (!ListedBands.Contains(zbtColumnHeader))
    report.PrintBand(FindBand(zbtColumnHeader));
  if ((ListedBands.Contains(zbtDetail) || ListedBands.Contains(zbtDetailFooter)) &&
      !ListedBands.Contains(zbtDetailHeader))
    report.PrintBand(FindBand(zbtDetailHeader));
}

void TZRCustomController::EndColumn() {
  if (InEndColumn)
    return;
  {
    Guard changing(InEndColumn);
    TZReport& report = ReportOf(*this);
    if (!report.Continuous()) {
      if (!PrintedBands.Contains(zbtDetailFooter))
        report.PrintBand(FindBand(zbtDetailFooter));
      if (!PrintedBands.Contains(zbtColumnFooter))
        report.PrintBand(FindBand(zbtColumnFooter));
    }
  }
  if (TZRCustomController* master = MasterController())
    master->EndColumn();
}

int TZRCustomController::FooterReserve(TZRCustomBand* Excluded) {
  TZRCustomController* master = MasterController();
  int reserve = master != nullptr ? master->FooterReserve(Excluded) : 0;
  for (TZRBandType kind : {zbtDetailFooter, zbtColumnFooter, zbtPageFooter}) {
    TZRCustomBand* band = FindBand(kind);
    if (band == nullptr || band == Excluded || !band->Enabled() || !band->Visible())
      continue;
    // A footer in the step's list is counted with the list already.
    const TZRBandType header = PairedKind(kind);
    if (ListedBands.Contains(kind) ||
        (PrintedBands.Contains(kind) && !ListedBands.Contains(header) && !PrintedBands.Contains(header)))
      continue;
    band->UpdateLayout();
    reserve += band->Height();
  }
  return reserve;
}

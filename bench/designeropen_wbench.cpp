// The designer on a large layout, beside the report runner in the same run.
// The layout is generated first: 3 graphic A4 pages (Report1..Report3),
// each with a title band and a detail band holding 300 printables in a grid
// (labels, data texts bound by their hints, expressions, shapes and system
// data in turn), written by a design stage as the designer writes layouts.
// Then, in rounds, median of each:
//   - the runner: its form created, and its load of the file (the stage's
//     LoadFromFile, the first step of a run);
//   - the designer opened on the file as DesignReport opens it, up to the
//     first paint: the form created, shown (its show loads the file, covers
//     the layout's controls for design and applies the first tab), and every
//     pending paint of the form and its children done;
//   - a page switch in the open designer: the next tab made current, the
//     tab change handled (pages hidden and shown, the stage sized) and
//     painted.
// Goal: opening at most 3 times the runner's load, a page switch at most the
// runner's load. Run inside the test desktop:
//   cmake --build build/win --target designeropen_wbench
//   tools/desktop build/win/bench/designeropen_wbench.exe
// bench-deps (Windows): dozuri_appshell psapi
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "design/dsnregister.h"
#include "design/dsnunit.h"
#include "layouts/dizaynanaf.h"
#include "layouts/dizaynpreview.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/qrsysdata.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"

namespace {

constexpr int kPages = 3;
constexpr int kPrintablesPerPage = 300;
constexpr int kRounds = 5;
// The grid of printables on a page: columns of 60 pixels, rows of 36; the
// first two rows on the title band, the rest on the detail band.
constexpr int kColumns = 12;
constexpr int kTitleRows = 2;
constexpr int kCellWidth = 60;
constexpr int kCellHeight = 36;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// ---- The layout --------------------------------------------------------

TQRBand* AddBenchBand(TForm& Owner, TQuickRep& Page, const std::string& Name, TQRBandType Kind, int Height) {
  auto* band = new TQRBand(&Owner);
  band->SetName(Name);
  band->SetBandType(Kind);
  band->SetParent(&Page);
  band->SetHeight(Height);
  return band;
}

// The n-th printable of the layout (n counts over every page, so names stay
// unique): a kind in turn, bound or captioned after n.
TQRPrintable* MakeBenchPrintable(TForm& Owner, int n) {
  const std::string number = std::to_string(n);
  switch (n % 5) {
    case 0: {
      auto* label = new TQRLabel(&Owner);
      label->SetName("QRLabel" + number);
      label->SetCaption("Etiket " + number);
      return label;
    }
    case 1: {
      auto* text = new TQRDBText(&Owner);
      text->SetName("QRDBText" + number);
      text->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN" + std::to_string(1 + n % 20));
      return text;
    }
    case 2: {
      auto* expr = new TQRExpr(&Owner);
      expr->SetName("QRExpr" + number);
      expr->SetExpression("'No ' + '" + number + "'");
      return expr;
    }
    case 3: {
      auto* shape = new TQRShape(&Owner);
      shape->SetName("QRShape" + number);
      shape->SetShape(qrsRectangle);
      return shape;
    }
    default: {
      auto* data = new TQRSysData(&Owner);
      data->SetName("QRSysData" + number);
      data->SetData(qrsDate);
      return data;
    }
  }
}

void AddBenchPage(TForm& Owner, TDsnStage& Stage, int PageNumber, int& Printed) {
  const std::string number = std::to_string(PageNumber);
  auto* page = new TQuickRep(&Owner);
  page->SetName("Report" + number);
  page->SetParent(&Stage);
  const int rows = (kPrintablesPerPage + kColumns - 1) / kColumns;
  TQRBand* title = AddBenchBand(Owner, *page, "TitleBand" + number, rbTitle, kTitleRows * kCellHeight + 8);
  TQRBand* detail =
      AddBenchBand(Owner, *page, "DetailBand" + number, rbDetail, (rows - kTitleRows) * kCellHeight + 8);
  for (int i = 0; i < kPrintablesPerPage; ++i) {
    const int row = i / kColumns, column = i % kColumns;
    TQRPrintable* printable = MakeBenchPrintable(Owner, ++Printed);
    printable->SetParent(row < kTitleRows ? title : detail);
    const int bandRow = row < kTitleRows ? row : row - kTitleRows;
    printable->SetBounds(4 + column * kCellWidth, 4 + bandRow * kCellHeight, kCellWidth - 6, 17);
  }
}

void WriteBenchLayout(const AnsiString& FileName) {
  auto* form = new TForm(nullptr);
  form->SetName("DesignForm");
  auto* stage = new TDsnStage(form);
  stage->SetName("DsnStage1");
  stage->SetParent(form);
  int printed = 0;
  for (int page = 1; page <= kPages; ++page)
    AddBenchPage(*form, *stage, page, printed);
  stage->SaveToFile(FileName);
  form->Free();
}

// ---- Counting what a form holds after a load ------------------------------

struct LoadedCount {
  int Pages = 0;
  int Printables = 0;
  // Printables under a cover agent of the design controller (designer only).
  int Covered = 0;
};

// On a page of the layout: under a graphic page that is no prototype (the
// prototypes of the palette lie on a hidden panel or a page of tag -100).
bool OnLayoutPage(TControl* Control) {
  for (; Control != nullptr; Control = Control->Parent())
    if (dynamic_cast<TQuickRep*>(Control))
      return Control->Tag() != -100;
  return false;
}

// The layout's pages and printables among the form's components (the
// prototypes, tag -100, and what lies on them not counted), and of the
// printables those the controller covers, when one is given.
LoadedCount CountLoaded(TComponent& Form, const TDsnRegister* Controller = nullptr) {
  LoadedCount count;
  for (int i = 0; i < Form.ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(Form.Components(i));
    if (control == nullptr || !OnLayoutPage(control))
      continue;
    if (dynamic_cast<TQuickRep*>(control))
      ++count.Pages;
    else if (dynamic_cast<TQRPrintable*>(control)) {
      ++count.Printables;
      count.Covered += Controller != nullptr && Controller->CoverOf(control) != nullptr;
    }
  }
  return count;
}

// ---- The two sides -----------------------------------------------------

struct RunnerTimes {
  double Create = 0;
  double Load = 0;
  LoadedCount Loaded;
};

RunnerTimes TimeRunnerLoad(const AnsiString& FileName) {
  RunnerTimes times;
  Clock::time_point start = Clock::now();
  auto* runner = new TDizaynPreviewF(nullptr);
  times.Create = MillisecondsSince(start);
  start = Clock::now();
  runner->DsnStage1->LoadFromFile(FileName);
  times.Load = MillisecondsSince(start);
  times.Loaded = CountLoaded(*runner);
  runner->Free();
  return times;
}

void HandleWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Every message waiting, then every pending paint of the form and its children.
void PaintNow(TForm& Form) {
  HandleWaitingMessages();
  RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The designer's stage loading the file while the designer is not shown:
// nothing covered, nothing painted.
double TimeDesignerStageLoad(const AnsiString& FileName) {
  auto* designer = new TDizaynAnaF(Application);
  const Clock::time_point start = Clock::now();
  designer->DsnStage1->LoadFromFile(FileName);
  const double load = MillisecondsSince(start);
  designer->Free();
  HandleWaitingMessages();
  return load;
}

struct DesignerTimes {
  double Create = 0;
  double Show = 0;
  double Paint = 0;
  std::vector<double> Switches;
  LoadedCount Loaded;
  int Tabs = 0;
  double Open() const { return Create + Show + Paint; }
};

DesignerTimes TimeDesigner(const AnsiString& FileName) {
  DesignerTimes times;
  Clock::time_point start = Clock::now();
  auto* designer = new TDizaynAnaF(Application);
  designer->FileName = FileName;
  times.Create = MillisecondsSince(start);
  start = Clock::now();
  designer->Show();
  times.Show = MillisecondsSince(start);
  start = Clock::now();
  PaintNow(*designer);
  times.Paint = MillisecondsSince(start);
  times.Loaded = CountLoaded(*designer, designer->DsnDpRegister1);
  times.Tabs = designer->TabControl1->Tabs()->Count();
  for (int round = 0; round < kRounds && times.Tabs > 1; ++round)
    for (int tab = 1; tab <= times.Tabs; ++tab) {
      start = Clock::now();
      designer->TabControl1->SetTabIndex(tab % times.Tabs);
      designer->TabControl1Change(nullptr);
      PaintNow(*designer);
      times.Switches.push_back(MillisecondsSince(start));
    }
  designer->Hide();
  designer->Free();
  HandleWaitingMessages();
  return times;
}

void PrintRow(const char* What, double Milliseconds, double RunnerLoad, const char* Goal) {
  std::printf("%-44s %10.1f %8.2f  %s\n", What, Milliseconds, Milliseconds / RunnerLoad, Goal);
}

}  // namespace

int main() {
  try {
    SetUpUnits();
    Application->Initialize();
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const AnsiString fileName = AnsiString(folder) + "designeropen_bench.vlp";
    Clock::time_point start = Clock::now();
    WriteBenchLayout(fileName);
    const double written = MillisecondsSince(start);

    std::vector<double> runnerCreate, runnerLoad, stageLoad, open, create, show, paint, switches;
    RunnerTimes runner;
    DesignerTimes designer;
    for (int round = 0; round < kRounds; ++round) {
      runner = TimeRunnerLoad(fileName);
      runnerCreate.push_back(runner.Create);
      runnerLoad.push_back(runner.Load);
      stageLoad.push_back(TimeDesignerStageLoad(fileName));
      designer = TimeDesigner(fileName);
      open.push_back(designer.Open());
      create.push_back(designer.Create);
      show.push_back(designer.Show);
      paint.push_back(designer.Paint);
      switches.insert(switches.end(), designer.Switches.begin(), designer.Switches.end());
    }
    DeleteFileA(fileName.c_str());

    std::printf("layout: %d pages of %d printables, written in %.1f ms\n", kPages, kPrintablesPerPage, written);
    std::printf("runner loaded %d pages, %d printables; designer %d pages, %d printables (%d covered for design), %d tabs\n",
                runner.Loaded.Pages, runner.Loaded.Printables, designer.Loaded.Pages, designer.Loaded.Printables,
                designer.Loaded.Covered, designer.Tabs);
    const double load = Median(runnerLoad);
    std::printf("%-44s %10s %8s  %s\n", "median of rounds", "ms", "x load", "goal");
    PrintRow("runner: form created", Median(runnerCreate), load, "");
    PrintRow("runner: layout loaded (the yardstick)", load, load, "");
    PrintRow("designer: form created", Median(create), load, "");
    PrintRow("designer: shown (load, covering, first tab)", Median(show), load, "");
    PrintRow("  of that, its stage's load alone (not shown)", Median(stageLoad), load, "");
    PrintRow("designer: first paint", Median(paint), load, "");
    const double opened = Median(open), switched = switches.empty() ? 0 : Median(switches);
    PrintRow("designer: opened (created + shown + painted)", opened, load, opened <= 3 * load ? "<= 3: met" : "<= 3: NOT met");
    PrintRow("designer: page switch (median of switches)", switched, load, switched <= load ? "<= 1: met" : "<= 1: NOT met");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "designeropen_wbench: %s\n", e.what());
    return 1;
  }
  return 0;
}

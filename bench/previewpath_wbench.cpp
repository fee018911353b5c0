// The label preview as the user waits for it: from the request after the
// start position ("Yazdır" > "Önizleme Yap") to the preview window with
// page 1 painted. The path is the program's own: the report list file's
// choice of layout, the runner loading and binding the default layout
// (A4, 3 x 7 labels), the report's printer object with its questions to the
// spooler, and the standard preview form, fed while the pages are made.
// For one sheet (5 labels), 1,000 and 10,000 labels (or the counts given)
// it prints the time to page 1 (median of rounds) and the time until the
// preview's run is complete. Goal: page 1 within 300 ms at every size.
// Run inside tools/desktop (the default printer is its PDF queue):
//   tools/desktop build/win/bench/previewpath_wbench.exe resources/etiket.vlp [count...]
// bench-deps (Windows): dozuri_appshell
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/labelbarcodes.h"
#include "app/recordtables.h"
#include "app/shell/unitsetup.h"
#include "classlib/data/field.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/application.h"
#include "classlib/forms/screen.h"
#include "layouts/output/runneroutput.h"
#include "layouts/vtrapor.h"
#include "qrlabelpages.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/preview/qrpreview.h"

namespace {

using namespace qrbench;

constexpr int kRounds = 5;

void FillLabels(TRxMemoryData& Table, int Count) {
  Table.DisableControls();
  for (int i = 1; i <= Count; ++i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "8691234%05d", i);
    Table.Append();
    Table.FieldByName("METIN1")->SetAsString(AnsiString(digits) + Ean13CheckDigit(digits));
    Table.FieldByName("METIN2")->SetAsString("Taze Beyaz Peynir " + std::to_string(i));
    Table.FieldByName("METIN3")->SetAsString(std::to_string(5 + i % 400) + ",50 TL");
    Table.Post();
  }
  Table.First();
  Table.EnableControls();
}

// What one preview request measured, in milliseconds from the request.
struct TWatch {
  LARGE_INTEGER Start{};
  double FirstPage = -1;
  double Complete = -1;
  TQRStandardPreview* Form = nullptr;
};
TWatch gWatch;

TQRStandardPreview* OpenPreview() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* form = dynamic_cast<TQRStandardPreview*>(Screen->Forms(i)))
      return form;
  return nullptr;
}

// Polls the modal preview: page 1 counts once it is painted (a pending
// paint is done here first); the form closes when the run is complete.
void CALLBACK WatchPreview(HWND, UINT, UINT_PTR, DWORD) {
  TQRStandardPreview* form = OpenPreview();
  if (form == nullptr)
    return;
  TQRPreviewImage* image = form->QRPreview->PreviewImage();
  if (gWatch.FirstPage < 0 && image->HasPage() && form->HandleAllocated() && IsWindowVisible(form->Handle())) {
    UpdateWindow(form->Handle());
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    gWatch.FirstPage = Milliseconds(gWatch.Start, qrbench::Now());
  }
  TQRPrinter* printer = form->QRPrinter();
  if (gWatch.FirstPage >= 0 && printer != nullptr && printer->Status() == mpFinished) {
    gWatch.Complete = Milliseconds(gWatch.Start, qrbench::Now());
    form->Close();
  }
}

// The request as the main form makes it once the start position is known.
void RequestPreview(TVtRapor& Rapor, const AnsiString& ListFile, const AnsiString& Layout) {
  gWatch = TWatch{};
  gWatch.Start = qrbench::Now();
  AnsiString chosen;
  Rapor.GetDefaultReport(ListFile, Layout, chosen, false);
  const UINT_PTR timer = SetTimer(nullptr, 0, 5, WatchPreview);
  Rapor.PreviewReport(chosen);
  KillTimer(nullptr, timer);
}

void RunSize(TVtRapor& Rapor, TRxMemoryData& Table, const AnsiString& ListFile, const AnsiString& Layout, int Count) {
  Table.EmptyTable();
  FillLabels(Table, Count);
  std::vector<double> first, complete;
  for (int round = 0; round < kRounds; ++round) {
    RequestPreview(Rapor, ListFile, Layout);
    if (gWatch.FirstPage < 0) {
      std::fprintf(stderr, "previewpath_wbench: page 1 was never shown\n");
      std::exit(1);
    }
    first.push_back(gWatch.FirstPage);
    complete.push_back(gWatch.Complete);
  }
  std::printf("%-7d %-22.1f %-22.1f %.1f\n", Count, Median(first), *std::max_element(first.begin(), first.end()),
              Median(complete));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: previewpath_wbench <etiket.vlp> [count...]\n");
    return 2;
  }
  std::vector<int> counts;
  for (int i = 2; i < argc; ++i)
    counts.push_back(std::atoi(argv[i]));
  if (counts.empty())
    counts = {5, 1000, 10000};
  try {
    SetUpUnits();
    Application->Initialize();
    InstallRunnerOutputPaths();
    TRxMemoryData* table = new TRxMemoryData(nullptr);
    DefineLabelFields(*table);
    table->Open();
    TVtRapor* rapor = new TVtRapor(nullptr);
    rapor->OnGetDataSet = [table](TObject*, AnsiString DataStr, TDataSet*& Gdataset) {
      if (DataStr == "ETIKET")
        Gdataset = table;
    };
    // No report list file: the default layout is the answer, as on a fresh
    // installation.
    const AnsiString listFile = "previewpath-none.ini";
    std::printf("%-7s %-22s %-22s %s\n", "labels", "page 1 ms (median)", "page 1 ms (slowest)", "run complete ms");
    for (int count : counts)
      RunSize(*rapor, *table, listFile, argv[1], count);
    rapor->Free();
    table->Free();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "previewpath_wbench: %s\n", e.what());
    return 1;
  }
  return 0;
}

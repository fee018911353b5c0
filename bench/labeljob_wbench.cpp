// The label job of the main form: N records in the label table printed
// through the default layout (A4, 3 x 7 labels, EAN-13 of METIN1, METIN2 in
// bold, METIN3) by the report runner, as "Yazdır" and "Önizleme Yap" run it.
// For 1,000 and 10,000 records (or the counts given) it reports:
//   - first page: the runner's whole preparation of the pages, which a
//     preview waits for before it shows page 1;
//   - spooler: the print run until the whole job is handed to the spooler
//     (the default printer: the PDF queue in the test desktop);
//   - the moment the print run began, as seconds since 1970 (the clock the
//     print server's files carry), so bench/labeljob.sh can time the job to
//     its finished PDF;
//   - peak memory of the process after each (sizes run in ascending order).
// Records are those of the peer's script (Turkish names, decimal-comma
// prices, EAN-13 codes 8691234nnnnnc). Run inside tools/desktop:
//   tools/desktop build/win/bench/labeljob_wbench.exe resources/etiket.vlp [count...]
// bench/labeljob.sh runs it beside the peer.
// bench-deps (Windows): dozuri_appshell psapi
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/labelbarcodes.h"
#include "app/recordtables.h"
#include "layouts/output/runneroutput.h"
#include "app/shell/unitsetup.h"
#include "classlib/data/field.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/application.h"
#include "layouts/dizaynpreview.h"
#include "layouts/vtrapor.h"

namespace {

const char* const Qualities[] = {"Köy", "Doğal", "Organik", "Taze", "Günlük", "Yerli", "Şef", "İthal", "Çiftlik", "Ege", "Özel", "Ekstra"};
const char* const Nouns[] = {"Çay", "Toz Şeker", "Süt", "Beyaz Peynir", "Kaşar Peyniri", "Zeytinyağı", "Ayçiçek Yağı",
                             "Mercimek", "Bulgur", "Pirinç", "Un", "Makarna", "Yoğurt", "Tereyağı", "Çiçek Balı",
                             "Vişne Reçeli", "Türk Kahvesi", "Lokum", "Helva", "Yumurta", "Sucuk", "Pastırma", "Nohut",
                             "Kuru Fasulye", "Salça", "Kuru İncir", "Fındık", "Fıstık", "Kuru Üzüm", "Kayısı",
                             "Şalgam Suyu", "Ayran", "Maden Suyu", "Çikolata", "Bisküvi", "Gofret", "Deterjan",
                             "Şampuan", "Diş Macunu", "Sabun", "Kağıt Havlu", "Güllaç"};
const char* const Sizes[] = {"250 g", "500 g", "1 kg", "2 kg", "200 ml", "1 L", "2 L", "6'lı"};

void FillLabels(TRxMemoryData& Table, int Count) {
  Table.DisableControls();
  for (int i = 1; i <= Count; ++i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "8691234%05d", i);
    const AnsiString code = AnsiString(digits) + Ean13CheckDigit(digits);
    const int k = (i * 1111 + 17) % (12 * 42 * 8);
    const AnsiString name = AnsiString(Qualities[k % 12]) + " " + Nouns[(k / 12) % 42] + " " + Sizes[k / (12 * 42)];
    const int kurus = 500 + (i * 3779) % 49500;
    char price[32];
    std::snprintf(price, sizeof price, "%d,%02d TL", kurus / 100, kurus % 100);
    Table.Append();
    Table.FieldByName("METIN1")->SetAsString(code);
    Table.FieldByName("METIN2")->SetAsString(name);
    Table.FieldByName("METIN3")->SetAsString(price);
    Table.Post();
  }
  Table.First();
  Table.EnableControls();
}

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Now as seconds since 1970 (Windows counts 100 ns steps from 1601).
double UnixSeconds() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<double>(ticks - 116444736000000000ULL) / 1e7;
}

template <typename F>
double Seconds(F&& Run) {
  const auto start = std::chrono::steady_clock::now();
  Run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void RunJob(const AnsiString& Layout, int Count) {
  TRxMemoryData* table = new TRxMemoryData(nullptr);
  DefineLabelFields(*table);
  table->Open();
  FillLabels(*table, Count);
  TVtRapor* rapor = new TVtRapor(nullptr);
  rapor->OnGetDataSet = [table](TObject*, AnsiString DataStr, TDataSet*& Gdataset) {
    if (DataStr == "ETIKET")
      Gdataset = table;
  };
  int pages = 0;
  // The preparation alone: what a preview does before it shows page 1.
  InstallRunnerOutput([&pages](TDizaynPreviewF& Runner) {
    PrepareRunnerPages(Runner);
    pages = Runner.PageCount();
  });
  const double prepare = Seconds([&] { rapor->PrintReport(Layout); });
  const double afterPrepare = PeakMegabytes();
  InstallRunnerOutputPaths();
  const double printStart = UnixSeconds();
  const double spool = Seconds([&] { rapor->PrintReport(Layout); });
  std::printf("%-7d %-6d %-16.3f %-12.3f %-12.1f %-13.1f %.3f\n", Count, pages, prepare, spool, afterPrepare,
              PeakMegabytes(), printStart);
  std::fflush(stdout);
  rapor->Free();
  table->Free();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: labeljob_wbench <etiket.vlp> [count...]\n");
    return 2;
  }
  std::vector<int> counts;
  for (int i = 2; i < argc; ++i)
    counts.push_back(std::atoi(argv[i]));
  if (counts.empty())
    counts = {1000, 10000};
  try {
    SetUpUnits();
    Application->Initialize();
    std::printf("%-7s %-6s %-16s %-12s %-12s %-13s %s\n", "labels", "pages", "first page s", "spooler s",
                "peak MB prep", "peak MB print", "print start");
    for (int count : counts)
      RunJob(argv[1], count);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "labeljob_wbench: %s\n", e.what());
    return 1;
  }
  return 0;
}

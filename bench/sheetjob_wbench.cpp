// The sheet mode's report job: a 500 x 3 sheet (1,500 labels, 7 rows a page,
// 72 pages) with EAN-13 codes, Turkish names and prices, built into the
// report project and run through the output system as "Önizleme" runs it.
// It reports, in seconds:
//   - first page: from the start of the command until the preview would
//     show page 1 (the project built and every page drawn);
//   - spooler: the same run sent to the default printer (the PDF queue in
//     the test desktop) until the whole job is handed to the spooler;
//   - the moment the print run began, as seconds since 1970, so
//     bench/sheetjob.sh can time the job to its finished PDF.
// Run inside tools/desktop:
//   tools/desktop build/win/bench/sheetjob_wbench.exe [rows]
// bench/sheetjob.sh runs it beside the peer's label job.
// bench-deps (Windows): dozuri_sheetform
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/sheet/sheetreport.h"
#include "reportengine/printer/qrprinter.h"
#include "support/rave/win/rvsystem.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// 869 1234 nnnnn and the check digit.
AnsiString SheetBenchCode(int label) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "8691234%05d", label);
  int sum = 0;
  for (int k = 0; k < 12; ++k)
    sum += (digits[k] - '0') * (k % 2 == 0 ? 1 : 3);
  return AnsiString(digits) + static_cast<char>('0' + (10 - sum % 10) % 10);
}

void FillSheet(TSheetDocument& document, int rows) {
  document.SetCounts(3, rows, 7);
  document.Settings.YaziKullan = true;
  document.Settings.FiyatKullan = true;
  document.Settings.FiyatUst = 28;
  static const char* const names[] = {"Çay", "Toz Şeker", "Beyaz Peynir", "Zeytinyağı", "Türk Kahvesi", "Güllaç"};
  for (int row = 1; row <= rows; ++row)
    for (int column = 1; column <= 3; ++column) {
      const int label = (row - 1) * 3 + column;
      document.Tables.SetCell(stBarkod, row, column, SheetBenchCode(label));
      document.Tables.SetCell(stYazi, row, column, AnsiString(names[label % 6]) + " " + std::to_string(label));
      document.Tables.SetCell(stFiyat, row, column, std::to_string(label % 100) + ",50 TL");
    }
}

// One "Önizleme" run to the destination; the seconds until it is done.
double RunSheetReport(TSheetDocument& document, TRvDestination destination) {
  TRvSystem system;
  system.AskSetup = [destination](TRvSetup& setup) {
    setup.Destination = destination;
    return true;
  };
  system.ShowPreview = [](TQRPrinter&) {};
  const auto start = std::chrono::steady_clock::now();
  TRaveProject project;
  project.Open();
  TSheetReportPage page;
  system.PageSize(page.Width, page.Height);
  TRaveFont font;
  font.Name = "Tahoma";
  font.Size = 8;
  font.Bold = true;
  BuildSheetReport(document, font, page, project);
  system.Execute(project, SheetReportName);
  return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 500;
  TSheetDocument document;
  FillSheet(document, rows);
  const double firstPage = RunSheetReport(document, TRvDestination::Preview);
  const double began = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
  const double spooler = RunSheetReport(document, TRvDestination::Printer);
  std::printf("labels pages first_page_s spooler_s start\n");
  std::printf("%d %d %.3f %.3f %.3f\n", rows * 3, SheetReportPageCount(rows, 7), firstPage, spooler, began);
  return 0;
}

// The Excel import as the user runs it: the form "Excel Veri Transferi" over
// an empty barcode record table, "Metin 1" mapped to column A and "Metin 2"
// to column B, the first row holding titles, and "Bilgileri Aktar" clicked
// on the workbook given (10,000 rows of a 13-digit barcode and a Turkish
// name, written by tests/support/workbook/make_workbook.py). The workbook
// is read by the program's own choice of reader (the built-in one where no
// spreadsheet application is installed, as under Wine).
// It prints the seconds from the click until the transfer is done (the
// final message), the process's peak working set before and after, and the
// number of records appended; then, for comparison, the seconds the same
// reader takes alone to read the cells the transfer reads. Goal: the whole import under 10 s, its memory
// a small multiple of the unpacked worksheet.
// Run inside tools/desktop:
//   tools/desktop build/win/bench/excelimport_wbench.exe kitap.xlsx
// bench/excelimport.sh runs it beside openpyxl's read-only load of the same
// workbook.
// bench-deps (Windows): dozuri_appshell psapi
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/excel/k_excelaktarf.h"
#include "app/recordtables.h"
#include "app/shell/unitsetup.h"
#include "support/workbook/automation/excelworkbookreader.h"
#include "classlib/data/field.h"
#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"

namespace {

double ExcelBenchPeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Ticks a row of the form's mapping grid and gives it a column letter, as
// the user does in the grid.
void MapExcelBenchColumn(TK_ExcelAktarF& form, int row, const AnsiString& letter) {
  form.RxTransfer->SetRecNo(row);
  form.RxTransfer->Edit();
  form.RxTransfer->FieldByName("AKTAR")->SetAsBoolean(true);
  form.RxTransfer->FieldByName("EXCELALANI")->SetAsString(letter);
  form.RxTransfer->Post();
}

// The reader alone over the same cells the transfer reads: how much of the
// transfer is reading the workbook.
double ExcelBenchReaderSeconds(const AnsiString& fileName) {
  const auto start = std::chrono::steady_clock::now();
  std::unique_ptr<workbook::TWorkbookReader> reader = workbook::MakeWorkbookReader();
  reader->OpenWorkbook(fileName);
  reader->OpenWorksheet(1);
  std::size_t characters = 0;
  for (int row = 2, last = reader->LastUsedRow(); row <= last; ++row)
    characters += reader->CellText(row, 1).size() + reader->CellText(row, 2).size();
  reader->Close();
  if (characters == 0)
    std::fprintf(stderr, "excelimport_wbench: the reader read no text\n");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: excelimport_wbench <workbook.xlsx>\n");
    return 2;
  }
  try {
    SetUpUnits();
    Application->Initialize();
    // The messages at the end of the transfer are answered at once.
    TScriptedDialogService dialogs;
    TDialogServiceScope scope(dialogs);
    dialogs.AnswerButton(IDOK).AnswerButton(IDOK);
    auto records = std::make_unique<TRxMemoryData>(nullptr);
    DefineBarcodeRecordFields(*records);
    records->Open();
    auto* form = new TK_ExcelAktarF(nullptr, records.get());
    form->FilenameEdit1->SetFileName(argv[1]);
    MapExcelBenchColumn(*form, 1, "A");
    MapExcelBenchColumn(*form, 2, "B");
    form->Show();
    Application->ProcessMessages();
    const double peakBefore = ExcelBenchPeakMegabytes();
    const auto start = std::chrono::steady_clock::now();
    form->VtWinButton1Click(nullptr);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double peakAfter = ExcelBenchPeakMegabytes();
    const bool done = !dialogs.Records().empty() &&
                      dialogs.Records().back().Text == "Excel den bilgi alma işlemi tamamlandı";
    const int errors = form->Memo1->Lines()->Count();
    records->First();
    const AnsiString first = records->IsEmpty() ? AnsiString() : records->FieldByName("METIN1")->AsString() + " / " +
                                                                    records->FieldByName("METIN2")->AsString();
    std::fprintf(stderr, "excelimport_wbench: first record %s\n", first.c_str());
    // After the peak was taken, so that it is the transfer's alone.
    const double readerSeconds = ExcelBenchReaderSeconds(argv[1]);
    std::printf("records import_s peak_ws_before_mb peak_ws_after_mb cell_errors finished reader_alone_s\n");
    std::printf("%d %.3f %.1f %.1f %d %s %.3f\n", records->RecordCount(), seconds, peakBefore, peakAfter, errors,
                done ? "yes" : "no", readerSeconds);
    form->Free();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "excelimport_wbench: %s\n", e.what());
    return 1;
  }
  return 0;
}

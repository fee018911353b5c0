// bench-deps: dozuri_workbook
// The built-in workbook reader on a 10,000-row, two-column workbook (13-digit
// barcodes stored as numbers and Turkish names, written by openpyxl), side by
// side with openpyxl's read-only mode reading the same file in the same run.
// Goal: the reader faster than openpyxl, its memory a small multiple of the
// unpacked worksheet (counters: the worksheet's unpacked size and the peak
// resident size of this process and of the python children).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/workbook/xlsxreader.h"
#include "support/workbook/zipdirectory.h"

namespace {

const char* const kGenerator = DOZURI_BENCH_DATA "/../../tests/support/workbook/make_workbook.py";
constexpr int kRows = 10000;

const std::string& BenchWorkbook() {
  static const std::string name = [] {
    const std::string path = (std::filesystem::temp_directory_path() / "dozuri_workbook_bench.xlsx").string();
    const std::string command =
        std::string("/usr/bin/python3 '") + kGenerator + "' barcodes '" + path + "' " + std::to_string(kRows);
    if (std::system(command.c_str()) != 0)
      throw std::runtime_error("the workbook generator failed: " + command);
    return path;
  }();
  return name;
}

double PeakKilobytes(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return double(usage.ru_maxrss);
}

void BM_BuiltInReader(benchmark::State& state) {
  const std::string& file = BenchWorkbook();
  std::size_t characters = 0;
  for (auto _ : state) {
    workbook::TXlsxWorkbookReader reader;
    reader.OpenWorkbook(file);
    reader.OpenWorksheet(1);
    const int last = reader.LastUsedRow();
    for (int row = 1; row <= last; ++row)
      characters += reader.CellText(row, 1).size() + reader.CellText(row, 2).size();
    reader.Close();
  }
  benchmark::DoNotOptimize(characters);
  state.counters["rows"] = kRows;
  state.counters["peak_rss_kb"] = PeakKilobytes(RUSAGE_SELF);
}
BENCHMARK(BM_BuiltInReader)->Unit(benchmark::kMillisecond);

void BM_WorksheetUnpackedSize(benchmark::State& state) {
  std::string bytes;
  {
    FILE* in = std::fopen(BenchWorkbook().c_str(), "rb");
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
      bytes.append(buffer, n);
    std::fclose(in);
  }
  std::size_t unpacked = 0;
  for (auto _ : state) {
    workbook::TZipArchive archive(bytes);
    unpacked = archive.Extract(*archive.Find("xl/worksheets/sheet1.xml")).size();
  }
  state.counters["sheet_kb"] = double(unpacked) / 1024;
}
BENCHMARK(BM_WorksheetUnpackedSize)->Unit(benchmark::kMillisecond);

// openpyxl's read-only mode reading every cell's value, in a python child
// (its start-up included, as the reader's set-up is).
void BM_OpenpyxlReadOnly(benchmark::State& state) {
  const std::string command =
      "/usr/bin/python3 -c \"import sys, openpyxl; b = openpyxl.load_workbook(sys.argv[1], read_only=True); "
      "n = sum(len(str(v)) for r in b.worksheets[0].iter_rows(values_only=True) for v in r if v is not None)\" '" +
      BenchWorkbook() + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0)
      state.SkipWithError("openpyxl failed");
  state.counters["child_peak_rss_kb"] = PeakKilobytes(RUSAGE_CHILDREN);
}
BENCHMARK(BM_OpenpyxlReadOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// The barcode record table at 100,000 records: saving the record file, one
// pass of the record filter's rule over every record, and the numbers a
// "record N of M" display asks of a filtered table.
// bench-deps: dozuri_appcore dozuri_data dozuri_classes dozuri_system
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "app/recordfile.h"
#include "app/recordfilter.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/system/codepage.h"

namespace {

constexpr int kRecords = 100000;

// 200 characters: a random Turkish word of 8 letters, then filler.
AnsiString Text(std::mt19937& random) {
  static const AnsiString letters = Utf16ToAnsi(u"abcçdefgğhıijklmnoöprsştuüvyzABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
  AnsiString text(RecordFieldSize, '.');
  for (int i = 0; i < 8; ++i)
    text[i] = letters[random() % letters.size()];
  return text;
}

// The record table with every field filled, as a full record file loads it.
TRxMemoryData& Records() {
  static TRxMemoryData* table = [] {
    auto* t = new TRxMemoryData(nullptr);
    DefineBarcodeRecordFields(*t);
    t->Open();
    std::mt19937 random(1254);
    std::vector<AnsiString> pool(997);
    for (AnsiString& text : pool)
      text = Text(random);
    std::vector<TField*> fields;
    for (int f = 1; f <= RecordFieldCount; ++f)
      fields.push_back(t->FieldByName(RecordFieldName(f)));
    t->DisableControls();
    for (int r = 0; r < kRecords; ++r) {
      t->Append();
      for (int f = 0; f < RecordFieldCount; ++f)
        fields[f]->SetAsString(f == 0 ? Text(random) : pool[(r * 31 + f * 7) % pool.size()]);
      t->Post();
    }
    t->EnableControls();
    return t;
  }();
  return *table;
}

void SaveRecordFile(benchmark::State& state) {
  TRxMemoryData& table = Records();
  const AnsiString name = (std::filesystem::temp_directory_path() / "dozuri-records-bench.bxf").string();
  for (auto _ : state)
    SaveRecordBuffers(table, name);
  std::remove(name.c_str());
  state.SetBytesProcessed(state.iterations() * kRecords * table.RecordSize());
}

// The main form's filter: the rule made from the panel's rows once, then
// each record tested while the table counts the records it shows.
void FilterPassWithTheRule(benchmark::State& state) {
  TRxMemoryData& table = Records();
  const TRecordFilterRule rule(TRecordFilter{{{1, Utf16ToAnsi(u"ş")}, {2, ""}, {3, ""}}});
  table.OnFilterRecord = [&rule](TDataSet* d, bool& accept) { accept = rule.Accepts(*d); };
  table.SetFiltered(true);
  int shown = 0;
  for (auto _ : state) {
    table.FilterInputsChanged();
    shown = table.RecordCount();
    benchmark::DoNotOptimize(shown);
  }
  table.SetFiltered(false);
  table.OnFilterRecord = {};
  state.counters["shown"] = shown;
}

// A "record N of M" display on a filtered table, moving by record number.
void FilteredRecordNumbers(benchmark::State& state) {
  TRxMemoryData& table = Records();
  const TRecordFilterRule rule(TRecordFilter{{{1, "a"}, {2, ""}, {3, ""}}});
  table.OnFilterRecord = [&rule](TDataSet* d, bool& accept) { accept = rule.Accepts(*d); };
  table.SetFiltered(true);
  const int count = table.RecordCount();
  int number = 1;
  for (auto _ : state) {
    number = number * 7 % count + 1;
    table.SetRecNo(number);
    benchmark::DoNotOptimize(table.RecNo());
    benchmark::DoNotOptimize(table.RecordCount());
  }
  table.SetFiltered(false);
  table.OnFilterRecord = {};
}

}  // namespace

BENCHMARK(SaveRecordFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FilterPassWithTheRule)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(FilteredRecordNumbers)->Unit(benchmark::kMicrosecond);

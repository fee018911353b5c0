// The in-memory table at the size of the barcode records: 100,000 records of
// twenty 200-character fields appended and posted, sorted on one field and
// filtered by a prefix of one field.
// bench-deps: dozuri_data dozuri_classes dozuri_system
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kFields = 20;

// A table METIN1..METIN20 of 200 characters each, open and empty.
std::unique_ptr<TRxMemoryData> MakeTable() {
  auto table = std::make_unique<TRxMemoryData>(nullptr);
  for (int i = 1; i <= kFields; ++i)
    table->FieldDefs()->Add("METIN" + std::to_string(i), ftString, 200);
  table->Open();
  return table;
}

// 200 characters: a random Turkish word of 8 letters, then filler.
AnsiString Text(std::mt19937& random) {
  static const AnsiString letters = Utf16ToAnsi(u"abcçdefgğhıijklmnoöprsştuüvyzABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
  AnsiString text(200, '.');
  for (int i = 0; i < 8; ++i)
    text[i] = letters[random() % letters.size()];
  return text;
}

void Fill(TRxMemoryData& table) {
  std::mt19937 random(1254);
  std::vector<TField*> fields;
  for (int i = 0; i < kFields; ++i)
    fields.push_back(table.Fields()[i]);
  std::vector<AnsiString> texts(997);
  for (AnsiString& text : texts)
    text = Text(random);
  // The first two fields (sorted and filtered on) differ in every record;
  // the others repeat a pool of texts.
  std::vector<AnsiString> own(2 * kRecords);
  for (AnsiString& text : own)
    text = Text(random);
  table.DisableControls();
  for (int r = 0; r < kRecords; ++r) {
    table.Append();
    for (int f = 0; f < kFields; ++f)
      fields[f]->SetAsString(f < 2 ? own[2 * r + f] : texts[(r * 31 + f * 7) % texts.size()]);
    table.Post();
  }
  table.EnableControls();
}

void AppendAndPost(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto table = MakeTable();
    state.ResumeTiming();
    Fill(*table);
    benchmark::DoNotOptimize(table->RecordCount());
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
}

void SortOnOneField(benchmark::State& state) {
  auto table = MakeTable();
  Fill(*table);
  int round = 0;
  for (auto _ : state) {
    // Alternate the field so that every round sorts an unsorted order.
    table->SortOnFields(round++ % 2 == 0 ? "METIN1" : "METIN2");
    benchmark::DoNotOptimize(table->RecNo());
  }
}

void FilterByPrefix(benchmark::State& state) {
  auto table = MakeTable();
  Fill(*table);
  const AnsiString prefix = AnsiUpperCase(Utf16ToAnsi(u"ş"));
  TField* field = table->FieldByName("METIN1");
  table->OnFilterRecord = [&](TDataSet*, bool& accept) {
    AnsiString text = AnsiUpperCase(field->AsString().substr(0, prefix.size()));
    accept = text == prefix;
  };
  for (auto _ : state) {
    table->SetFiltered(true);
    int shown = 0;
    for (table->First(); !table->Eof(); table->Next())
      ++shown;
    table->SetFiltered(false);
    benchmark::DoNotOptimize(shown);
  }
}

}  // namespace

BENCHMARK(AppendAndPost)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SortOnOneField)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(FilterByPrefix)->Unit(benchmark::kMillisecond)->Iterations(3);

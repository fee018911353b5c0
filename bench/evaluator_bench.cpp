// bench-deps: dozuri_evaluator dozuri_data dozuri_classes dozuri_system
// Expression evaluation as a label run does it: prepare once, evaluate once
// per printed label. The typical label expression reads a field, calls a
// function and concatenates; the goal is over one million evaluations per
// second. Parsing is measured too, as it happens once per printable per run.
#include <benchmark/benchmark.h>

#include <memory>

#include "classlib/classes/lists.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "reportengine/evaluator/qrexpr.h"

namespace {

// An open table of stock items with one record.
struct StockTable {
  StockTable() {
    table->SetName("Stock");
    table->FieldDefs()->Add("Name", ftString, 40);
    table->FieldDefs()->Add("Barcode", ftString, 20);
    table->FieldDefs()->Add("Price", ftFloat);
    table->FieldDefs()->Add("Qty", ftInteger);
    table->Open();
    table->Append();
    table->FieldByName("Name")->SetAsString("Tükenmez kalem mavi");
    table->FieldByName("Barcode")->SetAsString("8690000123456");
    table->FieldByName("Price")->SetAsFloat(12.5);
    table->FieldByName("Qty")->SetAsInteger(120);
    table->Post();
    dataSets.Add(table.get());
  }

  std::unique_ptr<TRxMemoryData> table = std::make_unique<TRxMemoryData>(nullptr);
  TList dataSets;
};

void Evaluate(benchmark::State& state, const char* expression) {
  StockTable stock;
  TQREvaluator evaluator;
  evaluator.SourceDataSets = &stock.dataSets;
  evaluator.PrepareExpression(expression);
  TQREvValue value;
  for (auto _ : state) {
    evaluator.EvaluateExpression(value);
    benchmark::DoNotOptimize(value);
  }
  if (value.ValueKind == evError)
    state.SkipWithError(value.StrValue.c_str());
  state.SetItemsProcessed(state.iterations());
}

void BM_TypicalLabelExpression(benchmark::State& state) {
  Evaluate(state, "[Name] + ' ' + STR(Qty)");
}
BENCHMARK(BM_TypicalLabelExpression);

void BM_LongerLabelExpression(benchmark::State& state) {
  Evaluate(state, "UPPER(COPY([Name], 1, 12)) + ' ' + [Barcode] + ' ' + FORMATNUMERIC('0.00', Price * 1.18)");
}
BENCHMARK(BM_LongerLabelExpression);

void BM_Arithmetic(benchmark::State& state) {
  Evaluate(state, "(Qty * 2 + 10) / 4 - 1");
}
BENCHMARK(BM_Arithmetic);

void BM_AggregateStep(benchmark::State& state) {
  StockTable stock;
  TQREvaluator evaluator;
  evaluator.SourceDataSets = &stock.dataSets;
  evaluator.PrepareExpression("SUM(Qty * Price)");
  evaluator.ResetAggregates();
  for (auto _ : state)
    evaluator.AggregateStep();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AggregateStep);

void BM_Prepare(benchmark::State& state) {
  StockTable stock;
  TQREvaluator evaluator;
  evaluator.SourceDataSets = &stock.dataSets;
  for (auto _ : state)
    evaluator.PrepareExpression("[Name] + ' ' + STR(Qty)");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Prepare);

}  // namespace

// Encoding speed of the barcode symbologies, side by side with libzint in the
// same run: an EAN-13 and a 10-character Code 128. The goal is to stay within
// 3x of libzint per symbol.
// bench-deps: dozuri_barcode zint
#include <benchmark/benchmark.h>
#include <zint.h>

#include "support/barcode/code128.h"
#include "support/barcode/upcean.h"

namespace {

constexpr const char* kEan13 = "123456789012";
constexpr const char* kCode128 = "AB12345cde";

void Ours_EAN13(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(EncodeEAN13(kEan13));
}

void Ours_Code128(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCode128(kCode128));
}

void Zint(benchmark::State& state, int symbology, const char* data) {
  zint_symbol* symbol = ZBarcode_Create();
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    symbol->symbology = symbology;
    int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data), 0);
    if (error >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
    benchmark::DoNotOptimize(symbol->encoded_data);
  }
  ZBarcode_Delete(symbol);
}

void Zint_EAN13(benchmark::State& state) { Zint(state, BARCODE_EANX, kEan13); }
void Zint_Code128(benchmark::State& state) { Zint(state, BARCODE_CODE128, kCode128); }

}  // namespace

BENCHMARK(Ours_EAN13);
BENCHMARK(Zint_EAN13);
BENCHMARK(Ours_Code128);
BENCHMARK(Zint_Code128);

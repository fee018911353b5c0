// Encoding speed of every barcode symbology, side by side with libzint in the
// same run on the same code. Goal: each symbology at or under libzint's time
// natively (within 1.5 times of it under Wine).
//
// Check characters follow libzint's defaults so both do the same work: Code 11
// with its two checks, Code 39 and Interleaved 2 of 5 without one.
// bench-deps: dozuri_barcode zint
#include <benchmark/benchmark.h>
#include <zint.h>

#include "support/barcode/barcodeencoder.h"
#include "support/barcode/postnet.h"

namespace {

struct Case {
  const char* Name;
  int ZintSymbology;
  const char* Code;
  TBarcodePattern (*Encode)(std::string_view code);
};

template <TBarcodeType type, bool check>
TBarcodePattern Encode(std::string_view code) {
  return EncodeBarcode(type, code, check);
}

const Case kCases[] = {
    {"UPC-A", BARCODE_UPCA, "03600029145", Encode<bcUPC_A, true>},
    {"UPC-E", BARCODE_UPCE, "0123456", Encode<bcUPC_E, true>},
    {"EAN-8", BARCODE_EANX, "9638507", Encode<bcEAN_8, true>},
    {"EAN-13", BARCODE_EANX, "869000012345", Encode<bcEAN_13, true>},
    {"Interleaved 2 of 5", BARCODE_C25INTER, "1234567890", Encode<bcInterleaved2of5, false>},
    {"Codabar", BARCODE_CODABAR, "A40156B", Encode<bcCodabar, false>},
    {"Code 11", BARCODE_CODE11, "123-4552", Encode<bcCode11, true>},
    {"Code 39", BARCODE_CODE39, "DOZURI-2024", Encode<bcCode39, false>},
    {"Code 93", BARCODE_CODE93, "DOZURI-2024", Encode<bcCode93, false>},
    {"Code 128", BARCODE_CODE128, "AB12345cde", Encode<bcCode128, false>},
    {"Code 128 digits", BARCODE_CODE128, "8690000123456789", Encode<bcCode128, false>},
    {"PostNet", BARCODE_POSTNET, "555551237", EncodePostNet},
};

void Ours(benchmark::State& state, const Case& c) {
  for (auto _ : state) benchmark::DoNotOptimize(c.Encode(c.Code));
}

void Zint(benchmark::State& state, const Case& c) {
  zint_symbol* symbol = ZBarcode_Create();
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    symbol->symbology = c.ZintSymbology;
    int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(c.Code), 0);
    if (error >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
    benchmark::DoNotOptimize(symbol->encoded_data);
  }
  ZBarcode_Delete(symbol);
}

// Benchmarks named "Ours/<case>" and "libzint/<case>": make bench pairs them
// into its table of ratios.
const bool kRegistered = [] {
  benchmark::AddCustomContext("goal", "every symbology at or under libzint's time natively");
  benchmark::AddCustomContext("goal_ratio", "1.0");
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark((std::string("Ours/") + c.Name).c_str(), Ours, c);
    benchmark::RegisterBenchmark((std::string("libzint/") + c.Name).c_str(), Zint, c);
  }
  return true;
}();

}  // namespace

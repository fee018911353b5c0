// bench-deps: dozuri_pagestore dozuri_classes dozuri_system z
// Page payload coding against zlib on the same bytes, and the add/save/load
// cycle of a 1,000-page label run.
//
// The pages are metafiles as the engine records them: a small page of six
// text labels (bench/data/labelpage.emf) and a full A4 sheet of 21 labels with
// their barcodes (bench/data/labelsheet-a4.emf), both refreshed by the
// metafile page test; DOZURI_BENCH_EMF names another page to add.
//
// Goal: decoding a page costs under 10 % of playing it at 300 dpi (playing
// needs Windows, so it is measured there); zlib, whose format is not
// bit-serial, is shown for scale and has no goal here.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "classlib/system/fileutils.h"
#include "reportengine/qrcompress.h"
#include "reportengine/qrpagelist.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadPage(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  Bytes file((std::istreambuf_iterator<char>(in)), {});
  if (file.empty()) {
    std::fprintf(stderr, "no sample page %s to code\n", name.c_str());
    std::exit(1);
  }
  return file;
}

void QRCompress(benchmark::State& state, const Bytes* page) {
  std::size_t coded = 0;
  for (auto _ : state) {
    Bytes out = QRCompressBlock(page->data(), page->size());
    coded = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page->size()));
  state.counters["ratio"] = static_cast<double>(coded) / static_cast<double>(page->size());
}

void QRExpand(benchmark::State& state, const Bytes* page) {
  const Bytes coded = QRCompressBlock(page->data(), page->size());
  Bytes out(page->size());
  for (auto _ : state) {
    QRExpandBlock(coded.data(), coded.size(), out.size(), out.data());
    benchmark::DoNotOptimize(out.data());
  }
  if (out != *page)
    state.SkipWithError("the decoded page differs");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page->size()));
}

void ZlibDeflate(benchmark::State& state, const Bytes* page) {
  Bytes out(compressBound(page->size()));
  uLongf size = 0;
  for (auto _ : state) {
    size = static_cast<uLongf>(out.size());
    compress2(out.data(), &size, page->data(), page->size(), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page->size()));
  state.counters["ratio"] = static_cast<double>(size) / static_cast<double>(page->size());
}

void ZlibInflate(benchmark::State& state, const Bytes* page) {
  Bytes packed(compressBound(page->size()));
  uLongf packedSize = static_cast<uLongf>(packed.size());
  compress2(packed.data(), &packedSize, page->data(), page->size(), Z_DEFAULT_COMPRESSION);
  Bytes out(page->size());
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(out.size());
    uncompress(out.data(), &size, packed.data(), packedSize);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page->size()));
}

void ThousandLabelPages(benchmark::State& state, const Bytes* page, bool compressed) {
  const AnsiString name = GetTempDir() + "dozuri-bench-pages.qrp";
  for (auto _ : state) {
    TQRPageList list;
    list.SetCompression(compressed);
    for (int i = 0; i < 1000; ++i)
      list.AddPageData(*page);
    list.Finish();
    list.SaveToFile(name);
    TQRPageList loaded;
    loaded.LoadFromFile(name);
    benchmark::DoNotOptimize(loaded.GetPageData(1000));
  }
  DeleteFile(name);
}

// Benchmarks named "Ours/<case>" and "zlib/<case>": make bench pairs them into
// its table of ratios.
void Register(const std::string& name, const Bytes* page) {
  benchmark::RegisterBenchmark(("Ours/code " + name).c_str(), QRCompress, page);
  benchmark::RegisterBenchmark(("zlib/code " + name).c_str(), ZlibDeflate, page);
  benchmark::RegisterBenchmark(("Ours/decode " + name).c_str(), QRExpand, page);
  benchmark::RegisterBenchmark(("zlib/decode " + name).c_str(), ZlibInflate, page);
}

const bool kRegistered = [] {
  benchmark::AddCustomContext("goal", "decoding a page under 10 % of playing it at 300 dpi; zlib shown for scale");
  static const Bytes small = ReadPage(DOZURI_BENCH_DATA "/labelpage.emf");
  static const Bytes sheet = ReadPage(DOZURI_BENCH_DATA "/labelsheet-a4.emf");
  Register("small text page", &small);
  Register("A4 sheet of 21 labels", &sheet);
  if (const char* other = std::getenv("DOZURI_BENCH_EMF")) {
    static const Bytes page = ReadPage(other);
    Register(other, &page);
  }
  for (bool compressed : {false, true})
    benchmark::RegisterBenchmark(compressed ? "1000 A4 sheets stored, saved, loaded (coded)"
                                            : "1000 A4 sheets stored, saved, loaded (plain)",
                                 ThousandLabelPages, &sheet, compressed)
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

// bench-deps: dozuri_pagestore dozuri_classes dozuri_system z
// Page payload coding against zlib on the same bytes, and the add/save/load
// cycle of a 1,000-page label run.
//
// The payload is a label page's metafile as the engine records it
// (bench/data/labelpage.emf, refreshed by the metafile page test), or the
// file named by DOZURI_BENCH_EMF.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "classlib/system/fileutils.h"
#include "reportengine/qrcompress.h"
#include "reportengine/qrpagelist.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes& LabelPage() {
  static const Bytes page = [] {
    const char* name = std::getenv("DOZURI_BENCH_EMF");
    std::ifstream in(name ? name : DOZURI_BENCH_DATA "/labelpage.emf", std::ios::binary);
    Bytes file((std::istreambuf_iterator<char>(in)), {});
    if (file.empty()) {
      std::fprintf(stderr, "no sample page to code\n");
      std::exit(1);
    }
    return file;
  }();
  return page;
}

void BM_QRCompress(benchmark::State& state) {
  const Bytes& page = LabelPage();
  std::size_t coded = 0;
  for (auto _ : state) {
    Bytes out = QRCompressBlock(page.data(), page.size());
    coded = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.counters["ratio"] = static_cast<double>(coded) / static_cast<double>(page.size());
}

void BM_QRExpand(benchmark::State& state) {
  const Bytes& page = LabelPage();
  const Bytes coded = QRCompressBlock(page.data(), page.size());
  Bytes out(page.size());
  for (auto _ : state) {
    QRExpandBlock(coded.data(), coded.size(), out.size(), out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void BM_ZlibDeflate(benchmark::State& state) {
  const Bytes& page = LabelPage();
  Bytes out(compressBound(page.size()));
  uLongf size = 0;
  for (auto _ : state) {
    size = static_cast<uLongf>(out.size());
    compress2(out.data(), &size, page.data(), page.size(), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.counters["ratio"] = static_cast<double>(size) / static_cast<double>(page.size());
}

void BM_ZlibInflate(benchmark::State& state) {
  const Bytes& page = LabelPage();
  Bytes packed(compressBound(page.size()));
  uLongf packedSize = static_cast<uLongf>(packed.size());
  compress2(packed.data(), &packedSize, page.data(), page.size(), Z_DEFAULT_COMPRESSION);
  Bytes out(page.size());
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(out.size());
    uncompress(out.data(), &size, packed.data(), packedSize);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void BM_ThousandLabelPages(benchmark::State& state) {
  const Bytes& page = LabelPage();
  const AnsiString name = GetTempDir() + "dozuri-bench-pages.qrp";
  for (auto _ : state) {
    TQRPageList list;
    list.SetCompression(state.range(0) != 0);
    for (int i = 0; i < 1000; ++i)
      list.AddPageData(page);
    list.Finish();
    list.SaveToFile(name);
    TQRPageList loaded;
    loaded.LoadFromFile(name);
    benchmark::DoNotOptimize(loaded.GetPageData(1000));
  }
  DeleteFile(name);
}

}  // namespace

BENCHMARK(BM_QRCompress);
BENCHMARK(BM_QRExpand);
BENCHMARK(BM_ZlibDeflate);
BENCHMARK(BM_ZlibInflate);
BENCHMARK(BM_ThousandLabelPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

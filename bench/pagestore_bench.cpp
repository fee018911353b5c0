// bench-deps: dozuri_pagestore dozuri_classes dozuri_system z
// Page payload coding against zlib on the same bytes, and the add/save/load
// cycle of a 1,000-page label run.
//
// The payload is a label page's metafile: a file named by DOZURI_BENCH_EMF
// when set (a page recorded by the engine), otherwise a metafile-shaped
// buffer built here (header, text records with UTF-16 text and small
// coordinates, pen and brush records), which codes like a label page does.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "classlib/system/fileutils.h"
#include "reportengine/qrcompress.h"
#include "reportengine/qrpagelist.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Bytes SyntheticLabelPage() {
  Bytes page(108, 0);
  const std::uint32_t head[] = {1, 108};
  std::memcpy(page.data(), head, 8);
  const std::uint32_t signature = 0x464D4520;
  std::memcpy(page.data() + 40, &signature, 4);
  const char* texts[] = {"ÜRÜN ADI", "8690000123456", "12,50 TL", "Raf 4"};
  for (int label = 0; label < 24; ++label) {
    for (int t = 0; t < 4; ++t) {
      const std::string text = texts[t];
      Put32(page, 84);  // EMR_EXTTEXTOUTW
      Put32(page, static_cast<std::uint32_t>(76 + text.size() * 2 + (text.size() % 2) * 2));
      for (int k = 0; k < 4; ++k)
        Put32(page, static_cast<std::uint32_t>(label * 300 + t * 40 + k));
      Put32(page, 1);
      for (int k = 0; k < 2; ++k)
        Put32(page, 0x3F800000);
      Put32(page, static_cast<std::uint32_t>(label % 3 * 700));
      Put32(page, static_cast<std::uint32_t>(label / 3 * 380 + t * 60));
      Put32(page, static_cast<std::uint32_t>(text.size()));
      Put32(page, 76);
      for (int k = 0; k < 5; ++k)
        Put32(page, 0);
      for (char c : text) {
        page.push_back(static_cast<std::uint8_t>(c));
        page.push_back(0);
      }
      if (text.size() % 2)
        Put32(page, 0);
    }
    for (int r = 0; r < 3; ++r) {  // EMR_SELECTOBJECT, EMR_RECTANGLE
      Put32(page, 37);
      Put32(page, 12);
      Put32(page, static_cast<std::uint32_t>(r + 1));
      Put32(page, 43);
      Put32(page, 24);
      for (int k = 0; k < 4; ++k)
        Put32(page, static_cast<std::uint32_t>(label * 300 + k * 50));
    }
  }
  Put32(page, 14);  // EMR_EOF
  Put32(page, 20);
  Put32(page, 0);
  Put32(page, 16);
  Put32(page, 20);
  const std::uint32_t total = static_cast<std::uint32_t>(page.size());
  std::memcpy(page.data() + 48, &total, 4);
  return page;
}

const Bytes& LabelPage() {
  static const Bytes page = [] {
    if (const char* name = std::getenv("DOZURI_BENCH_EMF")) {
      std::ifstream in(name, std::ios::binary);
      Bytes file((std::istreambuf_iterator<char>(in)), {});
      if (!file.empty())
        return file;
    }
    return SyntheticLabelPage();
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

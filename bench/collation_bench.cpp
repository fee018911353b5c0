// Sorting speed of 1254 text by the Turkish collation: the direct comparison
// that list sorting uses, and the precomputed keys an index may store. The
// plain byte-wise sort is the yardstick.
// bench-deps: dozuri_system
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"

namespace {

// Words of 4 to 12 letters drawn from the Turkish alphabet in both cases.
std::vector<AnsiString> Words(size_t count) {
  const AnsiString letters = Utf16ToAnsi(u"abcçdefgğhıijklmnoöprsştuüvyzABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
  std::mt19937 random(1254);
  std::vector<AnsiString> words(count);
  for (AnsiString& word : words) {
    word.resize(4 + random() % 9);
    for (char& c : word)
      c = letters[random() % letters.size()];
  }
  return words;
}

void SortBytes(benchmark::State& state) {
  const std::vector<AnsiString> words = Words(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<AnsiString> copy = words;
    std::sort(copy.begin(), copy.end());
    benchmark::DoNotOptimize(copy.data());
  }
}

void SortAnsiCompareText(benchmark::State& state) {
  const std::vector<AnsiString> words = Words(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<AnsiString> copy = words;
    std::sort(copy.begin(), copy.end(), [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
    benchmark::DoNotOptimize(copy.data());
  }
}

void SortCollationKeys(benchmark::State& state) {
  const std::vector<AnsiString> words = Words(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> keys;
    keys.reserve(words.size());
    for (const AnsiString& word : words)
      keys.push_back(AnsiCollationKey(word, false));
    std::sort(keys.begin(), keys.end());
    benchmark::DoNotOptimize(keys.data());
  }
}

}  // namespace

BENCHMARK(SortBytes)->Arg(10000);
BENCHMARK(SortAnsiCompareText)->Arg(10000);
BENCHMARK(SortCollationKeys)->Arg(10000);

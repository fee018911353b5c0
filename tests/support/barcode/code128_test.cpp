// Code 128: the symbol values for known inputs, and for every short text over
// a mixed alphabet a round trip through a reference decoder with the fewest
// symbols an exhaustive search finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>

#include "support/barcode/code128.h"

namespace {

TEST(Code128, ValuesForKnownTexts) {
  struct {
    const char* Code;
    std::vector<int> Values;  // start ... check
  } cases[] = {
      // Start C, 12, 34, Code B, "5"; check (105 + 12 + 2*34 + 3*100 + 4*21) mod 103 = 54
      {"12345", {105, 12, 34, 100, 21, 54}},
      // Start A for the leading tab; check (103 + 73 + 2*33 + 3*34) mod 103 = 35
      {"\tAB", {103, 73, 33, 34, 35}},
      // Start B with one shifted tab; check (104 + 65 + 2*98 + 3*73 + 4*66) mod 103 = 24
      {"a\tb", {104, 65, 98, 73, 66, 24}},
      // Two digits alone: Start C; check (105 + 42) mod 103 = 44
      {"42", {105, 42, 44}},
      // One digit: Start B; check (104 + 17) mod 103 = 18
      {"1", {104, 17, 18}},
  };
  for (const auto& c : cases) EXPECT_EQ(Code128Values(c.Code), c.Values) << c.Code;
}

// Reads a value sequence back to text, as a scanner does.
std::string Decode(const std::vector<int>& values) {
  enum { A, B, C } set = values[0] == 103 ? A : values[0] == 104 ? B : C;
  std::string text;
  for (std::size_t i = 1; i + 1 < values.size(); ++i) {
    int v = values[i];
    auto charIn = [](int set, int v) { return static_cast<char>(set == A && v >= 64 ? v - 64 : v + 32); };
    if (set == C) {
      if (v < 100) text += std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
      else set = v == 100 ? B : A;
    } else if (v == 98) {
      text += charIn(set == A ? B : A, values[++i]);
    } else if (v == 99) {
      set = C;
    } else if ((set == A && v == 100) || (set == B && v == 101)) {
      set = set == A ? B : A;
    } else {
      text += charIn(set, v);
    }
  }
  return text;
}

// The fewest symbol characters (start to last data, no check) for text,
// by trying every way to encode it.
int FewestSymbols(const std::string& text) {
  std::map<std::pair<std::size_t, int>, int> memo;
  auto inA = [](char c) { return static_cast<unsigned char>(c) < 96; };
  auto inB = [](char c) { return c >= 32; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::function<int(std::size_t, int, bool)> best = [&](std::size_t i, int set, bool mayLatch) -> int {
    if (i == text.size()) return 0;
    auto key = std::make_pair(i, set * 2 + mayLatch);
    if (auto it = memo.find(key); it != memo.end()) return it->second;
    int result = INT_MAX / 2;
    char c = text[i];
    if (set == 2 && i + 1 < text.size() && digit(c) && digit(text[i + 1])) result = 1 + best(i + 2, 2, true);
    if (set == 0 && inA(c)) result = std::min(result, 1 + best(i + 1, 0, true));
    if (set == 1 && inB(c)) result = std::min(result, 1 + best(i + 1, 1, true));
    if (set == 0 && inB(c)) result = std::min(result, 2 + best(i + 1, 0, true));
    if (set == 1 && inA(c)) result = std::min(result, 2 + best(i + 1, 1, true));
    if (mayLatch) {
      for (int other = 0; other < 3; ++other) {
        if (other != set) result = std::min(result, 1 + best(i, other, false));
      }
    }
    memo[key] = result;
    return result;
  };
  return 1 + std::min({best(0, 0, false), best(0, 1, false), best(0, 2, false)});
}

TEST(Code128, EveryShortTextRoundTripsInTheFewestSymbols) {
  const std::string alphabet = "01a\tA";
  std::vector<std::string> texts = {""};
  for (int length = 1; length <= 6; ++length) {
    std::vector<std::string> longer;
    for (const std::string& t : texts) {
      for (char c : alphabet) longer.push_back(t + c);
    }
    texts = std::move(longer);
    for (const std::string& text : texts) {
      std::vector<int> values = Code128Values(text);
      ASSERT_EQ(Decode(values), text);
      ASSERT_EQ(static_cast<int>(values.size()) - 1, FewestSymbols(text)) << text;
      long sum = values[0];
      for (std::size_t i = 1; i + 1 < values.size(); ++i) sum += static_cast<long>(i) * values[i];
      ASSERT_EQ(values.back(), sum % 103) << text;
    }
  }
}

TEST(Code128, LongDigitRunsGoInSetC) {
  std::vector<int> values = Code128Values("12345678901234567890");
  EXPECT_EQ(values.size(), 1 + 10 + 1u);
  EXPECT_EQ(values[0], 105);
}

TEST(Code128, EncodesEveryAsciiCharacter) {
  std::string all;
  for (int c = 0; c < 128; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Decode(Code128Values(all)), all);
  TBarcodePattern p = EncodeCode128(all);
  EXPECT_EQ(PatternModules(p, 1) % 11, 2);  // 11 modules a symbol, 13 for the stop
}

}  // namespace

#include "support/barcode/code128.h"

#include <array>
#include <limits>

namespace {

// Element widths (bar first) of the values 0 to 105; the stop character follows.
constexpr std::string_view kWidths[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232"};
constexpr std::string_view kStop = "2331112";

enum Set { A = 0, B = 1, C = 2 };  // 1 - s is the other of A and B
constexpr int kShift = 98;
constexpr int kStart[3] = {103, 104, 105};
// Latch from set [from] to set [to].
constexpr int kLatch[3][3] = {{-1, 100, 99}, {101, -1, 99}, {101, 100, -1}};
constexpr int kInfinite = std::numeric_limits<int>::max() / 4;

bool InSet(unsigned char c, int set) { return set == A ? c < 96 : (c >= 32 && c < 128); }
int ValueIn(unsigned char c, int set) { return set == A && c < 32 ? c + 64 : c - 32; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Shortest-encoding planner: best[i][s] is the fewest symbol characters that
// encode code[i..] when set s is current at position i.
class Planner {
public:
  Planner(const Planner&) = delete;
  Planner& operator=(const Planner&) = delete;
  explicit Planner(std::string_view code) : code_(code) {
    // The costs of a code of usual length live in the planner itself: no
    // allocation per symbol.
    if (code.size() + 1 <= inline_.size()) {
      costs_ = inline_.data();
    } else {
      heap_.resize(code.size() + 1);
      costs_ = heap_.data();
    }
    for (std::size_t i = code.size() + 1; i-- > 0;) {
      for (int s = 0; s < 3; ++s) costs_[i].Stay[s] = StayCost(i, s);
      for (int s = 0; s < 3; ++s) costs_[i].Best[s] = std::min(costs_[i].Stay[s], 1 + BestOther(i, s));
    }
  }

  std::vector<int> Values() const {
    std::vector<int> values;
    // A start, a shift or a latch before each character at worst, the check.
    values.reserve(2 * code_.size() + 2);
    // Ties start in B, or in A when the first character needs A, or in C
    // before a run of digits.
    unsigned char first = static_cast<unsigned char>(code_[0]);
    int set = costs_[0].Stay[A] < costs_[0].Stay[B] || (costs_[0].Stay[A] == costs_[0].Stay[B] && !InSet(first, B)) ? A : B;
    if (costs_[0].Stay[C] < costs_[0].Stay[set] || (costs_[0].Stay[C] == costs_[0].Stay[set] && PrefersC(0))) set = C;
    values.push_back(kStart[set]);
    std::size_t i = 0;
    while (i < code_.size()) {
      int to = -1;
      if (costs_[i].Stay[set] > costs_[i].Best[set]) {
        to = OtherBest(i, set);  // switching sets pays off here
      } else if (set != C && 1 + costs_[i].Stay[C] == costs_[i].Stay[set] && PrefersC(i)) {
        to = C;
      } else if (set != C && !InSet(static_cast<unsigned char>(code_[i]), set) &&
                 1 + costs_[i].Stay[1 - set] == costs_[i].Stay[set] && NextFits(i, 1 - set)) {
        to = 1 - set;  // a switch of equal cost to a shift, when the next character fits the new set too
      }
      if (to >= 0) {
        values.push_back(kLatch[set][to]);
        set = to;
      }
      i = EmitStay(i, set, values);
    }
    return values;
  }

private:
  bool NextFits(std::size_t i, int set) const {
    return i + 1 < code_.size() && InSet(static_cast<unsigned char>(code_[i + 1]), set);
  }
  // Where set C ties with A or B, a run of at least four digits goes in set C,
  // as is the usual practice for Code 128.
  bool PrefersC(std::size_t i) const {
    std::size_t end = i;
    while (end < code_.size() && IsDigit(code_[end])) ++end;
    return end - i >= 4;
  }

  // Cost of encoding from i in set s without switching sets at i.
  int StayCost(std::size_t i, int s) const {
    if (i == code_.size()) return 0;
    unsigned char c = static_cast<unsigned char>(code_[i]);
    if (s == C) {
      bool pair = i + 1 < code_.size() && IsDigit(code_[i]) && IsDigit(code_[i + 1]);
      return pair ? 1 + costs_[i + 2].Best[C] : kInfinite;
    }
    if (InSet(c, s)) return 1 + costs_[i + 1].Best[s];
    if (c < 128) return 2 + costs_[i + 1].Best[s];  // shift to the other of A and B
    return kInfinite;
  }
  int BestOther(std::size_t i, int s) const { return costs_[i].Stay[OtherBest(i, s)]; }
  int OtherBest(std::size_t i, int s) const {
    int best = -1;
    for (int t : {B, C, A}) {
      if (t != s && (best < 0 || costs_[i].Stay[t] < costs_[i].Stay[best])) best = t;
    }
    return best;
  }
  std::size_t EmitStay(std::size_t i, int set, std::vector<int>& values) const {
    if (set == C) {
      values.push_back((code_[i] - '0') * 10 + (code_[i + 1] - '0'));
      return i + 2;
    }
    unsigned char c = static_cast<unsigned char>(code_[i]);
    if (!InSet(c, set)) {
      values.push_back(kShift);
      values.push_back(ValueIn(c, set == A ? B : A));
    } else {
      values.push_back(ValueIn(c, set));
    }
    return i + 1;
  }

  // Per position: the cost of staying in each set, and the best cost from there.
  struct Costs {
    int Stay[3];
    int Best[3];
  };

  std::string_view code_;
  std::array<Costs, 48> inline_;
  std::vector<Costs> heap_;
  Costs* costs_;
};

}  // namespace

std::vector<int> Code128Values(std::string_view code) {
  RequireNotEmpty(code);
  RequireChars(code, [](char c) { return static_cast<unsigned char>(c) < 128; });
  std::vector<int> values = Planner(code).Values();
  long sum = values[0];
  for (std::size_t i = 1; i < values.size(); ++i) sum += static_cast<long>(i) * values[i];
  values.push_back(static_cast<int>(sum % 103));
  return values;
}

TBarcodePattern EncodeCode128(std::string_view code) {
  std::vector<int> values = Code128Values(code);
  TBarcodePattern p;
  p.LeftQuietZone = 10;
  p.RightQuietZone = 10;
  ReserveElements(p, 6 * values.size() + kStop.size());
  for (int v : values) AppendWidths(p, kWidths[v], true);
  AppendWidths(p, kStop, true);
  p.HumanText = AnsiString(code);
  SetTextUnderAll(p, p.HumanText);
  return p;
}

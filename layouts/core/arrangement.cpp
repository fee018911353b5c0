#include "layouts/core/arrangement.h"

#include <algorithm>
#include <numeric>

int AlignedPosition(TAlignLine Line, int RefPos, int RefSize, int Size) {
  switch (Line) {
    case TAlignLine::Near: return RefPos;
    case TAlignLine::Centre: return RefPos + RefSize / 2 - Size / 2;
    case TAlignLine::Far: return RefPos + RefSize - Size;
  }
  return RefPos;
}

int OutermostIndex(const std::vector<int>& Values, bool Smallest) {
  if (Values.empty())
    return -1;
  int best = static_cast<int>(Values.size()) - 1;
  for (int i = 0; i < static_cast<int>(Values.size()); ++i) {
    const bool further = Smallest ? Values[i] < Values[best] : Values[i] > Values[best];
    if (further)
      best = i;
  }
  return best;
}

int CentringShift(int Low, int High, int Extent) { return Low + (High - Low - Extent) / 2; }

std::vector<int> EvenlySpaced(const std::vector<int>& Positions) {
  std::vector<int> result = Positions;
  const int n = static_cast<int>(Positions.size());
  if (n < 3)
    return result;
  // Ordered as numbers: negative positions and positions of five digits take
  // their real places.
  std::vector<int> order(Positions.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Positions[a] < Positions[b]; });
  const int step = (Positions[order.back()] - Positions[order.front()]) / (n - 1);
  for (int k = 1; k < n - 1; ++k)
    result[order[k]] = result[order[k - 1]] + step;
  return result;
}

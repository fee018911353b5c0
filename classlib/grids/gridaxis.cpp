#include "classlib/grids/gridaxis.h"

#include <algorithm>

TGridAxis::TGridAxis(const std::vector<int>& Extents, int FixedCount, int First, int LineWidth, int ClientExtent)
    : FExtents(Extents),
      FFixedCount(std::clamp(FixedCount, 0, static_cast<int>(Extents.size()))),
      FFirst(std::max(First, FFixedCount)),
      FLineWidth(LineWidth),
      FClientExtent(ClientExtent) {}

int TGridAxis::FixedBoundary() const {
  int position = 0;
  for (int i = 0; i < FFixedCount; ++i)
    position += FExtents[i] + FLineWidth;
  return position;
}

int TGridAxis::CellStart(int Index) const {
  if (Index < 0 || Index >= Count())
    return -1;
  if (Index < FFixedCount) {
    int position = 0;
    for (int i = 0; i < Index; ++i)
      position += FExtents[i] + FLineWidth;
    return position;
  }
  if (Index < FFirst)
    return -1;
  int position = FixedBoundary();
  for (int i = FFirst; i < Index; ++i) {
    position += FExtents[i] + FLineWidth;
    if (position >= FClientExtent)
      return -1;
  }
  return position < FClientExtent ? position : -1;
}

int TGridAxis::CellAt(int Position) const {
  if (Position < 0 || Position >= FClientExtent)
    return -1;
  int start = 0;
  for (int i = 0; i < FFixedCount; ++i) {
    start += FExtents[i] + FLineWidth;
    if (Position < start)
      return i;
  }
  for (int i = FFirst; i < Count() && start < FClientExtent; ++i) {
    start += FExtents[i] + FLineWidth;
    if (Position < start)
      return i;
  }
  return -1;
}

int TGridAxis::LastVisible() const {
  int position = FixedBoundary();
  int last = FFirst - 1;
  for (int i = FFirst; i < Count() && position < FClientExtent; ++i) {
    last = i;
    position += FExtents[i] + FLineWidth;
  }
  return last;
}

int TGridAxis::LastFullVisible() const {
  int position = FixedBoundary();
  int last = FFirst;
  for (int i = FFirst; i < Count(); ++i) {
    position += FExtents[i];
    if (position > FClientExtent)
      break;
    last = i;
    position += FLineWidth;
  }
  return last;
}

int TGridAxis::VisibleCount() const {
  if (FFirst >= Count())
    return 0;
  return LastFullVisible() - FFirst + 1;
}

int TGridAxis::MaxFirst() const {
  int room = ScrollRoom();
  int first = Count();
  int used = 0;
  while (first > FFixedCount) {
    used += FExtents[first - 1];
    if (used > room)
      break;
    used += FLineWidth;
    --first;
  }
  return std::min(std::max(first, FFixedCount), std::max(Count() - 1, FFixedCount));
}

int TGridAxis::FirstToShowLast(int Index) const {
  int room = ScrollRoom();
  int first = Index;
  int used = FExtents[Index];
  while (first > FFixedCount && used + FLineWidth + FExtents[first - 1] <= room) {
    used += FLineWidth + FExtents[first - 1];
    --first;
  }
  return first;
}

int TGridAxis::PageForward() const {
  int next = FFirst + std::max(VisibleCount(), 1);
  return std::min(next, MaxFirst());
}

int TGridAxis::PageBack() const {
  if (FFirst <= FFixedCount)
    return FFixedCount;
  // The page before ends with the cell just before First.
  return std::max(FirstToShowLast(FFirst - 1), FFixedCount);
}

#include "skin/core/smoothresize.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "classlib/system/exceptions.h"
#include "skin/core/alphagraph.h"

namespace {

constexpr float kFilterRadius[] = {0.51f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
constexpr float kPi = 3.14159265358979f;

float MitchellValue(float x) {
  if (x < 1)
    return x * x * (7.0f / 6.0f * x - 2) + 8.0f / 9.0f;
  return x * x * (-7.0f / 18.0f * x + 2) - 10.0f / 3.0f * x + 16.0f / 9.0f;
}

// A source index beyond an edge mirrors back into the line; a filter wider
// than the line would mirror past the far edge, so the result is held to
// the line as well.
int MirroredIndex(int j, int Size) {
  if (j < 0)
    j = -j;
  else if (j >= Size)
    j = 2 * Size - 1 - j;
  return std::clamp(j, 0, Size - 1);
}

std::uint8_t ResampledByte(int Sum) {
  if (Sum < 0)
    return 0;
  if (Sum < 0xFF0001)
    return static_cast<std::uint8_t>(Sum >> 16);
  return 255;
}

// Writes the accumulated sums of one destination line.
void StoreLine(const std::vector<int>& Sums, std::uint8_t* Out) {
  for (std::size_t i = 0; i < Sums.size(); ++i)
    Out[i] = ResampledByte(Sums[i]);
}

// One row of S filtered into Out (the list's destination width), Bytes (3
// or 4) per pixel; the channel count is fixed at compile time so each
// channel's sum stays in a register.
template <int Bytes>
void ResampleRowOf(const std::uint8_t* In, std::uint8_t* Out, const TContributorList& List, int Width) {
  for (int x = 0; x < Width; ++x, Out += Bytes) {
    int sum[Bytes] = {};
    const TContributor* entry = List.Of(x);
    const TContributor* end = entry + List.Count[static_cast<std::size_t>(x)];
    for (; entry != end; ++entry) {
      const std::uint8_t* p = In + static_cast<std::ptrdiff_t>(entry->Index) * Bytes;
      for (int c = 0; c < Bytes; ++c)
        sum[c] += entry->Weight * p[c];
    }
    for (int c = 0; c < Bytes; ++c)
      Out[c] = ResampledByte(sum[c]);
  }
}

// The rows of the work image T (the horizontal pass: S's rows at the new
// width), made when the vertical pass first asks for them. A destination
// row reads a window of neighbouring rows that moves down the image, so a
// few rows held by index modulo the slot count serve every request, and
// each row is filtered about once. A row handed out is read before the
// next request, so a slot taken over early costs time, never a wrong sum.
class TFilteredRows {
public:
  TFilteredRows(const TPixelView& S, const TContributorList& Columns, int Width, int Slots)
      : source_(S), columns_(Columns), width_(Width), lineBytes_(static_cast<std::size_t>(Width) * (S.BitCount / 8)),
        rows_(static_cast<std::size_t>(Slots) * lineBytes_), held_(static_cast<std::size_t>(Slots), -1) {}

  const std::uint8_t* Row(int y) {
    const std::size_t slot = static_cast<std::size_t>(y) % held_.size();
    std::uint8_t* row = rows_.data() + slot * lineBytes_;
    if (held_[slot] != y) {
      if (source_.BitCount == 32)
        ResampleRowOf<4>(source_.Row(y), row, columns_, width_);
      else
        ResampleRowOf<3>(source_.Row(y), row, columns_, width_);
      held_[slot] = y;
    }
    return row;
  }

private:
  const TPixelView& source_;
  const TContributorList& columns_;
  int width_;
  std::size_t lineBytes_;
  std::vector<std::uint8_t> rows_;
  std::vector<int> held_;
};

// Each destination row of D adds whole weighted rows of the work image,
// which gives the same sums as walking every column.
void ResampleColumns(TFilteredRows& T, const TPixelView& D, const TContributorList& List, int Bytes) {
  std::vector<int> sums(static_cast<std::size_t>(D.Width) * Bytes);
  for (int y = 0; y < D.Height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    const TContributor* entry = List.Of(y);
    for (int n = 0; n < List.Count[static_cast<std::size_t>(y)]; ++n, ++entry) {
      const std::uint8_t* in = T.Row(entry->Index);
      const int weight = entry->Weight;
      for (std::size_t i = 0; i < sums.size(); ++i)
        sums[i] += weight * in[i];
    }
    StoreLine(sums, D.Row(y));
  }
}

void CopyPixels(const TPixelView& S, const TPixelView& D) {
  const std::size_t bytes = static_cast<std::size_t>(S.Width) * (S.BitCount / 8);
  for (int y = 0; y < S.Height; ++y)
    std::memmove(D.Row(y), S.Row(y), bytes);
}

}  // namespace

float ResampleFilterRadius(int Filter) { return Filter >= 0 && Filter <= 6 ? kFilterRadius[Filter] : 0.0f; }

float ResampleFilterValue(int Filter, float X, float Signed) {
  switch (Filter) {
    case rfBox: return X <= 0.5f && Signed != -0.5f ? 1.0f : 0.0f;
    case rfTriangle: return 1 - X;
    case rfHermite: return (2 * X - 3) * X * X + 1;
    case rfBell: return X < 0.5f ? 0.75f - X * X : 0.5f * (X - 1.5f) * (X - 1.5f);
    case rfBSpline: return X < 1 ? X * X * (X / 2 - 1) + 2.0f / 3.0f : (2 - X) * (2 - X) * (2 - X) / 6;
    case rfWindowedSine:
      return X == 0 ? 1.0f : std::sin(kPi * X) * std::sin(X) / (kPi * X * X);
    case rfMitchell: return MitchellValue(X);
    default: return 0.0f;
  }
}

TContributorList MakeContributors(int Dest, int Source, int Filter) {
  TContributorList list;
  const float radius = ResampleFilterRadius(Filter);
  const float scale = Dest < Source ? static_cast<float>(Dest) / static_cast<float>(Source) : 1.0f;
  const float width = radius / scale;
  list.Capacity = std::max(1, static_cast<int>(2 * width + 1));
  list.Count.assign(static_cast<std::size_t>(Dest), 0);
  list.Entries.resize(static_cast<std::size_t>(Dest) * list.Capacity);
  for (int i = 0; i < Dest; ++i) {
    const float centre = static_cast<float>(static_cast<double>(i) * Source / Dest);
    int& count = list.Count[static_cast<std::size_t>(i)];
    TContributor* entries = list.Entries.data() + static_cast<std::size_t>(i) * list.Capacity;
    const int last = static_cast<int>(std::ceil(centre + width));
    for (int j = static_cast<int>(std::floor(centre - width)); j <= last && count < list.Capacity; ++j) {
      const float signedDistance = (centre - static_cast<float>(j)) * scale;
      const float x = std::fabs(signedDistance);
      if (!(x < radius))
        continue;
      const float w = ResampleFilterValue(Filter, x, signedDistance);
      if (w == 0)
        continue;
      entries[count++] = {MirroredIndex(j, Source), RoundEven(static_cast<double>(w) * scale * 65536.0)};
    }
  }
  return list;
}

void SmoothResizePixels(const TPixelView& S, const TPixelView& D, int Filter) {
  if (S.Width < 2 || S.Height < 2)
    throw Exception("Source bitmap is too small");
  if ((!S.Is24() && !S.Is32()) || D.BitCount != S.BitCount || !D.Assigned() || !S.Assigned())
    return;
  if (D.Width == S.Width && D.Height == S.Height) {
    if (D.Line0 != S.Line0)
      CopyPixels(S, D);
    return;
  }
  const int bytes = S.BitCount / 8;
  const TContributorList columns = MakeContributors(D.Width, S.Width, Filter);
  const TContributorList rows = MakeContributors(D.Height, S.Height, Filter);
  // A destination row reads at most rows.Capacity neighbouring source rows,
  // mirrored at the edges into the same span.
  TFilteredRows work(S, columns, D.Width, rows.Capacity + 2);
  ResampleColumns(work, D, rows, bytes);
}

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

// Rows of S into the rows of T (same height), Bytes per pixel.
void ResampleRows(const TPixelView& S, const TPixelView& T, const TContributorList& List, int Bytes) {
  std::vector<int> sums(static_cast<std::size_t>(T.Width) * Bytes);
  for (int y = 0; y < S.Height; ++y) {
    const std::uint8_t* in = S.Row(y);
    std::fill(sums.begin(), sums.end(), 0);
    for (int x = 0; x < T.Width; ++x) {
      int* sum = sums.data() + static_cast<std::size_t>(x) * Bytes;
      const TContributor* entry = List.Of(x);
      for (int n = 0; n < List.Count[static_cast<std::size_t>(x)]; ++n, ++entry) {
        const std::uint8_t* p = in + static_cast<std::ptrdiff_t>(entry->Index) * Bytes;
        for (int c = 0; c < Bytes; ++c)
          sum[c] += entry->Weight * p[c];
      }
    }
    StoreLine(sums, T.Row(y));
  }
}

// Columns of T into the columns of D (same width): each destination row
// adds whole weighted source rows, which gives the same sums as walking
// every column.
void ResampleColumns(const TPixelView& T, const TPixelView& D, const TContributorList& List, int Bytes) {
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
  const TPixelImage work(D.Width, S.Height, S.BitCount);
  ResampleRows(S, work, MakeContributors(D.Width, S.Width, Filter), bytes);
  ResampleColumns(work, D, MakeContributors(D.Height, S.Height, Filter), bytes);
}

// The filtered resampler: filter values, contributor lists in 16.16 fixed
// point, mirrored edges, the clamping of channel sums and the two passes.
#include <gtest/gtest.h>

#include "classlib/system/exceptions.h"
#include "skin/core/smoothresize.h"

namespace {

void FillGradient(const TPixelView& v) {
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      std::uint8_t* p = v.Pixel(x, y);
      for (int c = 0; c < v.BitCount / 8; ++c)
        p[c] = static_cast<std::uint8_t>((x * 7 + y * 13 + c * 50) % 256);
    }
}

TEST(SmoothResizeFilters, ValuesAndRadiiOfTheSevenFilters) {
  struct Case {
    int Filter;
    float Radius, X, Value;
  };
  const Case cases[] = {
      {rfBox, 0.51f, 0.5f, 1},      {rfBox, 0.51f, 0.505f, 0},  {rfTriangle, 1, 0.25f, 0.75f},
      {rfHermite, 1, 0.5f, 0.5f},   {rfBell, 1.5f, 0.25f, 0.6875f}, {rfBell, 1.5f, 1, 0.125f},
      {rfBSpline, 2, 0, 2.0f / 3},  {rfBSpline, 2, 1.5f, 0.125f / 6}, {rfWindowedSine, 3, 0, 1},
      {rfMitchell, 2, 0, 8.0f / 9}, {rfMitchell, 2, 1, 1.0f / 18},    {rfMitchell, 2, 1.5f, -5.0f / 144},
      {7, 0, 0.25f, 0},             {-1, 0, 0.25f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "filter " << c.Filter << " at " << c.X);
    EXPECT_EQ(ResampleFilterRadius(c.Filter), c.Radius);
    EXPECT_NEAR(ResampleFilterValue(c.Filter, c.X, c.X), c.Value, 1e-6);
  }
  EXPECT_EQ(ResampleFilterValue(rfBox, 0.5f, -0.5f), 0) << "the box is half open";
  EXPECT_NEAR(ResampleFilterValue(rfWindowedSine, 0.5f, 0.5f), std::sin(0.5) / (3.14159265 * 0.25), 1e-6);
}

TEST(SmoothResizeContributors, ScaleOneMitchellWeighsNeighboursAtIntegerPositions) {
  const TContributorList list = MakeContributors(100, 100, rfMitchell);
  ASSERT_EQ(list.Count[50], 3);
  const TContributor* entries = list.Of(50);
  EXPECT_EQ(entries[0].Index, 49);
  EXPECT_EQ(entries[0].Weight, 3641);  // Round(65536 / 18)
  EXPECT_EQ(entries[1].Index, 50);
  EXPECT_EQ(entries[1].Weight, 58254);  // Round(65536 * 8 / 9)
  EXPECT_EQ(entries[2].Index, 51);
  EXPECT_EQ(entries[2].Weight, 3641);
}

TEST(SmoothResizeContributors, HalvingWithTheTriangleDrawsOnUpToFourSources) {
  const TContributorList list = MakeContributors(5, 10, rfTriangle);
  ASSERT_EQ(list.Count[2], 3) << "centre 4 exactly: sources 3, 4, 5 (2 and 6 weigh 0)";
  EXPECT_EQ(list.Of(2)[0].Index, 3);
  EXPECT_EQ(list.Of(2)[0].Weight, 16384);  // (1 - 0.5) * 0.5
  EXPECT_EQ(list.Of(2)[1].Weight, 32768);
  const TContributorList odd = MakeContributors(4, 9, rfTriangle);
  EXPECT_EQ(odd.Count[1], 4) << "centre 2.25: sources 1..4";
}

TEST(SmoothResizeContributors, IndexesBeyondTheEdgesMirror) {
  const TContributorList list = MakeContributors(10, 10, rfMitchell);
  ASSERT_EQ(list.Count[0], 3);
  EXPECT_EQ(list.Of(0)[0].Index, 1) << "j = -1 reads index 1";
  EXPECT_EQ(list.Of(0)[1].Index, 0);
  ASSERT_EQ(list.Count[9], 3);
  EXPECT_EQ(list.Of(9)[2].Index, 9) << "j = M reads index M - 1";
  // A filter wider than a tiny line would mirror past the far edge: the
  // index stays inside the line.
  const TContributorList wide = MakeContributors(40, 2, rfWindowedSine);
  for (int i = 0; i < 40; ++i)
    for (int n = 0; n < wide.Count[static_cast<std::size_t>(i)]; ++n) {
      ASSERT_GE(wide.Of(i)[n].Index, 0);
      ASSERT_LT(wide.Of(i)[n].Index, 2);
    }
}

TEST(SmoothResizePixels, SourcesUnderTwoByTwoRaise) {
  for (auto [w, h] : {std::pair{1, 10}, std::pair{10, 1}, std::pair{0, 0}}) {
    TPixelImage source(w, h, 24), dest(5, 5, 24);
    dest.View().Pixel(0, 0)[0] = 77;
    try {
      SmoothResizePixels(source, dest, rfMitchell);
      FAIL() << w << " x " << h << " was accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Source bitmap is too small");
    }
    EXPECT_EQ(dest.View().Pixel(0, 0)[0], 77) << "the destination is unchanged";
  }
}

TEST(SmoothResizePixels, SameSizeCopiesUnchanged) {
  for (int bits : {24, 32}) {
    TPixelImage source(7, 5, bits), dest(7, 5, bits, true);
    FillGradient(source);
    SmoothResizePixels(source, dest, rfMitchell);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        for (int c = 0; c < bits / 8; ++c)
          ASSERT_EQ(dest.View().Pixel(x, y)[c], source.View().Pixel(x, y)[c]);
  }
}

TEST(SmoothResizePixels, AnUnchangedDimensionIsStillFilteredAtScaleOne) {
  // 100 x 100 to 50 x 100: every column still passes the Mitchell filter,
  // so a lone bright row softens into its neighbours.
  TPixelImage source(100, 100, 24), dest(50, 100, 24);
  for (int x = 0; x < 100; ++x)
    for (int c = 0; c < 3; ++c)
      source.View().Pixel(x, 40)[c] = 180;
  SmoothResizePixels(source, dest, rfMitchell);
  const TPixelView& d = dest.View();
  // Rows first: a uniform row of 180 stays about 180 (the halved Mitchell
  // weights sum close to 1); columns then: 180 * 8/9 and 180 / 18.
  EXPECT_NEAR(d.Pixel(25, 40)[0], 160, 2);
  EXPECT_NEAR(d.Pixel(25, 39)[0], 10, 1);
  EXPECT_NEAR(d.Pixel(25, 41)[0], 10, 1);
  EXPECT_EQ(d.Pixel(25, 38)[0], 0);
}

TEST(SmoothResizePixels, ChannelSumsAreHeldToAByte) {
  // A box filter at scale 1 has one entry of weight 65536: 255 * 65536 is
  // 0xFF0000 and gives 255.
  TPixelImage white(4, 4, 24), bigger(8, 8, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      for (int c = 0; c < 3; ++c)
        white.View().Pixel(x, y)[c] = 255;
  SmoothResizePixels(white, bigger, rfBox);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(bigger.View().Pixel(x, y)[1], 255);
  // Mitchell's negative lobes beside a sharp edge push sums below 0 (held
  // at 0) and above 0xFF0000 (held at 255), never wrapping round.
  TPixelImage edge(8, 2, 32), wide(16, 4, 32);
  for (int y = 0; y < 2; ++y)
    for (int x = 4; x < 8; ++x)
      for (int c = 0; c < 4; ++c)
        edge.View().Pixel(x, y)[c] = 255;
  SmoothResizePixels(edge, wide, rfMitchell);
  // Row 0 of the result takes the weights 1/18, 8/9, 1/18 of the two equal
  // source rows, which sum to exactly 65536.
  const TPixelView& w = wide.View();
  EXPECT_EQ(w.Pixel(5, 0)[3], 0) << "centre 2.5: only the negative outer lobe reaches the bright side";
  EXPECT_NEAR(w.Pixel(7, 0)[3], 127, 1) << "centre 3.5 lies on the edge";
  EXPECT_EQ(w.Pixel(9, 0)[3], 255) << "centre 4.5: the dark side's lobe is missing, the sum exceeds 0xFF0000";
  EXPECT_EQ(w.Pixel(2, 0)[3], 0);
}

TEST(SmoothResizePixels, DownAndUpKeepAUniformPicture) {
  for (int filter = rfBox; filter <= rfMitchell; ++filter) {
    TPixelImage source(20, 12, 32), half(10, 6, 32), twice(40, 24, 32);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x)
        for (int c = 0; c < 4; ++c)
          source.View().Pixel(x, y)[c] = 100;
    SmoothResizePixels(source, half, filter);
    SmoothResizePixels(source, twice, filter);
    SCOPED_TRACE(filter);
    EXPECT_NEAR(half.View().Pixel(5, 3)[2], 100, 2);
    EXPECT_NEAR(twice.View().Pixel(20, 12)[3], 100, 2);
  }
}

// The two passes written out plainly: every row of S through the column
// contributors into a whole work image, then every column of it.
TPixelImage ReferenceResize(const TPixelView& S, int NW, int NH, int Filter) {
  const int bytes = S.BitCount / 8;
  const TContributorList columns = MakeContributors(NW, S.Width, Filter);
  const TContributorList rows = MakeContributors(NH, S.Height, Filter);
  const auto clampToByte = [](int sum) { return sum < 0 ? 0 : sum < 0xFF0001 ? sum >> 16 : 255; };
  TPixelImage work(NW, S.Height, S.BitCount), out(NW, NH, S.BitCount);
  for (int y = 0; y < S.Height; ++y)
    for (int x = 0; x < NW; ++x)
      for (int c = 0; c < bytes; ++c) {
        int sum = 0;
        for (int n = 0; n < columns.Count[static_cast<std::size_t>(x)]; ++n)
          sum += columns.Of(x)[n].Weight * S.Pixel(columns.Of(x)[n].Index, y)[c];
        work.View().Pixel(x, y)[c] = static_cast<std::uint8_t>(clampToByte(sum));
      }
  for (int x = 0; x < NW; ++x)
    for (int y = 0; y < NH; ++y)
      for (int c = 0; c < bytes; ++c) {
        int sum = 0;
        for (int n = 0; n < rows.Count[static_cast<std::size_t>(y)]; ++n)
          sum += rows.Of(y)[n].Weight * work.View().Pixel(x, rows.Of(y)[n].Index)[c];
        out.View().Pixel(x, y)[c] = static_cast<std::uint8_t>(clampToByte(sum));
      }
  return out;
}

TEST(SmoothResizePixels, EveryFilterMatchesThePlainTwoPasses) {
  struct Size {
    int W, H;
  };
  const Size sizes[] = {{23, 17}, {9, 40}, {3, 2}, {40, 5}, {2, 2}};
  for (int bits : {24, 32}) {
    TPixelImage source(17, 13, bits, bits == 32);
    FillGradient(source);
    source.View().Pixel(8, 6)[0] = 255;  // a sharp spot for the negative lobes
    for (int filter = rfBox; filter <= rfMitchell; ++filter)
      for (const Size& size : sizes) {
        SCOPED_TRACE(testing::Message() << bits << " bits, filter " << filter << ", " << size.W << " x " << size.H);
        TPixelImage dest(size.W, size.H, bits);
        SmoothResizePixels(source, dest, filter);
        const TPixelImage expected = ReferenceResize(source, size.W, size.H, filter);
        for (int y = 0; y < size.H; ++y)
          for (int x = 0; x < size.W; ++x)
            for (int c = 0; c < bits / 8; ++c)
              ASSERT_EQ(dest.View().Pixel(x, y)[c], expected.View().Pixel(x, y)[c]) << x << "," << y << " " << c;
      }
  }
}

TEST(SmoothResizePixels, OtherFormatsAndMismatchedDestinationsDrawNothing) {
  TPixelImage source(4, 4, 8), dest(2, 2, 8);
  dest.View().Pixel(0, 0)[0] = 9;
  SmoothResizePixels(source, dest, rfMitchell);
  EXPECT_EQ(dest.View().Pixel(0, 0)[0], 9);
  TPixelImage source24(4, 4, 24), dest32(2, 2, 32);
  dest32.View().Pixel(0, 0)[0] = 9;
  SmoothResizePixels(source24, dest32, rfMitchell);
  EXPECT_EQ(dest32.View().Pixel(0, 0)[0], 9);
}

}  // namespace

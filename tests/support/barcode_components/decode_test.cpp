// Symbols painted by GDI into bitmaps, with their text under the bars, read
// back by the independent Linux readers (see unixreaders.h for how a test
// under Wine reaches them). Together with the pixel comparison against the
// bar layout (painter_test.cpp) this checks the painting end to end.
#include <gtest/gtest.h>

#include "classlib/graphics/metafile.h"
#include "support/barcode/barcodeencoder.h"
#include "tests/support/barcode/decodecases.h"
#include "tests/support/barcode_components/rendertesting.h"
#include "tests/support/barcode_components/unixreaders.h"

namespace {

using barcode_decode::DecodeCase;
using barcode_decode::kCases;

enum class Reader { Zxing, Zbar };
enum class Target { Bitmap, Metafile };

struct Setting {
  const char* Name;
  Reader By;
  int Dpi;
  double BarWidthMils;
  Target Via;
};

// A 12-mil module is one pixel on the screen and seven on the printer. zbar
// misses some one-pixel symbols (zint's own renders included), so it reads
// two-pixel modules at screen resolution.
const Setting kSettings[] = {
    {"ZXingReader, screen", Reader::Zxing, 96, 12, Target::Bitmap},
    {"ZXingReader, printer", Reader::Zxing, 600, 12, Target::Bitmap},
    {"ZXingReader, screen metafile", Reader::Zxing, 96, 12, Target::Metafile},
    {"zbarimg, screen", Reader::Zbar, 96, 21, Target::Bitmap},
    {"zbarimg, printer", Reader::Zbar, 600, 12, Target::Bitmap},
    {"zbarimg, screen metafile", Reader::Zbar, 96, 21, Target::Metafile},
};

TBarcodeLook LookOf(const DecodeCase& c, const Setting& s) {
  TBarcodeLook look;
  look.BarCodeType = c.Type;
  look.Code = c.Code;
  look.AddCheckChar = c.AddCheck;
  look.BarWidth = s.BarWidthMils;
  look.BarToSpaceRatio = 2.5;
  look.ShowCode = true;
  look.TallGuardBars = true;
  look.GuardHeight = 5;
  return look;
}

// Half-inch bars with the code under them, on a white margin.
void Render(const DecodeCase& c, const Setting& s, TBitmap& bitmap) {
  TBarcodeLook look = LookOf(c, s);
  int margin = 4 * ModulePixels(s.BarWidthMils, s.Dpi);
  RECT rect = RoomyRect(look, s.Dpi, s.Dpi / 2, s.Dpi / 6, margin);
  int width = rect.right + margin, height = rect.bottom + margin;
  TFont font;
  font.SetName("Arial");
  font.SetSize(8);
  MakeWhiteBitmap(bitmap, width, height);
  if (s.Via == Target::Bitmap) {
    PaintBarcode(bitmap.Canvas(), rect, s.Dpi, look, font);
    return;
  }
  TMetafile metafile;
  metafile.SetWidth(width);
  metafile.SetHeight(height);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    PaintBarcode(canvas, rect, s.Dpi, look, font);
  }
  bitmap.Canvas().StretchDraw(RECT{0, 0, width, height}, metafile);
}

std::string ReaderCommand(const DecodeCase& c, Reader reader) {
  if (reader == Reader::Zbar) return "zbarimg -q --raw";
  return std::string("ZXingReader -bytes -format ") + c.ZxingFormat;
}

TEST(BarcodeDecode, IndependentReadersReadThePaintedSymbols) {
  TUnixDecodeBatch batch;
  if (!batch.Unavailable().empty()) GTEST_SKIP() << batch.Unavailable();
  std::string missing = batch.MissingPrograms({"ZXingReader", "zbarimg"});
  if (!missing.empty()) {
    GTEST_SKIP() << "not installed: " << missing << "(Debian zxing-cpp-tools, zbar-tools; tools/setup installs them)";
  }

  struct Queued {
    const DecodeCase* Case;
    const Setting* With;
    std::size_t Index;
  };
  std::vector<Queued> queued;
  for (const Setting& s : kSettings) {
    for (const DecodeCase& c : kCases) {
      TBitmap bitmap;
      Render(c, s, bitmap);
      queued.push_back({&c, &s, batch.Add(bitmap, ReaderCommand(c, s.By))});
    }
  }
  std::vector<std::optional<std::string>> results = batch.Run();
  ASSERT_EQ(results.size(), queued.size());
  for (const Queued& q : queued) {
    SCOPED_TRACE(std::string(BarcodeTypeName(q.Case->Type)) + " " + q.Case->Code + ", " + q.With->Name);
    const char* expected = q.With->By == Reader::Zbar ? q.Case->ZbarText : q.Case->ZxingText;
    EXPECT_EQ(results[q.Index].value_or("<no symbol found>"), expected);
  }
}

}  // namespace

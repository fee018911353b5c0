// Symbols painted by GDI into bitmaps, with their text under the bars, read
// back by the independent Linux readers (see unixreaders.h for how a test
// under Wine reaches them). Together with the pixel comparison against the
// bar layout (painter_test.cpp) this checks the painting end to end.
#include <gtest/gtest.h>

#include "classlib/graphics/metafile.h"
#include "support/barcode/barcodeencoder.h"
#include "tests/support/barcode_components/rendertesting.h"
#include "tests/support/barcode_components/unixreaders.h"

namespace {

struct DecodeCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
  const char* ZxingFormat;
  const char* ZxingText;  // what ZXingReader reports
  const char* ZbarText;   // what zbarimg reports
};

// Code 11 has no independent reader.
const DecodeCase kCases[] = {
    {bcUPC_A, "03600029145", false, "UPC-A", "036000291452", "0036000291452"},
    {bcUPC_E, "0123456", false, "UPC-E", "01234565", "0012345000065"},
    {bcEAN_8, "9638507", false, "EAN-8", "96385074", "96385074"},
    {bcEAN_13, "123456789012", true, "EAN-13", "1234567890128", "1234567890128"},
    {bcEAN_13, "869000000001", true, "EAN-13", "8690000000012", "8690000000012"},
    {bcInterleaved2of5, "1234567890", false, "ITF", "1234567890", "1234567890"},
    {bcInterleaved2of5, "123456789", true, "ITF", "1234567895", "1234567895"},
    {bcCodabar, "A40156B", false, "Codabar", "40156", "A40156B"},
    {bcCode39, "CODE 39-$/+%.", false, "Code39", "CODE 39-$/+%.", "CODE 39-$/+%."},
    {bcCode39, "CODE39", true, "Code39", "CODE39W", "CODE39W"},
    {bcCode93, "TEST93-$/+%. X", false, "Code93", "TEST93-$/+%. X", "TEST93-$/+%. X"},
    {bcCode128, "Hello123456", false, "Code128", "Hello123456", "Hello123456"},
    {bcCode128, "ABC12345678def", false, "Code128", "ABC12345678def", "ABC12345678def"},
};

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

// Rendered symbols read back by independent readers (ZXingReader, zbarimg):
// each symbology is laid out at screen and printer resolution, written as an
// image and decoded to its text.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/barcode/barcodelayout.h"
#include "tests/support/barcode/barcodetesting.h"
#include "tests/support/barcode/decodecases.h"
#include "tests/support/barcode/externaltools.h"

namespace {

using barcode_decode::DecodeCase;
using barcode_decode::kCases;

struct Resolution {
  const char* Name;
  int Dpi;
  double BarWidthMils;
};
// A 12-mil module (the designer's barcode prototypes) is one pixel on the
// screen and seven on the printer.
const Resolution kResolutions[] = {{"screen", 96, 12}, {"printer", 600, 12}};
// zbar misses some one-pixel symbols, zint's own renders included (UPC-A
// 036000291452), so it reads two-pixel modules at screen resolution.
const Resolution kZbarResolutions[] = {{"screen", 96, 21}, {"printer", 600, 12}};

// Half-inch bars; guard bars a twentieth of an inch longer.
std::string RenderToFile(const DecodeCase& c, const Resolution& r) {
  TBarcodePattern pattern = EncodeBarcode(c.Type, c.Code, c.AddCheck);
  TBarLayoutOptions options;
  options.ModulePixels = ModulePixels(r.BarWidthMils, r.Dpi);
  options.WideToNarrow = 2.5;
  options.BarHeight = r.Dpi / 2;
  options.GuardExtension = r.Dpi / 20;
  TBarLayout layout = LayoutBars(pattern, options);
  return WritePgm(layout, 4 * options.ModulePixels,
                  std::string("dozuri_barcode_") + BarcodeTypeName(c.Type) + "_" + r.Name + ".pgm");
}

// Reads the image with a reader's command line and removes it.
std::optional<std::string> ReadImage(const std::string& commandBeforeFile, const std::string& file) {
  std::optional<std::string> text = RunTool(commandBeforeFile + " " + ShellQuote(file));
  std::remove(file.c_str());
  return text;
}

std::string Trim(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

TEST(BarcodeDecode, ZxingReadsEverySymbology) {
  if (!ToolAvailable("ZXingReader")) GTEST_SKIP() << ToolMissing("ZXingReader", "zxing-cpp-tools");
  for (const Resolution& r : kResolutions) {
    for (const DecodeCase& c : kCases) {
      SCOPED_TRACE(std::string(c.Code) + " at " + r.Name + " resolution");
      std::string file = RenderToFile(c, r);
      std::optional<std::string> text = ReadImage(std::string("ZXingReader -bytes -format ") + c.ZxingFormat, file);
      EXPECT_EQ(Trim(text.value_or("<no symbol found>")), c.ZxingText);
    }
  }
}

TEST(BarcodeDecode, ZbarReadsEverySymbology) {
  if (!ToolAvailable("zbarimg")) GTEST_SKIP() << ToolMissing("zbarimg", "zbar-tools");
  for (const Resolution& r : kZbarResolutions) {
    for (const DecodeCase& c : kCases) {
      SCOPED_TRACE(std::string(c.Code) + " at " + r.Name + " resolution");
      std::string file = RenderToFile(c, r);
      std::optional<std::string> text = ReadImage("zbarimg -q --raw", file);
      EXPECT_EQ(Trim(text.value_or("<no symbol found>")), c.ZbarText);
    }
  }
}

}  // namespace

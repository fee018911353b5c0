// Rendered symbols read back by independent readers (ZXingReader, zbarimg):
// each symbology is laid out at screen and printer resolution, written as an
// image and decoded to its text.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/barcode/barcodelayout.h"
#include "tests/support/barcode/barcodetesting.h"
#include "tests/support/barcode/externaltools.h"

namespace {

struct DecodeCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
  const char* ZxingFormat;
  const char* ZxingText;  // what ZXingReader reports
  const char* ZbarText;   // what zbarimg reports
};

// Code 11 has no independent reader here; zint's patterns cover it.
const DecodeCase kCases[] = {
    {bcUPC_A, "03600029145", false, "UPC-A", "036000291452", "0036000291452"},
    {bcUPC_E, "0123456", false, "UPC-E", "01234565", "0012345000065"},
    {bcEAN_8, "9638507", false, "EAN-8", "96385074", "96385074"},
    {bcEAN_13, "123456789012", false, "EAN-13", "1234567890128", "1234567890128"},
    {bcEAN_13, "869000000001", false, "EAN-13", "8690000000012", "8690000000012"},
    {bcInterleaved2of5, "1234567890", false, "ITF", "1234567890", "1234567890"},
    {bcInterleaved2of5, "123456789", true, "ITF", "1234567895", "1234567895"},
    {bcCodabar, "A40156B", false, "Codabar", "40156", "A40156B"},
    {bcCode39, "CODE 39-$/+%.", false, "Code39", "CODE 39-$/+%.", "CODE 39-$/+%."},
    {bcCode39, "CODE39", true, "Code39", "CODE39W", "CODE39W"},
    {bcCode93, "TEST93-$/+%. X", false, "Code93", "TEST93-$/+%. X", "TEST93-$/+%. X"},
    {bcCode128, "Hello123456", false, "Code128", "Hello123456", "Hello123456"},
    {bcCode128, "ABC12345678def", false, "Code128", "ABC12345678def", "ABC12345678def"},
};

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

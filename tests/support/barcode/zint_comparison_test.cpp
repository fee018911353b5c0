// Our patterns against zint's: the checked-in table of zint dumps, and the
// live zint when it is installed.
#include <gtest/gtest.h>

#include <set>

#include "tests/support/barcode/barcodetesting.h"
#include "tests/support/barcode/externaltools.h"

namespace {

struct ZintCase {
  const char* Symbology;
  const char* Code;
  bool AddCheck;
  const char* ZintType;
  const char* ZintOptions;
  int WideModules;
  const char* Dump;
};

const ZintCase kCases[] = {
#include "tests/support/barcode/zint_table.inc"
};

std::string CaseName(const ZintCase& c) {
  return std::string(c.Symbology) + " \"" + c.Code + "\"" + (c.AddCheck ? " with check" : "");
}

TEST(ZintComparison, PatternsMatchZintTable) {
  for (const ZintCase& c : kCases) {
    SCOPED_TRACE(CaseName(c));
    TBarcodePattern pattern = EncodeByName(c.Symbology, c.Code, c.AddCheck);
    EXPECT_EQ(PatternToModules(pattern, c.WideModules), ZintDumpToModules(c.Dump));
  }
}

TEST(ZintComparison, TableCoversEverySymbology) {
  std::set<std::string> covered;
  for (const ZintCase& c : kCases) covered.insert(c.Symbology);
  for (int t = bcUPC_A; t <= bcCode128; ++t) {
    EXPECT_TRUE(covered.count(BarcodeTypeName(static_cast<TBarcodeType>(t)))) << t;
  }
  EXPECT_TRUE(covered.count("PostNet"));
}

TEST(ZintComparison, PatternsMatchLiveZint) {
  if (!ToolAvailable("zint")) GTEST_SKIP() << ToolMissing("zint", "zint") << ": the checked-in zint table still applies";
  for (const ZintCase& c : kCases) {
    SCOPED_TRACE(CaseName(c));
    std::string command = std::string("zint --dump -b ") + c.ZintType + " " + c.ZintOptions + " -d " + ShellQuote(c.Code);
    std::optional<std::string> dump = RunTool(command);
    ASSERT_TRUE(dump.has_value()) << command;
    TBarcodePattern pattern = EncodeByName(c.Symbology, c.Code, c.AddCheck);
    EXPECT_EQ(PatternToModules(pattern, c.WideModules), ZintDumpToModules(*dump));
  }
}

}  // namespace

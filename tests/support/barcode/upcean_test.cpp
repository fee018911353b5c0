// EAN/UPC: check digits computed and verified, the symbol's structure (guard
// bars, text groups, quiet zones) and the codes they reject.
#include <gtest/gtest.h>

#include "support/barcode/barcodeencoder.h"
#include "support/barcode/upcean.h"

namespace {

struct CheckCase {
  TBarcodeType Type;
  const char* Code;
  const char* FullCode;  // the human-readable text with the check digit
};

const CheckCase kCheckCases[] = {
    {bcEAN_13, "123456789012", "1234567890128"},
    {bcEAN_13, "400638133393", "4006381333931"},
    {bcEAN_13, "869000000001", "8690000000012"},
    {bcEAN_8, "9638507", "96385074"},
    {bcEAN_8, "5512345", "55123457"},
    {bcUPC_A, "03600029145", "036000291452"},
    {bcUPC_A, "72527273070", "725272730706"},
    {bcUPC_E, "0123456", "01234565"},
    {bcUPC_E, "123456", "01234565"},  // six digits: number system 0
    {bcUPC_E, "0654321", "06543217"},
    {bcUPC_E, "1234567", "12345670"},
};

TEST(UpcEan, ComputesTheCheckDigit) {
  for (const CheckCase& c : kCheckCases) {
    SCOPED_TRACE(c.Code);
    TBarcodePattern p = EncodeBarcode(c.Type, c.Code, false);
    EXPECT_EQ(p.HumanText, c.FullCode);
    EXPECT_EQ(p.CheckChars, std::string(1, std::string(c.FullCode).back()));
  }
}

TEST(UpcEan, AcceptsTheRightCheckDigitWithTheSamePattern) {
  for (const CheckCase& c : kCheckCases) {
    SCOPED_TRACE(c.Code);
    std::string full = c.FullCode;
    if (c.Type == bcUPC_E && std::string(c.Code).size() == 6) continue;  // 7 digits would be read as NS + 6
    TBarcodePattern computed = EncodeBarcode(c.Type, c.Code, false);
    TBarcodePattern given = EncodeBarcode(c.Type, full, false);
    EXPECT_EQ(given.Elements, computed.Elements);
    EXPECT_EQ(given.HumanText, full);
  }
}

TEST(UpcEan, TheCheckCharSwitchDoesNotRemoveTheCheckDigit) {
  EXPECT_EQ(EncodeBarcode(bcEAN_13, "123456789012", true).HumanText, "1234567890128");
  EXPECT_EQ(EncodeBarcode(bcEAN_13, "123456789012", false).HumanText, "1234567890128");
}

struct RejectCase {
  TBarcodeType Type;
  const char* Code;
  const char* Message;
};

const RejectCase kRejects[] = {
    {bcEAN_13, "1234567890123", "Invalid check digit in code (expected 8)"},
    {bcEAN_13, "12345678901", "EAN-13 code must be 12 or 13 digits"},
    {bcEAN_13, "12345678901234", "EAN-13 code must be 12 or 13 digits"},
    {bcEAN_13, "12345678901A", "Invalid character \"A\" in code"},
    {bcEAN_13, "123456 789012", "Invalid character \" \" in code"},
    {bcEAN_13, "", "Code is empty"},
    {bcEAN_8, "123456", "EAN-8 code must be 7 or 8 digits"},
    {bcEAN_8, "96385070", "Invalid check digit in code (expected 4)"},
    {bcUPC_A, "0360002914", "UPC-A code must be 11 or 12 digits"},
    {bcUPC_A, "036000291450", "Invalid check digit in code (expected 2)"},
    {bcUPC_E, "12345", "UPC-E code must be 6, 7 or 8 digits"},
    {bcUPC_E, "2123456", "UPC-E number system must be 0 or 1"},
    {bcUPC_E, "01234569", "Invalid check digit in code (expected 5)"},
    {bcUPC_E, "-123456", "Invalid character \"-\" in code"},
};

TEST(UpcEan, RejectsCodesWithAClearMessage) {
  for (const RejectCase& c : kRejects) {
    SCOPED_TRACE(c.Code);
    try {
      EncodeBarcode(c.Type, c.Code, false);
      ADD_FAILURE() << "accepted";
    } catch (const EStBarCodeError& e) {
      EXPECT_EQ(e.Message, c.Message);
      EXPECT_STREQ(e.ClassName(), "EStBarCodeError");
    }
  }
}

// Indices of the bars that reach below the text line.
std::vector<std::size_t> GuardBars(const TBarcodePattern& p) {
  std::vector<std::size_t> guards;
  for (std::size_t i = 0; i < p.Elements.size(); ++i) {
    if (p.Elements[i].IsBar && p.Elements[i].Height == TBarHeight::Guard) guards.push_back(i);
  }
  return guards;
}

TEST(UpcEan, MarksTheGuardBars) {
  // EAN-13: start, centre and end guards, two bars each.
  EXPECT_EQ(GuardBars(EncodeEAN13("123456789012")), (std::vector<std::size_t>{0, 2, 28, 30, 56, 58}));
  EXPECT_EQ(GuardBars(EncodeEAN8("9638507")), (std::vector<std::size_t>{0, 2, 20, 22, 40, 42}));
  // UPC-A: also the bars of the number system digit and of the check digit.
  EXPECT_EQ(GuardBars(EncodeUPCA("03600029145")),
            (std::vector<std::size_t>{0, 2, 4, 6, 28, 30, 52, 54, 56, 58}));
  // UPC-E: the start guard and the six-element end guard.
  EXPECT_EQ(GuardBars(EncodeUPCE("0123456")), (std::vector<std::size_t>{0, 2, 28, 30, 32}));
}

TEST(UpcEan, SymbolWidthsAndQuietZones) {
  struct {
    TBarcodePattern Pattern;
    int Modules, Left, Right;
  } cases[] = {{EncodeEAN13("123456789012"), 95, 11, 7},
               {EncodeEAN8("9638507"), 67, 7, 7},
               {EncodeUPCA("03600029145"), 95, 9, 9},
               {EncodeUPCE("0123456"), 51, 9, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(PatternModules(c.Pattern, 1), c.Modules);
    EXPECT_EQ(c.Pattern.LeftQuietZone, c.Left);
    EXPECT_EQ(c.Pattern.RightQuietZone, c.Right);
  }
}

struct Group {
  std::string Text;
  TTextPlace Place;
  std::size_t First, End;
  bool operator==(const Group&) const = default;
};

std::vector<Group> Groups(const TBarcodePattern& p) {
  std::vector<Group> groups;
  for (const TTextGroup& g : p.TextGroups) {
    bool under = g.Place == TTextPlace::Under;
    groups.push_back({g.Text, g.Place, under ? g.FirstElement : 0, under ? g.EndElement : 0});
  }
  return groups;
}

TEST(UpcEan, GroupsTheHumanReadableDigits) {
  using P = TTextPlace;
  EXPECT_EQ(Groups(EncodeEAN13("123456789012")),
            (std::vector<Group>{{"1", P::BeforeBars, 0, 0}, {"234567", P::Under, 3, 27}, {"890128", P::Under, 32, 56}}));
  EXPECT_EQ(Groups(EncodeEAN8("9638507")),
            (std::vector<Group>{{"9638", P::Under, 3, 19}, {"5074", P::Under, 24, 40}}));
  EXPECT_EQ(Groups(EncodeUPCA("03600029145")),
            (std::vector<Group>{{"0", P::BeforeBars, 0, 0},
                                {"36000", P::Under, 7, 27},
                                {"29145", P::Under, 32, 52},
                                {"2", P::AfterBars, 0, 0}}));
  EXPECT_EQ(Groups(EncodeUPCE("0123456")),
            (std::vector<Group>{{"0", P::BeforeBars, 0, 0}, {"123456", P::Under, 3, 27}, {"5", P::AfterBars, 0, 0}}));
}

TEST(UpcEan, ExpandsUpcEToUpcA) {
  struct {
    const char* UpcE;
    const char* UpcA;
  } cases[] = {{"0120003", "01200000000"}, {"0123453", "01230000045"}, {"0123454", "01234000005"},
               {"0123455", "01234500005"}, {"1654329", "16543200009"}, {"0120001", "01210000000"}};
  for (const auto& c : cases) EXPECT_EQ(ExpandUPCE(c.UpcE), c.UpcA) << c.UpcE;
}

}  // namespace

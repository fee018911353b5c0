// Interleaved 2 of 5, Codabar, Code 11, Code 39, Code 93 and PostNet: check
// characters, human-readable text, structure and rejected codes.
#include <gtest/gtest.h>

#include "support/barcode/barcodeencoder.h"
#include "support/barcode/postnet.h"

namespace {

struct TextCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
  const char* HumanText;
  const char* CheckChars;
};

const TextCase kTextCases[] = {
    // 2 of 5: mod 10, weights 3 and 1 from the right
    {bcInterleaved2of5, "123456789", true, "1234567895", "5"},
    {bcInterleaved2of5, "1234", false, "1234", ""},
    {bcInterleaved2of5, "0", true, "00", "0"},
    // Code 39: the value sum mod 43 (C12 O24 D13 E14 3 9 = 75 -> 32 = W)
    {bcCode39, "CODE39", true, "CODE39W", "W"},
    {bcCode39, "CODE39", false, "CODE39", ""},
    {bcCode39, "%", true, "%%", "%"},
    // Code 11: C = 71 mod 11 = 5, K over "123-455" = 101 mod 11 = 2
    {bcCode11, "123-45", true, "123-4552", "52"},
    {bcCode11, "-", true, "--8", "-8"},  // a check value of 10 is '-'
    {bcCode11, "123-45", false, "123-45", ""},
    // Codabar: no check; lower-case start/stop characters are upper-cased
    {bcCodabar, "a123b", true, "A123B", ""},
    // Code 93 and Code 128: checks are always added and never shown
    {bcCode93, "TEST93", false, "TEST93", ""},
    {bcCode128, "Hello", true, "Hello", ""},
};

TEST(DiscreteSymbologies, HumanTextAndCheckCharacters) {
  for (const TextCase& c : kTextCases) {
    SCOPED_TRACE(std::string(BarcodeTypeName(c.Type)) + " " + c.Code);
    TBarcodePattern p = EncodeBarcode(c.Type, c.Code, c.AddCheck);
    EXPECT_EQ(p.HumanText, c.HumanText);
    EXPECT_EQ(p.CheckChars, c.CheckChars);
    ASSERT_EQ(p.TextGroups.size(), 1u);
    EXPECT_EQ(p.TextGroups[0].Text, c.HumanText);
    EXPECT_EQ(p.TextGroups[0].EndElement, p.Elements.size());
  }
}

TEST(DiscreteSymbologies, PatternsStartAndEndWithABarAndAlternate) {
  for (const TextCase& c : kTextCases) {
    SCOPED_TRACE(std::string(BarcodeTypeName(c.Type)) + " " + c.Code);
    TBarcodePattern p = EncodeBarcode(c.Type, c.Code, c.AddCheck);
    ASSERT_FALSE(p.Elements.empty());
    EXPECT_TRUE(p.Elements.front().IsBar);
    EXPECT_TRUE(p.Elements.back().IsBar);
    for (std::size_t i = 1; i < p.Elements.size(); ++i) EXPECT_NE(p.Elements[i].IsBar, p.Elements[i - 1].IsBar) << i;
    EXPECT_EQ(p.LeftQuietZone, 10);
    EXPECT_EQ(p.RightQuietZone, 10);
  }
}

TEST(DiscreteSymbologies, TwoWidthSymbologiesUseNarrowAndWideElements) {
  for (TBarcodeType type : {bcInterleaved2of5, bcCodabar, bcCode11, bcCode39}) {
    const char* code = type == bcCodabar ? "A0123456789B" : "0123456789";
    TBarcodePattern p = EncodeBarcode(type, code, false);
    EXPECT_EQ(p.WidthModel, TWidthModel::NarrowWide) << BarcodeTypeName(type);
    for (const TBarElement& e : p.Elements) EXPECT_TRUE(e.Width == 1 || e.Width == 2);
  }
  for (TBarcodeType type : {bcCode93, bcCode128}) {
    EXPECT_EQ(EncodeBarcode(type, "0123456789", false).WidthModel, TWidthModel::Modules);
  }
}

struct RejectCase {
  TBarcodeType Type;
  const char* Code;
  bool AddCheck;
  const char* Message;
};

const RejectCase kRejects[] = {
    {bcInterleaved2of5, "123", false, "Interleaved 2 of 5 needs an even number of digits"},
    {bcInterleaved2of5, "1234", true, "Interleaved 2 of 5 needs an odd number of digits when a check digit is added"},
    {bcInterleaved2of5, "12A4", false, "Invalid character \"A\" in code"},
    {bcCodabar, "1234", false, "Codabar code must start and end with A, B, C or D and hold data between them"},
    {bcCodabar, "AB", false, "Codabar code must start and end with A, B, C or D and hold data between them"},
    {bcCodabar, "A1C2B", false, "Codabar code holds A, B, C or D inside the data"},
    {bcCodabar, "A1E2B", false, "Invalid character \"E\" in code"},
    {bcCode11, "12.3", true, "Invalid character \".\" in code"},
    {bcCode39, "code39", false, "Invalid character \"c\" in code"},
    {bcCode39, "A*B", false, "Invalid character \"*\" in code"},
    {bcCode39, "A\x01", false, "Invalid character #1 in code"},
    {bcCode93, "Test", false, "Invalid character \"e\" in code"},
    {bcCode128, "Ab\xC7", false, "Invalid character \"\xC7\" in code"},
    {bcCode128, "", false, "Code is empty"},
    {bcCode39, "", true, "Code is empty"},
};

TEST(DiscreteSymbologies, RejectsCodesWithAClearMessage) {
  for (const RejectCase& c : kRejects) {
    SCOPED_TRACE(std::string(BarcodeTypeName(c.Type)) + " " + c.Code);
    try {
      EncodeBarcode(c.Type, c.Code, c.AddCheck);
      ADD_FAILURE() << "accepted";
    } catch (const EStBarCodeError& e) {
      EXPECT_EQ(e.Message, c.Message);
    }
  }
}

TEST(PostNet, AddsTheCheckDigitAndFrameBars) {
  TBarcodePattern p = EncodePostNet("12345");
  EXPECT_EQ(p.HumanText, "123455");  // 1+2+3+4+5 = 15, +5 makes 20
  EXPECT_EQ(p.CheckChars, "5");
  std::size_t bars = 0, tall = 0;
  for (const TBarElement& e : p.Elements) {
    if (!e.IsBar) continue;
    ++bars;
    if (e.Height == TBarHeight::Full) ++tall;
  }
  EXPECT_EQ(bars, 2 + 6 * 5u);
  EXPECT_EQ(tall, 2 + 6 * 2u);  // two tall bars per digit, plus the frame
  EXPECT_EQ(EncodePostNet("12345678901").HumanText, "123456789014");
}

TEST(PostNet, RejectsOtherLengthsAndNonDigits) {
  for (const char* code : {"1234", "123456", "1234567890", "123456789012"}) {
    try {
      EncodePostNet(code);
      ADD_FAILURE() << code << " accepted";
    } catch (const EStBarCodeError& e) {
      EXPECT_EQ(e.Message, "PostNet code must be 5, 9 or 11 digits") << code;
    }
  }
  EXPECT_THROW(EncodePostNet("1234-"), EStBarCodeError);
}

TEST(BarcodeTypes, OrdinalsAndNamesFollowTheDesignerList) {
  const char* names[] = {"UPC_A", "UPC_E", "EAN_8", "EAN_13", "Interleaved2of5",
                         "Codabar", "Code11", "Code39", "Code93", "Code128"};
  for (int i = 0; i < 10; ++i) EXPECT_STREQ(BarcodeTypeName(static_cast<TBarcodeType>(i)), names[i]);
  EXPECT_EQ(bcUPC_A, 0);
  EXPECT_EQ(bcCode128, 9);
}

}  // namespace

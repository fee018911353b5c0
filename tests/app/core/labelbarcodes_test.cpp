#include "app/labelbarcodes.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/labeltable.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/data/rxmemorydata.h"

namespace {

struct CodeCase {
  const char* Code;
  bool Prints;
  const char* MessagePart;
};

TEST(LabelBarcodes, TwelveDigitsGetTheirCheckDigitThirteenAreCheckedOthersAreRefusedInTurkish) {
  const CodeCase cases[] = {
      {"", true, ""},
      {"869000000001", true, ""},
      {"4006381333931", true, ""},
      {"8690000000012", true, ""},
      {"8690000000016", false, "son rakam 2"},  // 869000000001 checks to 2
      {"4006381333932", false, "son rakam 1"},
      {"86900000001", false, "12 ya da 13 rakam"},
      {"86900000000123", false, "12 ya da 13 rakam"},
      {"86900000000A", false, "12 ya da 13 rakam"},
      {" 869000000001", false, "12 ya da 13 rakam"},
  };
  for (const CodeCase& c : cases) {
    const AnsiString problem = Ean13CodeProblem(c.Code);
    EXPECT_EQ(problem.empty(), c.Prints) << c.Code << ": " << problem;
    EXPECT_NE(problem.find(c.MessagePart), std::string::npos) << c.Code << ": " << problem;
  }
  EXPECT_EQ(Ean13CheckDigit("400638133393"), '1');
  EXPECT_EQ(Ean13CheckDigit("869000000001"), '2');
}

class LabelTableBarcodes : public testing::Test {
protected:
  LabelTableBarcodes() : labels(new TRxMemoryData(nullptr)) {
    DefineLabelFields(*labels);
    labels->Open();
  }
  ~LabelTableBarcodes() override { labels->Free(); }
  void Add(const char* Code) {
    labels->Append();
    labels->FieldByName("METIN1")->SetAsString(Code);
    labels->Post();
  }
  TRxMemoryData* labels;
};

TEST_F(LabelTableBarcodes, NamesTheFirstRealLabelThatCannotPrintCountingWithoutPlaceholdersAndKeepsTheRecord) {
  Add("869000000001");
  Add("8690000000012");
  Add("8690000000016");
  Add("123");
  InsertPlaceholders(*labels, 4);
  labels->First();
  labels->MoveBy(5);
  const AnsiString current = labels->FieldByName("METIN1")->AsString();
  const AnsiString message = FirstLabelBarcodeProblem(*labels);
  EXPECT_NE(message.find("3. etiketteki barkod (8690000000016)"), std::string::npos) << message;
  EXPECT_NE(message.find("son rakam 2"), std::string::npos) << message;
  EXPECT_EQ(labels->FieldByName("METIN1")->AsString(), current);
}

TEST_F(LabelTableBarcodes, PlaceholdersAndEmptyCodesPrintAndAnEmptyTableHasNoProblem) {
  EXPECT_EQ(FirstLabelBarcodeProblem(*labels), "");
  Add("");
  Add("4006381333931");
  InsertPlaceholders(*labels, 2);
  EXPECT_EQ(FirstLabelBarcodeProblem(*labels), "");
}

}  // namespace

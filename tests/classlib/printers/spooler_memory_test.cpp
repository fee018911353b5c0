#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/printers/devmode.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/printers/printers.h"
#include "classlib/printers/spoolermemory.h"

namespace {

// A print request as the program makes it: the printer object is made anew
// by each part (the request, the report, the preview, the run), and each
// selects the default printer, reads its papers and its driver's defaults.
void MakeRequestPrinters(int times) {
  for (int i = 0; i < times; ++i) {
    TPrinter printer;
    printer.SetPrinterIndex(-1);
    AnsiString device, driver, port;
    HGLOBAL mode = nullptr;
    printer.GetPrinter(device, driver, port, mode);
    Spooler().Papers(device, port);
    Spooler().PaperSizes(device, port);
    Spooler().DocumentProperties(device);
  }
}

class SpoolerMemoryTest : public testing::Test {
protected:
  SpoolerMemoryTest() : scope(spooler) {
    TFakePrinter label;
    label.Name = "Etiket Yazıcı";
    label.Port = "USB001";
    label.Papers = {DMPAPER_A4, DMPAPER_USER};
    label.PaperSizes = {{2100, 2970}, {1000, 500}};
    spooler.AddPrinter(label);
    spooler.Default = "Etiket Yazıcı";
  }

  int Asked(const AnsiString& call) const {
    return static_cast<int>(std::count(spooler.Calls.begin(), spooler.Calls.end(), call));
  }

  TFakeSpooler spooler;
  SpoolerScope scope;
};

// Within one request each question reaches the spooler once however many
// printer objects ask it; outside a request every one is asked (the list
// stays right when a printer is added between requests).
TEST_F(SpoolerMemoryTest, EachQuestionOncePerRequest) {
  const char* questions[] = {"PrinterNames",        "DefaultPrinter",     "GetPrinter(Etiket Yazıcı)",
                             "Papers(Etiket Yazıcı)", "PaperSizes(Etiket Yazıcı)",
                             "DocumentProperties(Etiket Yazıcı)"};
  {
    SpoolerRequestScope request;
    MakeRequestPrinters(4);
  }
  for (const char* question : questions)
    EXPECT_EQ(Asked(question), 1) << question;

  spooler.Calls.clear();
  MakeRequestPrinters(2);
  for (const char* question : questions)
    EXPECT_GE(Asked(question), 2) << question;
}

TEST_F(SpoolerMemoryTest, NextRequestSeesAnAddedPrinter) {
  {
    SpoolerRequestScope request;
    EXPECT_EQ(Spooler().PrinterNames().size(), 1u);
  }
  TFakePrinter added;
  added.Name = "Yeni Yazıcı";
  spooler.AddPrinter(added);
  spooler.Default = "Yeni Yazıcı";
  SpoolerRequestScope request;
  EXPECT_EQ(Spooler().PrinterNames().size(), 2u);
  EXPECT_EQ(Spooler().DefaultPrinter(), "Yeni Yazıcı");
}

// The system's word that printers changed, and the program's own change of
// a printer's device mode, are seen within the same request.
TEST_F(SpoolerMemoryTest, ChangesWithinARequestAreSeen) {
  SpoolerRequestScope request;
  EXPECT_EQ(Spooler().PrinterNames().size(), 1u);
  TFakePrinter added;
  added.Name = "Yeni Yazıcı";
  spooler.AddPrinter(added);
  EXPECT_EQ(Spooler().PrinterNames().size(), 1u);
  ForgetSpoolerAnswers();
  EXPECT_EQ(Spooler().PrinterNames().size(), 2u);

  std::vector<std::uint8_t> letter = MakeDevMode("Etiket Yazıcı");
  DevModeOf(letter).dmPaperSize = DMPAPER_LETTER;
  TPrinterDetails before;
  ASSERT_TRUE(Spooler().GetPrinter("Etiket Yazıcı", before));
  EXPECT_NE(DevModeOf(before.DevMode).dmPaperSize, DMPAPER_LETTER);
  ASSERT_TRUE(Spooler().SetPrinter("Etiket Yazıcı", letter));
  TPrinterDetails after;
  ASSERT_TRUE(Spooler().GetPrinter("Etiket Yazıcı", after));
  EXPECT_EQ(DevModeOf(after.DevMode).dmPaperSize, DMPAPER_LETTER);
  EXPECT_FALSE(Spooler().GetPrinter("Yok", after));
  EXPECT_FALSE(Spooler().GetPrinter("Yok", after));
  EXPECT_EQ(Asked("GetPrinter(Yok)"), 1);
}

// A spooler put in place inside a request answers for itself, not with what
// the outer one said.
TEST_F(SpoolerMemoryTest, InnerSpoolerIsAskedItself) {
  SpoolerRequestScope request;
  EXPECT_EQ(Spooler().DefaultPrinter(), "Etiket Yazıcı");
  TFakeSpooler other;
  other.Default = "Başka";
  {
    SpoolerScope inner(other);
    EXPECT_EQ(Spooler().DefaultPrinter(), "Başka");
  }
  EXPECT_EQ(Spooler().DefaultPrinter(), "Etiket Yazıcı");
}

}  // namespace

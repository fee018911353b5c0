// Custom paper on a printer through the fake spooler: the form's name and
// record, the dot-matrix test, a form made once and reused, resized when its
// name is taken by another size, refused under 1 mm, and the printer's form
// given back on every path out of a run.
#include <gtest/gtest.h>

#include <stdexcept>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/devmode.h"
#include "classlib/printers/fakespooler.h"
#include "layouts/custompaper.h"
#include "support/base64/base64.h"

namespace {

class CustomPaperTest : public testing::Test {
protected:
  CustomPaperTest() : scope(spooler), dialogScope(dialogs) {
    TFakePrinter matrix;
    matrix.Name = "Nokta Vuruşlu";
    matrix.NumColors = 2;
    matrix.TrueType = DCTT_BITMAP;
    matrix.Forms = {TPrinterForm{"A4", FORM_BUILTIN, {210000, 297000}, {0, 0, 210000, 297000}}};
    spooler.AddPrinter(matrix);
    TFakePrinter laser;
    laser.Name = "Lazer";
    spooler.AddPrinter(laser);
    spooler.Default = "Lazer";
    spooler.SetDefaultFormName("Nokta Vuruşlu", "A4");
  }
  TFakePrinter& Matrix() { return *spooler.Find("Nokta Vuruşlu"); }

  TFakeSpooler spooler;
  SpoolerScope scope;
  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope;
};

TEST_F(CustomPaperTest, FormNamesUseWholeMillimetresLengthFirst) {
  struct Case {
    long double length, width;
    const char* name;
  } cases[] = {{40.4L, 99.6L, "VORTELIMCF_40X100"}, {40.5L, 100, "VORTELIMCF_40X100"},
               {41.5L, 100, "VORTELIMCF_42X100"},   {150, 100, "VORTELIMCF_150X100"}};
  for (const Case& c : cases)
    EXPECT_EQ(PrinterFormName(PageSideMillimetres(c.length), PageSideMillimetres(c.width)), c.name);
  TPrinterForm form = PrinterFormRecord(150, 100);
  EXPECT_EQ(form.Flags, 0u);
  EXPECT_EQ(form.Size.cx, 100000);
  EXPECT_EQ(form.Size.cy, 150000);
  EXPECT_EQ(form.ImageableArea.right, 100000);
  EXPECT_EQ(form.ImageableArea.bottom, 150000);
}

TEST_F(CustomPaperTest, OnlyAFewColoursAndTrueTypeAsGraphicsMakeADotMatrixPrinter) {
  EXPECT_TRUE(IsPrinterMatrix("Nokta Vuruşlu"));
  EXPECT_FALSE(IsPrinterMatrix("Lazer"));
  EXPECT_FALSE(IsPrinterMatrix("Yok"));
  Matrix().NumColors = -1;  // more than 256 colours
  EXPECT_FALSE(IsPrinterMatrix("Nokta Vuruşlu"));
  Matrix().NumColors = 16;
  Matrix().TrueType = DCTT_BITMAP | DCTT_DOWNLOAD;
  EXPECT_FALSE(IsPrinterMatrix("Nokta Vuruşlu"));
}

TEST_F(CustomPaperTest, AFormIsMadeOnceAndResizedWhenItsNameHasAnotherSize) {
  CreateForm("Nokta Vuruşlu", 150, 100);
  ASSERT_EQ(Matrix().Forms.size(), 2u);
  EXPECT_EQ(Matrix().Forms[1], PrinterFormRecord(150, 100));
  CreateForm("Nokta Vuruşlu", 150, 100);
  EXPECT_EQ(Matrix().Forms.size(), 2u);
  Matrix().Forms[1].Size = SIZE{90000, 150000};
  CreateForm("Nokta Vuruşlu", 150, 100);
  EXPECT_EQ(Matrix().Forms[1], PrinterFormRecord(150, 100));
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(CustomPaperTest, TooSmallOrRefusedFormsEndTheRunWithAMessage) {
  EXPECT_THROW(CreateForm("Nokta Vuruşlu", 0, 100), Exception);
  EXPECT_EQ(Matrix().Forms.size(), 1u);
  dialogs.AnswerButton(IDOK);
  EXPECT_THROW(CreateForm("Yok", 150, 100), EAbort);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Yazdirma esnasında problem oluştu");
  EXPECT_EQ(dialogs.Records()[0].Caption, "Bilgi");

  // Both texts go through the host's translation when it gives one.
  dialogs.AnswerButton(IDOK);
  const auto translate = [](const AnsiString& text) { return "<" + text + ">"; };
  EXPECT_THROW(CreateForm("Yok", 150, 100, translate), EAbort);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].Text, "<Yazdirma esnasında problem oluştu>");
  EXPECT_EQ(dialogs.Records()[1].Caption, "<Bilgi>");
}

TEST_F(CustomPaperTest, TheFormIsSelectedForTheRunAndGivenBackOnEveryPath) {
  {
    TPrinterFormScope form("Nokta Vuruşlu", 150, 100);
    EXPECT_EQ(spooler.DefaultFormName("Nokta Vuruşlu"), "VORTELIMCF_150X100");
    TPrinterDetails details;
    spooler.GetPrinter("Nokta Vuruşlu", details);
    EXPECT_EQ(DevModeOf(details.DevMode).dmFields & (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);
  }
  EXPECT_EQ(spooler.DefaultFormName("Nokta Vuruşlu"), "A4");
  try {
    TPrinterFormScope form("Nokta Vuruşlu", 40, 100);
    throw std::runtime_error("run failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(spooler.DefaultFormName("Nokta Vuruşlu"), "A4");
  EXPECT_THROW(TPrinterFormScope("Yok", 40, 100), Exception);
}

TEST_F(CustomPaperTest, PrintHelperPagesAreBase64JoinedByThreeBars) {
  EXPECT_EQ(JoinPrintHelperPages({}), "");
  EXPECT_EQ(JoinPrintHelperPages({"foo"}), "Zm9v");
  EXPECT_EQ(JoinPrintHelperPages({"foo", "fo", std::string("\0", 1)}), "Zm9v|||Zm8=|||AA==");
}

}  // namespace

// The document's print setup: the print dialog and setup form filled from
// the options, the choices written back, and the save dialog that names the
// output file when printing to a file.
#include <gtest/gtest.h>

#include "classlib/forms/dialogs.h"
#include "classlib/forms/scripteddialogs.h"
#include "textreport/output/zrprntr.h"
#include "zrtestreport.h"

namespace {

using namespace zr_test;

// A three-page document with its setup form answered by a function.
class ZRPrintSetupTest : public testing::Test {
protected:
  ZRPrintSetupTest() : report(10, 2), scope(dialogs) {
    report.options.SetCopies(1);
    report.options.SetFileName("rapor.txt");
    document = std::make_unique<TZRPrinter>(&report);
    Build(*document, {{"A"}, {"B"}, {"C"}});
  }
  ~ZRPrintSetupTest() override { TZRPrinter::SetupForm = nullptr; }

  TestReport report;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  std::unique_ptr<TZRPrinter> document;
};

TEST_F(ZRPrintSetupTest, TheDialogShowsTheOptionsAndTheChoicesComeBack) {
  report.options.SetOEMConvert(true);
  report.options.Escapes()->SetModel(emEpson);
  report.options.SetPageFrom(2);
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues& form) {
    EXPECT_EQ(dialog.Options(), (TPrintDialogOptions{poPrintToFile, poPageNums, poWarning}));
    EXPECT_EQ(dialog.MinPage(), 1);
    EXPECT_EQ(dialog.MaxPage(), 3);
    EXPECT_EQ(dialog.Copies(), 1);
    EXPECT_TRUE(dialog.Collate());
    EXPECT_EQ(dialog.FromPage(), 2);
    EXPECT_EQ(dialog.ToPage(), 3);
    EXPECT_EQ(dialog.PrintRange(), prPageNums);
    EXPECT_FALSE(dialog.PrintToFile());
    EXPECT_TRUE(form.OEMConvert);
    EXPECT_FALSE(form.IgnoreStyles);
    EXPECT_EQ(form.ModelIndex, static_cast<int>(emEpson));
    dialog.SetFromPage(1);
    dialog.SetToPage(2);
    dialog.SetCopies(3);
    form.OEMConvert = false;
    form.IgnoreStyles = true;
    form.ModelIndex = static_cast<int>(emEpsonLQSeries);
    return true;
  };
  EXPECT_TRUE(document->SetupDialog());
  EXPECT_EQ(report.options.PageFrom(), 1);
  EXPECT_EQ(report.options.PageTo(), 2);
  EXPECT_EQ(report.options.Copies(), 3);
  EXPECT_FALSE(report.options.OEMConvert());
  EXPECT_TRUE(report.options.IgnoreStyles());
  EXPECT_EQ(report.options.Escapes()->Model(), emEpsonLQSeries);
  EXPECT_EQ(report.options.Destination(), zrdPrinter);
  EXPECT_TRUE(dialogs.Records().empty());
}

// With the whole document in range the dialog offers all pages; choosing
// all pages prints every page, whatever range the dialog still holds.
TEST_F(ZRPrintSetupTest, AllPagesMeansEveryPage) {
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues&) {
    EXPECT_EQ(dialog.PrintRange(), prAllPages);
    dialog.SetFromPage(2);
    return true;
  };
  EXPECT_TRUE(document->SetupDialog());
  EXPECT_EQ(report.options.PageFrom(), 1);
  EXPECT_EQ(report.options.PageTo(), 3);
}

TEST_F(ZRPrintSetupTest, PrintToFileAsksForTheFileName) {
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues&) {
    dialog.SetPrintToFile(true);
    return true;
  };
  dialogs.AnswerFile("C:\\Rapor\\cikti.txt");
  EXPECT_TRUE(document->SetupDialog());
  EXPECT_EQ(report.options.Destination(), zrdFile);
  EXPECT_EQ(report.options.FileName(), "C:\\Rapor\\cikti.txt");
  ASSERT_EQ(dialogs.Records().size(), 1u);
  const TDialogRecord& save = dialogs.Records()[0];
  EXPECT_EQ(save.Kind, TDialogKind::SaveFile);
  EXPECT_EQ(save.Value, "rapor.txt");
  EXPECT_EQ(save.Filter, "Text files (*.txt)|*.txt|All files (*.*)|*.*");
  EXPECT_TRUE(save.Options.Contains(ofOverwritePrompt));
  EXPECT_TRUE(save.Options.Contains(ofPathMustExist));
  // The dialog shows the destination; a cancelled save dialog keeps the name.
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues&) {
    EXPECT_TRUE(dialog.PrintToFile());
    return true;
  };
  dialogs.AnswerCancel();
  EXPECT_FALSE(document->SetupDialog());
  EXPECT_EQ(report.options.FileName(), "C:\\Rapor\\cikti.txt");
}

TEST_F(ZRPrintSetupTest, CancelChangesNothing) {
  report.options.SetOEMConvert(true);
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues& form) {
    dialog.SetCopies(5);
    form.OEMConvert = false;
    return false;
  };
  EXPECT_FALSE(document->SetupDialog());
  EXPECT_EQ(report.options.Copies(), 1);
  EXPECT_TRUE(report.options.OEMConvert());
  // Without a setup form the print dialog alone is shown.
  TZRPrinter::SetupForm = nullptr;
  dialogs.AnswerCancel();
  EXPECT_FALSE(document->SetupDialog());
  dialogs.AnswerAccept();
  EXPECT_TRUE(document->SetupDialog());
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].Kind, TDialogKind::Print);
}

}  // namespace

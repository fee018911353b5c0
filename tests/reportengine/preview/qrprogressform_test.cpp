// The progress form: the steps it shows, its cancel button, and its use as
// the printer object's progress window.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "classlib/forms/application.h"
#include "reportengine/preview/qrprogressform.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/support/formfixture.h"

namespace {

struct ProgressForm {
  TQRPrinter printer{nullptr};
  TQRProgressForm* form = new TQRProgressForm(nullptr);
  ProgressForm() {
    form->SetQRPrinter(&printer);
    printer.NotifyTarget = form;
    form->HandleNeeded();
  }
  ~ProgressForm() {
    printer.NotifyTarget = nullptr;
    form->Free();
  }
};

TEST(TQRProgressForm, LooksAsDesigned) {
  ProgressForm p;
  EXPECT_EQ(p.form->Caption(), "Printing progress");
  EXPECT_EQ(p.form->CancelButton->Caption(), "Cancel");
  EXPECT_EQ(p.form->ClientWidth(), 149);
  EXPECT_EQ(p.form->ClientHeight(), 97);
  EXPECT_EQ(p.form->FormStyle(), fsStayOnTop);
  EXPECT_EQ(p.form->Info->Caption(), "");
}

TEST(TQRProgressForm, ShowsOnlyStepsOfFive) {
  ProgressForm p;
  struct Step {
    int value;
    const char* shown;
    int gauge;
  };
  // 12 is not a step: the form still shows nothing; 50 has two blanks
  // before "Completed".
  const Step steps[] = {{12, "", 0}, {15, "15%  Completed", 15}, {50, "50%  Completed", 50},
                        {99, "50%  Completed", 50}, {100, "100%  Completed", 100}};
  for (const Step& s : steps) {
    p.printer.SetProgress(s.value);
    test_support::Pump();
    EXPECT_EQ(p.form->Info->Caption(), s.shown) << s.value;
    EXPECT_EQ(p.form->Gauge->Position(), s.gauge) << s.value;
  }
}

TEST(TQRProgressForm, CancelButtonCancelsThePrinterObject) {
  ProgressForm p;
  EXPECT_FALSE(p.printer.Cancelled());
  p.form->CancelButton->Click();
  EXPECT_TRUE(p.printer.Cancelled());
}

TEST(TQRProgressForm, ProgressWindowOfThePrinterObject) {
  TQRPrinter printer(nullptr);
  const std::unique_ptr<TQRPrintProgress> window = NewQRProgressWindow(printer);
  auto* form = dynamic_cast<TQRProgressForm*>(window->Target());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->QRPrinter(), &printer);
  window->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  printer.NotifyTarget = window->Target();
  printer.SetProgress(35);
  test_support::Pump();
  EXPECT_EQ(form->Info->Caption(), "35%  Completed");
  window->Hide();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  printer.NotifyTarget = nullptr;
}

}  // namespace

// The progress form: the steps it shows, its cancel button, and its use as
// the printer object's progress window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/graphics/bitmap.h"
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

// The shown form at 50: the left half of the gauge is filled, the right half
// is not. DOZURI_SCREENSHOT_DIR keeps the picture to look at.
TEST(TQRProgressForm, GaugeShowsTheShareDone) {
  ProgressForm p;
  p.form->Show();
  p.printer.SetProgress(50);
  test_support::Pump();
  p.form->Update();
  RECT gauge{};
  GetWindowRect(p.form->Gauge->Handle(), &gauge);
  RECT window{};
  GetWindowRect(p.form->Handle(), &window);
  TBitmap shot;
  shot.SetPixelFormat(pf32bit);
  shot.SetSize(window.right - window.left, window.bottom - window.top);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, window.left, window.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (const char* dir = std::getenv("DOZURI_SCREENSHOT_DIR"))
    shot.SaveToFile(AnsiString(dir) + "\\qrprogressform.bmp");
  const int y = (gauge.top + gauge.bottom) / 2 - window.top;
  const int width = gauge.right - gauge.left;
  const TColor done = shot.Canvas().Pixels(gauge.left - window.left + width / 4, y);
  const TColor open = shot.Canvas().Pixels(gauge.left - window.left + width * 3 / 4, y);
  EXPECT_NE(done, open);
  EXPECT_EQ(p.form->Info->Caption(), "50%  Completed");
  p.form->Hide();
}

}  // namespace

// The text report on the design surface: the page with its margins and
// column lines, the minimized picture, which controls show themselves when,
// and the whole report on the screen with its bands and labels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/colors.h"
#include "classlib/stdctrls/speedbutton.h"
#include "tests/support/formfixture.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

using namespace test_support;

// A picture of a control as it paints itself, on a fuchsia ground so that
// what it leaves unpainted shows.
struct Picture {
  explicit Picture(TWinControl& control) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(control.Width(), control.Height());
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(Rect(0, 0, control.Width(), control.Height()));
    control.PaintTo(bitmap.Canvas(), 0, 0);
  }
  TColor At(int x, int y) { return bitmap.Canvas().GetPixel(x, y) & 0xFFFFFF; }
  int CountOf(TColor colour, int left, int top, int right, int bottom) {
    const TColor rgb = ColorToRGB(colour);
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        count += At(x, y) == rgb;
    return count;
  }

  TBitmap bitmap;
};

class ZRDesignViewTest : public testing::Test {
protected:
  ZRDesignViewTest() {
    form.Host()->SetDesigning(true);
    report = new TZReport(form.Host());
    report->SetName("ZReport1");
    report->SetParent(form.Host());
    report->SetWidth(30);
    report->SetHeight(8);
    cell = report->GetCharMetrics();
  }

  FormFixture form;
  TZReport* report = nullptr;
  TZRCharMetrics cell;
};

// Margins 2, 1, 1, 1 on a page of 30 by 8: a rectangle from character 2,
// line 1 to character 29, line 7. Two columns of (30 - 3 - 2) div 2 = 12
// characters, 2 apart: the first ends at character 14, the second starts at
// 16; dashed red lines mark both, between the top and bottom margins.
TEST_F(ZRDesignViewTest, ThePageShowsItsMarginsAndColumnLines) {
  const int left = 2 * cell.Width, top = cell.Height, right = 29 * cell.Width, bottom = 7 * cell.Height;
  const int middle = 4 * cell.Height + cell.Height / 2;
  {
    Picture page(*report);
    // Look at it: DOZURI_ZREPORT_SNAPSHOT=Z:\tmp\report.bmp
    if (const char* path = std::getenv("DOZURI_ZREPORT_SNAPSHOT"))
      page.bitmap.SaveToFile(path);
    EXPECT_GT(page.CountOf(clWindowText, left - 1, middle, left + 2, middle + 1), 0);
    EXPECT_GT(page.CountOf(clWindowText, right - 1, middle, right + 2, middle + 1), 0);
    EXPECT_GT(page.CountOf(clWindowText, 10 * cell.Width + 2, top - 1, 10 * cell.Width + 3, top + 2), 0);
    EXPECT_GT(page.CountOf(clWindowText, 10 * cell.Width + 2, bottom - 1, 10 * cell.Width + 3, bottom + 2), 0);
    // Inside the margins only the page and its grid (along a grid line, clear of the dots).
    EXPECT_EQ(page.CountOf(clWindowText, left + 2, 3 * cell.Height, right - 2, 3 * cell.Height + 1), 0);
    EXPECT_GT(page.CountOf(clBtnFace, left + 2, 3 * cell.Height, right - 2, 3 * cell.Height + 1), 0);
    EXPECT_EQ(page.CountOf(clRed, 0, 0, report->Width() * cell.Width, report->Height() * cell.Height), 0);
  }
  report->Columns()->SetCount(2);
  Picture page(*report);
  for (int column : {14, 16}) {
    const int x = column * cell.Width;
    const int red = page.CountOf(clRed, x, top + 2, x + 1, bottom - 1);
    EXPECT_GT(red, 0) << column;
    EXPECT_LT(red, bottom - 1 - (top + 2)) << column;  // dashed, not solid
    EXPECT_EQ(page.CountOf(clRed, x, 0, x + 1, top - 2), 0) << column;
  }
  EXPECT_EQ(page.CountOf(clRed, 15 * cell.Width, top + 2, 15 * cell.Width + 1, bottom - 1), 0);
}

// Minimized, the report is a raised frame with its picture (the resource
// named after the class) in the middle, see-through where the picture is
// magenta; the button sits in the top left corner.
TEST_F(ZRDesignViewTest, AMinimizedReportShowsItsPictureInARaisedFrame) {
  report->MinimizeButton()->Click();
  ASSERT_TRUE(report->IsMinimized());
  Picture shown(*report);
  TBitmap expected;
  expected.LoadFromResourceName(GetModuleHandleW(nullptr), "TZREPORT");
  ASSERT_EQ(expected.Width(), 16);
  const int x0 = (32 - 4 - 16) / 2 + 2, y0 = x0;  // centred in the client area inside the frame
  // The lower right quarter: clear of the button.
  int compared = 0;
  for (int y = 8; y < 16; ++y)
    for (int x = 8; x < 16; ++x) {
      const TColor want = expected.Canvas().GetPixel(x, y) & 0xFFFFFF;
      const TColor got = shown.At(x0 + x, y0 + y);
      if (want == clFuchsia) {
        EXPECT_EQ(got, ColorToRGB(clBtnFace)) << x << "," << y;
      } else {
        EXPECT_EQ(got, want) << x << "," << y;
        ++compared;
      }
    }
  EXPECT_GT(compared, 20);
  // The raised frame: dark outside and shadowed inside at the bottom right.
  EXPECT_EQ(shown.At(31, 31), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(shown.At(30, 30), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shown.At(31, 20), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(shown.CountOf(clFuchsia, 0, 0, 32, 32), 0);
}

// A band or label paints on the design surface while its report is not
// minimized, and at run time only in a report shown at run time; the
// report itself always paints.
TEST_F(ZRDesignViewTest, BandsAndLabelsShowOnlyWhereTheyAreMeantToBeSeen) {
  report->Bands()->SetHas(zbtDetail, true);
  TZRCustomBand* detail = report->FindBand(zbtDetail);
  auto* label = new TZRLabel(form.Host());
  label->SetParent(detail);
  label->SetCaption("Etiket");
  const struct {
    bool designing, minimized, runTimeVisible, shown;
  } cases[] = {
      {true, false, false, true},
      {true, true, false, false},
      {false, false, false, false},
      {false, false, true, true},
  };
  for (const auto& c : cases) {
    form.Host()->SetDesigning(true);
    report->SetRunTimeVisible(false);
    report->SetMinimized(c.minimized);
    report->SetRunTimeVisible(c.runTimeVisible);
    form.Host()->SetDesigning(c.designing);
    const auto what = testing::Message() << c.designing << c.minimized << c.runTimeVisible;
    // The background is filled either way; the grid and the outline are not.
    EXPECT_EQ(Picture(*detail).CountOf(clBtnShadow, 0, 0, detail->TControl::Width(), detail->TControl::Height()) > 0,
              c.shown)
        << what;
    EXPECT_EQ(Picture(*label).CountOf(clWindowText, 0, 0, label->TControl::Width(), label->TControl::Height()) > 0,
              c.shown)
        << what;
    EXPECT_GT(Picture(*report).CountOf(clBtnFace, 0, 0, report->TControl::Width(), report->TControl::Height()), 0)
        << what;
  }
}

// How many pixels of the band colour, of red and of the minimized picture's
// ink the window shows, after it has painted; the window's picture is kept as
// DOZURI_SNAPSHOT_DIR\Name.bmp when that is set. The screen is read through
// the window's own DC (under Wine without a window manager the screen's copy
// leaves windows out).
struct ScreenColours {
  int band = 0, red = 0, picture = 0;
};

ScreenColours ShowAndCount(TForm& window, const char* name) {
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int i = 0; i < 10; ++i) {
    Pump();
    Sleep(20);
  }
  RECT r{};
  GetWindowRect(window.Handle(), &r);
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  HDC source = GetWindowDC(window.Handle());
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), source, 0, 0, SRCCOPY);
  ReleaseDC(window.Handle(), source);
  if (const char* folder = std::getenv("DOZURI_SNAPSHOT_DIR"))
    shot.SaveToFile(AnsiString(folder) + "\\" + name + ".bmp");
  ScreenColours counts;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor c = shot.Canvas().GetPixel(x, y) & 0xFFFFFF;
      counts.band += c == RGB(224, 252, 224);
      counts.red += c == clRed;
      counts.picture += c == RGB(32, 32, 96);  // the text lines of the picture
    }
  return counts;
}

// A report with bands and labels in two columns, on the screen as the
// designer shows it, then minimized.
TEST(ZRDesignViewScreenTest, AReportWithBandsAndLabelsOnTheScreen) {
  Owned<TForm> window(new TForm(nullptr));
  window->SetBounds(30, 30, 640, 420);
  window->SetCaption("Metin raporu");
  window->SetDesigning(true);
  auto* report = new TZReport(window.get());
  report->SetName("ZReport1");
  report->SetParent(window.get());
  report->SetPixelLeft(8);
  report->SetPixelTop(8);
  report->SetWidth(60);
  report->SetHeight(16);
  report->Columns()->SetCount(2);
  for (TZRBandType kind : {zbtPageHeader, zbtColumnHeader, zbtDetail, zbtPageFooter})
    report->Bands()->SetHas(kind, true);
  report->FindBand(zbtPageHeader)->SetHeight(2);
  auto label = [&](TZRBandType kind, int left, int width, const AnsiString& caption) {
    auto* l = new TZRLabel(window.get());
    l->SetParent(report->FindBand(kind));
    l->SetLeft(left);
    l->SetWidth(width);
    l->SetCaption(caption);
    return l;
  };
  label(zbtPageHeader, 18, 20, "SATIS RAPORU")->SetFontStyles(TZRFontStyles{zfsBold});
  label(zbtColumnHeader, 0, 10, "Urun")->SetFontStyles(TZRFontStyles{zfsUnderline});
  label(zbtColumnHeader, 11, 6, "Adet");
  label(zbtDetail, 0, 10, "Kalem");
  label(zbtDetail, 11, 6, "12")->Frame()->SetLeft(1);
  auto* page = new TZRSystemLabel(window.get());
  page->SetParent(report->FindBand(zbtPageFooter));
  page->SetLeft(40);
  page->SetWidth(14);
  page->SetDataKind(zsdPageNumber);
  page->SetText("Sayfa ");
  window->Show();
  SetForegroundWindow(window->Handle());
  ASSERT_TRUE(report->Showing());
  ScreenColours designed = ShowAndCount(*window, "zreport-design");
  EXPECT_GT(designed.band, 1000);
  EXPECT_GT(designed.red, 0);
  // Minimized: the small picture alone, no bands and no page.
  report->MinimizeButton()->Click();
  ScreenColours minimized = ShowAndCount(*window, "zreport-minimized");
  EXPECT_EQ(minimized.band, 0);
  EXPECT_EQ(minimized.red, 0);
  EXPECT_GT(minimized.picture, 0);
}

}  // namespace

// A form with a menu, a panel, buttons and an edit, captured as the system
// shows it (copied from the window's DC, frame and menu bar included),
// checked by a few pixels. Set DOZURI_SCREENSHOT to a file name to keep the
// picture for a look.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/bitmap.h"
#include "forms_test_util.h"

namespace {

using forms_test::Owned;

bool IsDark(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF) < 3 * 96;
}

// True when some pixel of the rectangle (in bitmap coordinates) is dark: text is drawn there.
bool HasDarkPixel(TCanvas& canvas, const RECT& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (IsDark(canvas.Pixels(x, y)))
        return true;
  return false;
}

TEST(ScreenshotTest, AFormWithMenuPanelButtonsAndEditIsDrawn) {
  Owned<TForm> form{new TForm(nullptr)};
  form->SetCaption("Ekran");
  form->SetBounds(40, 40, 360, 260);
  auto* menu = new TMainMenu(form.get());
  for (const char* caption : {"&Dosya", "&Yardım"}) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  form->SetMenu(menu);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetAlign(alTop);
  panel->SetHeight(40);
  panel->SetColor(clRed);
  panel->SetCaption("");
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 60, 200, 22);
  edit->SetText("Ab");
  auto* ok = new TButton(form.get());
  ok->SetParent(form.get());
  ok->SetBounds(10, 100, 90, 28);
  ok->SetCaption("Tamam");
  auto* cancel = new TButton(form.get());
  cancel->SetParent(form.get());
  cancel->SetBounds(110, 100, 90, 28);
  cancel->SetCaption("İptal");
  form->Show();
  Application->ProcessMessages();
  UpdateWindow(form->Handle());

  RECT window{};
  GetWindowRect(form->Handle(), &window);
  POINT client{0, 0};
  ClientToScreen(form->Handle(), &client);
  const int dx = client.x - window.left, dy = client.y - window.top;
  TBitmap shot;
  shot.SetPixelFormat(pf32bit);
  shot.SetSize(window.right - window.left, window.bottom - window.top);
  HDC windowDC = GetWindowDC(form->Handle());
  const BOOL copied = BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), windowDC, 0, 0, SRCCOPY);
  ReleaseDC(form->Handle(), windowDC);
  ASSERT_TRUE(copied);
  if (const char* keep = std::getenv("DOZURI_SCREENSHOT"))
    shot.SaveToFile(keep);
  TCanvas& c = shot.Canvas();

  EXPECT_EQ(c.Pixels(dx + 5, dy + 5), clRed) << "the panel";
  EXPECT_EQ(c.Pixels(dx + 200, dy + 20), clRed) << "the panel spans the width";
  EXPECT_EQ(c.Pixels(dx + 190, dy + 71), ColorToRGB(clWindow)) << "the edit's empty part";
  EXPECT_TRUE(HasDarkPixel(c, RECT{dx + 12, dy + 62, dx + 40, dy + 80})) << "the edit's text";
  EXPECT_EQ(c.Pixels(dx + 300, dy + 200), ColorToRGB(clBtnFace)) << "the form";
  EXPECT_TRUE(HasDarkPixel(c, RECT{dx + 30, dy + 105, dx + 80, dy + 123})) << "the button's caption";
  EXPECT_EQ(c.Pixels(dx + 15, dy + 104), ColorToRGB(clBtnFace)) << "the button's face";

  // The menu bar lies just above the client area: its colour with text on it.
  const int barHeight = GetSystemMetrics(SM_CYMENU);
  const RECT bar{dx, dy - barHeight + 2, dx + 120, dy - 2};
  EXPECT_TRUE(HasDarkPixel(c, bar)) << "the menu captions";
  EXPECT_EQ(c.Pixels(dx + 300, dy - barHeight / 2), ColorToRGB(clMenu)) << "the menu bar";
}

}  // namespace

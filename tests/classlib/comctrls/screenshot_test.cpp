// A form with a menu, a tool bar, a page control holding a list view and a
// grid, and a status bar, captured from the screen and checked by a few
// pixels. Set DOZURI_SCREENSHOT to a file name to keep the picture (BMP)
// for a look.
#include <gtest/gtest.h>

#include <cstdlib>

// The grid's header first: it must see the string list's names before
// <windows.h> renames GetObject.
#include "classlib/grids/stringgrid.h"
#include "classlib/comctrls/listview.h"
#include "classlib/comctrls/pagecontrol.h"
#include "classlib/comctrls/statusbar.h"
#include "classlib/comctrls/toolbar.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/bitmap.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

bool IsDark(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF) < 3 * 96;
}

bool HasDarkPixel(TCanvas& canvas, const RECT& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (IsDark(canvas.Pixels(x, y)))
        return true;
  return false;
}

class ScreenshotTest : public ::testing::Test {
protected:
  void SetUp() override {
    form.reset(new TForm(nullptr));
    form->SetCaption("Etiket listesi");
    form->SetBounds(20, 20, 560, 440);
    auto* menu = new TMainMenu(form.get());
    for (const char* caption : {"&Dosya", "&Düzen", "&Yardım"}) {
      auto* item = new TMenuItem(form.get());
      item->SetCaption(caption);
      menu->Items()->Add(item);
    }
    form->SetMenu(menu);

    toolbar = new TToolBar(form.get());
    toolbar->SetParent(form.get());
    toolbar->SetShowCaptions(true);
    toolbar->SetFlat(true);
    toolbar->SetHeight(36);
    for (const char* caption : {"Yeni", "Aç", "Kaydet", "Yazdır"}) {
      auto* button = new TToolButton(form.get());
      button->SetCaption(caption);
      button->SetParent(toolbar);
    }

    status = new TStatusBar(form.get());
    status->SetParent(form.get());
    for (const char* text : {"3 kayıt", "Hazır"}) {
      TStatusPanel* panel = status->Panels()->Add();
      panel->SetText(text);
      panel->SetWidth(120);
    }

    pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetAlign(alClient);
    auto* listSheet = new TTabSheet(form.get());
    listSheet->SetPageControl(pages);
    listSheet->SetCaption("Etiketler");
    auto* otherSheet = new TTabSheet(form.get());
    otherSheet->SetPageControl(pages);
    otherSheet->SetCaption("Ayarlar");
    pages->SetActivePage(listSheet);

    list = new TListView(form.get());
    list->SetParent(listSheet);
    list->SetAlign(alTop);
    list->SetHeight(130);
    list->SetViewStyle(vsReport);
    list->SetCheckboxes(true);
    for (const char* caption : {"Kod", "Ad", "Fiyat"}) {
      TListColumn* column = list->Columns()->Add();
      column->SetCaption(caption);
      column->SetWidth(110);
    }
    for (const char* code : {"8690001", "8690002", "8690003"}) {
      TListItem* item = list->Items()->Add();
      item->SetCaption(code);
      item->SubItems()->Add("Ürün");
      item->SubItems()->Add("12,50");
    }
    list->Items()->Item(0)->SetChecked(true);

    grid = new TStringGrid(form.get());
    grid->SetParent(listSheet);
    grid->SetAlign(alClient);
    grid->SetColCount(4);
    grid->SetRowCount(5);
    for (int c = 0; c < 4; ++c)
      grid->SetCells(c, 0, "Sütun " + std::to_string(c));
    for (int r = 1; r < 5; ++r)
      grid->SetCells(1, r, "Satır " + std::to_string(r));

    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    Capture();
  }

  // The window as the screen shows it.
  void Capture() {
    GetWindowRect(form->Handle(), &window);
    shot.SetPixelFormat(pf32bit);
    shot.SetSize(window.right - window.left, window.bottom - window.top);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, window.left, window.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (const char* keep = std::getenv("DOZURI_SCREENSHOT"))
      shot.SaveToFile(keep);
  }

  // A control's client rectangle in picture coordinates, shrunk by Inset.
  RECT Area(TControl* control, int inset = 0) {
    TPoint origin = control->ClientToScreen(Point(0, 0));
    RECT r{origin.x - window.left, origin.y - window.top, 0, 0};
    r.right = r.left + control->ClientWidth();
    r.bottom = r.top + control->ClientHeight();
    InflateRect(&r, -inset, -inset);
    return r;
  }

  Owned<TForm> form;
  TToolBar* toolbar = nullptr;
  TStatusBar* status = nullptr;
  TPageControl* pages = nullptr;
  TListView* list = nullptr;
  TStringGrid* grid = nullptr;
  RECT window{};
  TBitmap shot;
};

TEST_F(ScreenshotTest, EveryPartOfTheFormIsDrawnWhereItBelongs) {
  TCanvas& c = shot.Canvas();
  // Menu bar above the client area, tool bar at the top, status bar at the bottom.
  RECT bar = Area(toolbar);
  const int menuBottom = bar.top;
  EXPECT_TRUE(HasDarkPixel(c, RECT{bar.left + 2, menuBottom - GetSystemMetrics(SM_CYMENU) + 2, bar.left + 150,
                                   menuBottom - 2}))
      << "the menu captions";
  EXPECT_TRUE(HasDarkPixel(c, Area(toolbar, 2))) << "the tool buttons' captions";
  // Each caption is shown whole: the buttons are as wide as their texts.
  RECT print{};
  SendMessageW(toolbar->Handle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&print));
  HDC dc = GetDC(toolbar->Handle());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(toolbar->Handle(), WM_GETFONT, 0, 0)));
  SIZE text{};
  GetTextExtentPoint32W(dc, L"Kaydet", 6, &text);
  SelectObject(dc, old);
  ReleaseDC(toolbar->Handle(), dc);
  EXPECT_GE(print.right - print.left, text.cx) << "\"Kaydet\" fits";
  EXPECT_EQ(toolbar->Top(), 0);
  RECT statusArea = Area(status);
  EXPECT_EQ(status->Top() + status->Height(), form->ClientHeight());
  EXPECT_TRUE(HasDarkPixel(c, RECT{statusArea.left + 2, statusArea.top + 3, statusArea.left + 110,
                                   statusArea.bottom - 3}))
      << "the first panel's text";
  // The page control's tabs have their captions.
  TRect tab = pages->TabRect(0);
  RECT pagesArea = Area(pages);
  EXPECT_TRUE(HasDarkPixel(c, RECT{pagesArea.left + tab.left + 3, pagesArea.top + tab.top + 3,
                                   pagesArea.left + tab.right - 3, pagesArea.top + tab.bottom - 2}))
      << "the first tab's caption";
  // The list view: header texts and rows on the window colour.
  RECT listArea = Area(list);
  EXPECT_EQ(c.Pixels(listArea.right - 10, listArea.bottom - 10), ColorToRGB(clWindow)) << "the list's empty part";
  EXPECT_TRUE(HasDarkPixel(c, RECT{listArea.left + 20, listArea.top + 22, listArea.left + 110, listArea.top + 60}))
      << "the first rows' codes";
  // The grid: its fixed row in the button colour with titles, cells below.
  RECT gridArea = Area(grid);
  EXPECT_EQ(c.Pixels(gridArea.left + 60, gridArea.top + 3), ColorToRGB(clBtnFace)) << "the fixed row";
  EXPECT_TRUE(HasDarkPixel(c, RECT{gridArea.left + 2, gridArea.top + 2, gridArea.left + 64, gridArea.top + 22}))
      << "the first title";
  TRect cell = grid->CellRect(1, 2);  // not the selected cell
  EXPECT_TRUE(HasDarkPixel(c, RECT{gridArea.left + cell.left + 2, gridArea.top + cell.top + 2,
                                   gridArea.left + cell.right - 2, gridArea.top + cell.bottom - 2}))
      << "the text of a cell";
  EXPECT_EQ(c.Pixels(gridArea.left + cell.right - 3, gridArea.top + cell.bottom - 3), ColorToRGB(clWindow))
      << "a cell's background";
}

}  // namespace

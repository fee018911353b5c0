// The form header: its settings at creation, the plain painting (gradient,
// title, image or round mark), the skin handler taking itself out, the
// property setters with their notifications, menu items, image lists that
// go away, and streaming.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/forms/menus.h"
#include "classlib/graphics/imagelist.h"
#include "components/vtcomponentsreg.h"
#include "components/vtformheader.h"
#include "classlib/controls/stdctrls.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/controls/skin_test_util.h"
#include "tests/skin/testskinfiles.h"

namespace {

using namespace skin_test;

constexpr TColor kStart = static_cast<TColor>(0xCE9363);
constexpr TColor kEnd = static_cast<TColor>(0xFFEFE5);

// Adds a 16x16 red square to the list.
void AddRedSquare(TImageList* images) {
  TBitmap red;
  red.SetPixelFormat(pf24bit);
  red.SetSize(16, 16);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(RECT{0, 0, 16, 16});
  images->Add(&red, nullptr);
}

// A 16x16 image list holding one red square.
TImageList* RedImages(TComponent* owner) {
  auto* images = new TImageList(owner, 16, 16);
  AddRedSquare(images);
  return images;
}

bool IsWhiteish(COLORREF c) { return GetRValue(c) > 0xF0 && GetGValue(c) > 0xF0 && GetBValue(c) > 0xF0; }

// White pixels in the title's place (x 40 onwards, the middle rows).
int TitlePixels(TBitmap& bitmap) {
  int count = 0;
  for (int y = 6; y < 24; ++y)
    for (int x = 40; x < 140; ++x)
      if (IsWhiteish(Pixel(bitmap, x, y)))
        ++count;
  return count;
}

class FormHeader : public testing::Test {
protected:
  FormHeader() {
    header = new TVTFormHeader(form.Host());
    header->SetParent(form.Host());
    form.Show();
    header->SetWidth(300);
    Pump();
  }
  std::unique_ptr<TBitmap> Painted() {
    auto bitmap = std::make_unique<TBitmap>();
    PaintClient(header, *bitmap);
    return bitmap;
  }
  FormFixture form;
  TVTFormHeader* header;
};

TEST_F(FormHeader, CreationSettings) {
  EXPECT_EQ(header->StartColor(), kStart);
  EXPECT_EQ(header->EndColor(), kEnd);
  EXPECT_EQ(header->Title(), "");
  EXPECT_EQ(header->TitleFont()->Name(), "MS Sans Serif");
  EXPECT_EQ(header->TitleFont()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(header->TitleFont()->Size(), 14);
  EXPECT_EQ(header->TitleFont()->Color(), clWhite);
  EXPECT_EQ(header->About(), "s1.02");
  EXPECT_EQ(header->ImageList(), nullptr);
  EXPECT_EQ(header->ImageIndex(), -1);
  EXPECT_EQ(header->MenuItem(), nullptr);
  EXPECT_EQ(header->Caption(), " ");
  EXPECT_EQ(header->BevelOuter(), bvLowered);
  EXPECT_EQ(header->BevelWidth(), 2);
  EXPECT_EQ(header->Height(), 30);
  EXPECT_EQ(header->Align(), alTop);
  EXPECT_EQ(header->Width(), form.Host()->ClientWidth()) << "aligned to the top of its parent";
  EXPECT_FALSE(header->GetTanim().empty());

  header->SetAbout("s9.99");
  EXPECT_EQ(header->About(), "s1.02");
}

TEST_F(FormHeader, PaintsAGradientFromStartToEndColour) {
  auto bitmap = Painted();
  const int mid = header->Height() / 2;
  EXPECT_EQ(Pixel(*bitmap, 2, mid), static_cast<COLORREF>(kStart));
  EXPECT_EQ(Pixel(*bitmap, header->Width() - 3, mid), static_cast<COLORREF>(kEnd));
  // Left to right: every row of the gradient has the same colour in a column.
  EXPECT_EQ(Pixel(*bitmap, 150, 2), Pixel(*bitmap, 150, 26));

  header->SetStartColor(clNavy);
  header->SetEndColor(clTeal);
  bitmap = Painted();
  EXPECT_EQ(Pixel(*bitmap, 2, mid), static_cast<COLORREF>(clNavy));
  EXPECT_EQ(Pixel(*bitmap, header->Width() - 3, mid), static_cast<COLORREF>(clTeal));
}

TEST_F(FormHeader, DrawsTheTitleInTheTitleFont) {
  auto untitled = Painted();
  EXPECT_EQ(TitlePixels(*untitled), 0);
  header->SetTitle("Dozuri Kayıt");
  auto titled = Painted();
  EXPECT_GT(TitlePixels(*titled), 20);
  // Left of x 40 the title leaves the gradient alone.
  EXPECT_EQ(Pixel(*titled, 38, 15), Pixel(*untitled, 38, 15));
}

TEST_F(FormHeader, RoundMarkFillsTheCircleFrom15To35) {
  auto bitmap = Painted();
  EXPECT_EQ(Pixel(*bitmap, 25, 15), static_cast<COLORREF>(kEnd)) << "the centre of the mark";
  for (POINT p : {POINT{16, 15}, POINT{33, 15}, POINT{25, 6}, POINT{25, 23}})
    EXPECT_EQ(Pixel(*bitmap, p.x, p.y), static_cast<COLORREF>(kEnd)) << p.x << "," << p.y;
  // The corners of the box lie outside the circle and show the gradient.
  for (POINT p : {POINT{15, 5}, POINT{34, 5}, POINT{15, 24}, POINT{34, 24}}) {
    EXPECT_EQ(Pixel(*bitmap, p.x, p.y), Pixel(*bitmap, p.x, 2)) << p.x << "," << p.y;
    EXPECT_NE(Pixel(*bitmap, p.x, p.y), static_cast<COLORREF>(kEnd)) << p.x << "," << p.y;
  }
  // Outside the box.
  EXPECT_EQ(Pixel(*bitmap, 13, 15), Pixel(*bitmap, 13, 2));
  EXPECT_EQ(Pixel(*bitmap, 37, 15), Pixel(*bitmap, 37, 2));
}

TEST_F(FormHeader, DrawsTheImageInsteadOfTheMark) {
  TImageList* images = RedImages(form.Host());
  header->SetImageList(images);
  header->SetImageIndex(0);
  auto bitmap = Painted();
  // x 5..20, y 15 - 8 = 7..22
  EXPECT_EQ(Pixel(*bitmap, 5, 7), static_cast<COLORREF>(clRed));
  EXPECT_EQ(Pixel(*bitmap, 20, 22), static_cast<COLORREF>(clRed));
  EXPECT_NE(Pixel(*bitmap, 21, 15), static_cast<COLORREF>(clRed));
  EXPECT_EQ(Pixel(*bitmap, 30, 15), Pixel(*bitmap, 30, 2)) << "no round mark beside the image";
}

TEST_F(FormHeader, FreeingTheImageListBringsTheMarkBack) {
  TImageList* images = RedImages(nullptr);
  header->SetImageList(images);
  header->SetImageIndex(0);
  images->Free();
  EXPECT_EQ(header->ImageList(), nullptr);
  EXPECT_EQ(header->ImageIndex(), 0);
  auto bitmap = Painted();
  EXPECT_EQ(Pixel(*bitmap, 25, 15), static_cast<COLORREF>(kEnd));
}

TEST_F(FormHeader, ImageListChangesRepaintTheShownHeader) {
  auto* images = new TImageList(form.Host(), 16, 16);
  header->SetImageList(images);
  header->SetImageIndex(0);
  header->Repaint();
  HDC screen = GetDC(header->Handle());
  EXPECT_NE(GetPixel(screen, 12, 15), static_cast<COLORREF>(clRed));
  AddRedSquare(images);
  EXPECT_EQ(GetPixel(screen, 12, 15), static_cast<COLORREF>(clRed)) << "repainted at once";
  ReleaseDC(header->Handle(), screen);
}

TEST_F(FormHeader, SkinHandlerRemovesItselfWithoutAnActiveManager) {
  struct Case {
    const char* Name;
    bool WithManager;
    bool Active;
    bool HandlerStays;
  };
  const Case cases[] = {
      {"no manager", false, false, false},
      {"inactive manager", true, false, false},
      {"active manager", true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Owned<TsSkinManager> manager{c.WithManager ? new TsSkinManager(nullptr) : nullptr};
    if (manager)
      manager->SetActive(c.Active);
    SetDefaultManager(manager.get());
    auto* fresh = new TVTFormHeader(form.Host());
    fresh->SetParent(form.Host());
    EXPECT_TRUE(fresh->OnPaint);
    TBitmap bitmap;
    PaintClient(fresh, bitmap);
    EXPECT_EQ(static_cast<bool>(fresh->OnPaint), c.HandlerStays);
    EXPECT_EQ(Pixel(bitmap, 25, 15), static_cast<COLORREF>(kEnd)) << "the mark is painted either way";
    fresh->Free();
    SetDefaultManager(nullptr);
  }
}

// Under an active manager with the test skin the header keeps a transparent
// label in the title font at left 40, centred in its height, follows Title
// and TitleFont with it and paints the mark over the panel's skin; once the
// manager is switched off the label goes, the handler takes itself out and
// the plain gradient comes back.
TEST_F(FormHeader, ActiveSkinManagerShowsTheTitleInALabel) {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  SetDefaultManager(manager.get());
  manager->SetSkinDirectory(TestSkinsDirectory());
  manager->SetSkinName("TestSkin");
  auto* fresh = new TVTFormHeader(form.Host());
  fresh->SetParent(form.Host());
  fresh->SetWidth(300);
  fresh->SetTitle("Başlık");
  ASSERT_TRUE(fresh->SkinData()->IsSkinned());
  Pump();
  TBitmap printed;
  printed.SetPixelFormat(pf24bit);
  printed.SetSize(300, 30);
  SendMessageW(fresh->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()), PRF_CLIENT);
  TLabel* label = fresh->TitleLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), fresh);
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->Caption(), "Başlık");
  EXPECT_EQ(label->Left(), 40);
  EXPECT_EQ(label->Top(), (30 - label->Height()) / 2);
  EXPECT_EQ(label->Font()->Size(), 14);
  EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
  EXPECT_EQ(Pixel(printed, 25, 15), static_cast<COLORREF>(kEnd)) << "the round mark over the skin";
  EXPECT_EQ(Pixel(printed, 200, 15), static_cast<COLORREF>(TestSkinColour("PANEL.COLOR"))) << "the skin";

  fresh->SetTitle("Yeni");
  EXPECT_EQ(label->Caption(), "Yeni");
  fresh->TitleFont()->SetColor(clYellow);
  EXPECT_EQ(label->Font()->Color(), clYellow);
  fresh->TitleFont()->SetColor(clWhite);

  manager->SetActive(false);
  Pump();
  EXPECT_EQ(fresh->TitleLabel(), nullptr);
  EXPECT_FALSE(fresh->OnPaint);
  TBitmap plain;
  PaintClient(fresh, plain);
  std::unique_ptr<TBitmap> reference = Painted();
  for (int x : {20, 200, 290})
    EXPECT_EQ(Pixel(plain, x, 3), Pixel(*reference, x, 3)) << "the plain gradient at " << x;
  EXPECT_GT(TitlePixels(plain), 0) << "the title is painted plainly again";
  fresh->Free();
  SetDefaultManager(nullptr);
}

TEST_F(FormHeader, SettersNotifyOnlyOnChange) {
  int titles = 0, indexes = 0;
  header->OnTitleChanged = [&titles](TObject* Sender) { ++titles; };
  header->OnImageIndexChanged = [&indexes](TObject* Sender) { ++indexes; };
  header->SetTitle("Ayarlar");
  header->SetTitle("Ayarlar");
  header->SetImageIndex(4);
  header->SetImageIndex(4);
  EXPECT_EQ(titles, 1);
  EXPECT_EQ(indexes, 1);
  EXPECT_EQ(header->Title(), "Ayarlar");
  EXPECT_EQ(header->ImageIndex(), 4);

  TFont font;
  font.SetName("Arial");
  font.SetColor(clYellow);
  header->SetTitleFont(&font);
  EXPECT_EQ(header->TitleFont()->Name(), "Arial");
  EXPECT_EQ(header->TitleFont()->Color(), clYellow);
  EXPECT_NE(header->TitleFont(), &font) << "the font is copied, not taken";
}

TEST_F(FormHeader, MenuItemGivesTitleWithoutAcceleratorsAndItsImage) {
  struct Case {
    const char* Caption;
    const char* Title;
  };
  const Case cases[] = {
      {"&Dosya Aç", "Dosya Aç"},
      {"Farklı &Kaydet", "Farklı Kaydet"},
      {"A&&B", "AB"},
      {"Yardım", "Yardım"},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Caption);
    auto* item = new TMenuItem(form.Host());
    item->SetCaption(c.Caption);
    item->SetImageIndex(++index);
    header->SetMenuItem(item);
    EXPECT_EQ(header->MenuItem(), item);
    EXPECT_EQ(header->Title(), c.Title);
    EXPECT_EQ(header->ImageIndex(), index);
    item->Free();
    EXPECT_EQ(header->MenuItem(), nullptr);
    EXPECT_EQ(header->Title(), c.Title) << "the title stays when the item goes";
  }
}

TEST_F(FormHeader, AssignComponentCopiesColoursAndOptionallyImages) {
  auto* source = new TVTFormHeader(form.Host());
  source->SetStartColor(clMaroon);
  source->SetEndColor(clSilver);
  source->TitleFont()->SetColor(clYellow);
  source->SetTitle("Kaynak");
  // Owned by no one, so only the removal notices it asked for reach the header.
  TImageList* images = RedImages(nullptr);
  source->SetImageList(images);
  source->SetImageIndex(0);

  header->AssignComponent(source, false);
  EXPECT_EQ(header->StartColor(), clMaroon);
  EXPECT_EQ(header->EndColor(), clSilver);
  EXPECT_EQ(header->TitleFont()->Color(), clYellow);
  EXPECT_EQ(header->Title(), "");
  EXPECT_EQ(header->ImageList(), nullptr);
  EXPECT_EQ(header->ImageIndex(), -1);

  header->AssignComponent(source, true);
  EXPECT_EQ(header->ImageList(), images);
  EXPECT_EQ(header->ImageIndex(), 0);
  EXPECT_EQ(Pixel(*Painted(), 12, 15), static_cast<COLORREF>(clRed));

  // The list taken over goes away: the header lets go of it too.
  images->Free();
  EXPECT_EQ(header->ImageList(), nullptr);
  EXPECT_EQ(source->ImageList(), nullptr);
  auto bitmap = Painted();
  EXPECT_EQ(Pixel(*bitmap, 25, 15), static_cast<COLORREF>(clSilver));
}

TEST_F(FormHeader, DefaultsAreNotWrittenAndChangesComeBack) {
  RegisterVtComponents();
  RegisterClasses({TPanel::StaticClass(), TImageList::StaticClass()});
  Owned<TPanel> root{new TPanel(nullptr)};
  root->SetName("Root");
  auto* written = new TVTFormHeader(root.get());
  written->SetName("Header");
  written->SetParent(root.get());
  std::string text = ComponentText(root.get());
  for (const char* name : {"StartColor", "EndColor", "Title =", "About", "ImageIndex", "ImageList", "MenuItem"})
    EXPECT_EQ(text.find(name), std::string::npos) << name << " in\n" << text;
  EXPECT_NE(text.find("TitleFont.Name = 'MS Sans Serif'"), std::string::npos) << text;

  auto* images = new TImageList(root.get(), 16, 16);
  images->SetName("Images");
  written->SetStartColor(clRed);
  written->SetEndColor(static_cast<TColor>(0x123456));
  written->SetTitle("Satış Listesi");
  written->TitleFont()->SetColor(clYellow);
  written->SetImageList(images);
  written->SetImageIndex(2);
  text = ComponentText(root.get());

  Owned<TPanel> copy{new TPanel(nullptr)};
  ReadComponentText(text, copy.get());
  auto* read = dynamic_cast<TVTFormHeader*>(copy->FindComponent("Header"));
  ASSERT_NE(read, nullptr) << text;
  EXPECT_EQ(read->StartColor(), clRed);
  EXPECT_EQ(read->EndColor(), static_cast<TColor>(0x123456));
  EXPECT_EQ(read->Title(), "Satış Listesi");
  EXPECT_EQ(read->TitleFont()->Color(), clYellow);
  EXPECT_EQ(read->ImageList(), copy->FindComponent("Images"));
  EXPECT_EQ(read->ImageIndex(), 2);
  EXPECT_EQ(read->About(), "s1.02");
}

TEST_F(FormHeader, AStreamCarryingAboutStillReads) {
  RegisterVtComponents();
  RegisterClasses({TPanel::StaticClass()});
  Owned<TPanel> root{new TPanel(nullptr)};
  ReadComponentText(
      "object Root: TPanel\n"
      "  object Header: TVTFormHeader\n"
      "    About = 's0.1'\n"
      "    Title = 'Etiket'\n"
      "  end\n"
      "end\n",
      root.get());
  auto* header = dynamic_cast<TVTFormHeader*>(root->FindComponent("Header"));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->About(), "s1.02");
  EXPECT_EQ(header->Title(), "Etiket");
}

}  // namespace

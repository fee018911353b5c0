// The splash form: its size, look and fade settings, and the two caption
// layers painted over the picture; AddCaptionLayer's pixels checked against
// text rendered on its own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/splash/splashf.h"
#include "tests/classlib/forms/forms_test_util.h"

namespace {

unsigned Channel(TColor32 c, int shift) { return (c >> shift) & 0xFF; }

// An image control of the given size over an opaque base of one colour.
struct PlainImage {
  PlainImage(int width, int height, TColor32 base) : form(NewForm<TForm>(Application)) {
    image = new TImage32(form.get());
    image->SetParent(form.get());
    image->SetBounds(0, 0, width, height);
    image->Bitmap()->SetSize(width, height);
    image->Bitmap()->Clear(base);
  }
  forms_test::Owned<TForm> form;
  TImage32* image;
};

// The coverage white text of that font leaves at (x, y), 0-255.
TBitmap32* WhiteText(TBitmap32& bitmap, int width, int height, int x, int y, const AnsiString& text) {
  bitmap.SetSize(width, height);
  bitmap.Font()->SetName("Tahoma");
  bitmap.Font()->SetSize(36);
  bitmap.Font()->SetStyle(TFontStyles{fsBold});
  bitmap.RenderText(x, y, text, 1, 0xFFFFFFFFu);
  return &bitmap;
}

TEST(SplashF, IsABorderlessWhiteWindowWithItsPictureAndFade) {
  forms_test::Owned<TSplashF> splash(NewForm<TSplashF>(Application));
  EXPECT_EQ(splash->ClientWidth(), 500);
  EXPECT_EQ(splash->ClientHeight(), 310);
  EXPECT_EQ(splash->BorderStyle(), bsNone);
  EXPECT_EQ(splash->Color(), clWhite);
  EXPECT_EQ(splash->Position(), poScreenCenter);
  EXPECT_EQ(splash->ImageSplash->Align(), alClient);
  EXPECT_EQ(splash->ImageSplash->Bitmap()->Width(), 500);
  EXPECT_EQ(splash->ImageSplash->Bitmap()->Height(), 310);
  EXPECT_TRUE(splash->VtAnimate1->Active());
  EXPECT_EQ(splash->VtAnimate1->StartStep(), 5u);
  EXPECT_EQ(splash->VtAnimate1->StopStep(), 5u);
  // The fade component took over the form's events.
  EXPECT_EQ(splash->OnActivate.GetMethod().Data, splash->VtAnimate1);
  // Its window did not exist at its creation, so alpha blending stays off
  // and the fade-in, when it runs, shows nothing.
  EXPECT_FALSE(splash->AlphaBlend());
  // The two caption layers, faint and strong.
  TLayerCollection* layers = splash->ImageSplash->Layers();
  ASSERT_EQ(layers->Count(), 2);
  EXPECT_EQ(layers->Items(0)->Bitmap()->MasterAlpha(), 30u);
  EXPECT_EQ(layers->Items(1)->Bitmap()->MasterAlpha(), 170u);
  for (int i = 0; i < 2; ++i) {
    TBitmap32* bitmap = layers->Items(i)->Bitmap();
    EXPECT_EQ(bitmap->DrawMode(), dmBlend);
    EXPECT_EQ(bitmap->Font()->Name(), "Tahoma");
    EXPECT_TRUE(bitmap->Font()->Style().Contains(fsBold));
    EXPECT_EQ(bitmap->Width(), 500);
    const RECT r = layers->Items(i)->Location();
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 310);
  }
  EXPECT_EQ(layers->Items(0)->Bitmap()->Font()->Size(), 100);
  EXPECT_EQ(layers->Items(1)->Bitmap()->Font()->Size(), 36);
  // The watermark's text sits from y = 50, the name's from y = 110: nothing
  // of either is drawn above.
  for (int i = 0; i < 2; ++i) {
    const int top = i == 0 ? 50 : 110;
    TBitmap32* bitmap = layers->Items(i)->Bitmap();
    bool above = false, below = false;
    for (int y = 0; y < bitmap->Height(); ++y)
      for (int x = 0; x < bitmap->Width(); ++x)
        if (bitmap->Pixel(x, y) != 0)
          (y < top ? above : below) = true;
    EXPECT_FALSE(above) << i;
    EXPECT_TRUE(below) << i;
  }
}

TEST(SplashF, ACaptionLayerIsWhiteTextOverAGreyShadow) {
  const int width = 300, height = 100, y = 20;
  PlainImage plain(width, height, 0xFF000000u);
  TSplashF::AddCaptionLayer(plain.image, y, "Dozuri", 255, 36, "Tahoma");
  TBitmap32* layer = plain.image->Layers()->Items(0)->Bitmap();
  const int x = (width - layer->TextWidth("Dozuri")) / 2;
  TBitmap32 white;
  WhiteText(white, width, height, x, y, "Dozuri");
  int textPixels = 0, shadowPixels = 0;
  for (int py = 0; py < height; ++py)
    for (int px = 0; px < width; ++px) {
      const bool text = white.Pixel(px, py) == 0xFFFFFFFFu;
      const bool shadowOnly = white.Pixel(px - 2, py - 2) == 0xFFFFFFFFu && white.Pixel(px, py) == 0;
      if (text) {
        EXPECT_EQ(layer->Pixel(px, py), 0xFFFFFFFFu) << px << "," << py;
        ++textPixels;
      } else if (shadowOnly) {
        EXPECT_EQ(layer->Pixel(px, py), 0xFF7F7F7Fu) << px << "," << py;
        ++shadowPixels;
      }
    }
  EXPECT_GT(textPixels, 100);
  EXPECT_GT(shadowPixels, 20);
}

TEST(SplashF, TheLayersMasterAlphaBlendsItOverThePicture) {
  struct Case {
    TColor32 base;
    unsigned overText, overShadow;  // a channel of the composed pixel
  } cases[] = {{0xFF000000u, 30, 15}, {0xFFFFFFFFu, 255, 240}};
  for (const Case& c : cases) {
    PlainImage plain(300, 100, c.base);
    TSplashF::AddCaptionLayer(plain.image, 20, "Dozuri", 30, 36, "Tahoma");
    TBitmap32* layer = plain.image->Layers()->Items(0)->Bitmap();
    TBitmap32 composed;
    plain.image->ComposeTo(composed);
    int checked = 0;
    for (int py = 0; py < 100; ++py)
      for (int px = 0; px < 300; ++px) {
        const TColor32 l = layer->Pixel(px, py);
        if (l != 0xFFFFFFFFu && l != 0xFF7F7F7Fu)
          continue;
        const unsigned expected = l == 0xFFFFFFFFu ? c.overText : c.overShadow;
        for (int shift : {16, 8, 0})
          EXPECT_LE(std::abs(static_cast<int>(Channel(composed.Pixel(px, py), shift)) - static_cast<int>(expected)), 1)
              << px << "," << py;
        EXPECT_EQ(Channel(composed.Pixel(px, py), 24), 255u);
        ++checked;
      }
    EXPECT_GT(checked, 100);
  }
}

TEST(SplashF, ATextWiderThanTheImageIsCutAtTheLeft) {
  PlainImage plain(60, 80, 0xFF000000u);
  TSplashF::AddCaptionLayer(plain.image, 0, "WWWW", 255, 36, "Tahoma");
  TBitmap32* layer = plain.image->Layers()->Items(0)->Bitmap();
  const int textWidth = layer->TextWidth("WWWW");
  ASSERT_GT(textWidth, 60);
  const int x = (60 - textWidth) / 2;
  EXPECT_LT(x, 0);
  // The same text drawn whole on a wide bitmap: the layer shows its part
  // from -x on, from the left edge.
  TBitmap32 whole;
  WhiteText(whole, textWidth + 10, 80, 0, 0, "WWWW");
  int compared = 0;
  for (int py = 0; py < 80; ++py)
    for (int px = 0; px < 60; ++px)
      if (whole.Pixel(px - x, py) == 0xFFFFFFFFu && whole.Pixel(px - x - 2, py - 2) == 0xFFFFFFFFu) {
        EXPECT_EQ(layer->Pixel(px, py), 0xFFFFFFFFu) << px << "," << py;
        ++compared;
      }
  EXPECT_GT(compared, 20);
  bool leftEdge = false;
  for (int py = 0; py < 80; ++py)
    leftEdge = leftEdge || layer->Pixel(0, py) != 0;
  EXPECT_TRUE(leftEdge);
}

}  // namespace

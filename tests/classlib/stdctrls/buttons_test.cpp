#include "classlib/stdctrls/bitbtn.h"

#include <gtest/gtest.h>

#include "classlib/forms/menus.h"
#include "classlib/stdctrls/rxspeedbutton.h"
#include "classlib/stdctrls/speedbutton.h"
#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

class BitBtnTest : public FormFixture {};

TEST_F(BitBtnTest, KindGivesCaptionResultRoleAndGlyph) {
  struct Case {
    TBitBtnKind kind;
    const char* caption;
    TModalResult result;
    bool isDefault, isCancel;
  };
  const Case cases[] = {{bkOK, "OK", mrOk, true, false},       {bkCancel, "Cancel", mrCancel, false, true},
                        {bkYes, "&Yes", mrYes, true, false},   {bkNo, "&No", mrNo, false, true},
                        {bkAbort, "Abort", mrAbort, false, false}, {bkRetry, "&Retry", mrRetry, false, false}};
  for (const Case& c : cases) {
    auto* button = Make<TBitBtn>();
    button->SetKind(c.kind);
    EXPECT_EQ(button->Caption(), c.caption) << c.kind;
    EXPECT_EQ(button->ModalResult(), c.result) << c.kind;
    EXPECT_EQ(button->Default(), c.isDefault) << c.kind;
    EXPECT_EQ(button->Cancel(), c.isCancel) << c.kind;
    EXPECT_FALSE(button->Glyph()->Empty()) << c.kind;
  }
}

TEST_F(BitBtnTest, StaysOwnerDrawnWhenItBecomesTheDefaultButton) {
  auto* first = Make<TBitBtn>(10, 10);
  auto* second = Make<TBitBtn>(100, 10);
  first->SetKind(bkOK);
  int clicks = 0;
  second->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  Focus(second);
  Focus(first);
  for (TBitBtn* b : {first, second})
    EXPECT_EQ(GetWindowLongPtrW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  Focus(second);
  PressKey(VK_SPACE);
  EXPECT_EQ(clicks, 1);
}

TEST_F(BitBtnTest, AGlyphSetByHandSurvivesAKindChange) {
  auto* button = Make<TBitBtn>();
  TBitmap glyph;
  glyph.SetSize(32, 16);
  button->SetGlyph(&glyph);
  EXPECT_EQ(button->NumGlyphs(), 2) << "two images side by side";
  button->SetKind(bkCancel);
  EXPECT_EQ(button->Glyph()->Width(), 32);
}

TEST(ButtonLayoutTest, GlyphAndTextArePlacedAsTheLayoutSays) {
  const TRect client = Rect(0, 0, 100, 40);
  struct Case {
    TButtonLayout layout;
    int margin;
    TPoint glyph;
    TRect text;
  };
  // Glyph 16x16, text 30x10, spacing 4.
  const Case cases[] = {{blGlyphLeft, -1, {25, 12}, {45, 15, 75, 25}},
                        {blGlyphRight, -1, {59, 12}, {25, 15, 55, 25}},
                        {blGlyphLeft, 5, {5, 12}, {25, 15, 55, 25}},
                        {blGlyphTop, -1, {42, 5}, {35, 25, 65, 35}},
                        {blGlyphBottom, -1, {42, 19}, {35, 5, 65, 15}}};
  for (const Case& c : cases) {
    TButtonLayoutResult r = CalcButtonLayout(client, SIZE{16, 16}, SIZE{30, 10}, c.layout, c.margin, 4);
    EXPECT_EQ(r.GlyphPos.x, c.glyph.x) << c.layout << "/" << c.margin;
    EXPECT_EQ(r.GlyphPos.y, c.glyph.y) << c.layout << "/" << c.margin;
    EXPECT_EQ(r.TextBounds.left, c.text.left) << c.layout << "/" << c.margin;
    EXPECT_EQ(r.TextBounds.top, c.text.top) << c.layout << "/" << c.margin;
    EXPECT_EQ(r.TextBounds.right, c.text.right) << c.layout << "/" << c.margin;
    EXPECT_EQ(r.TextBounds.bottom, c.text.bottom) << c.layout << "/" << c.margin;
  }
}

class SpeedButtonTest : public FormFixture {
protected:
  TSpeedButton* MakeButton(int left, int group) {
    auto* b = Make<TSpeedButton>(left, 10, 30, 25);
    b->SetGroupIndex(group);
    b->OnClick = [this](TObject*) { ++clicks; };
    return b;
  }
  // Clicks the button with the mouse, through its parent's window.
  void Click(TSpeedButton* b) { ClickAt(form->Handle(), b->Left() + 5, b->Top() + 5); }
  int clicks = 0;
};

TEST_F(SpeedButtonTest, GroupedButtonsHoldOneDownAtATime) {
  TSpeedButton* a = MakeButton(10, 1);
  TSpeedButton* b = MakeButton(50, 1);
  TSpeedButton* other = MakeButton(90, 2);
  ShowForm();
  struct Step {
    TSpeedButton* click;
    bool allowAllUp;
    bool aDown, bDown;
  };
  const Step steps[] = {{a, false, true, false},  {b, false, false, true}, {b, false, false, true},
                        {a, true, true, false},   {a, true, false, false}};
  other->SetDown(true);
  for (const Step& s : steps) {
    a->SetAllowAllUp(s.allowAllUp);
    Click(s.click);
    EXPECT_EQ(a->Down(), s.aDown);
    EXPECT_EQ(b->Down(), s.bDown);
  }
  EXPECT_TRUE(other->Down()) << "another group is left alone";
  EXPECT_EQ(clicks, 5);
}

TEST_F(SpeedButtonTest, AButtonOutsideAGroupClicksAndComesBackUp) {
  TSpeedButton* a = MakeButton(10, 0);
  ShowForm();
  a->SetDown(true);
  EXPECT_FALSE(a->Down()) << "only grouped buttons stay down";
  Click(a);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(a->State(), bsUp);
  a->SetEnabled(false);
  Click(a);
  EXPECT_EQ(clicks, 1) << "a disabled button does not click";
}

TEST_F(SpeedButtonTest, ADownButtonPaintsPressedAndAFlatOneNoFrameWhenIdle) {
  TSpeedButton* a = MakeButton(10, 1);
  TSpeedButton* flat = MakeButton(60, 0);
  TSpeedButton* plain = MakeButton(110, 0);
  flat->SetFlat(true);
  flat->SetTransparent(false);
  form->SetColor(clBtnFace);
  ShowForm();
  a->SetDown(true);
  COLORREF face = static_cast<COLORREF>(ColorToRGB(clBtnFace));
  EXPECT_NE(PixelOf(form, a->Left() + 10, a->Top() + 10), face) << "a held button shows a lighter face";
  EXPECT_EQ(PixelOf(form, flat->Left(), flat->Top()), face) << "no frame on an idle flat button";
  EXPECT_EQ(PixelOf(form, flat->Left() + flat->Width() - 1, flat->Top() + flat->Height() - 1), face);
  EXPECT_NE(PixelOf(form, plain->Left() + plain->Width() - 1, plain->Top() + plain->Height() - 1), face)
      << "a normal button has its frame";
}

TEST_F(SpeedButtonTest, TheDropDownMenuIsAPopupMenuAndForgottenWhenFreed) {
  auto* button = Make<TRxSpeedButton>();
  auto* menu = new TPopupMenu(form);
  button->SetDropDownMenu(menu);
  EXPECT_EQ(button->DropDownMenu(), menu);
  EXPECT_THROW(button->SetDropDownMenu(form), EInvalidCast);
  menu->Free();
  EXPECT_EQ(button->DropDownMenu(), nullptr);
}

}  // namespace

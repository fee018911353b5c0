// The calculator on a real window: keys typed as the keyboard sends them,
// clicks on the image keys, the key-down commands, the display face, the
// clipboard, the shaped window, one window per component, closing with and
// without the confirmation panel, and the component's published defaults.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/clipbrd.h"
#include "components/vtcalc.h"
#include "components/vtcalcmainf.h"
#include "tests/support/formfixture.h"

namespace {

using test_support::Pump;

// One calculator component per test, owned by nothing; its window, when one
// is left open, is freed with it.
class CalcTest : public testing::Test {
protected:
  CalcTest() : calc(new TVtCalc(nullptr)) {}
  ~CalcTest() override {
    if (TVtCalcMainF* form = calc->Form())
      form->Free();
    calc->Free();
    Pump();
  }

  TVtCalcMainF* Open() {
    calc->Execute();
    Pump();
    return calc->Form();
  }

  // Types characters as WM_CHAR messages to the focused window, the way a
  // keyboard's keys arrive after translation.
  void Type(TVtCalcMainF* form, const std::string& keys) {
    for (char key : keys) {
      if (key == '=')
        key = '\r';
      else if (key == '<')
        key = '\b';
      else if (key == 'E')
        key = '\x1b';
      SendMessageW(form->Handle(), WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    Pump();
  }

  void KeyDown(TVtCalcMainF* form, WORD key) {
    SendMessageW(form->Handle(), WM_KEYDOWN, key, 1);
    Pump();
  }

  TVtCalc* calc;
};

AnsiString Shown(TVtCalcMainF* form) {
  AnsiString text = form->LabelDisplay->Caption();
  if (form->DigitalFont() && !text.empty() && text.back() == ' ')
    text.pop_back();
  return text;
}

TEST_F(CalcTest, TypedKeysShowOnTheDisplayAndTheTape) {
  struct Case {
    const char* Keys;
    const char* Display;
  };
  const Case cases[] = {{"12+8=", "20"},      {"1234567", "1.234.567"}, {"5-1128=", "-1.123"},
                        {"200+10%", "220"},    {"10/0=", "Hata"},        {"1234567890123456", "123.456.789.012.345"},
                        {"2@", "1,4142135623731"}};
  TVtCalcMainF* form = Open();
  ASSERT_NE(form, nullptr);
  for (const Case& c : cases) {
    form->Engine().ResetAll();
    Type(form, c.Keys);
    EXPECT_EQ(Shown(form), c.Display) << c.Keys;
  }
  form->Engine().ResetAll();
  Type(form, "12+8=");
  ASSERT_EQ(form->MemoTape->Lines()->Count(), 1);
  EXPECT_EQ((*form->MemoTape->Lines())[0], "12 + 8 = 20");
}

TEST_F(CalcTest, AfterAnErrorOnlyEscWorksAndEscOnZeroCloses) {
  TVtCalcMainF* form = Open();
  Type(form, "10/0=");
  Type(form, "5+1=");
  EXPECT_EQ(Shown(form), "Hata");
  Type(form, "E");
  EXPECT_EQ(Shown(form), "0");
  EXPECT_TRUE(calc->IsOpen());
  Type(form, "E");
  Pump();
  EXPECT_FALSE(calc->IsOpen());
  EXPECT_EQ(calc->Form(), nullptr);
}

TEST_F(CalcTest, OperatorsPutTheNumberOnTheClipboard) {
  TVtCalcMainF* form = Open();
  Clipboard().SetAsText("önceki");
  Type(form, "12+8=");
  EXPECT_EQ(Clipboard().AsText(), "20");
  calc->Form()->ClipBoardCopy = false;
  Type(form, "*3=");
  EXPECT_EQ(Clipboard().AsText(), "20");
}

TEST_F(CalcTest, ImageKeysSendTheirKeysAndShowTheirHints) {
  TVtCalcMainF* form = Open();
  auto click = [&](int index) { form->Keys[static_cast<std::size_t>(index)]->Click(); };
  click(20);  // 1
  click(26);  // 00
  click(23);  // +
  click(25);  // 0
  click(27);  // ,
  click(17);  // 6
  click(24);  // =
  EXPECT_EQ(Shown(form), "100,6");
  click(3);  // memory add
  EXPECT_EQ(form->LabelMemory->Caption(), "Memory");
  click(6);  // clear entry
  EXPECT_EQ(Shown(form), "0");
  click(1);  // memory recall
  EXPECT_EQ(Shown(form), "100,6");
  click(0);  // memory clear
  EXPECT_EQ(form->LabelMemory->Caption(), "");
  EXPECT_EQ(form->Engine().Memory(), 0);

  form->Keys[23]->OnMouseMove(form->Keys[23], TShiftState(), 1, 1);
  EXPECT_EQ(form->LabelHint->Caption(), "Artı (+)");
  const char* hints[] = {"Hafızayı Sıfırla (Ctrl+D)", "Hafızayı Göster (Ctrl+G)", "Hafızadan Çıkar (Ctrl-)",
                         "Hafızaya Ekle (Ctrl +)", "Kapat (Esc)", "Hepsini sıfırla (Shift+Delete)", "Sil (Delete)",
                         "Geri Tuşu (BackSpace)", "Karekökü (AltGr+@)"};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(form->Keys[static_cast<std::size_t>(i)]->Hint(), hints[i]);
  EXPECT_EQ(form->Keys[24]->Hint(), "Toplam (Enter)");
  EXPECT_EQ(form->Keys[26]->Hint(), "Cift Sıfır (Ctrl+0)");
  EXPECT_FALSE(form->Keys[0]->ShowHint());
}

TEST_F(CalcTest, KeyDownCommandsClearAndUseTheMemory) {
  TVtCalcMainF* form = Open();
  Type(form, "12+8=");
  KeyDown(form, VK_DELETE);
  EXPECT_EQ(Shown(form), "0");
  EXPECT_EQ(form->MemoTape->Lines()->Count(), 1);
  Type(form, "7");
  BYTE keys[256]{};
  GetKeyboardState(keys);
  BYTE ctrl[256];
  std::copy(std::begin(keys), std::end(keys), ctrl);
  ctrl[VK_CONTROL] = 0x80;
  SetKeyboardState(ctrl);
  KeyDown(form, VK_ADD);
  KeyDown(form, VK_ADD);
  KeyDown(form, 'G');
  SetKeyboardState(keys);
  EXPECT_EQ(form->LabelMemory->Caption(), "Memory");
  EXPECT_EQ(Shown(form), "14");
  ctrl[VK_SHIFT] = 0x80;
  ctrl[VK_CONTROL] = 0;
  SetKeyboardState(ctrl);
  KeyDown(form, VK_DELETE);
  SetKeyboardState(keys);
  EXPECT_EQ(form->MemoTape->Lines()->Count(), 0);
  EXPECT_EQ(Shown(form), "0");
}

TEST_F(CalcTest, TwoExecutesLeaveOneWindow) {
  TVtCalcMainF* first = Open();
  calc->Execute();
  Pump();
  EXPECT_EQ(calc->Form(), first);
  int calculators = 0;
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (dynamic_cast<TVtCalcMainF*>(Application->Components(i)) != nullptr)
      ++calculators;
  EXPECT_EQ(calculators, 1);
  EXPECT_EQ(first->Name(), "VtCalcMainF");
}

// Borderless, with its own taskbar button, and shaped: the rounded corners
// of the body are outside the window, its middle inside.
TEST_F(CalcTest, TheWindowIsShapedByItsPicture) {
  TVtCalcMainF* form = Open();
  const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_NE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 239, 347));
  EXPECT_TRUE(PtInRegion(region, 120, 170));
  EXPECT_TRUE(PtInRegion(region, 16, 0));
  DeleteObject(region);
  EXPECT_EQ(form->ClientWidth(), 240);
  EXPECT_EQ(form->ClientHeight(), 348);
  // The title area drags the window; the close mark in it does not.
  const POINT title = form->ClientToScreen(TPoint{100, 10});
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTCAPTION);
  const POINT mark = form->ClientToScreen(TPoint{220, 10});
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(mark.x, mark.y)), HTCLIENT);
}

TEST_F(CalcTest, ShowingSetsTheCaptionAndTheRedLabels) {
  calc->SetCalcCaption("");
  TVtCalcMainF* form = Open();
  EXPECT_EQ(form->LabelCaption->Caption(), "Hesap Makinesi");
  EXPECT_EQ(form->LabelHint->Font()->Color(), clRed);
  EXPECT_EQ(form->LabelDisplay->Font()->Name(), form->DigitalFont() ? "Digital Readout" : "Arial");
  EXPECT_EQ(form->LabelDisplay->Font()->Size(), form->DigitalFont() ? 22 : 19);
}

TEST_F(CalcTest, TheConfirmationPanelAsksBeforeClosing) {
  calc->SetCloseDialog(true);
  TVtCalcMainF* form = Open();
  // "Iptal" first: the calculator stays.
  PostMessageW(form->ButtonIptal->Handle(), BM_CLICK, 0, 0);
  form->CloseCalculator();
  EXPECT_FALSE(form->PanelConfirm->Visible());
  EXPECT_TRUE(calc->IsOpen());
  PostMessageW(form->ButtonTamam->Handle(), BM_CLICK, 0, 0);
  Type(form, "E");
  Pump();
  EXPECT_FALSE(calc->IsOpen());
}

TEST_F(CalcTest, AModalCalculatorIsFreedWhenItCloses) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  calc->SetNewWindow(false);
  AnsiString shown;
  dialogs.OnModalForm = [&](TCustomForm& form) {
    auto& calcForm = static_cast<TVtCalcMainF&>(form);
    calcForm.Engine().KeyPress('4');
    shown = calcForm.Engine().Current();
    form.SetModalResult(mrCancel);
  };
  calc->Execute();
  EXPECT_EQ(shown, "4");
  EXPECT_FALSE(calc->IsOpen());
  EXPECT_EQ(calc->Form(), nullptr);
}

TEST(VtCalcComponent, PublishesItsPropertiesInOrderWithTheirDefaults) {
  std::unique_ptr<TVtCalc, void (*)(TVtCalc*)> calc(new TVtCalc(nullptr), [](TVtCalc* c) { c->Free(); });
  const std::vector<AnsiString> expected{"NewWindow", "ClipBoardCopy", "CalcCaption", "CalcFont",
                                         "AgentOkey", "About",         "CloseDialog"};
  std::vector<AnsiString> names;
  for (const TPropInfo* prop : GetPropList(calc.get()))
    if (std::find(expected.begin(), expected.end(), prop->Name) != expected.end())
      names.push_back(prop->Name);
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(calc->NewWindow());
  EXPECT_TRUE(calc->ClipBoardCopy());
  EXPECT_EQ(calc->CalcCaption(), "Hesap Makinesi");
  EXPECT_EQ(calc->CalcFont()->Color(), clRed);
  EXPECT_TRUE(calc->CalcFont()->Style().Contains(fsBold));
  EXPECT_EQ(calc->About(), "s1.06");
  EXPECT_FALSE(calc->CloseDialog());
  EXPECT_EQ(calc->AgentChar, nullptr);
}

}  // namespace

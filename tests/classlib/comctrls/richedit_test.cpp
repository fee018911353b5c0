// The rich edit: lines, selection, styled runs read back through the
// window, plain and RTF loading, change events.
#include <gtest/gtest.h>

#include "classlib/classes/streams.h"
#include "classlib/comctrls/richedit.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

class RichEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    edit = fixture.Add<TRichEdit>(10, 10, 300, 150);
    edit->SetWordWrap(false);
    fixture.Show();
  }
  FormFixture fixture;
  TRichEdit* edit = nullptr;
};

TEST_F(RichEditTest, LinesAreTheParagraphsOfTheWindow) {
  TStrings* lines = edit->Lines();
  lines->Add("Birinci satır");
  lines->Add("İkinci");
  lines->Add("Üçüncü");
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_EQ(lines->Strings(1), "İkinci");
  EXPECT_EQ(edit->LineIndex(1), 14) << "a paragraph end counts as one character";
  lines->Insert(0, "Sıfır");
  lines->Delete(2);
  lines->SetStrings(2, "Son");
  EXPECT_EQ(lines->Text(), "Sıfır\r\nBirinci satır\r\nSon\r\n");
  lines->Clear();
  EXPECT_EQ(lines->Count(), 0);
  EXPECT_EQ(edit->GetTextLen(), 0);
}

TEST_F(RichEditTest, SelAttributesStyleARunOnly) {
  edit->Lines()->Add("Kalın ve kırmızı");
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->SelText(), "Kalın");
  TTextAttributes* attributes = edit->SelAttributes();
  attributes->SetStyle(TFontStyles{fsBold});
  attributes->SetColor(clRed);
  attributes->SetSize(14);
  attributes->SetName("Courier New");

  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(attributes->Style(), TFontStyles{fsBold});
  EXPECT_EQ(attributes->Color(), clRed);
  EXPECT_EQ(attributes->Size(), 14);
  EXPECT_EQ(attributes->Name(), "Courier New");

  edit->SetSelStart(9);
  edit->SetSelLength(3);
  EXPECT_EQ(attributes->Style(), TFontStyles{}) << "the text after the run keeps the default";
  EXPECT_EQ(attributes->Color(), clWindowText);
  EXPECT_NE(attributes->Size(), 14);
}

TEST_F(RichEditTest, DefAttributesComeFromTheFont) {
  edit->Font()->SetName("Times New Roman");
  edit->Font()->SetSize(12);
  edit->RecreateWnd();
  EXPECT_EQ(edit->DefAttributes()->Name(), "Times New Roman");
  EXPECT_EQ(edit->DefAttributes()->Size(), 12);
  edit->DefAttributes()->SetStyle(TFontStyles{fsItalic});
  EXPECT_EQ(edit->DefAttributes()->Style(), TFontStyles{fsItalic});
}

TEST_F(RichEditTest, StyledRunsSurviveANewWindow) {
  edit->Lines()->Add("abc def");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  edit->SelAttributes()->SetStyle(TFontStyles{fsUnderline});
  edit->SetWordWrap(true);  // makes the window again
  EXPECT_EQ(edit->Lines()->Strings(0), "abc def");
  edit->SetSelStart(5);
  edit->SetSelLength(1);
  EXPECT_EQ(edit->SelAttributes()->Style(), TFontStyles{fsUnderline});
}

TEST_F(RichEditTest, PlainTextDecidesHowRtfIsLoaded) {
  const AnsiString rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 A\\b B\\b0 C\\par}";
  struct Case {
    bool plain;
    const char* firstLine;
  };
  for (Case c : {Case{false, "ABC"}, Case{true, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 A\\b B\\b0 C\\par}"}}) {
    SCOPED_TRACE(c.plain);
    edit->SetPlainText(c.plain);
    TStringStream stream(rtf);
    edit->Lines()->LoadFromStream(stream);
    EXPECT_EQ(edit->Lines()->Strings(0), c.firstLine);
  }
  edit->SetPlainText(false);
  TStringStream stream(rtf);
  edit->Lines()->LoadFromStream(stream);
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  EXPECT_EQ(edit->SelAttributes()->Style(), TFontStyles{fsBold});
}

TEST_F(RichEditTest, OptionsReachTheWindow) {
  HWND wnd = edit->Handle();
  EXPECT_NE(SendMessageW(wnd, EM_GETOPTIONS, 0, 0) & ECO_AUTOHSCROLL, 0u) << "no word wrap: the text scrolls sideways";
  EXPECT_EQ(SendMessageW(wnd, EM_GETOPTIONS, 0, 0) & ECO_READONLY, 0u);
  edit->SetReadOnly(true);
  EXPECT_NE(SendMessageW(wnd, EM_GETOPTIONS, 0, 0) & ECO_READONLY, 0u);
  edit->SetText("sabit");
  edit->SetFocus();
  Pump();
  edit->SetSelStart(5);
  Deliver(wnd, WM_CHAR, 'x');
  EXPECT_EQ(edit->Lines()->Strings(0), "sabit") << "typing is refused";
  edit->SetHideSelection(false);
  EXPECT_NE(SendMessageW(wnd, EM_GETOPTIONS, 0, 0) & ECO_NOHIDESEL, 0u);
}

TEST_F(RichEditTest, DefAttributesTakeHeightCharsetAndPitch) {
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  edit->DefAttributes()->SetHeight(-MulDiv(12, ppi, 72));
  EXPECT_EQ(edit->DefAttributes()->Height(), -MulDiv(12, ppi, 72));
  EXPECT_EQ(edit->DefAttributes()->Size(), 12);
  edit->DefAttributes()->SetCharset(TURKISH_CHARSET);
  EXPECT_EQ(edit->DefAttributes()->Charset(), TURKISH_CHARSET);
  edit->DefAttributes()->SetName("Courier New");
  edit->DefAttributes()->SetPitch(fpFixed);
  EXPECT_EQ(edit->DefAttributes()->Pitch(), fpFixed);
  EXPECT_EQ(edit->DefAttributes()->Style(), TFontStyles{});
}

TEST_F(RichEditTest, ChangeAndSelectionEventsFire) {
  int changes = 0, selections = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->OnSelectionChange = [&](TObject*) { ++selections; };
  edit->SetText("abc");
  EXPECT_EQ(changes, 1);
  edit->SetSelStart(2);
  EXPECT_GE(selections, 1);
  TPoint caret = edit->CaretPos();
  EXPECT_EQ(caret.x, 2);
  EXPECT_EQ(caret.y, 0);
}

}  // namespace

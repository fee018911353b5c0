#include "classlib/stdctrls/memo.h"

#include <gtest/gtest.h>

#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

class MemoTest : public FormFixture {
protected:
  MemoTest() : memo(Make<TMemo>(10, 10, 200, 100)) {
    memo->OnChange = [this](TObject*) { ++changes; };
  }
  TMemo* memo;
  int changes = 0;
};

TEST_F(MemoTest, LinesAreTheTextsLinesEitherWay) {
  struct Case {
    const char* text;
    int count;
    const char* last;
  };
  const Case cases[] = {{"", 0, nullptr},
                        {"tek", 1, "tek"},
                        {"bir\r\niki", 2, "iki"},
                        {"bir\r\niki\r\n", 2, "iki"},
                        {"bir\r\n\r\nüç", 3, "üç"},
                        {"a\nb", 2, "b"}};
  ShowForm();
  for (const Case& c : cases) {
    memo->SetText(c.text);
    EXPECT_EQ(memo->Lines()->Count(), c.count) << c.text;
    if (c.last != nullptr) {
      EXPECT_EQ(memo->Lines()->Strings(c.count - 1), c.last) << c.text;
    }
  }
}

TEST_F(MemoTest, EditingLinesChangesTheWindowTextOncePerEdit) {
  ShowForm();
  memo->Lines()->Add("Şirket");
  memo->Lines()->Add("Barkod");
  memo->Lines()->Insert(0, "Başlık");
  EXPECT_EQ(memo->Text(), "Başlık\r\nŞirket\r\nBarkod");
  memo->Lines()->SetStrings(1, "Firma");
  memo->Lines()->Delete(2);
  EXPECT_EQ(memo->Text(), "Başlık\r\nFirma");
  EXPECT_EQ(changes, 5);
  memo->Lines()->SetText("x\r\ny\r\n");
  EXPECT_EQ(memo->Text(), "x\r\ny");
  EXPECT_EQ(memo->Lines()->Text(), "x\r\ny\r\n");
  EXPECT_THROW(memo->Lines()->Delete(5), EListError);
}

TEST_F(MemoTest, ScrollBarsAndWordWrapMakeTheWindowStyle) {
  struct Case {
    TScrollStyle scrollBars;
    bool wordWrap;
    DWORD present;
    DWORD absent;
  };
  const Case cases[] = {{ssNone, true, ES_MULTILINE, WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL},
                        {ssVertical, true, ES_MULTILINE | WS_VSCROLL, WS_HSCROLL | ES_AUTOHSCROLL},
                        {ssBoth, false, ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL, 0},
                        {ssNone, false, ES_MULTILINE | ES_AUTOHSCROLL, WS_HSCROLL | WS_VSCROLL}};
  memo->SetText("satır");
  ShowForm();
  for (const Case& c : cases) {
    memo->SetScrollBars(c.scrollBars);
    memo->SetWordWrap(c.wordWrap);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(memo->Handle(), GWL_STYLE));
    EXPECT_EQ(style & c.present, c.present) << c.scrollBars << "/" << c.wordWrap;
    EXPECT_EQ(style & c.absent, 0u) << c.scrollBars << "/" << c.wordWrap;
    EXPECT_EQ(memo->Text(), "satır") << "the text survives the new window";
  }
}

// Enter and Tab either type into the memo or go to the form.
TEST_F(MemoTest, WantReturnsAndWantTabsDecideWhereEnterAndTabGo) {
  auto* next = Make<TEdit>(10, 200);
  auto* ok = Make<TButton>(200, 200);
  ok->SetDefault(true);
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  struct Case {
    bool wantReturns, wantTabs;
    WORD key;
    const char* text;  // the memo's text after "a", the key, "b"
    bool focusMoved;
    int okClicks;
  };
  const Case cases[] = {{true, false, VK_RETURN, "a\r\nb", false, 0},
                        {false, false, VK_RETURN, "ab", false, 1},
                        {true, true, VK_TAB, "a\tb", false, 0},
                        {true, false, VK_TAB, "a", true, 0}};
  ShowForm();
  for (const Case& c : cases) {
    memo->SetWantReturns(c.wantReturns);
    memo->SetWantTabs(c.wantTabs);
    memo->SetText("");
    okClicks = 0;
    Focus(memo);
    TypeChars(L"a");
    PressKey(c.key);
    if (GetFocus() == memo->Handle())
      TypeChars(L"b");
    EXPECT_EQ(memo->Text(), c.text) << "key " << c.key;
    EXPECT_EQ(GetFocus() == next->Handle(), c.focusMoved) << "key " << c.key;
    EXPECT_EQ(okClicks, c.okClicks) << "key " << c.key;
  }
}

}  // namespace

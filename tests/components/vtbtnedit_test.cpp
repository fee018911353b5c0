// The button edit: the embedded button and its open-folder glyph, the
// formatting rectangle that keeps text clear of the button, line breaks
// taken out of assigned and pasted text, Enter handed to the form and
// dropped, selection on entry and the button's click.
#include <gtest/gtest.h>

#include <string>

#include "classlib/graphics/clipbrd.h"
#include "components/vtbtnedit.h"
#include "components/vtcomponentsreg.h"
#include "tests/skin/controls/skin_test_util.h"

namespace {

using namespace skin_test;

class BtnEdit : public testing::Test {
protected:
  BtnEdit() {
    edit = form.Add<TVtBtnEdit>(20, 20, 200, 21);
    form.Show();
  }
  int ReportedRight() {
    RECT r{};
    SendMessageW(edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right;
  }
  // What the edit reports for a formatting rectangle set with this right
  // edge (the system takes its margins off); the edit's own rectangle is
  // put back afterwards by a resize.
  int ReportedRightFor(int right) {
    RECT r{0, 0, right, edit->ClientHeight() + 1};
    SendMessageW(edit->Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    const int reported = ReportedRight();
    edit->SetWidth(edit->Width() + 1);
    edit->SetWidth(edit->Width() - 1);
    return reported;
  }
  // The edit's formatting rectangle ends at Right.
  void ExpectRectRight(int right, const char* what) {
    const int expected = ReportedRightFor(right);
    EXPECT_EQ(ReportedRight(), expected) << what;
  }
  void Paste(const AnsiString& clip) {
    Clipboard().SetAsText(clip);
    SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
  }

  FormFixture form;
  TVtBtnEdit* edit;
};

TEST_F(BtnEdit, CreationSettings) {
  EXPECT_EQ(edit->About(), "s1.04");
  edit->SetAbout("s9");
  EXPECT_EQ(edit->About(), "s1.04");
  EXPECT_EQ(edit->ButtonWidht(), 21);
  EXPECT_FALSE(edit->GetTanim().empty());
  TVtEditButton* button = edit->VtWinButton();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Name(), "EditButton");
  EXPECT_EQ(button->Caption(), "");
  EXPECT_EQ(button->Owner(), edit);
  EXPECT_EQ(button->Parent(), edit);
  EXPECT_TRUE(button->Visible());
  EXPECT_EQ(button->Width(), 21);
  EXPECT_EQ(button->Align(), alRight);
  EXPECT_EQ(button->Color(), clBtnFace);
  EXPECT_EQ(button->GlyphKind(), gkCustom);
  EXPECT_TRUE(button->Glpyh()->Empty());
  const LONG_PTR style = GetWindowLongPtrW(edit->Handle(), GWL_STYLE);
  EXPECT_NE(style & ES_MULTILINE, 0);
  EXPECT_NE(style & WS_CLIPCHILDREN, 0);
}

TEST_F(BtnEdit, FormattingRectangleStopsShortOfTheButton) {
  ExpectRectRight(edit->ClientWidth() - 21 - 2, "at creation");
  const int before = ReportedRight();
  edit->SetWidth(260);
  test_support::Pump();
  ExpectRectRight(edit->ClientWidth() - 21 - 2, "after a resize");
  EXPECT_EQ(ReportedRight() - before, 60);
}

TEST_F(BtnEdit, ButtonWidthOneHidesTheButtonAndZeroLeavesTwoPixels) {
  edit->SetButtonWidht(1);
  EXPECT_FALSE(edit->VtWinButton()->Visible());
  ExpectRectRight(edit->ClientWidth() - 3, "width 1");
  edit->SetButtonWidht(0);
  EXPECT_FALSE(edit->VtWinButton()->Visible());
  ExpectRectRight(edit->ClientWidth() - 2, "width 0: two pixels short");
  edit->SetButtonWidht(30);
  EXPECT_TRUE(edit->VtWinButton()->Visible());
  EXPECT_EQ(edit->VtWinButton()->Width(), 30);
  ExpectRectRight(edit->ClientWidth() - 32, "width 30");
}

TEST_F(BtnEdit, AssignedTextLosesItsLineBreaks) {
  int changes = 0;
  AnsiString seen;
  edit->OnChange = [&](TObject*) {
    ++changes;
    seen = edit->Text();
  };
  edit->SetText("x\r\ny");
  EXPECT_EQ(edit->Text(), "xy");
  EXPECT_EQ(seen, "xy") << "OnChange never sees the line break";
  EXPECT_GE(changes, 1);
  edit->SetText("a\nb\rc");
  EXPECT_EQ(edit->Text(), "abc");
}

struct PasteCase {
  const char* name;
  const char* before;
  int selStart, selLength;
  const char* clip;
  const char* after;
  int caret;
};

TEST_F(BtnEdit, PasteReplacesTheSelectionWithoutLineBreaks) {
  const PasteCase cases[] = {
      {"two lines into an empty edit", "", 0, 0, "ab\r\ncd", "abcd", 4},
      {"before the last character", "xyz", 2, 0, "ab\r\ncd", "xyabcdz", 6},
      {"over a selection", "hello", 1, 3, "A\nB", "hABo", 3},
      {"at the end", "ab", 2, 0, "\r\nc\r\n", "abc", 3},
  };
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetText(c.before);
    SendMessageW(edit->Handle(), EM_SETSEL, c.selStart, c.selStart + c.selLength);
    Paste(c.clip);
    EXPECT_EQ(edit->Text(), c.after);
    EXPECT_EQ(edit->SelStart(), c.caret);
    EXPECT_EQ(edit->SelLength(), 0);
  }
}

TEST_F(BtnEdit, PasteIntoAReadOnlyEditChangesNothing) {
  edit->SetText("keep");
  edit->SetReadOnly(true);
  Paste("new");
  EXPECT_EQ(edit->Text(), "keep");
}

// Enter as the user types it: through the message loop, where the form sees
// it before the edit.
void TypeEnter(HWND target) {
  PostMessageW(target, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC0000001);
  test_support::Pump();
}

TEST_F(BtnEdit, EnterAddsNoLineAndTheDefaultButtonStillFires) {
  auto* ok = form.Add<TButton>(20, 60, 75, 25);
  ok->SetCaption("Tamam");
  ok->SetDefault(true);
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  edit->SetText("abc");
  edit->SetFocus();
  test_support::Pump();
  ASSERT_EQ(GetFocus(), edit->Handle());
  SendMessageW(edit->Handle(), EM_SETSEL, 3, 3);
  TypeEnter(edit->Handle());
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(edit->Text(), "abc");

  ok->SetDefault(false);
  TypeEnter(edit->Handle());
  EXPECT_EQ(edit->Text(), "abc") << "without a default button Enter is dropped too";
  PostMessageW(edit->Handle(), WM_CHAR, '\r', 1);
  PostMessageW(edit->Handle(), WM_CHAR, '\n', 1);
  test_support::Pump();
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(okClicks, 1);
}

TEST_F(BtnEdit, EnteringSelectsAllWhenAutoSelect) {
  auto* other = form.Add<TEdit>(20, 60, 100, 21);
  edit->SetText("hello");
  other->SetFocus();
  test_support::Pump();
  edit->SetFocus();
  test_support::Pump();
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 5);

  edit->SetAutoSelect(false);
  SendMessageW(edit->Handle(), EM_SETSEL, 2, 2);
  other->SetFocus();
  test_support::Pump();
  edit->SetFocus();
  test_support::Pump();
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(BtnEdit, ButtonClickFiresOnBtnClickWithTheEditAsSender) {
  TObject* sender = nullptr;
  int count = 0;
  edit->OnBtnClick = [&](TObject* s) {
    sender = s;
    ++count;
  };
  const int x = edit->VtWinButton()->Width() / 2;
  SendMessageW(edit->VtWinButton()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
  SendMessageW(edit->VtWinButton()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(sender, edit);
}

TEST_F(BtnEdit, DefaultGlyphIsTheOpenFolderPictureSharedByAll) {
  auto* second = form.Add<TVtBtnEdit>(20, 60, 200, 21);
  edit->VtWinButton()->SetGlyphKind(gkDefault);
  second->VtWinButton()->SetGlyphKind(gkDefault);
  TBitmap* a = edit->VtWinButton()->Glpyh();
  TBitmap* b = second->VtWinButton()->Glpyh();
  ASSERT_FALSE(a->Empty()) << "the program's resources carry OPENDIR";
  EXPECT_EQ(a->Width(), 16);
  EXPECT_EQ(a->Height(), 16);
  EXPECT_EQ(b->Width(), 16);
  EXPECT_EQ(GetPixel(a->Canvas().Handle(), 5, 12), GetPixel(b->Canvas().Handle(), 5, 12));
  // Freeing one button leaves the others' pictures; a new one loads it again.
  second->Free();
  EXPECT_FALSE(a->Empty());
  auto* third = form.Add<TVtBtnEdit>(20, 100, 200, 21);
  third->VtWinButton()->SetGlyphKind(gkDefault);
  EXPECT_FALSE(third->VtWinButton()->Glpyh()->Empty());
}

TEST_F(BtnEdit, StreamsItsPropertiesWithItsButtonsAndMakesTheButtonOnce) {
  RegisterVtComponents();
  RegisterClasses({TPanel::StaticClass()});
  Owned<TPanel> root{new TPanel(nullptr)};
  root->SetName("Root");
  auto* written = new TVtBtnEdit(root.get());
  written->SetName("EditYOL");
  written->SetParent(root.get());
  std::string text = ComponentText(root.get());
  for (const char* name : {"ButtonWidht", "About", "EditButton"})
    EXPECT_EQ(text.find(name), std::string::npos) << name << " in\n" << text;
  written->SetButtonWidht(30);
  written->SetText("C:\\Program");
  written->VtWinButton()->SetRaiseCol(clRed);
  written->VtWinButton()->SetGlyphKind(gkDefault);
  text = ComponentText(root.get());
  EXPECT_NE(text.find("VtWinButton.RaiseCol = clRed"), std::string::npos) << "the button goes with the edit\n" << text;
  Owned<TPanel> copy{new TPanel(nullptr)};
  ReadComponentText(text, copy.get());
  auto* read = dynamic_cast<TVtBtnEdit*>(copy->FindComponent("EditYOL"));
  ASSERT_NE(read, nullptr) << text;
  EXPECT_EQ(read->ButtonWidht(), 30);
  EXPECT_EQ(read->VtWinButton()->Width(), 30);
  EXPECT_EQ(read->Text(), "C:\\Program");
  EXPECT_EQ(read->ComponentCount(), 1) << "one embedded button";
  EXPECT_EQ(read->VtWinButton()->RaiseCol(), clRed);
  EXPECT_EQ(read->VtWinButton()->GlyphKind(), gkDefault);
  EXPECT_FALSE(read->VtWinButton()->Glpyh()->Empty());
  EXPECT_EQ(read->VtWinButton()->Name(), "EditButton");
  // The button's click still reaches the edit after reading.
  int clicks = 0;
  read->OnBtnClick = [&](TObject*) { ++clicks; };
  read->VtWinButton()->Click();
  EXPECT_EQ(clicks, 1);
}

}  // namespace

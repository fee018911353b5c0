// Enter and Tab in the editors: Tab moves to the next control, Enter clicks
// the form's default button, as the forms expect of every edit.
#include <gtest/gtest.h>

#include <functional>

#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/filenameedit.h"
#include "classlib/stdctrls/maskedit.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

class EditorKeysTest : public FormFixture {};

TEST_F(EditorKeysTest, TabMovesOnAndEnterClicksTheDefaultButton) {
  struct Case {
    const char* name;
    std::function<TWinControl*(EditorKeysTest&)> make;
  };
  const Case cases[] = {
      {"TMaskEdit", [](EditorKeysTest& t) { return t.Make<TMaskEdit>(10, 10); }},
      {"TCurrencyEdit", [](EditorKeysTest& t) { return t.Make<TCurrencyEdit>(10, 10); }},
      {"TRxCalcEdit", [](EditorKeysTest& t) { return t.Make<TRxCalcEdit>(10, 10); }},
      {"TRxSpinEdit", [](EditorKeysTest& t) { return t.Make<TRxSpinEdit>(10, 10); }},
      {"TFilenameEdit", [](EditorKeysTest& t) { return t.Make<TFilenameEdit>(10, 10); }},
      {"TComboBox", [](EditorKeysTest& t) { return t.Make<TComboBox>(10, 10); }},
  };
  auto* next = Make<TEdit>(10, 60);
  auto* ok = Make<TButton>(10, 100);
  ok->SetDefault(true);
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  ShowForm();
  for (const Case& c : cases) {
    TWinControl* editor = c.make(*this);
    editor->SetTabOrder(0);
    Pump();
    okClicks = 0;
    Focus(editor);
    PressKey(VK_RETURN);
    EXPECT_EQ(okClicks, 1) << c.name;
    Focus(editor);
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), next->Handle()) << c.name;
    editor->Free();
  }
}

}  // namespace

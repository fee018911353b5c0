#include "classlib/stdctrls/combobox.h"

#include <gtest/gtest.h>

#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

class ComboBoxTest : public FormFixture {
protected:
  ComboBoxTest() : combo(Make<TComboBox>(10, 10, 160, 21)) {
    combo->Items()->SetText("Code 39\r\nEAN-13\r\nQR\r\n");
    combo->OnChange = [this](TObject*) { ++changes; };
  }
  TComboBox* combo;
  int changes = 0;
};

TEST_F(ComboBoxTest, StylesMakeTheMatchingWindow) {
  struct Case {
    TComboBoxStyle style;
    DWORD bits;
  };
  const Case cases[] = {{csDropDown, CBS_DROPDOWN},
                        {csDropDownList, CBS_DROPDOWNLIST},
                        {csOwnerDrawFixed, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED},
                        {csOwnerDrawVariable, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE}};
  ShowForm();
  for (const Case& c : cases) {
    combo->SetStyle(c.style);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(combo->Handle(), GWL_STYLE));
    EXPECT_EQ(style & (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE), c.bits) << c.style;
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3) << "items survive the new window";
  }
}

TEST_F(ComboBoxTest, ItemIndexSetByCodeShowsTheItemWithoutAChange) {
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(1);
  ShowForm();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "EAN-13");
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "QR");
  EXPECT_EQ(changes, 0);
}

TEST_F(ComboBoxTest, ArrowKeysInADropDownListChangeOncePerStep) {
  combo->SetStyle(csDropDownList);
  int clicks = 0;
  combo->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  combo->SetItemIndex(0);
  Focus(combo);
  PressKey(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "EAN-13");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 1);
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);  // already the last
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 2);
}

TEST_F(ComboBoxTest, TypingInADropDownFiresOnChangeAndKeepsTheText) {
  ShowForm();
  HWND edit = GetWindow(combo->Handle(), GW_CHILD);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  Pump();
  TypeChars(L"Ğö");
  EXPECT_EQ(combo->Text(), "Ğö");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, OwnerDrawnItemsAreDrawnByTheEvent) {
  combo->SetStyle(csOwnerDrawFixed);
  std::vector<int> drawn;
  combo->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState) {
    drawn.push_back(index);
    combo->Canvas()->FillRect(rect);
  };
  combo->SetItemIndex(2);
  ShowForm();
  UpdateWindow(combo->Handle());
  Pump();
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 2), drawn.end()) << "the selected item in the edit part";
}

TEST_F(ComboBoxTest, ItemsKeepTheirObjects) {
  TObject tag;
  int index = combo->Items()->AddObject("Data Matrix", &tag);
  ShowForm();
  EXPECT_EQ(combo->Items()->Objects(index), &tag);
  EXPECT_EQ(combo->Items()->IndexOf("Data Matrix"), 3);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
}

}  // namespace

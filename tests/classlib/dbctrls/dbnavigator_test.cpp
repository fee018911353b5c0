// TDBNavigator: buttons enabled as the data set stands, their commands,
// delete confirmation through the dialog service, keyboard and OnClick.
#include "classlib/dbctrls/dbnavigator.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/forms/scripteddialogs.h"
#include "dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

using Enabled = std::vector<TNavigateBtn>;

class DBNavigatorTest : public DataFixture {
protected:
  TDBNavigator* MakeNavigator() {
    auto* navigator = Make<TDBNavigator>(10, 300, 250, 25);
    navigator->SetDataSource(Source);
    return navigator;
  }
  static Enabled EnabledButtons(TDBNavigator* navigator) {
    Enabled result;
    for (int i = 0; i < TDBNavigator::ButtonKinds; ++i)
      if (navigator->Buttons(static_cast<TNavigateBtn>(i))->Enabled())
        result.push_back(static_cast<TNavigateBtn>(i));
    return result;
  }
};

TEST_F(DBNavigatorTest, ButtonStatesFollowTheDataSet) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    Enabled expected;
  };
  const Case cases[] = {
      {"empty table", [] {}, {nbInsert, nbEdit, nbRefresh}},
      {"at the first record",
       [this] {
         AddRows({{"Ali", 1, true}, {"Berk", 2, false}, {"Can", 3, true}});
         Table->First();
       },
       {nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh}},
      {"in the middle",
       [this] {
         AddRows({{"Ali", 1, true}, {"Berk", 2, false}, {"Can", 3, true}});
         Table->First();
         Table->Next();
       },
       {nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh}},
      {"at the last record",
       [this] {
         AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
         Table->Last();
       },
       {nbFirst, nbPrior, nbInsert, nbDelete, nbEdit, nbRefresh}},
      {"editing",
       [this] {
         AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
         Table->First();
         Table->Edit();
       },
       {nbNext, nbLast, nbInsert, nbDelete, nbPost, nbCancel, nbRefresh}},
      {"closed", [this] { Table->Close(); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Table->Close();
    Table->Open();
    TDBNavigator* navigator = MakeNavigator();
    c.arrange();
    EXPECT_EQ(EnabledButtons(navigator), c.expected);
  }
}

TEST_F(DBNavigatorTest, ButtonsMoveAndEdit) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}, {"Can", 3, true}});
  Table->First();
  TDBNavigator* navigator = MakeNavigator();
  std::vector<TNavigateBtn> clicked;
  navigator->OnClick = [&](TObject*, TNavigateBtn button) { clicked.push_back(button); };
  navigator->BtnClick(nbNext);
  EXPECT_EQ(Name(), "Berk");
  navigator->BtnClick(nbLast);
  EXPECT_EQ(Name(), "Can");
  navigator->BtnClick(nbPrior);
  EXPECT_EQ(Name(), "Berk");
  navigator->BtnClick(nbFirst);
  EXPECT_EQ(Name(), "Ali");
  navigator->BtnClick(nbEdit);
  EXPECT_EQ(Table->State(), dsEdit);
  Table->FieldByName("NAME")->SetAsString("Aslı");
  navigator->BtnClick(nbPost);
  EXPECT_EQ(Name(), "Aslı");
  navigator->BtnClick(nbInsert);
  EXPECT_EQ(Table->State(), dsInsert);
  navigator->BtnClick(nbCancel);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Table->RecordCount(), 3);
  EXPECT_EQ(clicked, (std::vector<TNavigateBtn>{nbNext, nbLast, nbPrior, nbFirst, nbEdit, nbPost, nbInsert, nbCancel}));
}

TEST_F(DBNavigatorTest, AMouseClickOnAButtonRunsItsCommand) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  TDBNavigator* navigator = MakeNavigator();
  Pump();
  TNavButton* next = navigator->Buttons(nbNext);
  const int x = next->Left() + next->Width() / 2, y = next->Height() / 2;
  PostMessageW(navigator->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(navigator->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Pump();
  EXPECT_EQ(Name(), "Berk");
}

TEST_F(DBNavigatorTest, DeleteAsksThroughTheDialogService) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  TDBNavigator* navigator = MakeNavigator();
  TDialogLanguageScope english(TDialogLanguage::English);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerButton(mrCancel).AnswerButton(mrOk);
  navigator->BtnClick(nbDelete);
  EXPECT_EQ(Table->RecordCount(), 2);
  navigator->BtnClick(nbDelete);
  EXPECT_EQ(Table->RecordCount(), 1);
  EXPECT_EQ(Name(), "Berk");
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Delete record?");
  EXPECT_EQ(dialogs.Records()[0].DlgType, mtConfirmation);
  EXPECT_EQ(dialogs.Records()[0].Buttons, (TMsgDlgButtons{mbOK, mbCancel}));
  navigator->SetConfirmDelete(false);
  navigator->BtnClick(nbDelete);
  EXPECT_EQ(Table->RecordCount(), 0);
  EXPECT_EQ(dialogs.Records().size(), 2u);
}

TEST_F(DBNavigatorTest, VisibleButtonsShareTheWidth) {
  TDBNavigator* navigator = MakeNavigator();
  navigator->SetVisibleButtons(TButtonSet{nbFirst, nbPrior, nbNext, nbLast});
  navigator->SetWidth(102);
  int x = 0;
  for (TNavigateBtn b : {nbFirst, nbPrior, nbNext, nbLast}) {
    SCOPED_TRACE(static_cast<int>(b));
    TNavButton* button = navigator->Buttons(b);
    EXPECT_TRUE(button->Visible());
    EXPECT_EQ(button->Left(), x);
    EXPECT_GE(button->Width(), 25);
    EXPECT_LE(button->Width(), 26);
    x += button->Width();
  }
  EXPECT_EQ(x, 102);
  EXPECT_FALSE(navigator->Buttons(nbInsert)->Visible());
  EXPECT_FALSE(navigator->Buttons(nbRefresh)->Visible());
}

TEST_F(DBNavigatorTest, HintsKeepTheDefaultsForEmptyLines) {
  TDBNavigator* navigator = MakeNavigator();
  EXPECT_EQ(navigator->Buttons(nbFirst)->Hint(), "First record");
  EXPECT_EQ(navigator->Buttons(nbRefresh)->Hint(), "Refresh data");
  navigator->Hints()->Add("İlk Kayıt (Ctrl+PgUp)");
  navigator->Hints()->Add("");
  navigator->Hints()->Add("Sonraki Kayıt (PgDown)");
  EXPECT_EQ(navigator->Buttons(nbFirst)->Hint(), "İlk Kayıt (Ctrl+PgUp)");
  EXPECT_EQ(navigator->Buttons(nbPrior)->Hint(), "Prior record");
  EXPECT_EQ(navigator->Buttons(nbNext)->Hint(), "Sonraki Kayıt (PgDown)");
}

TEST_F(DBNavigatorTest, ArrowsPickAButtonAndSpaceClicksIt) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}, {"Can", 3, true}});
  Table->First();
  TDBNavigator* navigator = MakeNavigator();
  navigator->SetTabStop(true);
  Focus(navigator);
  ASSERT_TRUE(navigator->Focused());
  EXPECT_EQ(navigator->FocusedButton(), nbFirst);
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  EXPECT_EQ(navigator->FocusedButton(), nbNext);
  PressKey(VK_SPACE);
  EXPECT_EQ(Name(), "Berk");
  PressKey(VK_LEFT);
  EXPECT_EQ(navigator->FocusedButton(), nbPrior);
  PressKey(VK_SPACE);
  EXPECT_EQ(Name(), "Ali");
  // A disabled button does nothing.
  PressKey(VK_SPACE);
  EXPECT_EQ(Name(), "Ali");
  EXPECT_EQ(Table->State(), dsBrowse);
}

}  // namespace

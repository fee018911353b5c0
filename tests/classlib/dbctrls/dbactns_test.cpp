// The data-set actions: enabled as the data set stands (at once, through
// their data link), Execute runs the command, shortcuts through the form's
// action list, and the focused control's data set when no source is set.
#include "classlib/dbctrls/dbactns.h"
#include "classlib/dbctrls/dbedit.h"
#include "dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

class DataSetActionTest : public DataFixture {
protected:
  template <class A>
  A* MakeAction(TDataSource* source) {
    auto* action = new A(Owner.get());
    action->SetDataSource(source);
    return action;
  }
};

TEST_F(DataSetActionTest, EnabledFollowsTheDataSet) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}, {"Can", 3, true}});
  std::vector<std::pair<const char*, TDataSetAction*>> actions = {
      {"First", MakeAction<TDataSetFirst>(Source)},   {"Prior", MakeAction<TDataSetPrior>(Source)},
      {"Next", MakeAction<TDataSetNext>(Source)},     {"Last", MakeAction<TDataSetLast>(Source)},
      {"Insert", MakeAction<TDataSetInsert>(Source)}, {"Delete", MakeAction<TDataSetDelete>(Source)},
      {"Edit", MakeAction<TDataSetEdit>(Source)},     {"Post", MakeAction<TDataSetPost>(Source)},
      {"Cancel", MakeAction<TDataSetCancel>(Source)}, {"Refresh", MakeAction<TDataSetRefresh>(Source)},
  };
  auto enabled = [&] {
    std::string names;
    for (auto& [name, action] : actions)
      if (action->Enabled())
        names += std::string(names.empty() ? "" : " ") + name;
    return names;
  };
  Table->First();
  EXPECT_EQ(enabled(), "Next Last Insert Delete Edit Refresh");
  Table->Next();
  EXPECT_EQ(enabled(), "First Prior Next Last Insert Delete Edit Refresh");
  Table->Last();
  EXPECT_EQ(enabled(), "First Prior Insert Delete Edit Refresh");
  Table->Edit();
  EXPECT_EQ(enabled(), "First Prior Delete Post Cancel Refresh");
  Table->Cancel();
  Table->EmptyTable();
  EXPECT_EQ(enabled(), "Insert Edit Refresh");
  Table->Close();
  EXPECT_EQ(enabled(), "");
}

TEST_F(DataSetActionTest, ExecuteRunsTheCommandOnlyWhenItCan) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  auto* next = MakeAction<TDataSetNext>(Source);
  auto* prior = MakeAction<TDataSetPrior>(Source);
  auto* del = MakeAction<TDataSetDelete>(Source);
  EXPECT_FALSE(prior->Execute());
  EXPECT_TRUE(next->Execute());
  EXPECT_EQ(Name(), "Berk");
  EXPECT_TRUE(del->Execute());
  EXPECT_EQ(Table->RecordCount(), 1);
  EXPECT_EQ(Name(), "Ali");
  // A handler of the action's own takes the place of the command.
  int handled = 0;
  del->OnExecute = [&](TObject*) { ++handled; };
  EXPECT_TRUE(del->Execute());
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(Table->RecordCount(), 1);
}

TEST_F(DataSetActionTest, AShortcutOfTheFormsActionListRunsTheAction) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  auto* list = new TActionList(Owner.get());
  auto* del = MakeAction<TDataSetDelete>(Source);
  del->SetShortCut(TextToShortCut("Ctrl+F3"));
  del->SetActionList(list);
  auto* post = MakeAction<TDataSetPost>(Source);
  post->SetShortCut(TextToShortCut("Alt+F2"));
  post->SetActionList(list);
  EXPECT_TRUE(list->IsShortCut(ShortCut(VK_F3, TShiftState{ssCtrl})));
  EXPECT_EQ(Table->RecordCount(), 1);
  EXPECT_EQ(Name(), "Berk");
  // Post is disabled while browsing: the key is not used.
  EXPECT_FALSE(list->IsShortCut(ShortCut(VK_F2, TShiftState{ssAlt})));
}

TEST_F(DataSetActionTest, WithoutADataSourceTheFocusedControlsDataSetIsUsed) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  auto* next = MakeAction<TDataSetNext>(nullptr);
  auto* edit = Make<TDBEdit>(10, 10, 120, 21);
  edit->SetDataSource(Source);
  edit->SetDataField("NAME");
  Focus(edit);
  EXPECT_EQ(next->TargetDataSet(), Table);
  next->Update();
  EXPECT_TRUE(next->Enabled());
  EXPECT_TRUE(next->Execute());
  EXPECT_EQ(Name(), "Berk");
}

}  // namespace

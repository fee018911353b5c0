// What data-aware controls see: DisableControls nesting, the buffer window
// of a grid-like link, and the field link of an edit.
#include <algorithm>
#include <random>

#include "classlib/data/fielddefs.h"
#include "datatestutil.h"

namespace {

using ControlsTest = TableFixture;

TEST_F(ControlsTest, NestedDisableControlsRefreshOnceAfterTheLastEnable) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}, {"Can", 3}});
  Table->First();
  Log.clear();
  Link->DataSetChanges = 0;
  Table->DisableControls();
  Table->DisableControls();
  EXPECT_TRUE(Table->ControlsDisabled());
  Table->Next();
  Table->Edit();
  Table->FieldByName("NAME")->SetAsString("Bora");
  Table->Post();
  Table->Last();
  Table->EnableControls();
  EXPECT_TRUE(Table->ControlsDisabled());
  EXPECT_EQ(Link->DataSetChanges, 0);
  Table->EnableControls();
  EXPECT_FALSE(Table->ControlsDisabled());
  EXPECT_EQ(Link->DataSetChanges, 1);
  // The link heard nothing but that one refresh.
  EventLog linkEvents;
  for (const std::string& e : Log)
    if (e.find("Before") != 0 && e.find("After") != 0)
      linkEvents.push_back(e);
  EXPECT_EQ(linkEvents, (EventLog{"DataSetChanged"}));
}

TEST_F(ControlsTest, AStateChangeWhileDisabledReachesTheLinkAtTheEnd) {
  Table->Open();
  AddRows({{"Ali", 1}});
  Log.clear();
  Table->DisableControls();
  Table->Edit();
  EXPECT_FALSE(Link->Editing());
  Table->EnableControls();
  EXPECT_TRUE(Link->Editing());
  EXPECT_EQ(Log, (EventLog{"BeforeEdit", "AfterEdit", "EditingChanged", "DataSetChanged"}));
}

TEST_F(ControlsTest, ClosingWhileDisabledDeactivatesTheLinkAtOnce) {
  Table->Open();
  Table->DisableControls();
  Table->Close();
  EXPECT_FALSE(Link->Active());
  Table->EnableControls();
  EXPECT_FALSE(Link->Active());
}

TEST_F(ControlsTest, ReopeningWhileDisabledActivatesTheLinkAtTheEnd) {
  Table->Open();
  Table->DisableControls();
  Table->Close();
  Table->Open();
  EXPECT_FALSE(Link->Active());
  Table->EnableControls();
  EXPECT_TRUE(Link->Active());
}

TEST_F(ControlsTest, AGridLinkReadsEachRowOfItsWindow) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}, {"Can", 3}, {"Deniz", 4}, {"Ece", 5}});
  Link->SetBufferCount(3);
  Table->First();
  EXPECT_EQ(Link->RecordCount(), 3);
  EXPECT_EQ(Link->ActiveRecord(), 0);
  Table->MoveBy(3);
  EXPECT_EQ(Link->ActiveRecord(), 2);
  EXPECT_EQ(Current(), "Deniz");
  // A grid paints its rows by moving the link's active record.
  std::vector<std::string> rows;
  int saved = Link->ActiveRecord();
  for (int row = 0; row < Link->RecordCount(); ++row) {
    Link->SetActiveRecord(row);
    rows.push_back(Table->FieldByName("NAME")->AsString());
  }
  Link->SetActiveRecord(saved);
  EXPECT_EQ(rows, (std::vector<std::string>{"Berk", "Can", "Deniz"}));
  EXPECT_EQ(Current(), "Deniz");
  Link->Scrolls.clear();
  Table->Next();
  EXPECT_EQ(Link->Scrolls, (std::vector<int>{1}));
  EXPECT_EQ(Link->ActiveRecord(), 2);
  Table->First();
  EXPECT_EQ(Link->ActiveRecord(), 0);
}

TEST_F(ControlsTest, AShrinkingWindowKeepsTheCurrentRow) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}, {"Can", 3}, {"Deniz", 4}, {"Ece", 5}});
  Link->SetBufferCount(4);
  Table->First();
  Table->MoveBy(2);
  EXPECT_EQ(Link->ActiveRecord(), 2);
  Link->SetBufferCount(1);
  EXPECT_EQ(Current(), "Can");
  EXPECT_EQ(Link->ActiveRecord(), 0);
  EXPECT_EQ(Link->RecordCount(), 1);
  Table->Next();
  EXPECT_EQ(Current(), "Deniz");
  Link->SetBufferCount(3);
  EXPECT_EQ(Current(), "Deniz");
  EXPECT_EQ(Link->RecordCount(), 3);
  Table->Prior();
  Table->Prior();
  Table->Prior();
  EXPECT_EQ(Current(), "Ali");
  EXPECT_EQ(Link->ActiveRecord(), 0);
}

TEST_F(ControlsTest, TheWindowStaysAConsecutiveRunAroundTheCurrentRow) {
  Table->Open();
  for (int i = 0; i < 12; ++i)
    AddRows({{"r" + std::to_string(i), i}});
  Link->SetBufferCount(4);
  std::mt19937 random(7);
  int serial = 100;
  for (int step = 0; step < 400; ++step) {
    switch (random() % 9) {
      case 0: Table->First(); break;
      case 1: Table->Last(); break;
      case 2: Table->Next(); break;
      case 3: Table->Prior(); break;
      case 4: Table->MoveBy(static_cast<int>(random() % 7) - 3); break;
      case 5:
        Table->Insert();
        Table->FieldByName("NAME")->SetAsString("n" + std::to_string(serial++));
        Table->Post();
        break;
      case 6:
        if (!Table->IsEmpty())
          Table->Delete();
        break;
      case 7:
        Table->Append();
        Table->FieldByName("NAME")->SetAsString("a" + std::to_string(serial++));
        Table->Post();
        break;
      case 8: Link->SetBufferCount(1 + static_cast<int>(random() % 5)); break;
    }
    SCOPED_TRACE(step);
    if (Table->IsEmpty())
      continue;
    const std::string current = Current();
    std::vector<std::string> window;
    const int saved = Link->ActiveRecord();
    ASSERT_GE(saved, 0);
    ASSERT_LT(saved, Link->RecordCount());
    for (int row = 0; row < Link->RecordCount(); ++row) {
      Link->SetActiveRecord(row);
      window.push_back(Current());
    }
    Link->SetActiveRecord(saved);
    ASSERT_EQ(window[saved], current);
    const std::vector<std::string> all = Names();
    auto at = std::find(all.begin(), all.end(), window.front());
    ASSERT_NE(at, all.end());
    ASSERT_GE(all.end() - at, static_cast<std::ptrdiff_t>(window.size()));
    ASSERT_TRUE(std::equal(window.begin(), window.end(), at)) << "window is not a run of the table";
    ASSERT_EQ(Link->RecordCount(), std::min<int>(Link->BufferCount(), static_cast<int>(all.size())));
  }
}

TEST_F(ControlsTest, DataSourceStateAndEvents) {
  int stateChanges = 0;
  std::vector<TField*> dataChanges;
  Source->OnStateChange = [&](TObject*) { ++stateChanges; };
  Source->OnDataChange = [&](TObject*, TField* field) { dataChanges.push_back(field); };
  Table->Open();
  EXPECT_EQ(Source->State(), dsBrowse);
  AddRows({{"Ali", 1}});
  dataChanges.clear();
  Table->Edit();
  Table->FieldByName("AGE")->SetAsInteger(7);
  EXPECT_EQ(dataChanges, (std::vector<TField*>{nullptr, Table->FieldByName("AGE")}));
  Source->SetEnabled(false);
  EXPECT_EQ(Source->State(), dsInactive);
  EXPECT_FALSE(Link->Active());
  Source->SetEnabled(true);
  EXPECT_EQ(Source->State(), dsEdit);
  EXPECT_GE(stateChanges, 5);
}

// An edit control's link: shows the field, asks for edit mode, writes its
// text when the data set posts.
class TEditLikeControl {
public:
  explicit TEditLikeControl(TDataSource* source) {
    link.SetDataSource(source);
    link.SetFieldName("NAME");
    link.OnDataChange = [this](TObject*) { text = link.Field() != nullptr ? link.Field()->Text() : ""; };
    link.OnUpdateData = [this](TObject*) { link.Field()->SetText(text); };
  }
  void Type(const std::string& value) {
    if (link.Edit()) {
      text = value;
      link.Modified();
    }
  }
  TFieldDataLink link;
  std::string text;
};

TEST_F(ControlsTest, AFieldLinkFollowsTheRowAndPostsTheEdit) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}});
  TEditLikeControl edit(Source);
  Table->First();
  EXPECT_EQ(edit.text, "Ali");
  Table->Next();
  EXPECT_EQ(edit.text, "Berk");
  edit.Type("Bora");
  EXPECT_EQ(Table->State(), dsEdit);
  Table->Post();
  EXPECT_EQ(Current(), "Bora");
  Table->First();
  EXPECT_EQ(edit.text, "Ali");
  Table->FieldByName("NAME")->SetReadOnly(true);
  edit.Type("Nope");
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Current(), "Ali");
}

TEST_F(ControlsTest, AFieldLinkLosesItsFieldWhenTheTableCloses) {
  Table->Open();
  TFieldDataLink link;
  link.SetDataSource(Source);
  link.SetFieldName("AGE");
  EXPECT_EQ(link.Field(), Table->FieldByName("AGE"));
  Table->Close();
  EXPECT_EQ(link.Field(), nullptr);
}

TEST_F(ControlsTest, FreeingTheDataSetDetachesSourcesAndLinks) {
  Table->Open();
  delete Table;
  Table = nullptr;
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_FALSE(Link->Active());
}

}  // namespace

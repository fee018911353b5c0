// TDBEdit and TDBText: they follow the current record, typing puts the data
// set into edit mode and the typed text is posted.
#include "classlib/dbctrls/dbedit.h"
#include "classlib/dbctrls/dbtext.h"
#include "dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

class DBEditTest : public DataFixture {
protected:
  TDBEdit* MakeEdit(const char* field) {
    auto* edit = Make<TDBEdit>(10, 10, 150, 21);
    edit->SetDataSource(Source);
    edit->SetDataField(field);
    return edit;
  }
};

TEST_F(DBEditTest, FollowsTheCurrentRecord) {
  AddRows({{"Ali", 30, true}, {"Berk", 41, false}});
  TDBEdit* edit = MakeEdit("NAME");
  TDBText* label = Make<TDBText>(10, 40, 150, 16);
  label->SetDataSource(Source);
  label->SetDataField("AGE");
  Table->First();
  EXPECT_EQ(edit->Text(), "Ali");
  EXPECT_EQ(label->Caption(), "30");
  Table->Next();
  EXPECT_EQ(edit->Text(), "Berk");
  EXPECT_EQ(label->Caption(), "41");
  EXPECT_EQ(edit->Field(), Table->FieldByName("NAME"));
  EXPECT_EQ(edit->MaxLength(), 20);
  Table->Close();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(edit->Field(), nullptr);
}

TEST_F(DBEditTest, TypedKeysEditTheRecordAndPostWithIt) {
  AddRows({{"Ali", 30, true}, {"Berk", 41, false}});
  Table->First();
  TDBEdit* edit = MakeEdit("NAME");
  Focus(edit);
  edit->SelectAll();
  EXPECT_EQ(Table->State(), dsBrowse);
  TypeText(L"Şule");
  EXPECT_EQ(Table->State(), dsEdit);
  EXPECT_EQ(edit->Text(), "Şule");
  Table->Post();
  EXPECT_EQ(Name(), "Şule");
  Table->Next();
  EXPECT_EQ(edit->Text(), "Berk");
  Table->First();
  EXPECT_EQ(Name(), "Şule");
}

TEST_F(DBEditTest, MovingToAnotherRecordPostsThePendingText) {
  AddRows({{"Ali", 30, true}, {"Berk", 41, false}});
  Table->First();
  TDBEdit* edit = MakeEdit("NAME");
  Focus(edit);
  edit->SelectAll();
  TypeText(L"Can");
  Table->Next();
  EXPECT_EQ(Table->State(), dsBrowse);
  Table->First();
  EXPECT_EQ(Name(), "Can");
}

TEST_F(DBEditTest, EscapeGivesTheFieldValueBack) {
  AddRows({{"Ali", 30, true}});
  TDBEdit* edit = MakeEdit("NAME");
  Focus(edit);
  edit->SelectAll();
  TypeText(L"Deniz");
  TypeText(L"\x1b");
  EXPECT_EQ(edit->Text(), "Ali");
  Table->Post();
  EXPECT_EQ(Name(), "Ali");
}

TEST_F(DBEditTest, KeysAreDroppedWhereTheFieldCannotChange) {
  AddRows({{"Ali", 30, true}});
  struct Case {
    const char* what;
    std::function<void(TDBEdit*)> lock;
  };
  const Case cases[] = {
      {"read-only edit", [](TDBEdit* e) { e->SetReadOnly(true); }},
      {"read-only field", [this](TDBEdit*) { Table->FieldByName("NAME")->SetReadOnly(true); }},
      {"no data source", [](TDBEdit* e) { e->SetDataSource(nullptr); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Table->FieldByName("NAME")->SetReadOnly(false);
    TDBEdit* edit = MakeEdit("NAME");
    c.lock(edit);
    Focus(edit);
    const AnsiString before = edit->Text();
    TypeText(L"x");
    PressKey(VK_DELETE);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(edit->Text(), before);
    EXPECT_EQ(Name(), "Ali");
  }
}

TEST_F(DBEditTest, AnsweringTheDataLinkQuestionAndForgettingAFreedSource) {
  TDBEdit* edit = MakeEdit("NAME");
  TDataLink* link = DataLinkOf(edit);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->DataSource(), Source);
  delete Source;
  Source = nullptr;
  EXPECT_EQ(edit->DataSource(), nullptr);
  EXPECT_EQ(edit->Text(), "");
}

}  // namespace

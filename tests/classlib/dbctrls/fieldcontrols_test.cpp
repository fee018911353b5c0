// TDBMemo, TDBCheckBox, TDBComboBox and TDBImage: each shows its field of
// the current record, and the editable ones post what the user changed.
#include "classlib/classes/streams.h"
#include "classlib/dbctrls/dbcheckbox.h"
#include "classlib/dbctrls/dbcombobox.h"
#include "classlib/dbctrls/dbimage.h"
#include "classlib/dbctrls/dbedit.h"
#include "classlib/dbctrls/dbmemo.h"
#include "classlib/dbctrls/dbtext.h"
#include "classlib/graphics/bitmap.h"
#include "dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

using FieldControlsTest = DataFixture;

void ClickCenter(TWinControl* control) {
  const int x = control->Width() / 2, y = control->Height() / 2;
  PostMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Pump();
}

TEST_F(FieldControlsTest, AMemoFollowsTheRecordAndPostsTypedText) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  auto* memo = Make<TDBMemo>(10, 10, 200, 80);
  memo->SetDataSource(Source);
  memo->SetDataField("NAME");
  EXPECT_EQ(memo->Text(), "Ali");
  Table->Next();
  EXPECT_EQ(memo->Text(), "Berk");
  Focus(memo);
  memo->SelectAll();
  TypeText(L"Çiğdem");
  EXPECT_EQ(Table->State(), dsEdit);
  Table->Post();
  EXPECT_EQ(Name(), "Çiğdem");
  memo->SetReadOnly(true);
  TypeText(L"x");
  EXPECT_EQ(Table->State(), dsBrowse);
}

TEST_F(FieldControlsTest, ACheckBoxShowsABooleanAndPostsAClick) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  auto* box = Make<TDBCheckBox>(10, 10, 120, 20);
  box->SetDataSource(Source);
  box->SetDataField("ACTIVE");
  EXPECT_EQ(box->State(), cbChecked);
  Table->Next();
  EXPECT_EQ(box->State(), cbUnchecked);
  ClickCenter(box);
  EXPECT_EQ(Table->State(), dsEdit);
  EXPECT_TRUE(box->Checked());
  Table->Post();
  EXPECT_TRUE(Table->FieldByName("ACTIVE")->AsBoolean());
  box->SetReadOnly(true);
  ClickCenter(box);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_TRUE(box->Checked());
}

TEST_F(FieldControlsTest, ACheckBoxOverATextFieldUsesItsValues) {
  AddRows({{"1", 1, true}, {"0", 2, false}, {"?", 3, false}});
  auto* box = Make<TDBCheckBox>(10, 10, 120, 20);
  box->SetValueChecked("1;E");
  box->SetValueUnchecked("0");
  box->SetDataSource(Source);
  box->SetDataField("NAME");
  const TCheckBoxState expected[] = {cbChecked, cbUnchecked, cbGrayed};
  Table->First();
  for (TCheckBoxState state : expected) {
    EXPECT_EQ(box->State(), state);
    Table->Next();
  }
  Table->First();
  Table->Next();
  ClickCenter(box);
  Table->Post();
  EXPECT_EQ(Name(), "1");
}

TEST_F(FieldControlsTest, AComboBoxListSelectsTheFieldTextAndPostsAChoice) {
  AddRows({{"Berk", 1, true}, {"Can", 2, false}});
  Table->First();
  auto* combo = Make<TDBComboBox>(10, 10, 120, 21);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add("Ali");
  combo->Items()->Add("Berk");
  combo->Items()->Add("Can");
  combo->SetDataSource(Source);
  combo->SetDataField("NAME");
  EXPECT_EQ(combo->ItemIndex(), 1);
  Table->Next();
  EXPECT_EQ(combo->ItemIndex(), 2);
  Table->First();
  Focus(combo);
  PressKey(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(Table->State(), dsEdit);
  Table->Post();
  EXPECT_EQ(Name(), "Can");
}

TEST_F(FieldControlsTest, AnImageShowsTheGraphicFieldAndNothingForDamagedBytes) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* table = new TRxMemoryData(owner.get());
  table->FieldDefs()->Add("PICTURE", ftGraphic);
  auto* source = new TDataSource(owner.get());
  source->SetDataSet(table);
  table->Open();
  TBitmap bitmap;
  bitmap.SetSize(8, 6);
  TStringStream bytes;
  bitmap.SaveToStream(bytes);
  for (const AnsiString& value : {bytes.DataString(), AnsiString("not a picture")}) {
    table->Append();
    table->FieldByName("PICTURE")->SetAsString(value);
    table->Post();
  }
  table->First();
  auto* image = Make<TDBImage>(10, 10, 60, 60);
  image->SetDataSource(source);
  image->SetDataField("PICTURE");
  ASSERT_NE(image->Picture()->Graphic(), nullptr);
  EXPECT_EQ(image->Picture()->Width(), 8);
  EXPECT_EQ(image->Picture()->Height(), 6);
  table->Next();
  EXPECT_EQ(image->Picture()->Graphic(), nullptr);
  image->SetDataSource(nullptr);
}

}  // namespace

namespace {

// A field control freed before its data source leaves the source's links
// and free notifications, so the source never calls into freed memory.
template <class C>
void FreedControlLeavesItsSource(TDataSource* source, TWinControl* parent) {
  const std::size_t before = source->DataLinks().size();
  auto* control = new C(nullptr);
  control->SetParent(parent);
  control->SetDataSource(source);
  control->SetDataField("NAME");
  EXPECT_EQ(source->DataLinks().size(), before + 1) << C::StaticClass()->Name;
  control->Free();
  EXPECT_EQ(source->DataLinks().size(), before) << C::StaticClass()->Name;
}

TEST_F(FieldControlsTest, AFreedControlLeavesItsDataSource) {
  AddRows({{"Ali", 1, true}});
  FreedControlLeavesItsSource<TDBEdit>(Source, Form);
  FreedControlLeavesItsSource<TDBMemo>(Source, Form);
  FreedControlLeavesItsSource<TDBCheckBox>(Source, Form);
  FreedControlLeavesItsSource<TDBComboBox>(Source, Form);
  FreedControlLeavesItsSource<TDBImage>(Source, Form);
  FreedControlLeavesItsSource<TDBText>(Source, Form);
  Table->Next();  // no link left behind to be told
}

}  // namespace

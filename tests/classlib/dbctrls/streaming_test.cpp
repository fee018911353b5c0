// The data-aware controls and the data-set actions read from and written
// to the component format with their published properties: the grid's
// columns and options, the navigator's buttons and hints, the bindings.
#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/controls/extctrls.h"
#include "classlib/dbctrls/dbactns.h"
#include "classlib/dbctrls/dbcheckbox.h"
#include "classlib/dbctrls/dbedit.h"
#include "classlib/dbctrls/dbgrid.h"
#include "classlib/dbctrls/dbnavigator.h"
#include "dbctrls_test_util.h"
#include "tests/support/componenttext.h"

namespace {

const char* const kForm =
    "object Host: TPanel\n"
    "  object Src: TDataSource\n"
    "  end\n"
    "  object NextAct: TDataSetNext\n"
    "    DataSource = Src\n"
    "    ShortCut = 34\n"
    "  end\n"
    "  object Grid: TDBGrid\n"
    "    DataSource = Src\n"
    "    Options = [dgEditing, dgTitles, dgColLines, dgRowLines, dgConfirmDelete]\n"
    "    Columns = <\n"
    "      item\n"
    "        FieldName = 'EXCELALANI'\n"
    "        PickList.Strings = (\n"
    "          'A'\n"
    "          'B')\n"
    "        Title.Caption = 'Excel Sutunu'\n"
    "        Width = 100\n"
    "      end\n"
    "      item\n"
    "        FieldName = 'ACIKLAMA'\n"
    "        ReadOnly = True\n"
    "        Visible = False\n"
    "      end>\n"
    "  end\n"
    "  object Nav: TDBNavigator\n"
    "    DataSource = Src\n"
    "    VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast]\n"
    "    ConfirmDelete = False\n"
    "    Hints.Strings = (\n"
    "      'Ilk Kayit')\n"
    "  end\n"
    "  object Edit1: TDBEdit\n"
    "    DataField = 'METIN1'\n"
    "    DataSource = Src\n"
    "  end\n"
    "  object Box: TDBCheckBox\n"
    "    DataField = 'AKTAR'\n"
    "    ValueChecked = '1'\n"
    "    ValueUnchecked = '0'\n"
    "  end\n"
    "end\n";

TPanel* ReadForm(const std::string& source) {
  auto* root = new TPanel(nullptr);
  test_support::ReadComponentText(source, root);
  return root;
}

template <class C>
C* Find(TPanel* root, const char* name) {
  auto* c = dynamic_cast<C*>(root->FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// The bindings to the data source and the action, which only a read of the
// text above holds (a panel as root writes its controls only).
void CheckBindings(TPanel* root) {
  auto* source = Find<TDataSource>(root, "Src");
  auto* next = Find<TDataSetNext>(root, "NextAct");
  ASSERT_NE(source, nullptr);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->DataSource(), source);
  EXPECT_EQ(next->ShortCut(), 34);
  EXPECT_EQ(Find<TDBGrid>(root, "Grid")->DataSource(), source);
  EXPECT_EQ(Find<TDBNavigator>(root, "Nav")->DataSource(), source);
  EXPECT_EQ(Find<TDBEdit>(root, "Edit1")->DataSource(), source);
}

void CheckControls(TPanel* root) {
  auto* grid = Find<TDBGrid>(root, "Grid");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Options(), (TDBGridOptions{dgEditing, dgTitles, dgColLines, dgRowLines, dgConfirmDelete}));
  ASSERT_EQ(grid->Columns()->Count(), 2);
  TColumn* letter = grid->Columns()->Items(0);
  EXPECT_EQ(letter->FieldName(), "EXCELALANI");
  EXPECT_EQ(letter->Title()->Caption(), "Excel Sutunu");
  EXPECT_EQ(letter->Width(), 100);
  EXPECT_EQ(letter->PickList()->Count(), 2);
  TColumn* caption = grid->Columns()->Items(1);
  EXPECT_TRUE(caption->ReadOnly());
  EXPECT_FALSE(caption->Visible());
  EXPECT_EQ(grid->VisibleColumnCount(), 1);
  auto* nav = Find<TDBNavigator>(root, "Nav");
  EXPECT_EQ(nav->VisibleButtons(), (TButtonSet{nbFirst, nbPrior, nbNext, nbLast}));
  EXPECT_FALSE(nav->ConfirmDelete());
  EXPECT_EQ(nav->Buttons(nbFirst)->Hint(), "Ilk Kayit");
  EXPECT_FALSE(nav->Buttons(nbInsert)->Visible());
  auto* edit = Find<TDBEdit>(root, "Edit1");
  EXPECT_EQ(edit->DataField(), "METIN1");
  auto* box = Find<TDBCheckBox>(root, "Box");
  EXPECT_EQ(box->ValueChecked(), "1");
  EXPECT_EQ(box->ValueUnchecked(), "0");
}

TEST(DataControlsStreaming, ControlsAndActionsComeBackWithTheirPublishedProperties) {
  RegisterDataControls();
  RegisterClasses({TPanel::StaticClass()});
  TPanel* root = ReadForm(kForm);
  CheckBindings(root);
  CheckControls(root);
  const std::string written = test_support::ComponentText(root);
  for (const char* part : {"Title.Caption = 'Excel Sutunu'", "VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast]",
                           "ConfirmDelete = False", "DataSource = Src", "Color = clBtnFace", "ValueChecked = '1'", "Visible = False"})
    EXPECT_NE(written.find(part), std::string::npos) << part << "\n" << written;
  root->Free();
  TPanel* again = ReadForm(written);
  CheckControls(again);
  again->Free();
}

}  // namespace

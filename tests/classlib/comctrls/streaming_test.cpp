// Common controls read from the component format: sheets join their page
// control, panels, columns and tool buttons come back with their
// properties, and what was read is written again.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/comctrls/listview.h"
#include "classlib/comctrls/pagecontrol.h"
#include "classlib/comctrls/statusbar.h"
#include "classlib/comctrls/toolbar.h"
#include "comctrls_test_util.h"
#include "tests/support/componenttext.h"

namespace {

using namespace comctrls_test;

const char* const kForm =
    "object Host: TPanel\n"
    "  object Pages: TPageControl\n"
    "    ActivePage = Sheet1\n"
    "    object Sheet1: TTabSheet\n"
    "      Caption = 'Genel'\n"
    "    end\n"
    "    object Sheet2: TTabSheet\n"
    "      Caption = 'Hatalar'\n"
    "      TabVisible = False\n"
    "    end\n"
    "  end\n"
    "  object Bar: TStatusBar\n"
    "    Panels = <\n"
    "      item\n"
    "        Alignment = taRightJustify\n"
    "        Text = 'Bir'\n"
    "        Width = 40\n"
    "      end\n"
    "      item\n"
    "        Width = 120\n"
    "      end>\n"
    "    SimpleText = 'Hazir'\n"
    "  end\n"
    "  object Tools: TToolBar\n"
    "    ShowCaptions = True\n"
    "    object Ruler: TToolButton\n"
    "      Caption = 'Cetvel'\n"
    "      Down = True\n"
    "      Style = tbsCheck\n"
    "    end\n"
    "    object Gap: TToolButton\n"
    "      Style = tbsSeparator\n"
    "    end\n"
    "  end\n"
    "  object List: TListView\n"
    "    Checkboxes = True\n"
    "    Columns = <\n"
    "      item\n"
    "        Caption = 'Kod'\n"
    "        Width = 80\n"
    "      end>\n"
    "    ViewStyle = vsReport\n"
    "  end\n"
    "end\n";

Owned<TPanel> ReadForm(const char* source) {
  Owned<TPanel> root{new TPanel(nullptr)};
  test_support::ReadComponentText(source, root.get());
  return root;
}

TEST(ComCtrlsStreaming, ControlsComeBackWithTheirItemsAndProperties) {
  RegisterComCtrls();
  RegisterClasses({TPanel::StaticClass()});
  Owned<TPanel> root = ReadForm(kForm);

  auto* pages = dynamic_cast<TPageControl*>(root->FindComponent("Pages"));
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->Pages(1)->Caption(), "Hatalar");
  EXPECT_FALSE(pages->Pages(1)->TabVisible());
  EXPECT_EQ(pages->ActivePage(), pages->Pages(0));

  auto* bar = dynamic_cast<TStatusBar*>(root->FindComponent("Bar"));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->Panels()->Count(), 2);
  EXPECT_EQ(bar->Panels()->Items(0)->Text(), "Bir");
  EXPECT_EQ(bar->Panels()->Items(0)->Alignment(), taRightJustify);
  EXPECT_EQ(bar->Panels()->Items(1)->Width(), 120);
  EXPECT_EQ(bar->SimpleText(), "Hazir");

  auto* tools = dynamic_cast<TToolBar*>(root->FindComponent("Tools"));
  ASSERT_NE(tools, nullptr);
  ASSERT_EQ(tools->ButtonCount(), 2);
  EXPECT_EQ(tools->Buttons(0)->Style(), tbsCheck);
  EXPECT_TRUE(tools->Buttons(0)->Down());
  EXPECT_EQ(tools->Buttons(1)->Style(), tbsSeparator);
  EXPECT_TRUE(tools->ShowCaptions());

  auto* list = dynamic_cast<TListView*>(root->FindComponent("List"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->ViewStyle(), vsReport);
  EXPECT_TRUE(list->Checkboxes());
  ASSERT_EQ(list->Columns()->Count(), 1);
  EXPECT_EQ(list->Columns()->Items(0)->Width(), 80);

  const std::string written = test_support::ComponentText(root.get());
  for (const char* part : {"object Sheet2: TTabSheet", "TabVisible = False", "ActivePage = Sheet1",
                           "Alignment = taRightJustify", "object Ruler: TToolButton", "Style = tbsCheck",
                           "ViewStyle = vsReport", "Caption = 'Kod'"})
    EXPECT_NE(written.find(part), std::string::npos) << part << "\n" << written;
  Owned<TPanel> again = ReadForm(written.c_str());
  EXPECT_EQ(dynamic_cast<TPageControl*>(again->FindComponent("Pages"))->PageCount(), 2) << written;
  EXPECT_EQ(dynamic_cast<TToolBar*>(again->FindComponent("Tools"))->ButtonCount(), 2);
}

}  // namespace

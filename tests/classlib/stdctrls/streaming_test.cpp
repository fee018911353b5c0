// The standard controls read from and written to the component format: the
// published properties (item lists, lines, glyph layout, limits) come back.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/controls/extctrls.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/memo.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/radiogroup.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "classlib/stdctrls/speedbutton.h"
#include "stdctrls_test_util.h"
#include "tests/support/componenttext.h"

namespace {

const char* const kForm =
    "object Host: TPanel\n"
    "  object Sort: TComboBox\n"
    "    Style = csDropDownList\n"
    "    Items.Strings = (\n"
    "      'Kod'\n"
    "      'Ad')\n"
    "  end\n"
    "  object Notes: TMemo\n"
    "    Lines.Strings = (\n"
    "      'bir'\n"
    "      'iki')\n"
    "    ScrollBars = ssVertical\n"
    "    WantReturns = False\n"
    "  end\n"
    "  object Printed: TCheckBox\n"
    "    Caption = 'Yaz'\n"
    "    Checked = True\n"
    "  end\n"
    "  object Paper: TRadioGroup\n"
    "    Columns = 2\n"
    "    ItemIndex = 1\n"
    "    Items.Strings = (\n"
    "      'A4'\n"
    "      'A5')\n"
    "  end\n"
    "  object Mode: TSpeedButton\n"
    "    AllowAllUp = True\n"
    "    GroupIndex = 2\n"
    "    Down = True\n"
    "    Layout = blGlyphTop\n"
    "  end\n"
    "  object Columns: TRxSpinEdit\n"
    "    MaxValue = 30\n"
    "    MinValue = 7\n"
    "    Value = 12\n"
    "  end\n"
    "  object Price: TCurrencyEdit\n"
    "    DecimalPlaces = 4\n"
    "    DisplayFormat = ',0.0000;-,0.0000'\n"
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

void CheckRead(TPanel* root) {
  auto* sort = Find<TComboBox>(root, "Sort");
  EXPECT_EQ(sort->Style(), csDropDownList);
  EXPECT_EQ(sort->Items()->Count(), 2);
  auto* notes = Find<TMemo>(root, "Notes");
  EXPECT_EQ(notes->Lines()->Count(), 2);
  EXPECT_EQ(notes->Lines()->Strings(1), "iki");
  EXPECT_FALSE(notes->WantReturns());
  EXPECT_EQ(notes->ScrollBars(), ssVertical);
  EXPECT_TRUE(Find<TCheckBox>(root, "Printed")->Checked());
  auto* paper = Find<TRadioGroup>(root, "Paper");
  EXPECT_EQ(paper->ButtonCount(), 2);
  EXPECT_EQ(paper->ItemIndex(), 1);
  EXPECT_TRUE(paper->Buttons(1)->Checked());
  auto* mode = Find<TSpeedButton>(root, "Mode");
  EXPECT_TRUE(mode->Down());
  EXPECT_EQ(mode->Layout(), blGlyphTop);
  auto* columns = Find<TRxSpinEdit>(root, "Columns");
  EXPECT_DOUBLE_EQ(columns->Value(), 12);
  EXPECT_DOUBLE_EQ(columns->MaxValue(), 30);
  auto* price = Find<TCurrencyEdit>(root, "Price");
  EXPECT_EQ(price->DecimalPlaces(), 4);
  EXPECT_EQ(price->DisplayFormat(), ",0.0000;-,0.0000");
}

TEST(StdCtrlsStreaming, ControlsComeBackWithTheirPublishedProperties) {
  RegisterStdControls();
  RegisterClasses({TPanel::StaticClass()});
  TPanel* root = ReadForm(kForm);
  CheckRead(root);
  const std::string written = test_support::ComponentText(root);
  for (const char* part : {"Style = csDropDownList", "'Kod'", "WantReturns = False", "Checked = True",
                           "ItemIndex = 1", "Layout = blGlyphTop", "DecimalPlaces = 4"})
    EXPECT_NE(written.find(part), std::string::npos) << part << "\n" << written;
  EXPECT_EQ(written.find("TGroupButton"), std::string::npos) << "a radio group's buttons are not streamed";
  root->Free();
  TPanel* again = ReadForm(written);
  CheckRead(again);
  again->Free();
}

}  // namespace

// The property inspector in the designer: it follows the selection and the
// component list, applies to the stage's controls, renames with the list
// and the page tabs following, and switches text bands that the design
// controller then covers. Dialogs are answered by the scripted service.
#include <gtest/gtest.h>
#include <windows.h>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/formfixture.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zreport.h"

namespace {

using test_support::Pump;

class DesignerInspectorTest : public testing::Test {
protected:
  DesignerInspectorTest() : scope(dialogs) {
    RegisterRunnerClasses();
    designer = NewForm<TDizaynAnaF>(Application);
    designer->FileName = "";
  }
  ~DesignerInspectorTest() override { designer->Free(); }

  void Show() {
    designer->FormShow(nullptr);
    Pump();
  }
  // A label on the designer's own detail band, covered like the rest.
  TQRLabel* AddLabel(const char* Name) {
    auto* label = new TQRLabel(designer);
    label->SetName(Name);
    label->SetParent(designer->DetailBand1);
    label->SetBounds(10, 5, 60, 17);
    label->SetCaption(Name);
    designer->DsnDpRegister1->SetActive(false);
    designer->DsnDpRegister1->SetActive(true);
    designer->AddComponentsCombo();
    return label;
  }
  void ChooseInList(const char* Name) {
    designer->ComboBox1->SetItemIndex(designer->ComboBox1->Items()->IndexOf(Name));
    designer->ComboBox1Change(nullptr);
    Pump();
  }
  int RowOfKey(const char* Key) const {
    const auto& rows = designer->Inspector->InspectorRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].Key == Key)
        return static_cast<int>(i) + 1;
    return 0;
  }
  void Type(const char* Key, const AnsiString& Text) {
    const int row = RowOfKey(Key);
    ASSERT_GT(row, 0) << Key;
    designer->Inspector->SelectRow(row);
    TWinControl* editor = designer->Inspector->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    editor->SetText(Text);
    WORD enter = VK_RETURN;
    editor->OnKeyDown(editor, enter, TShiftState());
  }
  std::vector<AnsiString> Tabs() const {
    std::vector<AnsiString> tabs;
    for (int i = 0; i < designer->TabControl1->Tabs()->Count(); ++i)
      tabs.push_back(designer->TabControl1->Tabs()->Strings(i));
    return tabs;
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  TDizaynAnaF* designer = nullptr;
};

TEST_F(DesignerInspectorTest, TheListsChoiceFillsTheRowsAndAnEditorOnThePanel) {
  Show();
  TQRLabel* label = AddLabel("QRLabel1");
  ChooseInList("QRLabel1");
  TDesignInspector* inspector = designer->Inspector;
  ASSERT_GT(inspector->RowCount(), 0);
  EXPECT_EQ(inspector->InspectorRows()[0].Caption, "Metin");
  EXPECT_EQ(inspector->InspectorRows()[0].Value, "QRLabel1");
  ASSERT_NE(inspector->ActiveEditor(), nullptr);
  EXPECT_EQ(inspector->ActiveEditor()->Parent(), designer->Panel3);
  EXPECT_TRUE(inspector->ActiveEditor()->Visible());
  Type("Caption", "Fiyat");
  EXPECT_EQ(label->Caption(), "Fiyat");
  EXPECT_TRUE(LayoutModified);
  // Closing forgets the editor.
  TCloseAction action = caHide;
  LayoutModified = false;
  designer->FormClose(nullptr, action);
  EXPECT_EQ(inspector->ActiveEditor(), nullptr);
}

TEST_F(DesignerInspectorTest, ARenameRefusedForATakenNameKeepsTheControlSelected) {
  Show();
  TQRLabel* label = AddLabel("QRLabel1");
  AddLabel("QRLabel2");
  ChooseInList("QRLabel1");
  dialogs.AnswerButton(IDOK);
  Type("ComponentName", "QRLABEL2");
  EXPECT_EQ(label->Name(), "QRLabel1");
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Bu komponent ismi daha once verilmis");
  EXPECT_EQ(dialogs.Records()[0].Caption, "Bilgi");
  EXPECT_EQ(designer->DsnStage1->SelectedControl(0), label);
  // A free name: the component list follows.
  Type("ComponentName", "Fiyat");
  EXPECT_EQ(label->Name(), "Fiyat");
  EXPECT_EQ(designer->ComboBox1->Items()->IndexOf("QRLabel1"), -1);
  EXPECT_EQ(designer->ComboBox1->Items()->Strings(designer->ComboBox1->ItemIndex()), "Fiyat");
}

TEST_F(DesignerInspectorTest, RenamingATextPageRenamesItsTabAndKeepsItCurrent) {
  designer->FileName = NewTextLayoutName;
  Show();
  designer->Button2Click(nullptr);  // a second page, now current
  Pump();
  ASSERT_EQ(Tabs(), (std::vector<AnsiString>{"Report1", "Report2"}));
  ChooseInList("Report2");
  Type("ComponentName", "Fatura");
  EXPECT_EQ(Tabs(), (std::vector<AnsiString>{"Report1", "Fatura"}));
  EXPECT_EQ(designer->TabControl1->TabIndex(), 1);
  // Choosing the tab shows the page under its new name.
  designer->TabControl1Change(nullptr);
  EXPECT_TRUE(designer->CurrentZReport != nullptr && designer->CurrentZReport->Visible());
  EXPECT_EQ(designer->CurrentZReport->Name(), "Fatura");
}

TEST_F(DesignerInspectorTest, TheTitleRowOfATextPageAddsACoveredBand) {
  designer->FileName = NewTextLayoutName;
  Show();
  TZReport* page = designer->CurrentZReport;
  ASSERT_NE(page, nullptr);
  ChooseInList("Report1");
  LayoutModified = false;
  const int row = RowOfKey("Bands.HasTitle");
  ASSERT_GT(row, 0);
  designer->Inspector->SelectRow(row);
  designer->Inspector->ComboBoolean()->SetItemIndex(1);
  designer->Inspector->PropEditorChange(designer->Inspector->ComboBoolean());
  Pump();
  TZRCustomBand* header = page->FindBand(zbtHeader);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->Parent(), page);
  // Design mode ran again over the new band: it is treated as the page's
  // other bands are, and the page stays covered.
  EXPECT_EQ(designer->DsnDpRegister1->CoverOf(header) != nullptr,
            designer->DsnDpRegister1->CoverOf(page->FindBand(zbtDetail)) != nullptr);
  EXPECT_NE(designer->DsnDpRegister1->CoverOf(page), nullptr);
  EXPECT_TRUE(designer->DsnDpRegister1->Active());
  EXPECT_TRUE(LayoutModified);
}

}  // namespace

// The designer's new-layout commands: graphic and text layouts made from
// one another, the invoice layouts with their presets, and the save
// question in front of every command. Dialogs are answered by the scripted
// dialog service.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/shortcuts.h"
#include "layouts/core/bindinghints.h"
#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/printer/qrpapers.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zreport.h"

namespace {

using test_support::Pump;

class NewLayoutTest : public testing::Test {
protected:
  NewLayoutTest() : scope(dialogs) {
    RegisterRunnerClasses();
    designer = NewForm<TDizaynAnaF>(Application);
    // The invoice settings open at once on an invoice layout; cancelled
    // unless a test answers otherwise.
    dialogs.OnModalForm = [this](TCustomForm& Form) {
      modalForms.push_back(Form.ClassName());
      Form.SetModalResult(mrCancel);
    };
  }
  ~NewLayoutTest() override { designer->Free(); }

  void Show(const AnsiString& File = "") {
    designer->FileName = File;
    designer->FormShow(nullptr);
    Pump();
  }

  // The layout's pages (prototypes left out), graphic and text together.
  std::vector<TControl*> Pages() const {
    std::vector<TControl*> pages;
    for (int k = 0; k < designer->ComponentCount(); ++k) {
      TComponent* c = designer->Components(k);
      if ((dynamic_cast<TQuickRep*>(c) != nullptr || dynamic_cast<TZReport*>(c) != nullptr) &&
          c->Tag() != PrototypeTag)
        pages.push_back(static_cast<TControl*>(c));
    }
    return pages;
  }

  TComponent* Marker() const { return designer->FindComponent(TextLayoutMarkerName); }

  AnsiString FirstRowCaption() const {
    const auto& rows = designer->Inspector->InspectorRows();
    return rows.empty() ? AnsiString() : rows.front().Caption;
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  ScratchFolder folder;
  TDizaynAnaF* designer = nullptr;
  std::vector<AnsiString> modalForms;
};

TEST_F(NewLayoutTest, TheCommandsAreOfferedWithCtrlNOnTheGraphicOne) {
  Show();
  EXPECT_TRUE(designer->ToolButton1->Enabled());
  for (TMenuItem* item :
       {designer->YeniRapor1, designer->YeniTextRapor1, designer->YeniFaturaFis1, designer->YeniTextFaturaFis1}) {
    EXPECT_TRUE(item->Enabled()) << item->Caption();
    EXPECT_TRUE(item->OnClick) << item->Caption();
  }
  // Ctrl+N on a text layout makes a graphic one.
  designer->YeniTextRapor1Click(nullptr);
  ASSERT_TRUE(designer->IsZReport());
  EXPECT_TRUE(designer->IsShortCut('N', TShiftState{ssCtrl}));
  EXPECT_FALSE(designer->IsZReport());
}

TEST_F(NewLayoutTest, ATextLayoutFromAGraphicOneHoldsTheMarkerAndOneTextPage) {
  Show();
  designer->StatusBar1->SetSimpleText("eski.vlp");
  designer->FileName = "eski.vlp";
  designer->YeniTextRapor1Click(nullptr);
  Pump();
  const auto pages = Pages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0]->Name(), "Report1");
  EXPECT_NE(dynamic_cast<TZReport*>(pages[0]), nullptr);
  ASSERT_NE(Marker(), nullptr);
  EXPECT_EQ(static_cast<TControl*>(Marker())->Parent(), designer->DsnStage1);
  EXPECT_FALSE(designer->ToolBarAlignment->Visible());
  EXPECT_EQ(designer->FileName, "");
  EXPECT_EQ(designer->StatusBar1->SimpleText(), "");
  EXPECT_TRUE(dialogs.Records().empty()) << "nothing was modified: no question";
  // The stage follows the text page's size in characters and lines.
  TPoint size;
  designer->GetZReportSize(designer->CurrentZReport, size);
  EXPECT_GT(size.x, 0);
  EXPECT_EQ(designer->DsnStage1->Width(), size.x + 20);
  EXPECT_EQ(designer->DsnStage1->Height(), size.y + 20);
}

TEST_F(NewLayoutTest, AGraphicLayoutFromATextOneHasNoMarkerAndCountsAsModified) {
  Show();
  designer->YeniTextRapor1Click(nullptr);
  Pump();
  LayoutModified = false;
  designer->ToolButton1Click(nullptr);
  Pump();
  const auto pages = Pages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0]->Name(), "Report1");
  EXPECT_NE(dynamic_cast<TQuickRep*>(pages[0]), nullptr);
  EXPECT_EQ(Marker(), nullptr);
  EXPECT_TRUE(designer->ToolBarAlignment->Visible());
  EXPECT_TRUE(LayoutModified);
}

// Cancel in the save question, or a cancelled save dialog after Yes, stops
// every command: the old layout keeps its pages, hint, name and flag.
TEST_F(NewLayoutTest, CancelInTheSaveQuestionLeavesTheOldLayoutAsItWas) {
  runner_test::LayoutBuilder layout;
  TQuickRep* built = layout.AddPage("", 200);
  layout.AddLabel(layout.DetailOf(built), "Etiket", "");
  const AnsiString file = folder.File("eski.vlp");
  layout.Save(file);
  Show(file);
  TControl* old = Pages().at(0);
  old->SetHint("NOT=1");
  using Command = void (TDizaynAnaF::*)(TObject*);
  struct Case {
    const char* Name;
    Command Run;
    bool CancelTheDialog;
  };
  for (const Case& c : {Case{"Yeni Rapor", &TDizaynAnaF::ToolButton1Click, false},
                        Case{"Yeni Text Rapor", &TDizaynAnaF::YeniTextRapor1Click, false},
                        Case{"Yeni Fatura-Fis", &TDizaynAnaF::YeniFaturaFis1Click, false},
                        Case{"Yeni Text Fatura-Fis", &TDizaynAnaF::YeniTextFaturaFis1Click, false},
                        Case{"Yeni Fatura-Fis, save dialog", &TDizaynAnaF::YeniFaturaFis1Click, true},
                        Case{"Yeni Text Fatura-Fis, save dialog", &TDizaynAnaF::YeniTextFaturaFis1Click, true}}) {
    SCOPED_TRACE(c.Name);
    dialogs.Clear();
    LayoutModified = true;
    if (c.CancelTheDialog) {
      designer->FileName = "";  // Yes then asks where to save
      dialogs.AnswerButton(IDYES).AnswerCancel();
    } else {
      dialogs.AnswerButton(IDCANCEL);
    }
    (designer->*c.Run)(nullptr);
    Pump();
    ASSERT_FALSE(dialogs.Records().empty());
    EXPECT_EQ(dialogs.Records()[0].Text, "Degisiklikler kaydedilsin mi?");
    EXPECT_EQ(Pages(), std::vector<TControl*>{old});
    EXPECT_EQ(old->Hint(), "NOT=1");
    EXPECT_EQ(Marker(), nullptr);
    EXPECT_TRUE(LayoutModified);
    EXPECT_EQ(designer->CurrentQuickRep, old);
    EXPECT_TRUE(modalForms.empty()) << "no invoice settings for the kept layout";
    designer->FileName = file;
  }
}

TEST_F(NewLayoutTest, AnInvoiceLayoutStartsFromItsPresetsOnTheInvoiceRow) {
  Show();
  designer->YeniFaturaFis1Click(nullptr);
  Pump();
  auto* page = designer->CurrentQuickRep;
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Pages(), std::vector<TControl*>{page});
  EXPECT_EQ(page->Hint(), "HAREKETBASLANGIC=75\r\nHAREKETALANIYUKSEKLIK=200\r\nHAREKETSAYISI=40");
  EXPECT_TRUE(designer->IsFatura());
  TQRPage* paper = page->Page();
  EXPECT_EQ(paper->PaperSize(), TQRPaperSize::Custom);
  for (long double margin : {paper->TopMargin(), paper->LeftMargin(), paper->RightMargin(), paper->BottomMargin()})
    EXPECT_NEAR(static_cast<double>(margin), 5.0, 0.01);
  ASSERT_NE(page->Bands()->PageHeaderBand(), nullptr);
  ASSERT_NE(page->Bands()->DetailBand(), nullptr);
  EXPECT_NEAR(static_cast<double>(page->Bands()->PageHeaderBand()->Size()->Height()), 70.0, 0.5);
  EXPECT_NEAR(static_cast<double>(page->Bands()->DetailBand()->Size()->Height()), 200.0, 0.5);
  // The new band is covered by the controller, like every other control.
  EXPECT_NE(designer->ComboBox1->Items()->IndexOf(page->Bands()->PageHeaderBand()->Name()), -1);
  EXPECT_FALSE(designer->Button2->Visible());
  EXPECT_FALSE(designer->Button1->Visible());
  EXPECT_FALSE(designer->Button3->Visible());
  ASSERT_EQ(designer->DsnDpRegister1->SelectedCount(), 1);
  EXPECT_EQ(designer->DsnDpRegister1->SelectedControl(0), page);
  EXPECT_EQ(FirstRowCaption(), "Fatura Ayarlari");
  EXPECT_EQ(designer->Inspector->ActiveRow(), 1);
  EXPECT_EQ(designer->FileName, "");
  // The invoice settings opened at once; their Cancel kept the preset hint.
  EXPECT_EQ(modalForms, std::vector<AnsiString>{"TFaturaAyarF"});
  EXPECT_EQ(page->Hint(), "HAREKETBASLANGIC=75\r\nHAREKETALANIYUKSEKLIK=200\r\nHAREKETSAYISI=40");
}

TEST_F(NewLayoutTest, ATextInvoiceLayoutHasMarginsOfOneAndBandsOf15_35And10Lines) {
  Show();
  designer->YeniTextFaturaFis1Click(nullptr);
  Pump();
  auto* page = designer->CurrentZReport;
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(designer->IsZReport());
  EXPECT_NE(Marker(), nullptr);
  EXPECT_EQ(Pages(), std::vector<TControl*>{page});
  EXPECT_EQ(page->Hint(), "HAREKETBASLANGIC=16\r\nHAREKETALANIYUKSEKLIK=35\r\nHAREKETSAYISI=35");
  TZRMargins* margins = page->Margins();
  EXPECT_EQ(margins->Left(), 1);
  EXPECT_EQ(margins->Top(), 1);
  EXPECT_EQ(margins->Right(), 1);
  EXPECT_EQ(margins->Bottom(), 1);
  struct Band {
    TZRBandType Kind;
    int Lines;
  };
  for (const Band& b : {Band{zbtColumnHeader, 15}, Band{zbtDetail, 35}, Band{zbtPageFooter, 10}}) {
    TZRCustomBand* band = page->FindBand(b.Kind);
    ASSERT_NE(band, nullptr) << b.Lines;
    EXPECT_EQ(band->Height(), b.Lines);
  }
  EXPECT_EQ(FirstRowCaption(), "Fatura Ayarlari");
  EXPECT_EQ(designer->Inspector->ActiveRow(), 1);
  EXPECT_FALSE(designer->Button2->Visible());
  EXPECT_EQ(modalForms, std::vector<AnsiString>{"TFaturaAyarF"});
  EXPECT_EQ(page->Hint(), "HAREKETBASLANGIC=16\r\nHAREKETALANIYUKSEKLIK=35\r\nHAREKETSAYISI=35");
}

}  // namespace

// The report designer: its regions and prototypes, showing it on a file, on
// a missing file, on a damaged file and on the new-text-layout name, the
// save question, open, save and preview, the page commands and tabs, the
// component list, the layout-kind switch, and the way in through the report
// component. Dialogs are answered by the scripted dialog service.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <filesystem>
#include <set>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/shortcuts.h"
#include "design/core/layoutfile.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dizaynanaf.h"
#include "layouts/dizaynpreview.h"
#include "layouts/layoutprototypes.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/screenshot.h"
#include "textreport/engine/zreport.h"

namespace {

using test_support::Pump;

constexpr char SaveFirstText[] = "Oncelikle raporu kaydetmelisiniz.";

class DesignerTest : public testing::Test {
protected:
  DesignerTest() : scope(dialogs) { RegisterRunnerClasses(); }
  ~DesignerTest() override {
    if (designer != nullptr)
      designer->Free();
  }

  // A designer created as the report component creates it, shown on File.
  TDizaynAnaF* Show(const AnsiString& File) {
    designer = NewForm<TDizaynAnaF>(Application);
    designer->FileName = File;
    designer->FormShow(nullptr);
    Pump();
    return designer;
  }

  // A graphic layout of one page "Report1" with a label on its detail band.
  AnsiString WriteLayout(const char* Name, const AnsiString& Caption = "Etiket") {
    runner_test::LayoutBuilder layout;
    TQuickRep* page = layout.AddPage("", 200);
    layout.AddLabel(layout.DetailOf(page), Caption, "");
    const AnsiString file = folder.File(Name);
    layout.Save(file);
    return file;
  }

  std::vector<AnsiString> Tabs() const {
    std::vector<AnsiString> tabs;
    for (int i = 0; i < designer->TabControl1->Tabs()->Count(); ++i)
      tabs.push_back(designer->TabControl1->Tabs()->Strings(i));
    return tabs;
  }

  // The layout's pages of a kind, prototypes left out.
  std::vector<AnsiString> Pages(bool Text) const {
    std::vector<AnsiString> names;
    for (int k = 0; k < designer->ComponentCount(); ++k) {
      TComponent* c = designer->Components(k);
      const bool kind = Text ? dynamic_cast<TZReport*>(c) != nullptr : dynamic_cast<TQuickRep*>(c) != nullptr;
      if (kind && c->Tag() != PrototypeTag)
        names.push_back(c->Name());
    }
    return names;
  }

  std::set<AnsiString> EnabledPaletteHints() const {
    std::set<AnsiString> hints;
    for (TDsnButton* button : designer->PaletteButtons)
      if (button->Enabled())
        hints.insert(button->Hint() + (button == designer->PaletteButtons[15] ? " (metin)" : ""));
    return hints;
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  ScratchFolder folder;
  TDizaynAnaF* designer = nullptr;
};

// ---- Regions -------------------------------------------------------------------

TEST_F(DesignerTest, ItsToolBarMenusAndDialogsCarryTheirTextsHintsAndShortcuts) {
  Show("");
  struct Tool {
    TToolButton* Button;
    const char* Hint;
  };
  for (const Tool& tool : {Tool{designer->ToolButton1, "Yeni rapor dosyasi olustur"},
                           Tool{designer->ToolButton2, "Rapor dosyasi ac"},
                           Tool{designer->ToolButton3, "Rapor dosyasini kaydet"},
                           Tool{designer->ToolButton4, "Secili nesneyi kes"},
                           Tool{designer->ToolButton5, "Secili nesneyi kopyala"},
                           Tool{designer->ToolButton6, "Yapistir"},
                           Tool{designer->ToolButton7, "Onizleme (Ctrl+P)"},
                           Tool{designer->ToolButton18, "Cetvel goster"},
                           Tool{designer->ToolButton19, "Kilavuza hizala"}}) {
    EXPECT_EQ(tool.Button->Hint(), tool.Hint);
    EXPECT_EQ(tool.Button->Parent(), designer->ToolBar1) << tool.Hint;
  }
  for (TToolButton* check : {designer->ToolButton18, designer->ToolButton19}) {
    EXPECT_EQ(check->Style(), tbsCheck) << check->Hint();
    EXPECT_TRUE(check->Down()) << check->Hint();
  }
  EXPECT_EQ(designer->Button2->Caption(), "Ye&ni Sayfa");
  EXPECT_EQ(designer->Button1->Caption(), "Sayfayi &Sil");
  EXPECT_EQ(designer->Button3->Caption(), "&Etiket Ayarla");
  EXPECT_EQ(designer->Button4->Caption(), "&Kapat");

  struct Item {
    TMenuItem* Item;
    const char* Caption;
    TShortCut Key;
  };
  for (const Item& item : {Item{designer->YeniRapor1, "Yeni Rapor", ShortCut('N', TShiftState{ssCtrl})},
                           Item{designer->YeniTextRapor1, "Yeni Text Rapor", scNone},
                           Item{designer->YeniFaturaFis1, "Yeni Fatura-Fis", scNone},
                           Item{designer->YeniTextFaturaFis1, "Yeni Text Fatura-Fis", scNone},
                           Item{designer->DosyaAc1, "Dosya Ac", ShortCut('O', TShiftState{ssCtrl})},
                           Item{designer->Kaydet1, "Kaydet", ShortCut('S', TShiftState{ssCtrl})},
                           Item{designer->FarkliKaydet1, "Farkli Kaydet", scNone},
                           Item{designer->Kapat1, "Kapat", scNone},
                           Item{designer->Kopyala1, "Kopyala", scNone},
                           Item{designer->Kes1, "Kes", scNone},
                           Item{designer->Yapistir1, "Yapistir", scNone},
                           Item{designer->Sil1, "Sil", scNone},
                           Item{designer->OneGetir1, "One Getir", scNone},
                           Item{designer->ArkayaGonder1, "Arkaya Gonder", scNone},
                           Item{designer->OtomatikKarakterNo1, "Otomatik Karakter No", scNone}}) {
    EXPECT_EQ(item.Item->Caption(), item.Caption);
    EXPECT_EQ(item.Item->ShortCut(), item.Key) << item.Caption;
  }
  EXPECT_EQ(designer->Onizleme1->ShortCut(), ShortCut('P', TShiftState{ssCtrl}));
  EXPECT_EQ(designer->Menu(), designer->MainMenu1);
  EXPECT_EQ(designer->DsnStage1->CoverMenu(), designer->PopupMenu1);
  for (TOpenDialog* dialog : {static_cast<TOpenDialog*>(designer->SD), designer->OD}) {
    EXPECT_EQ(dialog->DefaultExt(), "vlp");
    EXPECT_EQ(dialog->Filter(), "VORTELIM Rapor Dosyasi (*.vlp)|*.vlp");
  }
  EXPECT_TRUE(designer->SD->Options().Contains(ofOverwritePrompt));
  EXPECT_FALSE(designer->OD->Options().Contains(ofOverwritePrompt));
  EXPECT_NE(designer->Cd, nullptr);
  EXPECT_NE(designer->Fd, nullptr);
  EXPECT_NE(designer->Opp, nullptr);
  EXPECT_EQ(designer->Panel3->Width(), 233);
  EXPECT_EQ(designer->ComboBox1->Parent(), designer->Panel4);
  EXPECT_EQ(designer->PaintBox1->Parent(), designer->Panel3);
  EXPECT_EQ(designer->DsnStage1->Parent(), designer->Panel5);
  EXPECT_EQ(designer->Panel5->Parent(), designer->TabControl1);
  EXPECT_EQ(designer->ScrollBar2->Kind(), sbVertical);
  EXPECT_EQ(designer->ScrollBar1->Kind(), sbHorizontal);
  EXPECT_TRUE(designer->KeyPreview());
  EXPECT_EQ(DizaynAnaF, designer);
}

TEST_F(DesignerTest, ItsControllerJoinsStagePaletteAndArrowWithAnEightPixelGrid) {
  Show("");
  EXPECT_EQ(designer->DsnDpRegister1->DsnStage(), designer->DsnStage1);
  EXPECT_EQ(designer->DsnDpRegister1->DsnPanel(), designer->DsnPanel1);
  EXPECT_EQ(designer->DsnDpRegister1->ArrowButton(), designer->ArrowButton1);
  EXPECT_EQ(designer->DsnSelect1->DsnRegister(), designer->DsnDpRegister1);
  EXPECT_EQ(designer->DsnDpRegister1->GridWidth(), 8);
  EXPECT_EQ(designer->DsnDpRegister1->GridHeight(), 8);
  EXPECT_EQ(designer->DsnStage1->Rubberband()->Color(), clGray);
  EXPECT_EQ(designer->DsnStage1->Rubberband()->PenWidth(), 2);
  EXPECT_TRUE(designer->DsnDpRegister1->Active());
  EXPECT_EQ(designer->ArrowButton1->Hint(), "Secme modu");
}

// Every palette button finds its prototype on the hidden panel once design
// mode is on, whatever the letter case of its GeneName.
TEST_F(DesignerTest, EveryPaletteButtonFindsItsPrototypeOnTheHiddenPanel) {
  Show("");
  const auto entries = LayoutPaletteEntries();
  ASSERT_EQ(designer->PaletteButtons.size(), 17u);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    TDsnButton* button = designer->PaletteButtons[i];
    EXPECT_EQ(button->Hint(), entries[i].Hint);
    EXPECT_EQ(button->GeneName(), entries[i].GeneName);
    EXPECT_EQ(button->GroupIndex(), 2301) << entries[i].Hint;
    EXPECT_EQ(button->Parent(), designer->DsnPanel1);
    ASSERT_NE(button->Prototype(), nullptr) << entries[i].GeneName;
    auto* prototype = dynamic_cast<TControl*>(button->Prototype());
    ASSERT_NE(prototype, nullptr);
    bool onHiddenPanel = false;
    for (TWinControl* p = prototype->Parent(); p != nullptr; p = p->Parent())
      onHiddenPanel = onHiddenPanel || p == designer->DsnDpstPanel;
    EXPECT_TRUE(onHiddenPanel) << entries[i].GeneName;
  }
  EXPECT_FALSE(designer->DsnDpstPanel->Visible());
  EXPECT_EQ(designer->PrototypeReport->Tag(), PrototypeTag);
  EXPECT_EQ(designer->ZReport1->Tag(), PrototypeTag);
  EXPECT_EQ(GetEnumProp(designer->FindComponent("Dpst_TQRSysData"), "Data"), "qrsDate");
  EXPECT_EQ(GetEnumProp(designer->FindComponent("Dpst_TQRBand"), "BandType"), "rbTitle");
  EXPECT_EQ(GetEnumProp(designer->FindComponent("Dpst_TJvQrDbText"), "Direction"), "fldDownUp");
  EXPECT_EQ(GetEnumProp(designer->FindComponent("Dpst_TlZRTotalLabel"), "Kind"), "ztkSum");
  auto* label = dynamic_cast<TQRLabel*>(designer->FindComponent("Dpst_TQRLabel"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), "Dpst_TQRLabel");
  EXPECT_EQ(label->Font()->Name(), "Tahoma");
  EXPECT_EQ(label->Font()->Size(), 8);
  EXPECT_EQ(GetStrProp(designer->FindComponent("Dpst_StBarCode"), "Code"), "123456789012");
}

// A4 portrait in millimetres, 10 mm margins, Arial 10, with its detail band.
TEST_F(DesignerTest, WithoutAFileItShowsItsOwnDefaultPage) {
  Show("");
  ASSERT_NE(designer->Report1, nullptr);
  TQuickRep* page = designer->Report1;
  EXPECT_EQ(designer->CurrentQuickRep, page);
  EXPECT_EQ(designer->CurrentZReport, nullptr);
  EXPECT_EQ(page->Units(), MM);
  EXPECT_EQ(page->Page()->PaperSize(), TQRPaperSize::A4);
  EXPECT_EQ(page->Page()->Orientation(), poPortrait);
  for (long double margin : {page->Page()->TopMargin(), page->Page()->BottomMargin(), page->Page()->LeftMargin(),
                             page->Page()->RightMargin()})
    EXPECT_NEAR(static_cast<double>(margin), 10.0, 0.01);
  EXPECT_EQ(page->Font()->Name(), "Arial");
  EXPECT_EQ(page->Font()->Size(), 10);
  EXPECT_EQ(page->Options(), (TQuickRepOptions{FirstPageHeader, LastPageFooter}));
  EXPECT_TRUE(page->PrintIfEmpty());
  EXPECT_TRUE(page->SnapToGrid());
  ASSERT_NE(designer->DetailBand1, nullptr);
  EXPECT_EQ(designer->DetailBand1->Parent(), page);
  EXPECT_EQ(designer->DetailBand1->BandType(), rbDetail);
  EXPECT_EQ(Tabs(), std::vector<AnsiString>{"Report1"});
  EXPECT_EQ(designer->StatusBar1->SimpleText(), "");
  EXPECT_FALSE(LayoutModified);
  // Switched to, the stage is the page and 20 pixels more each way.
  designer->TabControl1Change(nullptr);
  EXPECT_EQ(designer->DsnStage1->Width(), page->Width() + 20);
  EXPECT_EQ(designer->DsnStage1->Height(), page->Height() + 20);
}

// Shown as the program shows it: maximised, the regions side by side, the
// push buttons after the tool buttons on the bar.
TEST_F(DesignerTest, ShownMaximisedEveryRegionHasItsPlace) {
  const AnsiString file = WriteLayout("bakis.vlp", "Bakis");
  designer = NewForm<TDizaynAnaF>(Application);
  designer->FileName = file;
  designer->Show();
  Pump();
  EXPECT_TRUE(IsZoomed(designer->Handle()));
  EXPECT_EQ(designer->StatusBar1->SimpleText(), file);
  int right = designer->ToolButton19->Left() + designer->ToolButton19->Width();
  EXPECT_GT(designer->ToolButton19->Width(), 0);
  for (TButton* button : {designer->Button2, designer->Button1, designer->Button3, designer->Button4}) {
    EXPECT_GE(button->Left(), right) << button->Caption();
    right = button->Left() + button->Width();
    EXPECT_LE(right, designer->ToolBar1->Width()) << button->Caption();
  }
  EXPECT_GE(designer->DsnPanel1->Top(), designer->ToolBar1->Top() + designer->ToolBar1->Height());
  EXPECT_GE(designer->TabControl1->Left(), designer->Panel3->Left() + designer->Panel3->Width());
  EXPECT_GE(designer->ToolBarAlignment->Left(), designer->TabControl1->Left() + designer->TabControl1->Width());
  EXPECT_GE(designer->StatusBar1->Top(), designer->TabControl1->Top() + designer->TabControl1->Height());
  EXPECT_TRUE(IsWindowVisible(designer->DsnStage1->Handle()));
  EXPECT_TRUE(IsWindowVisible(designer->CurrentQuickRep->Handle()));
  test_support::KeepScreenshot(*designer, "dizaynanaf");
  designer->Hide();
}

// ---- Showing on a file ------------------------------------------------------------

TEST_F(DesignerTest, ShownOnALayoutItLoadsItAndShowsTheFileName) {
  const AnsiString file = WriteLayout("a.vlp", "Merhaba");
  Show(file);
  EXPECT_EQ(designer->FileName, file);
  EXPECT_EQ(designer->StatusBar1->SimpleText(), file);
  EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
  ASSERT_NE(designer->CurrentQuickRep, nullptr);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report1");
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_FALSE(LayoutModified);
  // The list offers the page and what lies on it.
  std::vector<AnsiString> listed;
  for (int i = 0; i < designer->ComboBox1->Items()->Count(); ++i)
    listed.push_back(designer->ComboBox1->Items()->Strings(i));
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_EQ(listed[0], "Report1");
}

// The new-text-layout name gives an empty, unnamed text layout, whether or
// not a file of that name exists; only that exact spelling does.
TEST_F(DesignerTest, ShownOnTheNewTextLayoutNameItStartsAnEmptyTextLayout) {
  struct Case {
    const char* Name;
    bool FileExists;
    bool TextLayout;
  };
  for (const Case& c : {Case{"bosdm.vlp", false, true}, Case{"bosdm.vlp", true, true},
                        Case{"BOSDM.VLP", false, false}}) {
    SCOPED_TRACE(c.Name + std::string(c.FileExists ? " (exists)" : ""));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    if (c.FileExists)
      WriteLayout(c.Name);
    Show(c.Name);
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove(folder.Path() / c.Name, ignored);
    if (c.TextLayout) {
      EXPECT_EQ(Pages(true), std::vector<AnsiString>{"Report1"});
      EXPECT_TRUE(Pages(false).empty());
      EXPECT_TRUE(designer->IsZReport());
      EXPECT_EQ(designer->FindComponent(TextLayoutMarkerName)->ClassName(), "TCheckBox");
      EXPECT_EQ(designer->FileName, "");
      EXPECT_EQ(Tabs(), std::vector<AnsiString>{"Report1"});
    } else {
      EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
      EXPECT_FALSE(designer->IsZReport());
      EXPECT_EQ(designer->FileName, c.Name);
    }
    EXPECT_EQ(designer->StatusBar1->SimpleText(), "");
    EXPECT_FALSE(LayoutModified);
    designer->Free();
    designer = nullptr;
  }
}

TEST_F(DesignerTest, ShownOnAMissingFileItSavesToThatNameWithoutAsking) {
  const AnsiString file = folder.File("yeni.vlp");
  Show(file);
  EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
  EXPECT_EQ(designer->StatusBar1->SimpleText(), "");
  designer->ToolButton3Click(nullptr);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_FALSE(ReadFileBytes(file).empty());
  EXPECT_FALSE(LayoutModified);
  // Saving emptied the selection; the page is chosen again.
  EXPECT_EQ(designer->DsnStage1->SelectedCount(), 1);
  EXPECT_EQ(designer->DsnStage1->SelectedControl(0), static_cast<TControl*>(designer->CurrentQuickRep));
}

TEST_F(DesignerTest, ShownOnADamagedFileItSaysSoAndOpensWithoutAFileName) {
  const AnsiString file = WriteLayout("bozuk.vlp");
  FileBytes bytes = ReadFileBytes(file);
  bytes.resize(bytes.size() / 2);
  WriteFileBytes(file, bytes);
  dialogs.AnswerButton(IDOK);
  Show(file);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_NE(dialogs.Records()[0].Text.find("can not be read"), AnsiString::npos) << dialogs.Records()[0].Text;
  EXPECT_EQ(designer->FileName, "");
  EXPECT_EQ(designer->StatusBar1->SimpleText(), "");
  EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
  EXPECT_EQ(designer->CurrentQuickRep, designer->Report1);
  EXPECT_TRUE(designer->DsnDpRegister1->Active());
}

// ---- Open and save --------------------------------------------------------------------

// A damaged file opened over a loaded layout changes nothing: the layout,
// the file name and the flag stay, and a later save leaves the damaged
// file's bytes as they were.
TEST_F(DesignerTest, ADamagedFileOpenedOverALayoutLeavesEverythingAsItWas) {
  const AnsiString good = WriteLayout("iyi.vlp", "Iyi");
  const AnsiString damaged = WriteLayout("bozuk.vlp", "Bozuk");
  FileBytes damagedBytes = ReadFileBytes(damaged);
  damagedBytes.resize(damagedBytes.size() - 7);
  WriteFileBytes(damaged, damagedBytes);
  for (bool modified : {false, true}) {
    SCOPED_TRACE(modified ? "modified" : "unmodified");
    Show(good);
    TComponent* page = designer->CurrentQuickRep;
    LayoutModified = modified;
    if (modified)
      dialogs.AnswerButton(IDNO);
    dialogs.AnswerFile(damaged).AnswerButton(IDOK);
    designer->ToolButton2Click(nullptr);
    EXPECT_EQ(dialogs.Pending(), 0);
    EXPECT_NE(dialogs.Records().back().Text.find("can not be read"), AnsiString::npos);
    EXPECT_EQ(designer->FileName, good);
    EXPECT_EQ(designer->StatusBar1->SimpleText(), good);
    EXPECT_EQ(LayoutModified, modified);
    EXPECT_EQ(designer->CurrentQuickRep, page);
    EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
    designer->ToolButton3Click(nullptr);
    EXPECT_EQ(ReadFileBytes(damaged), damagedBytes);
    EXPECT_FALSE(LayoutModified);
    dialogs.Clear();
    designer->Free();
    designer = nullptr;
  }
}

TEST_F(DesignerTest, OpenAsksFirstThenLoadsAndClearsTheFlag) {
  const AnsiString first = WriteLayout("bir.vlp");
  const AnsiString second = WriteLayout("iki.vlp");
  Show(first);
  LayoutModified = true;
  dialogs.AnswerButton(IDCANCEL);
  designer->ToolButton2Click(nullptr);
  EXPECT_EQ(designer->FileName, first) << "Cancel in the save question stops the command";
  EXPECT_TRUE(LayoutModified);
  dialogs.AnswerButton(IDNO).AnswerFile(second);
  designer->ToolButton2Click(nullptr);
  EXPECT_EQ(designer->FileName, second);
  EXPECT_EQ(designer->StatusBar1->SimpleText(), second);
  EXPECT_FALSE(LayoutModified);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report1");
  EXPECT_EQ(dialogs.Records()[0].Text, "Degisiklikler kaydedilsin mi?");
  EXPECT_EQ(dialogs.Records()[0].Caption, designer->Caption());
  EXPECT_EQ(dialogs.Records()[0].Flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONINFORMATION));
  EXPECT_EQ(dialogs.Records().back().Kind, TDialogKind::OpenFile);
  EXPECT_EQ(dialogs.Records().back().Filter, "VORTELIM Rapor Dosyasi (*.vlp)|*.vlp");
}

TEST_F(DesignerTest, SaveAsTakesTheNewNameAndAFailedSaveKeepsTheFlag) {
  const AnsiString file = WriteLayout("a.vlp");
  Show(file);
  LayoutModified = true;
  const AnsiString other = folder.File("b.vlp");
  dialogs.AnswerFile(other);
  designer->FarkliKaydet1Click(nullptr);
  EXPECT_EQ(designer->FileName, other);
  EXPECT_EQ(designer->StatusBar1->SimpleText(), other);
  EXPECT_FALSE(LayoutModified);
  EXPECT_FALSE(ReadFileBytes(other).empty());
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::SaveFile);

  // A folder that is not there: the error shows, nothing counts as saved.
  const AnsiString unwritable = folder.File("yok\\c.vlp");
  LayoutModified = true;
  dialogs.AnswerFile(unwritable).AnswerButton(IDOK);
  designer->FarkliKaydet1Click(nullptr);
  EXPECT_EQ(dialogs.Records().back().Kind, TDialogKind::MessageBox);
  EXPECT_EQ(designer->FileName, other);
  EXPECT_TRUE(LayoutModified);
  designer->FileName = unwritable;
  dialogs.AnswerButton(IDOK);
  designer->ToolButton3Click(nullptr);
  EXPECT_EQ(dialogs.Records().back().Kind, TDialogKind::MessageBox);
  EXPECT_TRUE(LayoutModified);
  EXPECT_EQ(dialogs.Pending(), 0);
}

TEST_F(DesignerTest, CtrlSSavesAndCtrlPAsksForASaveFirst) {
  const AnsiString file = WriteLayout("kisayol.vlp");
  Show(file);
  LayoutModified = true;
  dialogs.AnswerButton(IDOK);
  EXPECT_TRUE(designer->IsShortCut('P', TShiftState{ssCtrl}));
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, SaveFirstText);
  EXPECT_TRUE(designer->IsShortCut('S', TShiftState{ssCtrl}));
  EXPECT_FALSE(LayoutModified);
  EXPECT_EQ(dialogs.Records().size(), 1u);
}

// A file that cannot be replaced (another program holds it open): the error
// shows, the old bytes stay, the layout still counts as modified.
TEST_F(DesignerTest, ASaveOverAFileInUseLeavesItWhole) {
  const AnsiString file = WriteLayout("kilitli.vlp");
  Show(file);
  const FileBytes before = ReadFileBytes(file);
  designer->Button2Click(nullptr);  // a second page: the file would change
  LayoutModified = true;
  const std::wstring wide(file.begin(), file.end());
  HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  dialogs.AnswerButton(IDOK);
  designer->ToolButton3Click(nullptr);
  CloseHandle(held);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::MessageBox);
  EXPECT_EQ(ReadFileBytes(file), before);
  EXPECT_TRUE(LayoutModified);
  EXPECT_EQ(designer->FileName, file);
}

// ---- Close ----------------------------------------------------------------------------

TEST_F(DesignerTest, CloseAsksWhenModifiedAndCancelKeepsTheDesignerOpen) {
  Show("");
  LayoutModified = true;
  dialogs.AnswerButton(IDCANCEL);
  TCloseAction action = caHide;
  designer->FormClose(nullptr, action);
  EXPECT_EQ(action, caNone);
  EXPECT_TRUE(LayoutModified);
  EXPECT_EQ(designer->CurrentQuickRep, designer->Report1);
  EXPECT_TRUE(designer->DsnDpRegister1->Active());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Degisiklikler kaydedilsin mi?");

  // Yes without a file name: the save dialog names the file; the designer
  // does not take the name.
  const AnsiString chosen = folder.File("kapanis.vlp");
  dialogs.AnswerButton(IDYES).AnswerFile(chosen);
  action = caHide;
  designer->FormClose(nullptr, action);
  EXPECT_EQ(action, caHide);
  EXPECT_FALSE(ReadFileBytes(chosen).empty());
  EXPECT_EQ(designer->FileName, "");
  EXPECT_FALSE(LayoutModified);
  EXPECT_FALSE(designer->DsnDpRegister1->Active());
  EXPECT_EQ(designer->CurrentQuickRep, nullptr);
}

TEST_F(DesignerTest, CloseOfASavedLayoutAsksNothingAndACancelledSaveDialogKeepsItOpen) {
  Show("");
  TCloseAction action = caHide;
  LayoutModified = true;
  dialogs.AnswerButton(IDYES).AnswerCancel();
  designer->FormClose(nullptr, action);
  EXPECT_EQ(action, caNone);
  EXPECT_TRUE(LayoutModified);
  dialogs.Clear();
  LayoutModified = false;
  action = caHide;
  designer->FormClose(nullptr, action);
  EXPECT_EQ(action, caHide);
  EXPECT_TRUE(dialogs.Records().empty());
}

// ---- Preview --------------------------------------------------------------------------

TEST_F(DesignerTest, PreviewRunsTheRunnerOnTheSavedFileOnly) {
  runner_test::RunnerScope runner;
  std::vector<AnsiString> runs;
  runner_test::RunnerOutputScope output([&runs](TDizaynPreviewF& Runner) {
    runs.push_back(Runner.LayoutFileName + "|" + Runner.Mode);
  });
  const AnsiString file = WriteLayout("onizle.vlp");
  Show("");
  dialogs.AnswerButton(IDOK);
  designer->ToolButton7Click(nullptr);  // no file yet
  dialogs.AnswerFile(file);
  designer->ToolButton2Click(nullptr);
  designer->ToolButton7Click(nullptr);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], file + "|Preview");
  designer->DsnDpRegister1MoveResize(nullptr);  // a change
  EXPECT_TRUE(LayoutModified);
  dialogs.AnswerButton(IDOK);
  designer->ToolButton7Click(nullptr);
  EXPECT_EQ(runs.size(), 1u);
  std::vector<AnsiString> messages;
  for (const TDialogRecord& r : dialogs.Records())
    if (r.Kind == TDialogKind::MessageBox)
      messages.push_back(r.Text + "|" + r.Caption);
  // Without a file, and after the change: the save-first message each time.
  EXPECT_EQ(messages, (std::vector<AnsiString>{AnsiString(SaveFirstText) + "|Bilgi", AnsiString(SaveFirstText) + "|Bilgi"}));
}

// ---- Pages ----------------------------------------------------------------------------

TEST_F(DesignerTest, NewPagesTakeTheFirstFreeNameAfterADeletedMiddlePage) {
  Show("");
  designer->Button2Click(nullptr);
  designer->Button2Click(nullptr);
  EXPECT_EQ(Tabs(), (std::vector<AnsiString>{"Report1", "Report2", "Report3"}));
  EXPECT_EQ(designer->TabControl1->TabIndex(), 2);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report3");
  designer->TabControl1->SetTabIndex(1);
  designer->TabControl1Change(nullptr);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report2");
  EXPECT_TRUE(designer->CurrentQuickRep->Visible());
  EXPECT_FALSE(static_cast<TControl*>(designer->FindComponent("Report1"))->Visible());
  dialogs.AnswerButton(IDYES);
  designer->Button1Click(nullptr);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Bu sayfayi silmek istediginizden emin misiniz?");
  EXPECT_EQ(dialogs.Records()[0].Caption, "Soru");
  EXPECT_EQ(dialogs.Records()[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(Tabs(), (std::vector<AnsiString>{"Report1", "Report3"}));
  EXPECT_EQ(designer->TabControl1->TabIndex(), 0);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report1");
  EXPECT_TRUE(designer->DsnDpRegister1->Active());
  designer->Button2Click(nullptr);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report2");
  EXPECT_EQ(Pages(false), (std::vector<AnsiString>{"Report1", "Report3", "Report2"}));
  EXPECT_EQ(designer->TabControl1->Tabs()->Strings(designer->TabControl1->TabIndex()), "Report2");
}

TEST_F(DesignerTest, TheFirstPageCannotBeDeletedAndNoKeepsThePage) {
  Show("");
  designer->Button1Click(nullptr);  // the first tab: no question
  EXPECT_TRUE(dialogs.Records().empty());
  designer->Button2Click(nullptr);
  dialogs.AnswerButton(IDNO);
  designer->Button1Click(nullptr);
  EXPECT_EQ(Tabs(), (std::vector<AnsiString>{"Report1", "Report2"}));
}

// Deleting the selected current page is refused, yet the delete notice
// marks the layout modified.
TEST_F(DesignerTest, DeletingTheCurrentPageOnTheStageIsRefusedButCountsAsAChange) {
  Show("");
  designer->DsnSelect1->SelectComponent(designer->CurrentQuickRep);
  designer->Sil1Click(nullptr);
  Pump();
  EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
  EXPECT_TRUE(LayoutModified);
  EXPECT_EQ(designer->ComboBox1->ItemIndex(), 0);
}

TEST_F(DesignerTest, MovingAPageIsRefused) {
  Show("");
  struct Case {
    TComponent* Component;
    bool Movable;
  };
  for (const Case& c : {Case{designer->Report1, false}, Case{designer->ZReport1, false},
                        Case{designer->DetailBand1, true}}) {
    bool canMove = true;
    designer->DsnStage1MoveQuery(nullptr, c.Component, canMove);
    EXPECT_EQ(canMove, c.Movable) << c.Component->Name();
  }
}

// ---- Component list and selection ------------------------------------------------------

// Labels on the default page's detail band, covered by design mode.
std::vector<TQRLabel*> AddBandLabels(TDizaynAnaF& Designer, int Count) {
  std::vector<TQRLabel*> labels;
  for (int i = 0; i < Count; ++i) {
    auto* label = new TQRLabel(&Designer);
    label->SetName("Yazi" + std::to_string(i + 1));
    label->SetParent(Designer.DetailBand1);
    label->SetBounds(10 + 60 * i, 5, 50, 17);
    labels.push_back(label);
  }
  Designer.DsnDpRegister1->SetActive(false);
  Designer.DsnDpRegister1->SetActive(true);
  return labels;
}

int IndexAmongSiblings(TControl* Control) {
  TWinControl* parent = Control->Parent();
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == Control)
      return i;
  return -1;
}

TEST_F(DesignerTest, ASelectionOfSeveralHidesTheListAndShowsTheCount) {
  Show("");
  const std::vector<TQRLabel*> made = AddBandLabels(*designer, 3);
  const std::vector<TComponent*> labels(made.begin(), made.end());
  designer->AddComponentsCombo();
  EXPECT_EQ(designer->ComboBox1->Items()->Count(), 5);  // page, band, three labels
  designer->DsnSelect1->SelectComponents(labels);
  EXPECT_FALSE(designer->ComboBox1->Visible());
  EXPECT_EQ(designer->Panel4->Caption(), "3 adet nesne secili");
  designer->DsnSelect1->SelectComponent(labels[1]);
  EXPECT_TRUE(designer->ComboBox1->Visible());
  EXPECT_EQ(designer->ComboBox1->Items()->Strings(designer->ComboBox1->ItemIndex()), "Yazi2");
  // Choosing in the list selects.
  designer->ComboBox1->SetItemIndex(designer->ComboBox1->Items()->IndexOf("Yazi3"));
  designer->ComboBox1Change(nullptr);
  EXPECT_EQ(designer->DsnStage1->SelectedControl(0), static_cast<TControl*>(labels[2]));
}

TEST_F(DesignerTest, AControlFromThePaletteIsListedSelectedAndMarksAChange) {
  Show("");
  auto* text = new TQRDBText(designer);
  text->SetName("QRDBText1");
  text->SetParent(designer->DetailBand1);
  text->SetTag(3);
  auto* label = new TQRLabel(designer);
  label->SetName("QRLabel1");
  label->SetParent(designer->DetailBand1);
  label->SetTag(7);
  for (TComponent* made : {static_cast<TComponent*>(text), static_cast<TComponent*>(label)})
    designer->DsnStage1ControlCreate(nullptr, made);
  EXPECT_EQ(text->Tag(), 3) << "a data text keeps its character number";
  EXPECT_EQ(label->Tag(), 0);
  EXPECT_GE(designer->ComboBox1->Items()->IndexOf("QRLabel1"), 0);
  EXPECT_TRUE(LayoutModified);
}

TEST_F(DesignerTest, FrontAndBackMoveTheFirstSelectedControlInItsParentsOrder) {
  Show("");
  const std::vector<TQRLabel*> labels = AddBandLabels(*designer, 2);
  designer->OneGetir1Click(nullptr);  // nothing selected: nothing moves
  EXPECT_FALSE(LayoutModified);
  designer->DsnSelect1->SelectComponent(labels[0]);
  designer->OneGetir1Click(nullptr);
  EXPECT_GT(IndexAmongSiblings(labels[0]), IndexAmongSiblings(labels[1]));
  EXPECT_TRUE(LayoutModified);
  designer->DsnSelect1->SelectComponent(labels[1]);
  designer->ArkayaGonder1Click(nullptr);
  EXPECT_LT(IndexAmongSiblings(labels[1]), IndexAmongSiblings(labels[0]));
}

TEST_F(DesignerTest, CopyPasteAndCutGoThroughTheStage) {
  Show("");
  const std::vector<TQRLabel*> labels = AddBandLabels(*designer, 1);
  auto labelCount = [this] {
    int count = 0;
    for (int k = 0; k < designer->ComponentCount(); ++k)
      if (auto* label = dynamic_cast<TQRLabel*>(designer->Components(k)); label != nullptr && label->Parent() == designer->DetailBand1)
        ++count;
    return count;
  };
  designer->DsnSelect1->SelectComponent(labels[0]);
  designer->Kopyala1Click(nullptr);
  const int listed = designer->ComboBox1->Items()->Count();
  designer->DsnSelect1->SelectComponent(designer->DetailBand1);  // pasted into the band
  designer->Yapistir1Click(nullptr);
  Pump();
  EXPECT_EQ(labelCount(), 2);
  EXPECT_TRUE(LayoutModified) << "a pasted control is a change";
  EXPECT_EQ(designer->ComboBox1->Items()->Count(), listed + 1) << "the pasted control is listed";
  LayoutModified = false;
  designer->DsnSelect1->SelectComponent(labels[0]);
  designer->Kes1Click(nullptr);
  Pump();
  EXPECT_EQ(labelCount(), 1);
  EXPECT_TRUE(LayoutModified);
}

// ---- Layout kinds ---------------------------------------------------------------------

TEST_F(DesignerTest, TheLayoutKindSwitchesBarsButtonsAndPalette) {
  const std::set<AnsiString> textButtons{"Data alani veya metin ekle", "Sistem bilgisi ekle (metin)",
                                         "Toplam Deger Alani Ekle", "DB baglantili dikey metin ekle",
                                         "DB Resim ekle"};
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  Show(NewTextLayoutName);
  std::filesystem::current_path(previous);
  EXPECT_FALSE(designer->ToolBarAlignment->Visible());
  EXPECT_FALSE(designer->Button3->Visible());
  EXPECT_TRUE(designer->Button2->Visible());
  EXPECT_FALSE(designer->ToolButton18->Enabled());
  EXPECT_EQ(EnabledPaletteHints(), textButtons);
  designer->Free();
  designer = nullptr;

  Show("");
  EXPECT_TRUE(designer->ToolBarAlignment->Visible());
  EXPECT_TRUE(designer->Button3->Visible());
  EXPECT_TRUE(designer->ToolButton18->Enabled());
  const std::set<AnsiString> graphic = EnabledPaletteHints();
  EXPECT_EQ(graphic.size(), 14u);
  for (const char* text : {"Data alani veya metin ekle", "Sistem bilgisi ekle (metin)", "Toplam Deger Alani Ekle"})
    EXPECT_EQ(graphic.count(text), 0u) << text;

  // An invoice page hides the page buttons and the label-sheet button.
  designer->CurrentQuickRep->SetHint("HAREKETBASLANGIC=75\r\nHAREKETALANIYUKSEKLIK=200\r\nHAREKETSAYISI=40");
  EXPECT_TRUE(designer->IsFatura());
  designer->ZReportDuzenle();
  EXPECT_FALSE(designer->Button2->Visible());
  EXPECT_FALSE(designer->Button1->Visible());
  EXPECT_FALSE(designer->Button3->Visible());
  EXPECT_TRUE(designer->ToolBarAlignment->Visible());
}

// A new text layout over a text layout: the old marker box goes through the
// stage with a delete notice, so the new layout counts as modified.
TEST_F(DesignerTest, NewReportClearsTheStageAndBuildsTheFirstPage) {
  Show("");
  designer->Button2Click(nullptr);
  designer->NewReport(true);
  Pump();
  EXPECT_EQ(Pages(false), std::vector<AnsiString>{});
  EXPECT_EQ(Pages(true), std::vector<AnsiString>{"Report1"});
  EXPECT_FALSE(LayoutModified) << "a graphic layout had no marker box";
  auto* page = dynamic_cast<TZReport*>(designer->FindComponent("Report1"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(designer->CurrentZReport, page);
  EXPECT_TRUE(page->RunTimeVisible());
  EXPECT_NE(page->FindBand(zbtDetail), nullptr);
  EXPECT_EQ(page->Options()->PaperType(), zptContinuous);
  auto* marker = dynamic_cast<TControl*>(designer->FindComponent(TextLayoutMarkerName));
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker->Parent(), designer->DsnStage1);
  EXPECT_EQ(marker->Width(), 100);
  EXPECT_EQ(marker->Height(), 17);
  TPoint size;
  designer->GetZReportSize(page, size);
  EXPECT_EQ(designer->DsnStage1->Width(), size.x + 20);
  EXPECT_GT(size.x, 0);

  designer->NewReport(false);
  Pump();
  EXPECT_EQ(Pages(false), std::vector<AnsiString>{"Report1"});
  EXPECT_TRUE(Pages(true).empty());
  EXPECT_EQ(designer->FindComponent(TextLayoutMarkerName), nullptr);
  EXPECT_TRUE(LayoutModified);
  EXPECT_EQ(designer->ZReport1->Tag(), PrototypeTag) << "the prototype page stays";
}

TEST_F(DesignerTest, TextsGoThroughTheReportComponentsTranslateHook) {
  test_support::Owned<TVtRapor> rapor(new TVtRapor(nullptr));
  rapor->OnTranslate = [](AnsiString Text, AnsiString& Result) { Result = "<" + Text + ">"; };
  int opened = 0;
  rapor->OnFormOpen = [&opened](TCustomForm*) { ++opened; };
  designer = NewForm<TDizaynAnaF>(Application);
  designer->Rapor = rapor.get();
  designer->FormShow(nullptr);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(designer->SaveQuestion, "<Degisiklikler kaydedilsin mi?>");
  EXPECT_EQ(designer->_("Soru"), "<Soru>");
  dialogs.AnswerButton(IDOK);
  designer->ToolButton7Click(nullptr);
  EXPECT_EQ(dialogs.Records().back().Text, "<Oncelikle raporu kaydetmelisiniz.>");
  designer->Rapor = nullptr;
}

// ---- The file the runner reads ----------------------------------------------------------

// A covered control shows the arrow in design mode, and a layout saved
// there keeps that cursor; the runner draws printables without windows, so
// it changes nothing there. Comparisons leave it out.
std::string WithoutDesignCursor(std::string Record) {
  static const std::string cursor("\x06" "Cursor" "\x07\x07" "crArrow");
  for (std::size_t at = Record.find(cursor); at != std::string::npos; at = Record.find(cursor, at))
    Record.erase(at, cursor.size());
  return Record;
}

// The layout's records as the runner's stage holds them after a load.
std::vector<std::string> RunnerRecords(const AnsiString& File) {
  std::unique_ptr<TDizaynPreviewF, void (*)(TDizaynPreviewF*)> runner(new TDizaynPreviewF(nullptr),
                                                                    [](TDizaynPreviewF* r) { r->Free(); });
  runner->DsnStage1->LoadFromFile(File);
  std::vector<std::string> records;
  for (int i = 0; i < runner->DsnStage1->ControlCount(); ++i) {
    TMemoryStream record;
    WriteLayoutRecord(record, runner.get(), runner->DsnStage1->Controls(i));
    records.push_back(WithoutDesignCursor(
        std::string(static_cast<const char*>(record.Memory()), static_cast<std::size_t>(record.Size()))));
  }
  return records;
}

// The shipped label layout, opened and saved by the designer, reads the same
// in the runner; a data text moved 8 pixels left is 8 pixels left there.
TEST_F(DesignerTest, TheShippedLayoutSavedByTheDesignerReadsTheSameInTheRunner) {
  const char* data = std::getenv("DOZURI_TEST_DATA");
  ASSERT_NE(data, nullptr);
  const AnsiString file = folder.File("etiket.vlp");
  WriteFileBytes(file, ReadFileBytes(AnsiString(data) + "/../../resources/etiket.vlp"));
  const std::vector<std::string> shipped = RunnerRecords(file);
  ASSERT_FALSE(shipped.empty());
  Show(file);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_EQ(designer->StatusBar1->SimpleText(), file);
  designer->ToolButton3Click(nullptr);
  EXPECT_EQ(RunnerRecords(file), shipped);

  auto* metin2 = dynamic_cast<TControl*>(designer->FindComponent("QRDBText2"));
  ASSERT_NE(metin2, nullptr);
  const int left = metin2->Left();
  metin2->SetLeft(left - 8);
  designer->DsnDpRegister1MoveResize(nullptr);
  designer->ToolButton3Click(nullptr);
  EXPECT_FALSE(LayoutModified);
  std::unique_ptr<TDizaynPreviewF, void (*)(TDizaynPreviewF*)> runner(new TDizaynPreviewF(nullptr),
                                                                    [](TDizaynPreviewF* r) { r->Free(); });
  runner->DsnStage1->LoadFromFile(file);
  auto* moved = dynamic_cast<TControl*>(runner->FindComponent("QRDBText2"));
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->Left(), left - 8);
}

// ---- The way in -------------------------------------------------------------------------

TEST_F(DesignerTest, DesignReportShowsTheDesignerModallyAndForgetsItAfterwards) {
  const TReportDesigner previous = SetReportDesigner(nullptr);
  InstallReportDesigner();
  test_support::Owned<TVtRapor> owned(new TVtRapor(nullptr));
  TVtRapor& rapor = *owned;
  const AnsiString file = WriteLayout("tasarla.vlp");
  struct Case {
    bool Throws;
  };
  for (const Case& c : {Case{false}, Case{true}}) {
    SCOPED_TRACE(c.Throws ? "ended by an exception" : "closed");
    TDizaynAnaF* seen = nullptr;
    dialogs.OnModalForm = [&](TCustomForm& Form) {
      seen = dynamic_cast<TDizaynAnaF*>(&Form);
      ASSERT_NE(seen, nullptr);
      EXPECT_EQ(DizaynAnaF, seen);
      EXPECT_EQ(rapor.DesignerForm(), &Form);
      EXPECT_EQ(seen->Rapor, &rapor);
      EXPECT_EQ(seen->FileName, file);
      seen->FormShow(nullptr);
      EXPECT_EQ(seen->StatusBar1->SimpleText(), file);
      if (c.Throws)
        throw Exception("durdu");
      Form.SetModalResult(mrCancel);
    };
    if (c.Throws)
      EXPECT_THROW(rapor.DesignReport(file), Exception);
    else
      rapor.DesignReport(file);
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(rapor.DesignerForm(), nullptr);
    EXPECT_EQ(DizaynAnaF, nullptr) << "the designer was freed";
  }
  dialogs.OnModalForm = nullptr;
  SetReportDesigner(previous);
}

}  // namespace

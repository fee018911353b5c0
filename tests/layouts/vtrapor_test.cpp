// The report component: which layout a list file gives (the chooser asked
// through the scripted dialog service), the printer a list file names, the
// runner and designer seams, the dispatchers and hooks, and streaming.
#include "layouts/vtrapor.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/printers/printers.h"
#include "layouts/layoutsreg.h"
#include "layouts/raporsecf.h"
#include "layouts/reportlistfile.h"
#include "tests/support/componenttext.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

using test_support::Pump;

FileBytes TextBytes(const AnsiString& text) { return FileBytes(text.begin(), text.end()); }

class VtRaporTest : public testing::Test {
protected:
  VtRaporTest() : dialogScope(dialogs), rapor(new TVtRapor(nullptr)) {
    listFile = folder.File("etiketyeni.ini");
    defaultLayout = folder.File("etiket.vlp");
  }
  ~VtRaporTest() override { rapor->Free(); }

  void WriteList(const AnsiString& text) { WriteFileBytes(listFile, TextBytes(text)); }

  // The chooser shown by the entry point: Drive picks and ends it.
  void DriveChooser(const std::function<void(TRaporSecF&)>& Drive) {
    dialogs.OnModalForm = [this, Drive](TCustomForm& form) {
      auto& chooser = static_cast<TRaporSecF&>(form);
      chooser.Show();
      Pump();
      shownRows = chooser.ListView1->Items()->Count();
      if (chooser.ModalResult() == mrNone)
        Drive(chooser);
      chooser.Hide();
    };
  }
  AnsiString Default(bool NoChooser) {
    AnsiString layout = "before";
    const AnsiString result = rapor->GetDefaultReport(listFile, defaultLayout, layout, NoChooser);
    EXPECT_EQ(result, layout);
    return layout;
  }
  int ChooserShows() const {
    int n = 0;
    for (const TDialogRecord& r : dialogs.Records())
      n += r.Kind == TDialogKind::ModalForm && r.FormClass == "TRaporSecF";
    return n;
  }

  ScratchFolder folder;
  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope;
  TVtRapor* rapor;
  AnsiString listFile, defaultLayout;
  int shownRows = 0;
};

// Selects a row and confirms it with "Tamam".
void PickRow(TRaporSecF& chooser, int index) {
  chooser.ListView1->Items()->Item(index)->SetSelected(true);
  chooser.ButtonRaporSec->Click();
}

TEST_F(VtRaporTest, WithoutAListFileTheDefaultLayoutIsUsed) {
  EXPECT_EQ(Default(false), defaultLayout);
  EXPECT_EQ(ChooserShows(), 0);
}

TEST_F(VtRaporTest, TheFirstDefLineNamesTheLayout) {
  struct Case {
    const char* List;
    const char* Expected;  // nullptr: the default layout
  };
  const Case cases[] = {
      {"", nullptr},
      {"C:\\r\\a.vlp|A\r\nC:\\r\\b.vlp|B\r\n", nullptr},
      {"C:\\r\\a.vlp|A\r\n[def]C:\\r\\b.vlp|B|ve C\r\n[*]PRINTER=\r\n[*]COPY=1\r\n", "C:\\r\\b.vlp"},
      {"[def]C:\\r\\Etiket Büyük.vlp\r\n", "C:\\r\\Etiket Büyük.vlp"},
      {"[def]C:\\r\\ilk.vlp|1\r\n[def]C:\\r\\ikinci.vlp|2\r\n", "C:\\r\\ilk.vlp"},
      {"[DEF]C:\\r\\buyuk.vlp|harfler\r\n", nullptr},
      {"[def]|bos dosya\r\nC:\\r\\a.vlp|A\r\n", nullptr},
      {"[def]\r\n", nullptr},
  };
  for (const Case& c : cases) {
    WriteList(c.List);
    EXPECT_EQ(Default(false), c.Expected != nullptr ? AnsiString(c.Expected) : defaultLayout) << c.List;
  }
  EXPECT_EQ(ChooserShows(), 0);
}

TEST_F(VtRaporTest, TheChooserOptionAsksTheChooserAndItsAnswerIsReturnedAsFound) {
  const AnsiString picked = "D:\\Raporlar\\Özel  Etiket.VLP";
  WriteList("[def]C:\\r\\a.vlp|A\r\n" + picked + "|Özel\r\n[*]RAPORSECENEKLERINIGOSTER\r\n");
  DriveChooser([](TRaporSecF& chooser) { PickRow(chooser, 2); });
  EXPECT_EQ(Default(false), picked);
  EXPECT_EQ(ChooserShows(), 1);
  EXPECT_EQ(shownRows, 3);  // "Varsayilan" and the two layouts
}

TEST_F(VtRaporTest, TheTopRowOfTheChooserAnswersTheHostsDefault) {
  WriteList("C:\\r\\a.vlp|A\r\n[*]RAPORSECENEKLERINIGOSTER\r\n");
  DriveChooser([](TRaporSecF& chooser) { PickRow(chooser, 0); });
  EXPECT_EQ(Default(false), defaultLayout);
}

TEST_F(VtRaporTest, CancellingTheChooserAnswersNothing) {
  WriteList("[def]C:\\r\\a.vlp|A\r\n[*]RAPORSECENEKLERINIGOSTER\r\n");
  DriveChooser([](TRaporSecF& chooser) { chooser.KapatExecute(nullptr); });
  EXPECT_EQ(Default(false), "");
  EXPECT_EQ(ChooserShows(), 1);
}

TEST_F(VtRaporTest, WithNoChooserTheDefLineDecides) {
  WriteList("[def]C:\\r\\a.vlp|A\r\n[*]RAPORSECENEKLERINIGOSTER\r\n");
  EXPECT_EQ(Default(true), "C:\\r\\a.vlp");
  EXPECT_EQ(ChooserShows(), 0);
}

TEST_F(VtRaporTest, TheOptionTextInsideADescriptionOpensNoChooser) {
  WriteList("[def]C:\\r\\a.vlp|[*]RAPORSECENEKLERINIGOSTER notu\r\n");
  EXPECT_EQ(Default(false), "C:\\r\\a.vlp");
  EXPECT_EQ(ChooserShows(), 0);
}

TEST_F(VtRaporTest, ADamagedListFileIsReportedAndLeftAlone) {
  const FileBytes damaged = {'[', 'd', 'e', 'f', ']', 0x00, 0x01, 0xFF, 0x02};
  WriteFileBytes(listFile, damaged);
  AnsiString layout;
  EXPECT_THROW(rapor->GetDefaultReport(listFile, defaultLayout, layout, false), EReportListError);
  EXPECT_EQ(ReadFileBytes(listFile), damaged);
}

// ---- The runner seam -----------------------------------------------------------
struct RunnerCall {
  TVtRapor* Rapor;
  AnsiString Layout, Mode;
  bool operator==(const RunnerCall&) const = default;
};

class RunnerScope {
public:
  explicit RunnerScope(std::vector<RunnerCall>& Calls)
      : previous_(SetReportRunner([&Calls](TVtRapor& Rapor, const AnsiString& Layout, const AnsiString& Mode) {
          Calls.push_back({&Rapor, Layout, Mode});
        })) {}
  ~RunnerScope() { SetReportRunner(previous_); }

private:
  TReportRunner previous_;
};

TEST_F(VtRaporTest, PreviewAndPrintRunTheRunnerInTheirModes) {
  std::vector<RunnerCall> calls;
  RunnerScope scope(calls);
  rapor->PreviewReport("C:\\r\\a.vlp");
  rapor->PrintReport("C:\\r\\b.vlp");
  EXPECT_EQ(calls, (std::vector<RunnerCall>{{rapor, "C:\\r\\a.vlp", "Preview"}, {rapor, "C:\\r\\b.vlp", "Print"}}));
}

TEST_F(VtRaporTest, AnEmptyLayoutNameRunsNothing) {
  std::vector<RunnerCall> calls;
  RunnerScope scope(calls);
  rapor->PrintReport("");
  rapor->PreviewReport("");
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(VtRaporTest, WithoutARunnerPrintingFailsWithATurkishMessage) {
  const TReportRunner previous = SetReportRunner(nullptr);
  try {
    rapor->PrintReport("C:\\r\\a.vlp");
    ADD_FAILURE() << "printing without a runner reported success";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message.find("Rapor calistirici"), AnsiString::npos) << e.Message;
  }
  SetReportRunner(previous);
}

TEST_F(VtRaporTest, DesignReportWithoutADesignerFailsInTurkishThroughTheTranslateHook) {
  const TReportDesigner previous = SetReportDesigner(nullptr);
  rapor->OnTranslate = [](AnsiString Text, AnsiString& Result) { Result = "<" + Text + ">"; };
  try {
    rapor->DesignReport("C:\\r\\a.vlp");
    ADD_FAILURE() << "designing without a designer reported success";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "<Rapor tasarimcisi kurulu degil; rapor tasarlanamadi.>");
  }
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_EQ(rapor->DesignerForm(), nullptr);
  SetReportDesigner(previous);
}

TEST_F(VtRaporTest, AnInstalledDesignerGetsTheLayoutAndIsForgottenAfterwards) {
  AnsiString opened = "none";
  TForm* designerForm = NewForm<TForm>(Application);
  const TReportDesigner previous = SetReportDesigner([&](TVtRapor& Rapor, const AnsiString& Layout) {
    opened = Layout;
    Rapor.SetDesignerForm(designerForm);
    EXPECT_EQ(Rapor.DesignerForm(), designerForm);
  });
  rapor->DesignReport("");
  EXPECT_EQ(opened, "");
  EXPECT_EQ(rapor->DesignerForm(), nullptr);
  EXPECT_TRUE(dialogs.Records().empty());
  SetReportDesigner(previous);
  designerForm->Free();
}

// ---- Printer named by the list ------------------------------------------------------
class PrinterFromListTest : public VtRaporTest {
protected:
  PrinterFromListTest() : spoolerScope(spooler) {
    for (const char* name : {"Lazer", "Nokta Vuruşlu", "PDF Yazıcı"}) {
      TFakePrinter printer;
      printer.Name = name;
      spooler.AddPrinter(printer);
    }
    spooler.Default = "PDF Yazıcı";
    Printer().Refresh();
    Printer().SetPrinterIndex(-1);
  }
  ~PrinterFromListTest() override { Printer().Refresh(); }

  TFakeSpooler spooler;
  SpoolerScope spoolerScope;
};

TEST_F(PrinterFromListTest, TheNamedPrinterElseTheCurrentOne) {
  const int current = Printer().PrinterIndex();
  ASSERT_EQ(Printer().Printers().Strings(current), "PDF Yazıcı");
  EXPECT_EQ(rapor->PrinterIndexFromList(listFile), current);  // no list file

  struct Case {
    const char* List;
    int Expected;  // -1: the current printer
  };
  const Case cases[] = {
      {"C:\\r\\a.vlp|A\r\n[*]PRINTER=Nokta Vuruşlu\r\n[*]COPY=2\r\n", 1},
      {"[*]PRINTER=Lazer\r\n", 0},
      {"[*]PRINTER=Silinmiş Yazıcı\r\n", -1},
      {"[*]PRINTER=\r\n", -1},
      {"C:\\r\\a.vlp|A\r\n", -1},
  };
  for (const Case& c : cases) {
    WriteList(c.List);
    EXPECT_EQ(rapor->PrinterIndexFromList(listFile), c.Expected < 0 ? current : c.Expected) << c.List;
  }
  EXPECT_EQ(Printer().PrinterIndex(), current);  // asking changes nothing
}

// ---- Dispatchers and hooks ---------------------------------------------------------
TEST_F(VtRaporTest, UnansweredDispatchersLeaveTheirArgumentsAsTheyCame) {
  TDataSet* dataSet = reinterpret_cast<TDataSet*>(rapor);
  rapor->DoGetDataSet("ETIKET", dataSet);
  EXPECT_EQ(dataSet, reinterpret_cast<TDataSet*>(rapor));
  TComponent* component = rapor;
  AnsiString value = "ERROR";
  rapor->DoGetParam(component, "BARKOD_TEST1", value);
  EXPECT_EQ(value, "ERROR");
  int index = 5, copies = 3;
  rapor->DoGetPrinterIndex(index);
  rapor->DoGetPrinterCopies(copies);
  EXPECT_EQ(index, 5);
  EXPECT_EQ(copies, 3);
  AnsiString text = "metin";
  rapor->DoLabelPrint(rapor, text);
  EXPECT_EQ(text, "metin");
  rapor->DoGetSQLContent(nullptr);
  rapor->DoBeforeReportPrint(rapor);
  EXPECT_EQ(rapor->Translate("Varsayilan"), "Varsayilan");
}

TEST_F(VtRaporTest, TheMailAddressIsClearedBeforeTheHostIsAsked) {
  AnsiString address = "eski@adres";
  rapor->DoGetMailAdress(address);
  EXPECT_EQ(address, "");
  AnsiString seen = "unset";
  rapor->OnGetMailAdress = [&](TObject* Sender, AnsiString& Mail) {
    EXPECT_EQ(Sender, rapor);
    seen = Mail;
    Mail += "ali@ornek";
  };
  address = "eski@adres";
  rapor->DoGetMailAdress(address);
  EXPECT_EQ(seen, "");
  EXPECT_EQ(address, "ali@ornek");
}

TEST_F(VtRaporTest, AMemoReplacedByTheSqlHandlerIsNotTakenOver) {
  TQRMemo* const memo = reinterpret_cast<TQRMemo*>(rapor);
  TQRMemo* handed = nullptr;
  rapor->OnGetSQLContent = [&](TObject*, TQRMemo*& Memo) {
    handed = Memo;
    Memo = nullptr;
  };
  TQRMemo* mine = memo;
  rapor->DoGetSQLContent(mine);
  EXPECT_EQ(handed, memo);
  EXPECT_EQ(mine, memo);
}

TEST_F(VtRaporTest, AnsweredDispatchersPassTheComponentAsSender) {
  std::vector<AnsiString> seen;
  rapor->OnGetParam = [&](TObject* Sender, TComponent*& Component, AnsiString ParamStr, AnsiString& GValue) {
    EXPECT_EQ(Sender, rapor);
    seen.push_back(ParamStr);
    GValue = "8690000000001";
  };
  rapor->OnGetPrinterIndex = [&](TObject* Sender, int& PrnIndex) { PrnIndex = 2; };
  rapor->OnGetPrinterCopies = [&](TObject* Sender, int& Copies) { Copies = 4; };
  rapor->OnLabelPrint = [&](TObject* Sender, TComponent* Component, AnsiString& Value) { Value += "!"; };
  rapor->OnFormOpen = [&](TCustomForm* Form) { seen.push_back(Form == nullptr ? "nil" : "form"); };
  TComponent* component = rapor;
  AnsiString value;
  rapor->DoGetParam(component, "BARKOD_TEST1", value);
  int index = -1, copies = 1;
  rapor->DoGetPrinterIndex(index);
  rapor->DoGetPrinterCopies(copies);
  AnsiString text = "Etiket";
  rapor->DoLabelPrint(rapor, text);
  rapor->DoFormOpen(nullptr);
  EXPECT_EQ(value, "8690000000001");
  EXPECT_EQ(index, 2);
  EXPECT_EQ(copies, 4);
  EXPECT_EQ(text, "Etiket!");
  EXPECT_EQ(seen, (std::vector<AnsiString>{"BARKOD_TEST1", "nil"}));
}

// ---- Streaming ---------------------------------------------------------------------
TEST_F(VtRaporTest, ListsAndMaskAreStoredAndReadBack) {
  RegisterLayoutComponents();
  rapor->SetName("VtRapor");
  TStringList fields;
  fields.Add("ETIKET|Etiket Yazdırma|ETIKET|Etiket Bilgileri|METIN1|Metin 1|");
  fields.Add("ETIKET|Etiket Yazdırma|ETIKET|Etiket Bilgileri|METIN2|Metin 2|");
  fields.Add("");
  rapor->SetFieldList(&fields);
  fields.Clear();  // the component keeps its own copy
  TStringList parameters;
  parameters.Add("BARKOD_TEST1|Dozuri Test");
  rapor->SetParametreList(&parameters);
  rapor->SetHassasiyet("#,##0.00");

  const std::string text = test_support::ComponentText(rapor);
  // The published order: the two lists, then the mask.
  EXPECT_EQ(text,
            "object VtRapor: TVtRapor\r\n"
            "  FieldList.Strings = (\r\n"
            "    'ETIKET|Etiket Yazd'#253'rma|ETIKET|Etiket Bilgileri|METIN1|Metin 1|'\r\n"
            "    'ETIKET|Etiket Yazd'#253'rma|ETIKET|Etiket Bilgileri|METIN2|Metin 2|'\r\n"
            "    '')\r\n"
            "  ParametreList.Strings = (\r\n"
            "    'BARKOD_TEST1|Dozuri Test')\r\n"
            "  Hassasiyet = '#,##0.00'\r\n"
            "end\r\n");
  TVtRapor* copy = new TVtRapor(nullptr);
  test_support::ReadComponentText(text, copy);
  EXPECT_EQ(copy->FieldList()->Count(), 3);
  EXPECT_EQ(copy->FieldList()->Strings(1), "ETIKET|Etiket Yazdırma|ETIKET|Etiket Bilgileri|METIN2|Metin 2|");
  EXPECT_EQ(copy->ParametreList()->Text(), "BARKOD_TEST1|Dozuri Test\r\n");
  EXPECT_EQ(copy->Hassasiyet(), "#,##0.00");
  EXPECT_EQ(FindClass("TVtRapor"), TVtRapor::StaticClass());
  copy->Free();
}

}  // namespace

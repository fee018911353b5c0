// The print request of the print page through the main form, every dialog
// answered from a script and the report run replaced by a recording runner:
// the start position's placeholders reach the run at the top of the label
// table, a cancelled request leaves the labels as they were, and the main
// form answers the report component's questions.
#include <functional>

#include "app/labeltable.h"
#include "app/shell/defaultlayout.h"
#include "app/shell/programidentity.h"
#include "classlib/graphics/font.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/printers/printers.h"
#include "layouts/raporsecf.h"
#include "layouts/reportlistfile.h"
#include "shell_test_util.h"
// After the Windows headers, so its DeleteFile is the one meant.
#include "classlib/system/fileutils.h"

namespace {

// A banded-report label as the runner hands it to the host: a caption and a font.
class TQRLabel : public TComponent {
  DECLARE_CLASS(TQRLabel, TComponent)

public:
  explicit TQRLabel(TComponent* AOwner) : TComponent(AOwner), FFont(new TFont) {}
  ~TQRLabel() override { delete FFont; }

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& Value) { FCaption = Value; }
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

private:
  AnsiString FCaption;
  TFont* FFont;
};

}  // namespace

BEGIN_PUBLISHED(TQRLabel)
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Font, Font, SetFont),
END_PUBLISHED

namespace {

using namespace shell_test;
using Texts = std::vector<AnsiString>;

// One run as the runner saw it.
struct TRun {
  AnsiString Layout;
  AnsiString Mode;
  AnsiString ListFile;  // ActiveListFile during the run
  Texts Labels;         // METIN1 of each label, "*" for a placeholder
};

class PrintRequestTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    previous = SetReportRunner([this](TVtRapor& rapor, const AnsiString& layout, const AnsiString& mode) {
      TDataSet* labels = nullptr;
      rapor.DoGetDataSet("ETIKET", labels);
      runs.push_back({layout, mode, ActiveListFile, labels != nullptr ? LabelsOf(*labels) : Texts{}});
    });
  }
  void TearDown() override {
    SetReportRunner(previous);
    ActiveListFile = "";
    MainFormTest::TearDown();
  }

  static Texts LabelsOf(TDataSet& table) {
    Texts texts;
    for (table.First(); !table.Eof(); table.Next())
      texts.push_back(table.FieldByName("BAS")->AsBoolean() ? AnsiString("*")
                                                           : table.FieldByName("METIN1")->AsString());
    return texts;
  }
  Texts Labels() { return LabelsOf(*form->RxEtiket); }
  void AddLabels(std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
      form->RxEtiket->Append();
      form->RxEtiket->FieldByName("METIN1")->SetAsString(text);
      form->RxEtiket->Post();
    }
  }
  AnsiString ListFile() const { return folder.File("Data\\Ini\\etiketyeni.ini"); }
  AnsiString DefaultLayout() const { return folder.File("etiket.vlp"); }
  void WriteList(const AnsiString& text) { WriteFileBytes(ListFile(), FileBytes(text.begin(), text.end())); }
  // The chooser shown in selection mode is ended by Drive.
  void DriveChooser(const std::function<void(TRaporSecF&)>& Drive) {
    dialogs.OnModalForm = [Drive](TCustomForm& form) {
      auto& chooser = dynamic_cast<TRaporSecF&>(form);
      chooser.Show();
      forms_test::PumpUntil([] { return false; }, 30);
      if (chooser.ModalResult() == mrNone)
        Drive(chooser);
      chooser.Hide();
    };
  }

  TReportRunner previous;
  std::vector<TRun> runs;
};

TEST_F(PrintRequestTest, TheStartPositionPutsPlaceholdersAtTheTopOfTheRun) {
  TAnaF& f = Create();
  AddLabels({"A", "B"});
  dialogs.AnswerText("5");
  f.YazdirClick(f.Yazdir1);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::InputQuery);
  EXPECT_EQ(dialogs.Records()[0].Caption, f.Caption());
  EXPECT_EQ(dialogs.Records()[0].Text, "Kaçıncı etiketten başlanacak");
  EXPECT_EQ(dialogs.Records()[0].Value, "1");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Layout, DefaultLayout());
  EXPECT_EQ(runs[0].Mode, ReportModePrint);
  EXPECT_EQ(runs[0].ListFile, ListFile());
  EXPECT_EQ(runs[0].Labels, (Texts{"*", "*", "*", "*", "A", "B"}));
  // The placeholders stay after the run; the next request removes them
  // first, so two requests in a row never pile them up.
  EXPECT_EQ(PlaceholderCount(*f.RxEtiket), 4);
  dialogs.AnswerText("3");
  f.YazdirClick(f.Onizleme1);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].Mode, ReportModePreview);
  EXPECT_EQ(runs[1].Labels, (Texts{"*", "*", "A", "B"}));
  // Start position 1 puts no placeholder; an empty table still gets its
  // placeholders, so a blank position runs.
  dialogs.AnswerText("1");
  f.YazdirClick(f.Yazdir1);
  EXPECT_EQ(runs.at(2).Labels, (Texts{"A", "B"}));
  f.RxEtiket->EmptyTable();
  dialogs.AnswerText("2");
  f.YazdirClick(f.Yazdir1);
  EXPECT_EQ(runs.at(3).Labels, (Texts{"*"}));
}

TEST_F(PrintRequestTest, TheLayoutComesFromTheReportList) {
  TAnaF& f = Create();
  struct Case {
    const char* list;
    AnsiString layout;
  } const cases[] = {
      {"", DefaultLayout()},
      {"[def]default|Varsayılan\r\n", DefaultLayout()},
      {"a.vlp|A\r\n[def]C:\\Raporlar\\b.vlp|B\r\n", "C:\\Raporlar\\b.vlp"},
  };
  for (const Case& c : cases) {
    runs.clear();
    WriteList(c.list);
    dialogs.AnswerText("1");
    f.YazdirClick(f.Yazdir1);
    ASSERT_EQ(runs.size(), 1u) << c.list;
    EXPECT_EQ(runs[0].Layout, c.layout) << c.list;
  }
  // A list that asks for the chooser runs the row confirmed there.
  runs.clear();
  WriteList("[*]RAPORSECENEKLERINIGOSTER\r\nC:\\Raporlar\\c.vlp|C\r\n");
  DriveChooser([](TRaporSecF& chooser) {
    chooser.ListView1->Items()->Item(1)->SetSelected(true);
    chooser.ButtonRaporSec->Click();
  });
  dialogs.AnswerText("1");
  f.YazdirClick(f.Yazdir1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Layout, "C:\\Raporlar\\c.vlp");
}

// Each way a request can end before its run leaves the real labels as they
// were, no placeholder (neither an earlier request's nor its own) and no
// list file set.
TEST_F(PrintRequestTest, AnEndedRequestLeavesTheLabelsAsTheyWere) {
  TAnaF& f = Create();
  struct Case {
    const char* name;
    std::function<void()> script;
    const char* message;  // "" when the user is told nothing
  };
  const Case cases[] = {
      {"start cancelled", [&] { dialogs.AnswerCancel(); }, ""},
      {"start 0", [&] { dialogs.AnswerText("0").AnswerButton(IDOK); },
       "Etiket sırası 1'den başlar; lütfen 1 ya da daha büyük bir sayı giriniz."},
      {"start -2", [&] { dialogs.AnswerText("-2").AnswerButton(IDOK); },
       "Etiket sırası 1'den başlar; lütfen 1 ya da daha büyük bir sayı giriniz."},
      {"start letters", [&] { dialogs.AnswerText("beş").AnswerButton(IDOK); }, "Lütfen geçerli bir tamsayı giriniz."},
      {"start too far", [&] { dialogs.AnswerText("1000000").AnswerButton(IDOK); },
       "En fazla 10000. etiketten başlanabilir."},
      {"chooser cancelled",
       [&] {
         WriteList("[*]RAPORSECENEKLERINIGOSTER\r\nC:\\Raporlar\\c.vlp|C\r\n");
         DriveChooser([](TRaporSecF& chooser) { chooser.SetModalResult(mrCancel); });
         dialogs.AnswerText("4");
       },
       ""},
  };
  AddLabels({"A", "B"});
  for (const Case& c : cases) {
    InsertPlaceholders(*f.RxEtiket, 2);  // left by an earlier request
    dialogs.Clear();
    c.script();
    f.YazdirClick(f.Yazdir1);
    EXPECT_TRUE(runs.empty()) << c.name;
    EXPECT_EQ(Labels(), (Texts{"A", "B"})) << c.name;
    EXPECT_EQ(ActiveListFile, "") << c.name;
    EXPECT_EQ(dialogs.Pending(), 0) << c.name;
    const TDialogRecord& last = dialogs.Records().back();
    if (*c.message != '\0')
      EXPECT_EQ(last.Text, c.message) << c.name;
    else
      EXPECT_NE(last.Kind, TDialogKind::MessageBox) << c.name;
    DeleteFile(ListFile());
  }
}

// A list file that cannot be read ends the request with its message (the
// exception reaches the application's handler) and takes this request's
// placeholders away too.
TEST_F(PrintRequestTest, ADamagedListEndsTheRequestWithoutPlaceholders) {
  TAnaF& f = Create();
  AddLabels({"A"});
  WriteList(AnsiString("[def]a.vlp\r\n\x01\x02\x03", 15));
  dialogs.AnswerText("3");
  EXPECT_THROW(f.YazdirClick(f.Yazdir1), EReportListError);
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(Labels(), (Texts{"A"}));
}

// With no runner in the program, the user is told so in the standard
// error box, and the request's list file is forgotten.
TEST_F(PrintRequestTest, WithoutARunnerTheUserIsToldPrintingIsNotAvailable) {
  TAnaF& f = Create();
  SetReportRunner(nullptr);
  AddLabels({"A"});
  for (TMenuItem* item : {f.Yazdir1, f.Onizleme1}) {
    dialogs.Clear();
    dialogs.AnswerText("1").AnswerButton(IDOK);
    try {
      item->Click();
      ADD_FAILURE() << "the request ran without a runner";
    } catch (...) {
      Application->HandleException(item);
    }
    ASSERT_EQ(dialogs.Records().size(), 2u);
    EXPECT_EQ(dialogs.Records()[1].Text, "Rapor calistirici bu surumde henuz yok; rapor yazdirilamadi.");
    EXPECT_EQ(ActiveListFile, "");
    EXPECT_EQ(Labels(), (Texts{"A"}));
  }
}

// Blank positions that fill a whole sheet of the chosen layout (21 labels on
// the default one) would only feed empty sheets: the request names the
// largest useful start position instead and leaves no placeholder.
TEST_F(PrintRequestTest, AStartPastTheSheetIsRefusedWithTheLayoutsLabelsPerSheet) {
  TAnaF& f = Create();
  {
    TForm* writer = new TForm(nullptr);
    WriteDefaultLabelLayout(*writer, DefaultLayout());
    writer->Free();
  }
  AddLabels({"869000000001", "869000000002"});
  const char* const refused = "Seçilen raporda bir sayfaya 21 etiket sığar; en fazla 21. etiketten başlanabilir.";
  for (const char* start : {"22", "999", "43"}) {
    dialogs.Clear();
    dialogs.AnswerText(start).AnswerButton(IDOK);
    f.YazdirClick(f.Onizleme1);
    EXPECT_TRUE(runs.empty()) << start;
    EXPECT_EQ(dialogs.Records().back().Text, refused) << start;
    EXPECT_EQ(Labels(), (Texts{"869000000001", "869000000002"})) << start;
    EXPECT_EQ(ActiveListFile, "") << start;
  }
  // The last position of the sheet runs, its placeholders first.
  dialogs.Clear();
  dialogs.AnswerText("21");
  f.YazdirClick(f.Yazdir1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Labels.size(), 22u);
  EXPECT_EQ(PlaceholderCount(*f.RxEtiket), 20);
}

// A run that stops on an error, such as a machine without any printer,
// reaches the application's handler with a Turkish message that says what
// to do, and takes this request's placeholders away.
TEST_F(PrintRequestTest, ARunStoppedForWantOfAPrinterLeavesNoPlaceholders) {
  TAnaF& f = Create();
  SetReportRunner([](TVtRapor&, const AnsiString&, const AnsiString&) {
    TFakeSpooler none;
    SpoolerScope scope(none);
    TPrinter printer;
    printer.PrinterIndex();
  });
  AddLabels({"A"});
  for (TMenuItem* item : {f.Yazdir1, f.Onizleme1}) {
    dialogs.Clear();
    dialogs.AnswerText("4");
    try {
      item->Click();
      ADD_FAILURE() << "the run went on without a printer";
    } catch (const EPrinter& e) {
      EXPECT_NE(e.Message.find("yazıcı yok"), AnsiString::npos) << e.Message;
      EXPECT_NE(e.Message.find("yazıcı kurun"), AnsiString::npos) << e.Message;
    }
    EXPECT_EQ(Labels(), (Texts{"A"}));
  }
}

TEST_F(PrintRequestTest, SettingsOpenTheReportManagerWithoutStartingARequest) {
  TAnaF& f = Create();
  AddLabels({"A"});
  InsertPlaceholders(*f.RxEtiket, 1);
  bool managed = false;
  AnsiString listDuringSettings = "not shown";
  dialogs.OnModalForm = [&](TCustomForm& form) {
    auto& chooser = dynamic_cast<TRaporSecF&>(form);
    managed = chooser.Panel2->Visible() && !chooser.ButtonRaporSec->Visible();
    EXPECT_EQ(chooser.ListFileName, ListFile());
    EXPECT_EQ(chooser.DefaultLayout, DefaultLayout());
    listDuringSettings = ActiveListFile;
    chooser.SetModalResult(mrCancel);
  };
  f.Ayarla1->Click();
  EXPECT_TRUE(managed);
  EXPECT_EQ(listDuringSettings, "");
  EXPECT_EQ(ActiveListFile, "");
  EXPECT_EQ(Labels(), (Texts{"*", "A"}));
  EXPECT_TRUE(runs.empty());
}

TEST_F(PrintRequestTest, TheDropDownAndTheReportComponentAreSetUp) {
  TAnaF& f = Create();
  EXPECT_TRUE(f.ButtonYazdir->Enabled());
  EXPECT_EQ(f.ButtonYazdir->Caption(), "Yazdır");
  EXPECT_EQ(f.ButtonYazdir->DropDownMenu(), f.PopupYazdir);
  Texts captions;
  for (int i = 0; i < f.PopupYazdir->Items()->Count(); ++i)
    captions.push_back(f.PopupYazdir->Items()->Items(i)->Caption());
  EXPECT_EQ(captions, (Texts{"Yazdır", "Önizleme Yap", "-", "Ayarlar"}));

  TStrings& fields = *f.VtRapor->FieldList();
  ASSERT_EQ(fields.Count(), 21);
  EXPECT_EQ(fields.Strings(0), "ETIKET|Etiket Yazdırma|ETIKET|Etiket Bilgileri|METIN1|Metin 1|");
  EXPECT_EQ(fields.Strings(19), "ETIKET|Etiket Yazdırma|ETIKET|Etiket Bilgileri|METIN20|Metin 20|");
  EXPECT_EQ(fields.Strings(20), "");
  ASSERT_EQ(f.VtRapor->ParametreList()->Count(), 1);
  EXPECT_EQ(f.VtRapor->ParametreList()->Strings(0), "BARKOD_TEST1|Dozuri Test");
  EXPECT_FALSE(f.VtRapor->OnGetSQLContent);
  EXPECT_FALSE(f.VtRapor->OnGetMailAdress);
  EXPECT_FALSE(f.VtRapor->OnBeforeReportPrint);
  EXPECT_FALSE(f.VtRapor->OnLabelPrint);
}

TEST_F(PrintRequestTest, TheHostAnswersDataSetAndParameter) {
  TAnaF& f = Create();
  TDataSet* data = nullptr;
  f.VtRapor->DoGetDataSet("ETIKET", data);
  EXPECT_EQ(data, f.RxEtiket);
  for (const char* other : {"etiket", "BARKOD", ""}) {
    data = nullptr;
    f.VtRapor->DoGetDataSet(other, data);
    EXPECT_EQ(data, nullptr) << other;
  }

  // The test barcode prints in the barcode font and shows what the label
  // was designed to show: never the runner's text for a missing value.
  struct Case {
    const char* param;
    const char* caption;
    const char* value;  // the answer
    const char* font;
  } const cases[] = {
      {"BARKOD_TEST1", "8690000000019", "8690000000019", "ZEBRA EAN13"},
      {"BARKOD_TEST1", "", " ", "ZEBRA EAN13"},
      {"FIYAT", "8690000000019", "", "Arial"},
  };
  for (const Case& c : cases) {
    TQRLabel* label = new TQRLabel(f.VtRapor);
    label->SetCaption(c.caption);
    label->Font()->SetName("Arial");
    TComponent* component = label;
    AnsiString value;
    f.VtRapor->DoGetParam(component, c.param, value);
    EXPECT_EQ(value, c.value) << c.param << c.caption;
    EXPECT_EQ(label->Font()->Name(), c.font) << c.param << c.caption;
    label->Free();
  }
  // A component that is no label is left alone.
  TComponent* other = new TComponent(f.VtRapor);
  AnsiString value;
  f.VtRapor->DoGetParam(other, "BARKOD_TEST1", value);
  EXPECT_EQ(value, "");
  other->Free();
}

TEST_F(PrintRequestTest, PrinterAndCopiesFollowTheActiveListFile) {
  TAnaF& f = Create();
  // Without a request the runner's own answers stand.
  int index = 77, copies = 5;
  f.VtRapor->DoGetPrinterIndex(index);
  f.VtRapor->DoGetPrinterCopies(copies);
  EXPECT_EQ(index, 77);
  EXPECT_EQ(copies, 5);

  TStrings& printers = Printer().Printers();
  const AnsiString named = printers.Count() > 0 ? printers.Strings(printers.Count() - 1) : AnsiString();
  WriteList("[def]a.vlp|A\r\n[*]PRINTER=" + named + "\r\n[*]COPY=3\r\n");
  ActiveListFile = ListFile();
  f.VtRapor->DoGetPrinterIndex(index);
  EXPECT_EQ(index, printers.Count() > 0 ? printers.Count() - 1 : Printer().PrinterIndex());
  f.VtRapor->DoGetPrinterCopies(copies);
  EXPECT_EQ(copies, 3);

  // A list without a copy line prints one copy; a count beyond reason is
  // refused with a message before anything prints.
  WriteList("[def]a.vlp|A\r\n");
  f.VtRapor->DoGetPrinterCopies(copies);
  EXPECT_EQ(copies, 1);
  WriteList("[*]COPY=2000000\r\n");
  copies = 1;
  try {
    f.VtRapor->DoGetPrinterCopies(copies);
    ADD_FAILURE() << "a huge copy count was taken";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message.find("kopya sayısı (2000000) çok büyük"), AnsiString::npos) << e.Message;
  }
  EXPECT_EQ(copies, 1);
}

// A run through the menu sees the printer and copies the settings saved.
TEST_F(PrintRequestTest, TheRunSeesTheListsPrinterAndCopies) {
  TAnaF& f = Create();
  AddLabels({"A"});
  WriteList("[*]COPY=2\r\n");
  int copies = 0;
  SetReportRunner([&](TVtRapor& rapor, const AnsiString&, const AnsiString&) {
    copies = 1;
    rapor.DoGetPrinterCopies(copies);
  });
  dialogs.AnswerText("1");
  f.Yazdir1->Click();
  EXPECT_EQ(copies, 2);
}

}  // namespace

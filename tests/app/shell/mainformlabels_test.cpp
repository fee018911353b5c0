// The label commands of the print page through the main form, every dialog
// answered from a script: ">" asks "Kaç Adet" and copies the current record,
// ">>" every shown record grouped per record, "<" deletes the current label
// without a question, "<<" asks first.
#include "shell_test_util.h"

namespace {

using namespace shell_test;

class LabelCommandTest : public MainFormTest {
protected:
  std::vector<AnsiString> Labels() {
    std::vector<AnsiString> texts;
    TRxMemoryData& table = *form->RxEtiket;
    for (table.First(); !table.Eof(); table.Next())
      texts.push_back(table.FieldByName("METIN1")->AsString());
    return texts;
  }
  using Texts = std::vector<AnsiString>;
};

TEST_F(LabelCommandTest, OneRecordIsCopiedAsOftenAsAsked) {
  TAnaF& f = Create();
  AddRecord({{1, "8690000000019"}, {2, "Çay"}});
  AddRecord({{1, "8690000000026"}, {2, "Şeker"}});
  f.RxBarkod->First();
  dialogs.AnswerText("3");
  f.Button1Click(nullptr);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, f.Caption());
  EXPECT_EQ(dialogs.Records()[0].Text, "Kaç Adet");
  EXPECT_EQ(dialogs.Records()[0].Value, "1");
  EXPECT_EQ(Labels(), (Texts{"8690000000019", "8690000000019", "8690000000019"}));
  EXPECT_EQ(f.RxEtiket->FieldByName("METIN2")->AsString(), "Çay");
  EXPECT_TRUE(f.RxEtiket->FieldByName("BAS")->IsNull());
}

TEST_F(LabelCommandTest, AllShownRecordsAreCopiedGroupedPerRecord) {
  TAnaF& f = Create();
  AddRecord({{1, "A"}});
  AddRecord({{1, "B"}});
  dialogs.AnswerText("3");
  f.Button3Click(nullptr);
  EXPECT_EQ(Labels(), (Texts{"A", "A", "A", "B", "B", "B"}));
  // The controls were enabled again at the end.
  EXPECT_FALSE(f.RxBarkod->ControlsDisabled());
  EXPECT_FALSE(f.RxEtiket->ControlsDisabled());
}

TEST_F(LabelCommandTest, CountsThatCannotBeUsedAddNothing) {
  TAnaF& f = Create();
  AddRecord({{1, "A"}});
  struct Case {
    const char* answer;
    const char* message;
  } cases[] = {{"0", "Lütfen geçerli bir tamsayı giriniz."},  {"-1", "Lütfen geçerli bir tamsayı giriniz."},
               {"abc", "Lütfen geçerli bir tamsayı giriniz."}, {"", "Lütfen geçerli bir tamsayı giriniz."},
               {"1000000", "En fazla 10000 adet girilebilir."}};
  for (const Case& c : cases) {
    for (int command = 0; command < 2; ++command) {
      dialogs.Clear();
      dialogs.AnswerText(c.answer).AnswerButton(IDOK);
      if (command == 0)
        f.Button1Click(nullptr);
      else
        f.Button3Click(nullptr);
      ASSERT_EQ(dialogs.Records().size(), 2u) << c.answer;
      EXPECT_EQ(dialogs.Records()[1].Text, c.message) << c.answer;
      EXPECT_EQ(f.RxEtiket->RecordCount(), 0) << c.answer;
    }
  }
  dialogs.Clear();
  dialogs.AnswerCancel();
  f.Button1Click(nullptr);
  EXPECT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(f.RxEtiket->RecordCount(), 0);
}

TEST_F(LabelCommandTest, WithNoShownRecordTheUserIsToldAndNotAsked) {
  TAnaF& f = Create();
  for (int command = 0; command < 2; ++command) {
    dialogs.Clear();
    dialogs.AnswerButton(IDOK);
    if (command == 0)
      f.Button1Click(nullptr);
    else
      f.Button3Click(nullptr);
    ASSERT_EQ(dialogs.Records().size(), 1u);
    EXPECT_EQ(dialogs.Records()[0].Text, "Filtrelenmiş kayıt bulunamadı.");
  }
}

TEST_F(LabelCommandTest, DeletingOneOrAllLabels) {
  TAnaF& f = Create();
  AddRecord({{1, "A"}});
  AddRecord({{1, "B"}});
  // "<" on an empty table does nothing and says nothing.
  f.Button2Click(nullptr);
  EXPECT_TRUE(dialogs.Records().empty());
  dialogs.AnswerText("1");
  f.Button3Click(nullptr);
  f.RxEtiket->First();
  f.Button2Click(nullptr);
  EXPECT_EQ(Labels(), (Texts{"B"}));
  dialogs.Clear();
  dialogs.AnswerButton(IDNO);
  f.Button4Click(nullptr);
  EXPECT_EQ(dialogs.Records()[0].Text, "Tüm kayıtlı etiketler silinsin mi?");
  EXPECT_EQ(Labels(), (Texts{"B"}));
  dialogs.AnswerButton(IDYES);
  f.Button4Click(nullptr);
  EXPECT_TRUE(Labels().empty());
}

TEST_F(LabelCommandTest, TheButtonsAreEnabledWithTheirHints) {
  TAnaF& f = Create();
  const char* hints[] = {"Seçili barkodu listeye al", "Seçili etiketi listeden sil", "Tüm barkodları listeye at",
                         "Tüm etiketleri temizle"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(f.LabelCommandButtons[i]->Enabled());
    EXPECT_EQ(f.LabelCommandButtons[i]->Hint(), hints[i]);
  }
}

}  // namespace

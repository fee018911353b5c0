// The Excel import form: its mapping table and controls at creation, the
// "Aktar" toggle, the checks before the transfer, the rows that become
// records, errors of single cells collected on "Hatalar", and a worksheet
// that cannot be opened leaving nothing behind.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/excel/k_excelaktarf.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/forms/scripteddialogs.h"
#include "tests/support/scratchfolder.h"

namespace {

// What the stand-in workbook was asked.
struct TWorkbookUse {
  int Made = 0;
  bool Open = false;
  bool Closed = false;
};

// A workbook of two worksheets whose used range ends at LastRow; its cells
// read "<row><letter>" in columns A and B and nothing beyond; the cell
// (3, 2) fails when FailCell is set.
class TStandInWorkbook : public workbook::TWorkbookReader {
public:
  TStandInWorkbook(TWorkbookUse& use, int lastRow, bool failCell) : use_(use), lastRow_(lastRow), failCell_(failCell) {}
  void OpenWorkbook(const AnsiString&) override { use_.Open = true; }
  void OpenWorksheet(int number) override {
    if (number > 2)
      throw Exception("\"kitap.xlsx\" dosyası okunamadı: çalışma kitabında 3. çalışma sayfası yok (2 çalışma sayfası var).");
  }
  int LastUsedRow() override { return lastRow_; }
  AnsiString CellText(int row, int column) override {
    if (failCell_ && row == 3 && column == 2)
      throw Exception("okunamadı");
    return column <= 2 ? std::to_string(row) + char('A' + column - 1) : AnsiString();
  }
  void Close() noexcept override { use_.Closed = true; }

private:
  TWorkbookUse& use_;
  int lastRow_;
  bool failCell_;
};

class ExcelImport : public testing::Test {
protected:
  ExcelImport() : records(new TRxMemoryData(nullptr)) {
    DefineBarcodeRecordFields(*records);
    records->Open();
    dialogs.AnswerButton(IDOK).AnswerButton(IDOK).AnswerButton(IDOK);
    form = new TK_ExcelAktarF(nullptr, records.get());
    form->ReaderFactory = [this] {
      ++use.Made;
      return std::make_unique<TStandInWorkbook>(use, lastRow, failCell);
    };
    workbookName = folder.File("kitap.xlsx");
    WriteFileBytes(workbookName, FileBytes{'P', 'K'});
    form->FilenameEdit1->SetFileName(workbookName);
  }
  ~ExcelImport() override { form->Free(); }

  // Ticks a mapping row (1..20) and gives it a letter.
  void Map(int row, const AnsiString& letter) {
    form->RxTransfer->SetRecNo(row);
    form->RxTransfer->Edit();
    form->RxTransfer->FieldByName("AKTAR")->SetAsBoolean(true);
    form->RxTransfer->FieldByName("EXCELALANI")->SetAsString(letter);
    form->RxTransfer->Post();
  }
  AnsiString RecordText(int record, int field) {
    records->SetRecNo(record);
    return records->FieldByName(RecordFieldName(field))->AsString();
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  ScratchFolder folder;
  AnsiString workbookName;
  std::unique_ptr<TRxMemoryData> records;
  TK_ExcelAktarF* form;
  TWorkbookUse use;
  int lastRow = 11;
  bool failCell = false;
};

}  // namespace

TEST_F(ExcelImport, MappingTableAndControlsAtCreation) {
  TRxMemoryData* mapping = form->RxTransfer;
  ASSERT_EQ(mapping->RecordCount(), 20);
  EXPECT_EQ(mapping->RecNo(), 1);
  for (int n : {1, 7, 20}) {
    mapping->SetRecNo(n);
    EXPECT_EQ(mapping->FieldByName("ALANADI")->AsString(), "METIN" + std::to_string(n));
    EXPECT_EQ(mapping->FieldByName("ACIKLAMA")->AsString(), "Metin " + std::to_string(n));
    EXPECT_FALSE(mapping->FieldByName("AKTAR")->AsBoolean());
    EXPECT_EQ(mapping->FieldByName("EXCELALANI")->AsString(), "");
  }
  const char* titles[] = {"Aktar", "Alan", "Aciklamasi", "Excel Sutunu"};
  ASSERT_EQ(form->DBGrid1->Columns()->Count(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(form->DBGrid1->Columns()->Items(i)->Title()->Caption(), titles[i]);
  EXPECT_TRUE(form->DBGrid1->Columns()->Items(2)->ReadOnly());
  TStrings* letters = form->DBGrid1->Columns()->Items(3)->PickList();
  ASSERT_EQ(letters->Count(), 79);
  EXPECT_EQ(letters->Strings(0), "A");
  EXPECT_EQ(letters->Strings(26), "AA");
  EXPECT_EQ(letters->Strings(77), "BZ");
  EXPECT_EQ(letters->Strings(78), "");
  EXPECT_EQ(form->FilenameEdit1->Filter(), "Excel Dosyaları (*.XLS)|*.xls;*.xlsx|All files (*.*)|*.*");
  EXPECT_EQ(form->RxSpinEdit1->MinValue(), 1);
  EXPECT_EQ(form->RxSpinEdit1->MaxValue(), 100);
  EXPECT_EQ(form->RxSpinEdit1->AsInteger(), 1);
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_EQ(form->VtWinButton1->Caption(), "Bilgileri Aktar");
  EXPECT_EQ(form->VTProgress1->Statement(), "Excel den aktariliyor");
  EXPECT_FALSE(form->VTProgress1->Visible());
  EXPECT_FALSE(form->TabHatalar->TabVisible());
  EXPECT_EQ(form->TabHatalar->Caption(), "Hatalar");
  EXPECT_EQ(form->Kapat->ShortCut(), VK_ESCAPE);
}

TEST_F(ExcelImport, ColumnLettersAndNumbers) {
  const std::pair<const char*, int> cases[] = {{"A", 1}, {"Z", 26}, {"AA", 27}, {"BZ", 78}, {"CA", 0}, {"", 0}, {"a", 0}};
  for (const auto& [letter, column] : cases)
    EXPECT_EQ(TK_ExcelAktarF::ColumnOfLetter(letter), column) << letter;
  EXPECT_DOUBLE_EQ(form->StringConvertFloat("12,5 TL"), 12.5);
  EXPECT_DOUBLE_EQ(form->StringConvertFloat("1.234,5"), 1234.5);
  EXPECT_EQ(form->StringConvertFloat("yok"), 0);
}

TEST_F(ExcelImport, ClickingTheAktarColumnTogglesTheRow) {
  form->RxTransfer->SetRecNo(3);
  form->DBGrid1CellClick(form->DBGrid1->Columns()->Items(0));
  EXPECT_TRUE(form->RxTransfer->FieldByName("AKTAR")->AsBoolean());
  form->DBGrid1CellClick(form->DBGrid1->Columns()->Items(2));
  EXPECT_TRUE(form->RxTransfer->FieldByName("AKTAR")->AsBoolean()) << "another column leaves it";
  form->DBGrid1CellClick(form->DBGrid1->Columns()->Items(0));
  EXPECT_FALSE(form->RxTransfer->FieldByName("AKTAR")->AsBoolean());
}

TEST_F(ExcelImport, TitlesOnGiveTenRecordsOfElevenRowsAndOnlyMappedFieldsAreFilled) {
  Map(1, "A");
  Map(2, "B");
  Map(5, "Q");  // past the content: reads empty
  form->VtWinButton1Click(nullptr);
  ASSERT_EQ(records->RecordCount(), 10);
  EXPECT_EQ(RecordText(1, 1), "2A");
  EXPECT_EQ(RecordText(1, 2), "2B");
  EXPECT_EQ(RecordText(10, 1), "11A");
  EXPECT_EQ(RecordText(10, 3), "");
  EXPECT_EQ(RecordText(10, 5), "");
  EXPECT_TRUE(use.Closed);
  EXPECT_TRUE(form->Enabled());
  EXPECT_FALSE(form->VTProgress1->Visible());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Excel den bilgi alma işlemi tamamlandı");
  EXPECT_FALSE(form->TabHatalar->TabVisible());
}

TEST_F(ExcelImport, TitlesOffGiveElevenRecords) {
  Map(1, "A");
  form->CheckBox1->SetChecked(false);
  form->VtWinButton1Click(nullptr);
  ASSERT_EQ(records->RecordCount(), 11);
  EXPECT_EQ(RecordText(1, 1), "1A");
}

TEST_F(ExcelImport, ChecksBeforeTheWorkbookIsOpened) {
  Map(20, "");
  form->VtWinButton1Click(nullptr);
  form->FilenameEdit1->SetFileName(folder.File("yok.xlsx"));
  form->VtWinButton1Click(nullptr);
  form->FilenameEdit1->SetFileName("");
  form->VtWinButton1Click(nullptr);
  ASSERT_EQ(dialogs.Records().size(), 3u);
  EXPECT_EQ(dialogs.Records()[0].Text, "\"Metin 20\" değerini belirtiniz...");
  EXPECT_EQ(dialogs.Records()[1].Text, folder.File("yok.xlsx") + "\r\nisimli dosya bulunamadı...");
  EXPECT_EQ(dialogs.Records()[2].Text, "Excel dosyasını belirtiniz...");
  EXPECT_EQ(use.Made, 0);
  EXPECT_EQ(records->RecordCount(), 0);
}

TEST_F(ExcelImport, AMissingWorksheetAppendsNothingAndTheFormIsUsableAgain) {
  Map(1, "A");
  form->RxSpinEdit1->SetValue(3);
  form->VtWinButton1Click(nullptr);
  EXPECT_EQ(records->RecordCount(), 0);
  EXPECT_TRUE(use.Closed);
  EXPECT_TRUE(form->Enabled());
  EXPECT_TRUE(form->Kapat->Enabled());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_NE(dialogs.Records()[0].Text.find("3. çalışma sayfası yok"), std::string::npos);
  EXPECT_EQ(dialogs.Records()[0].Flags & MB_ICONSTOP, static_cast<UINT>(MB_ICONSTOP));
}

TEST_F(ExcelImport, CellErrorsAreCollectedOnTheErrorsPage) {
  failCell = true;
  lastRow = 4;
  Map(1, "A");
  Map(2, "B");
  form->VtWinButton1Click(nullptr);
  ASSERT_EQ(records->RecordCount(), 3) << "a failing cell does not stop its row";
  EXPECT_EQ(RecordText(2, 1), "3A");
  EXPECT_EQ(RecordText(2, 2), "");
  ASSERT_EQ(form->Memo1->Lines()->Count(), 1);
  EXPECT_EQ(form->Memo1->Lines()->Strings(0), "3\tB okunamadı");
  EXPECT_TRUE(form->TabHatalar->TabVisible());
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[0].Text,
            "Aktarim sirasinda bazi problemler meydana geldi. Hatalar sayfasinda bu hatalari gorebilirsiniz.");
  EXPECT_EQ(dialogs.Records()[1].Text, "Excel den bilgi alma işlemi tamamlandı");
}

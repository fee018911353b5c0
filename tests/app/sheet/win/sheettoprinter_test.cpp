// A sheet printed through "Önizleme" on the program's default printer: new
// work, three EAN-13 codes with Turkish names and prices, saved with
// "Kaydet", then the setup window "Çıktı Seçenekleri" answered with the
// printer. Run only where a script looks at the printed result
// (tests/e2e/sheet_pdf_e2e.py sets DOZURI_SHEET_TO_PRINTER and checks the
// PDF the queue writes).
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/sheet/b3_anaf.h"
#include "classlib/forms/scripteddialogs.h"
#include "tests/support/scratchfolder.h"

TEST(SheetToThePrinter, ThreeLabelsWithNamesAndPricesGoToTheDefaultPrinter) {
  if (std::getenv("DOZURI_SHEET_TO_PRINTER") == nullptr)
    GTEST_SKIP() << "DOZURI_SHEET_TO_PRINTER is not set";
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  ScratchFolder folder;
  TB3_AnaF* form = new TB3_AnaF(nullptr);
  form->tbYeniClick(nullptr);
  const char* const cells[][3] = {
      {"8690000000012", "Çiğdem Şeker", "2,50 TL"},
      {"4006381333931", "Işık Öğretmen", "13,75 TL"},
      {"5901234123457", "Ağaç Süngü", "7,00 TL"},
  };
  for (int column = 1; column <= 3; ++column) {
    form->Document().Tables.SetCell(stBarkod, 1, column, cells[column - 1][0]);
    form->Document().Tables.SetCell(stYazi, 1, column, cells[column - 1][1]);
    form->Document().Tables.SetCell(stFiyat, 1, column, cells[column - 1][2]);
  }
  form->cxFiyatKullan->SetChecked(true);
  form->ceFiyatSol->SetValue(20);
  form->ceFiyatUst->SetValue(28);
  ASSERT_TRUE(form->cxYaziKullan->Checked());

  const AnsiString sheetFile = folder.File("etiketler.bcd");
  dialogs.AnswerFile(sheetFile);
  form->tbKaydetClick(nullptr);
  const FileBytes bytes = ReadFileBytes(sheetFile);
  const AnsiString text(bytes.begin(), bytes.end());
  int lines = 0;
  for (std::size_t at = text.find("\r\n"); at != AnsiString::npos; at = text.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 97);
  for (const char* line : {"VORTELIM BARKOD\r\nPROGRAM_VERSIYONU=s4.03.01\r\nSAYFA_SOLBOSLUK=6,0000\r\n",
                           "\r\nKOD_1_2=4006381333931\r\n", "\r\nURUN_1_2=Işık Öğretmen\r\n",
                           "\r\nFIYAT_1_3=7,00 TL\r\n", "\r\nFIYAT_YAZ=EVET\r\n", "\r\nKOD_7_3=\r\n"})
    EXPECT_NE(text.find(line), AnsiString::npos) << line;
  EXPECT_EQ(text.substr(text.size() - 12), "FIYAT_7_3=\r\n");

  dialogs.OnModalForm = [](TCustomForm& modal) {
    auto& setup = dynamic_cast<TRvSetupForm&>(modal);
    EXPECT_EQ(setup.Caption(), "Çıktı Seçenekleri");
    setup.rgDestination->SetItemIndex(1);  // "Yazıcı"
    setup.SetModalResult(mrOk);
  };
  form->btnReportClick(nullptr);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].Caption, "Çıktı Seçenekleri");
  form->Free();
}

// The sheet mode's form: its states, the settings shown after "Yeni", the
// grid columns, and the commands' questions through the dialog service.
#include <gtest/gtest.h>

#include <string>

#include "app/sheet/b3_anaf.h"
#include "classlib/forms/scripteddialogs.h"
#include "tests/support/scratchfolder.h"

namespace {

struct Form {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  TB3_AnaF* form = new TB3_AnaF(nullptr);
  ~Form() { form->Free(); }
};

int VisibleCellColumns(TDBGrid* grid) {
  int count = 0;
  for (int column = 1; column <= SheetColumnLimit; ++column)
    count += grid->Columns()->Items(column)->Visible();
  return count;
}

}  // namespace

TEST(B3_AnaF, ClosedAtFirstThenNewWorkShowsTheDefaultSheet) {
  Form f;
  TB3_AnaF& form = *f.form;
  EXPECT_FALSE(form.tbKaydet->Enabled());
  EXPECT_FALSE(form.tbKopyala2->Enabled());
  EXPECT_FALSE(form.btnReport->Enabled());
  EXPECT_FALSE(form.FarklKaydet1->Enabled());
  EXPECT_FALSE(form.TabAyarlar->TabVisible());
  EXPECT_EQ(form.Document().Tables.RowCount(stBarkod), 1);
  EXPECT_EQ(form.VTFormHeader1->Title(), "Dozuri 3 Modu");
  EXPECT_EQ(form.StatusBar1->SimpleText(), "");

  form.tbYeniClick(nullptr);
  EXPECT_TRUE(form.tbKaydet->Enabled());
  EXPECT_TRUE(form.FarklKaydet1->Enabled());
  EXPECT_TRUE(form.tbKopyala->Enabled());
  EXPECT_TRUE(form.btnReport->Enabled());
  EXPECT_TRUE(form.TabAyarlar->TabVisible());
  EXPECT_EQ(form.PageControl1->ActivePage(), form.TabAyarlar);
  EXPECT_EQ(form.StatusBar1->SimpleText(), "Yeni Dozuri Çalışması");
  EXPECT_FALSE(form.Work().SheetModified());
  EXPECT_DOUBLE_EQ(form.ceBarGenisligi->Value(), 0.254);
  EXPECT_EQ(form.seSatir->AsInteger(), 7);
  EXPECT_EQ(form.cbKagit->Items()->Strings(form.cbKagit->ItemIndex()), "Varsayılan");
  EXPECT_TRUE(form.cxYaziKullan->Checked());
  EXPECT_FALSE(form.cxFiyatKullan->Checked());
  EXPECT_EQ(form.btnFont->Font()->Name(), "Tahoma");
  for (TDBGrid* grid : form.Grids)
    EXPECT_EQ(VisibleCellColumns(grid), 3);
  EXPECT_TRUE(f.dialogs.Records().empty());
}

TEST(B3_AnaF, CountsSizeTheGridsAndEveryChangeMarksTheWork) {
  Form f;
  TB3_AnaF& form = *f.form;
  form.tbYeniClick(nullptr);
  form.seSutun->SetValue(2);
  EXPECT_TRUE(form.Work().SheetModified());
  for (TDBGrid* grid : form.Grids)
    EXPECT_EQ(VisibleCellColumns(grid), 2);
  form.seSatir->SetValue(5);
  EXPECT_EQ(form.Document().Tables.RowCount(stFiyat), 5);

  // Modified work: "Yeni" asks first; No starts afresh without saving.
  f.dialogs.AnswerButton(IDNO);
  form.tbYeniClick(nullptr);
  ASSERT_EQ(f.dialogs.Records().size(), 1u);
  EXPECT_EQ(f.dialogs.Records()[0].Caption, "Onayla");
  EXPECT_FALSE(form.Work().SheetModified());
  EXPECT_EQ(form.Document().Tables.RowCount(stFiyat), 7);

  // Switching the orientation alone is a change too, so closing asks.
  form.rbYatay->SetChecked(true);
  EXPECT_TRUE(form.Work().SheetModified());
  f.dialogs.AnswerButton(IDCANCEL);
  bool canClose = true;
  form.OnCloseQuery(&form, canClose);
  EXPECT_FALSE(canClose);
  EXPECT_EQ(f.dialogs.Records().size(), 2u);
}

TEST(B3_AnaF, SaveAsWritesTheSheetAndSeriesRefusesANonNumber) {
  Form f;
  TB3_AnaF& form = *f.form;
  form.tbYeniClick(nullptr);
  form.Document().Tables.SetCell(stYazi, 1, 1, "Türk kahvesi");
  form.rbYatay->SetChecked(true);
  ScratchFolder folder;
  const AnsiString file = folder.File("sayfa.bcd");
  f.dialogs.AnswerFile(file);
  form.FarklKaydet1Click(nullptr);
  EXPECT_EQ(form.StatusBar1->SimpleText(), file);
  EXPECT_FALSE(form.Work().SheetModified());
  const FileBytes bytes = ReadFileBytes(file);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("\r\nKAGIT_YATAY=EVET\r\nKAGIT_DIKEY=HAYIR\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nURUN_1_1=Türk kahvesi\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nBARKOD_BARGENISLIK=0,2540\r\n"), std::string::npos);

  form.Document().Tables.SetCell(stBarkod, 1, 1, "12A");
  form.Document().Tables.RxMemBarkod().First();
  f.dialogs.AnswerButton(IDOK);
  form.tbKopyala2Click(nullptr);
  ASSERT_EQ(f.dialogs.Records().size(), 2u);
  EXPECT_EQ(f.dialogs.Records()[1].Caption, "Bilgi");
  EXPECT_EQ(f.dialogs.Records()[1].Text, "1. hücredeki değerin sayısal olması gereklidir");
  EXPECT_EQ(form.Document().Tables.Cell(stBarkod, 1, 2), "");
}

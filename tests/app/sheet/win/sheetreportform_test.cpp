// "Önizleme" on the sheet form: the output system's titles, the pages made
// from the sheet, the project saved in the temporary folder, and a code the
// type cannot encode stopping the report before anything is asked.
#include <gtest/gtest.h>

#include "app/sheet/b3_anaf.h"
#include "app/sheet/sheetreport.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/system/fileutils.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/support/rave/raveprojecttext.h"
#include "tests/support/scratchfolder.h"

namespace {

struct ReportForm {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  TB3_AnaF* form = new TB3_AnaF(nullptr);
  int setupsAsked = 0;
  int previewPages = -1;
  AnsiString previewTitle;

  ReportForm() {
    form->tbYeniClick(nullptr);
    form->RvSystem1->AskSetup = [this](TRvSetup& setup) {
      ++setupsAsked;
      setup.Destination = TRvDestination::Preview;
      return true;
    };
    form->RvSystem1->ShowPreview = [this](TQRPrinter& printer) {
      previewPages = printer.PageCount();
      previewTitle = printer.Title;
    };
  }
  ~ReportForm() { form->Free(); }
};

}  // namespace

TEST(SheetReportForm, OutputSystemCarriesTheFormsTitles) {
  ReportForm f;
  const TRvSystem& system = *f.form->RvSystem1;
  EXPECT_EQ(system.TitleSetup, "Çıktı Seçenekleri");
  EXPECT_EQ(system.TitleStatus, "Rapor Durumu");
  EXPECT_EQ(system.TitlePreview, "Baskı Önizleme");
  EXPECT_EQ(system.StatusFormat, "Generating page %p");
  EXPECT_EQ(system.StatusPrinting, "Sayfa yazırılıyor %p");
  EXPECT_EQ(system.JobTitle, "ReportPrinter Report");
  EXPECT_TRUE(system.PreviewMaximised);
  EXPECT_EQ(system.PreviewZoom, 100);
  EXPECT_EQ(RaveStatusText(system.StatusPrinting, 12), "Sayfa yazırılıyor 12");
}

TEST(SheetReportForm, PreviewShowsOnePagePerSevenRowsAndTheProjectIsSaved) {
  ReportForm f;
  TB3_AnaF& form = *f.form;
  form.seSatir->SetValue(20);
  for (int row = 1; row <= 20; ++row)
    form.Document().Tables.SetCell(stBarkod, row, 1, "869000000001");
  const AnsiString projectFile = GetTempDir() + SheetReportFileName;
  DeleteFile(projectFile);
  form.btnReportClick(nullptr);
  EXPECT_EQ(f.setupsAsked, 1);
  EXPECT_EQ(f.previewPages, 3);
  EXPECT_EQ(f.previewTitle, "ReportPrinter Report");
  const FileBytes bytes = ReadFileBytes(projectFile);
  auto root = rave_test::ParseProjectText(std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(root);
  ASSERT_TRUE(root->Child("GlobalPage2"));
  // Rows 15 to 20: a barcode and (names are on after "Yeni") a name each.
  EXPECT_EQ(rave_test::PageElements(*root->Child("GlobalPage2")).size(), 12u);
  // Building disabled the barcode grid's table only for its own time.
  EXPECT_FALSE(form.Document().Tables.RxMemBarkod().ControlsDisabled());
  EXPECT_TRUE(f.dialogs.Records().empty());
}

TEST(SheetReportForm, UnprintableCodeStopsTheReportWithItsPlace) {
  ReportForm f;
  TB3_AnaF& form = *f.form;
  form.Document().Tables.SetCell(stBarkod, 1, 1, "869000000001");
  form.Document().Tables.SetCell(stBarkod, 3, 2, "12A");
  f.dialogs.AnswerButton(IDOK);
  form.btnReportClick(nullptr);
  EXPECT_EQ(f.setupsAsked, 0);
  EXPECT_EQ(f.previewPages, -1);
  ASSERT_EQ(f.dialogs.Records().size(), 1u);
  EXPECT_EQ(f.dialogs.Records()[0].Caption, "Bilgi");
  EXPECT_NE(f.dialogs.Records()[0].Text.find("3. satır, 2. sütundaki \"12A\""), AnsiString::npos)
      << f.dialogs.Records()[0].Text;
}

TEST(SheetReportForm, CancelledSetupMakesNoPages) {
  ReportForm f;
  f.form->Document().Tables.SetCell(stBarkod, 1, 1, "869000000001");
  f.form->RvSystem1->AskSetup = [&f](TRvSetup&) {
    ++f.setupsAsked;
    return false;
  };
  f.form->btnReportClick(nullptr);
  EXPECT_EQ(f.setupsAsked, 1);
  EXPECT_EQ(f.previewPages, -1);
}

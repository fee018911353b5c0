// Labels a sheet of a layout: the rows of the detail band between the
// margins and the page's own bands, times the columns; the shipped default
// layout read from its file holds 21.
#include "app/shell/labelsperpage.h"

#include <fstream>

#include "app/shell/defaultlayout.h"
#include "classlib/forms/forms.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "shell_test_util.h"

namespace {

using FormPtr = std::unique_ptr<TForm, void (*)(TForm*)>;
FormPtr NewForm() { return FormPtr(new TForm(nullptr), [](TForm* f) { f->Free(); }); }

struct PageCase {
  const char* name;
  int columns;
  double label;   // detail band height, mm
  double title;   // 0: no such band
  double header;
  double footer;
  int expected;
};

void AddBand(TForm& Form, TQuickRep& Page, TQRBandType Kind, double Height) {
  if (Height <= 0)
    return;
  auto* band = new TQRBand(&Form);
  band->SetBandType(Kind);
  band->SetParent(&Page);
  band->Size()->SetHeight(Height);
}

// An A4 page with 10 mm top and bottom margins: 277 mm of room.
TEST(LabelsPerPage, RowsBetweenTheMarginsAndThePagesBandsTimesColumns) {
  const PageCase cases[] = {
      {"one column", 1, 50, 0, 0, 0, 5},
      {"two columns", 2, 50, 0, 0, 0, 10},
      {"a title on the first sheet", 2, 50, 30, 0, 0, 8},
      {"page header and footer", 1, 50, 0, 27, 20, 4},
      {"exactly filled", 1, 27.7, 0, 0, 0, 10},
      {"a label taller than the page", 3, 300, 0, 0, 0, 3},
      {"no detail band", 2, 0, 0, 10, 0, 0},
  };
  for (const PageCase& c : cases) {
    FormPtr form = NewForm();
    auto* page = new TQuickRep(form.get());
    page->SetParent(form.get());
    page->SetUnits(MM);
    page->Page()->SetPaperSize(TQRPaperSize::A4);
    page->Page()->SetTopMargin(10);
    page->Page()->SetBottomMargin(10);
    page->Page()->SetColumns(c.columns);
    AddBand(*form, *page, rbTitle, c.title);
    AddBand(*form, *page, rbPageHeader, c.header);
    AddBand(*form, *page, rbDetail, c.label);
    AddBand(*form, *page, rbPageFooter, c.footer);
    EXPECT_EQ(LabelsPerPage(*page), c.expected) << c.name;
  }
}

TEST(LabelsPerPage, TheDefaultLayoutFileHoldsItsSheet) {
  ScratchFolder folder;
  const AnsiString file = folder.File("etiket.vlp");
  {
    FormPtr writer = NewForm();
    WriteDefaultLabelLayout(*writer, file);
  }
  EXPECT_EQ(LabelsPerPageOfLayout(file), TDefaultLabelSheet::Columns * TDefaultLabelSheet::Rows);
  // A file the runner would refuse gives no count: the run reports it.
  EXPECT_EQ(LabelsPerPageOfLayout(folder.File("yok.vlp")), 0);
  std::ofstream(folder.File("bozuk.vlp").c_str(), std::ios::binary) << "TPF0\x05bozuk";
  EXPECT_EQ(LabelsPerPageOfLayout(folder.File("bozuk.vlp")), 0);
}

}  // namespace

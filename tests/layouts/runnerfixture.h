// Layouts for the report runner's tests, written by the design stage as the
// designer writes them, a label table as the main form fills it, and the
// pages a run prepares, read back as text records and pictures.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/metafile.h"
#include "layouts/dizaynpreview.h"
#include "layouts/runnerreport.h"
#include "layouts/vtrapor.h"
#include "tests/support/scratchfolder.h"
#include "textreport/engine/zrbands.h"

class TQuickRep;
class TQRBand;
class TQRDBText;
class TQRExpr;
class TQRLabel;
class TStBarCode;
class TZReport;
class TZRLabel;
class TZRTotalLabel;

namespace runner_test {

struct LabelRow {
  const char* Code;  // METIN1
  const char* Text;  // METIN2
  bool Placeholder;  // BAS
};

// The label table: METIN1..METIN20 and BAS, one record per row.
void FillLabels(TRxMemoryData& Table, const std::vector<LabelRow>& Rows);

// A layout being built on a stage, as the designer builds one.
class LayoutBuilder {
public:
  LayoutBuilder();
  // Built on a runner form's own stage, so the runner's handlers bound to
  // the layout's events are stored by name, as a layout may carry them.
  struct OnRunnerForm {};
  explicit LayoutBuilder(OnRunnerForm);
  // The form the layout is built on (its published methods name handlers).
  TForm* Form() const { return form_.get(); }
  ~LayoutBuilder();

  // A graphic page with the hint, and a detail band that fills most of the
  // page, so every record prints on a page of its own.
  TQuickRep* AddPage(const AnsiString& Hint, int BandHeight = 700);
  TQRBand* DetailOf(TQuickRep* Page);
  // A data text and an EAN-13 barcode (check character added, 21-mil bars)
  // on the band, bound by their hints.
  TQRDBText* AddDataText(TQRBand* Band, const AnsiString& Hint, int Tag = 0);
  // A label with a caption, or a memo, on the band.
  TQRLabel* AddLabel(TQRBand* Band, const AnsiString& Caption, const AnsiString& Hint);
  TQRExpr* AddExpression(TQRBand* Band, const AnsiString& Expression);
  void AddMemo(TQRBand* Band, const AnsiString& Name);
  // A text page named after the page count, of the designer's size unless
  // given, bound by its hint. Its text goes out unconverted (ANSI), so the
  // bytes a run writes are the texts the tests wrote.
  TZReport* AddTextPage(const AnsiString& Hint = "", int Width = 76, int Height = 60);
  // The page's band of that kind (page header, detail, footer ...), made one
  // line high across the page when the page has none yet.
  TZRCustomBand* TextBandOf(TZReport* Page, TZRBandType Kind);
  // A text label with a caption, or bound by its hint; a count of the
  // records under the hint's field.
  TZRLabel* AddTextLabel(TZRCustomBand* Band, int Left, int Width, const AnsiString& Caption, const AnsiString& Hint);
  TZRTotalLabel* AddTextCount(TZRCustomBand* Band, int Left, int Width, const AnsiString& Hint);
  // A checked "CheckZReport" check box on the stage, as text layouts carry.
  void AddTextLayoutMarker();
  TStBarCode* AddBarcode(TQRBand* Band, const AnsiString& Hint, int Tag = 0);
  void Save(const AnsiString& FileName);

private:
  std::unique_ptr<TForm, void (*)(TForm*)> form_;
  TDsnStage* stage_;
  int pages_ = 0;
  int textLabels_ = 0;
};

// The pages one run prepared, in page order, every graphic page's run after
// the other.
struct PreparedRun {
  std::vector<std::unique_ptr<TMetafile>> Pages;
  int PageCountSeen = 0;
};

// Installs an output that prepares every graphic page twice, as a run
// learns its page count before it prints, and keeps the pages of the second
// run. Inspect, when given, sees the runner before and after.
using RunnerInspector = std::function<void(TDizaynPreviewF& Runner)>;
class CapturingOutput {
public:
  explicit CapturingOutput(PreparedRun& Run, RunnerInspector Before = nullptr, RunnerInspector After = nullptr);
  ~CapturingOutput();

private:
  TRunnerOutput previous_;
};

// A text report or text composite about to run (as the report component's
// OnBeforeReportPrint sees it) writes its document to File instead of the
// printer. False for other components.
bool SendTextRunToFile(TComponent* Report, const AnsiString& File);

// The texts of the page's text-out records, in record order.
std::vector<std::string> PageTexts(TMetafile& Page);
// The page played onto a white bitmap of 150 dots per inch.
void RenderPage(TMetafile& Page, TBitmap& Bitmap);

// The report runner installed as the program installs it, for one test, on
// the system's default printer (other tests may have left the shared
// printer on a list of their own). The runner of before comes back with it.
class RunnerScope {
public:
  RunnerScope();
  ~RunnerScope();
  RunnerScope(const RunnerScope&) = delete;
  RunnerScope& operator=(const RunnerScope&) = delete;

private:
  TReportRunner previous_;
};

// The runner's output set for one test (nullptr: none, so that installed
// output paths take over); the output of before comes back with it.
class RunnerOutputScope {
public:
  explicit RunnerOutputScope(TRunnerOutput Output);
  ~RunnerOutputScope();
  RunnerOutputScope(const RunnerOutputScope&) = delete;
  RunnerOutputScope& operator=(const RunnerOutputScope&) = delete;

private:
  TRunnerOutput previous_;
};

// Layouts run over the label table by the report component through the
// runner: `rapor` serves `etiket` as ETIKET, the layout is `layoutFile` in a
// scratch folder, and dialogs are answered by the scripted service.
class RunnerFixture : public testing::Test {
protected:
  explicit RunnerFixture(const char* LayoutName = "etiket.vlp");
  ~RunnerFixture() override;

  // A run of the layout in a mode the program's own commands do not use, as
  // a host sets it.
  void RunLayout(const AnsiString& Mode);
  // Pages graphic pages bound to ETIKET, each with, on its detail band, a
  // label with Caption (none when empty), a data text on METIN2 and a
  // barcode on METIN1.
  void WriteLabelLayout(int Pages = 1, const AnsiString& Caption = "");

  ScratchFolder folder;
  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope;
  TVtRapor* rapor;
  TRxMemoryData* etiket;
  RunnerScope runnerScope;
  AnsiString layoutFile;
};

// The hints of the label layout's data text and barcode.
extern const AnsiString kDataTextHint;
extern const AnsiString kBarcodeHint;

}  // namespace runner_test

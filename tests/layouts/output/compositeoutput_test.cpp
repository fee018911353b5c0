// The output modes on real report pages: a composite of two reports of
// three 100 mm detail bands on A4 (two a page, the second report continuing
// on the first one's last page) gives three pages to the page store, the
// PDF and the mail; a single report page prepares itself once.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/system/strutils.h"
#include "layouts/output/compositeoutput.h"
#include "layouts/output/mailsender.h"
#include "layouts/output/outputreports.h"
#include "layouts/vtrapor.h"
#include "reportengine/composite/qrcomposite.h"
#include "tests/layouts/output/outputtesting.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/scratchfolder.h"

namespace {

using namespace output_test;

TQuickRep* DetailReport(int records) {
  auto* report = new TQuickRep(nullptr);
  report->SetUnits(MM);
  report->Page()->SetPaperSize(TQRPaperSize::A4);
  report->CreateBand(rbDetail)->Size()->SetHeight(100);
  auto left = std::make_shared<int>(records);
  report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  return report;
}

class CountingMail : public TMailSender {
public:
  void Send(const TMailMessage& message) override { Attachments = message.Attachments.size(); }
  std::size_t Attachments = 0;
};

class CompositeOutputTest : public testing::Test {
protected:
  CompositeOutputTest() {
    composite.OnAddReports = [this](TObject*) {
      composite.AddReport(first.get());
      composite.AddReport(second.get());
    };
    previousFolder = GetCurrentDir();
    SetCurrentDirectoryA(folder.File("").c_str());
  }
  ~CompositeOutputTest() override { SetCurrentDirectoryA(previousFolder.c_str()); }

  ScratchFolder folder;
  AnsiString previousFolder;
  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope{dialogs};
  TVtRapor rapor{nullptr};
  std::unique_ptr<TQuickRep> first{DetailReport(3)}, second{DetailReport(3)};
  TQRCompositeReport composite{nullptr};
  TCompositeOutput output{composite};
};

TEST_F(CompositeOutputTest, QrpModeWritesTheCompositesThreePagesAndComprepQrp) {
  rapor.OutputFileName = folder.File("birlesik.qrp");
  RunOutputMode("QRP", output, rapor);
  ASSERT_NE(composite.QRPrinter(), nullptr);
  EXPECT_EQ(output.PageCount(), 3);
  EXPECT_EQ(first->QRPrinter(), composite.QRPrinter());
  for (const AnsiString& file : {rapor.OutputFileName, folder.File("comprep.qrp")}) {
    TQRPrinter stored(nullptr);
    stored.Load(file);
    EXPECT_EQ(stored.PageCount(), 3) << file;
  }
}

// The composite path prepares for every file mode: a store left from an
// earlier run of the same composite is not written again in place of the
// reports' present pages.
TEST_F(CompositeOutputTest, EveryFileModeRunsTheCompositeAnew) {
  composite.Prepare();
  ASSERT_NE(composite.QRPrinter(), nullptr);
  ASSERT_EQ(output.PageCount(), 3);
  first.reset(DetailReport(5));  // five bands now: three pages, the second report continuing on the third
  second.reset(DetailReport(3));
  rapor.OutputFileName = folder.File("yeniden.qrp");
  RunOutputMode("QRP", output, rapor);
  EXPECT_EQ(output.PageCount(), 4);
  TQRPrinter stored(nullptr);
  stored.Load(rapor.OutputFileName);
  EXPECT_EQ(stored.PageCount(), 4);
}

TEST_F(CompositeOutputTest, EMailAttachesAPicturePerPageOfTheComposite) {
  CountingMail mail;
  TMailSenderScope scope(mail);
  dialogs.AnswerText("alici@ornek.com");
  RunOutputMode("EMail", output, rapor);
  EXPECT_EQ(mail.Attachments, 3u);
}

TEST_F(CompositeOutputTest, PdfModeWritesThreeA4Pages) {
  rapor.OutputFileName = folder.File("birlesik.pdf");
  const std::string pdfUnix = UnixPathOf(rapor.OutputFileName);
  if (pdfUnix.empty())
    GTEST_SKIP() << "poppler is reached only under Wine";
  RunOutputMode("PDF", output, rapor);
  const std::string text = test_queues::PdfInfoOf(pdfUnix, 3);
  EXPECT_EQ(pdf_info::PageCount(text), 3) << text;
  const auto size = pdf_info::SizeOfPage(text, 3);
  ASSERT_TRUE(size.has_value()) << text;
  EXPECT_NEAR(size->Width, 595.28, 1.0);
  EXPECT_NEAR(size->Height, 841.89, 1.0);
}

TEST_F(CompositeOutputTest, ASingleReportPreparesOnceAndIgnoresModesOfAnotherCase) {
  TQuickRepOutput single(*first);
  RunOutputMode("pdf", single, rapor);
  RunOutputMode("Qrp", single, rapor);
  EXPECT_EQ(single.QRPrinter(), nullptr);
  EXPECT_TRUE(dialogs.Records().empty());
  rapor.OutputFileName = folder.File("tek.qrp");
  RunOutputMode("QRP", single, rapor);
  ASSERT_NE(single.QRPrinter(), nullptr);
  EXPECT_EQ(single.PageCount(), 2);
  TQRPrinter* prepared = single.QRPrinter();
  RunOutputMode("QRP", single, rapor);
  EXPECT_EQ(single.QRPrinter(), prepared);
}

}  // namespace

namespace {

using namespace output_test;

TEST(OutputPathTest, GraphicAndTextPagesChooseThePath) {
  struct Case {
    int graphic, text;
    TOutputPath path;
  } cases[] = {{0, 0, TOutputPath::None},           {1, 0, TOutputPath::SingleGraphic},
               {2, 0, TOutputPath::CompositeGraphic}, {5, 0, TOutputPath::CompositeGraphic},
               {0, 1, TOutputPath::SingleText},      {3, 1, TOutputPath::SingleText},
               {0, 2, TOutputPath::CompositeText},   {2, 4, TOutputPath::CompositeText}};
  for (const Case& c : cases)
    EXPECT_EQ(ChooseOutputPath(c.graphic, c.text), c.path) << c.graphic << " graphic, " << c.text << " text";
}

TEST_F(CompositeOutputTest, TheCompositePathLeavesPrototypesOutAndTellsTheHostFirst) {
  std::unique_ptr<TQuickRep> prototype(DetailReport(3));
  prototype->SetTag(-100);
  std::vector<TComponent*> told;
  std::vector<TQuickRep*> members;
  rapor.OnBeforeReportPrint = [&](TObject*, TComponent* component) {
    told.push_back(component);
    EXPECT_EQ(composite.QRPrinter(), nullptr) << "the host is told before the run";
  };
  rapor.OutputFileName = folder.File("yol.qrp");
  OutputCompositeGraphicReport(composite, {first.get(), prototype.get(), second.get()}, rapor, "QRP",
                               [&](TQuickRep& page) { members.push_back(&page); });
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], &composite);
  EXPECT_EQ(members, (std::vector<TQuickRep*>{first.get(), second.get()}));
  EXPECT_FALSE(first->PrevShowThumbs());
  EXPECT_EQ(first->PreviewInitialState(), wsMaximized);
  TQRPrinter stored(nullptr);
  stored.Load(rapor.OutputFileName);
  EXPECT_EQ(stored.PageCount(), 3);
  EXPECT_EQ(prototype->QRPrinter(), nullptr);
}

}  // namespace

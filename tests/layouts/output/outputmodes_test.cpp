// The output modes on hand-made page stores: the mode names with their
// letter case, the page store saved and read back, the mail hand-over with
// its recipient and GIF pictures, the PDF file read by poppler, the save
// dialogs, and no page picture left behind.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/jpeg.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/strutils.h"
#include "layouts/output/mailsender.h"
#include "layouts/output/pagepictures.h"
#include "layouts/vtrapor.h"
#include "tests/layouts/output/outputtesting.h"
#include "tests/support/scratchfolder.h"

namespace {

using namespace output_test;

// Keeps what it was handed, and what the attached files held at that time.
class RecordingMailSender : public TMailSender {
public:
  void Send(const TMailMessage& message) override {
    Messages.push_back(message);
    for (const AnsiString& file : message.Attachments) {
      const FileBytes bytes = ReadFileBytes(file);
      Heads.push_back(bytes.size() >= 6 ? AnsiString(bytes.begin(), bytes.begin() + 6) : AnsiString());
    }
  }
  std::vector<TMailMessage> Messages;
  std::vector<AnsiString> Heads;
};

class OutputModesTest : public testing::Test {
protected:
  OutputModesTest() : dialogScope(dialogs), mailScope(mail), rapor(nullptr), report(3) {}

  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope;
  RecordingMailSender mail;
  TMailSenderScope mailScope;
  TVtRapor rapor;
  BlockReport report;
  ScratchFolder folder;
};

TEST_F(OutputModesTest, ModesAreMatchedWithTheirLetterCase) {
  struct Case {
    const char* mode;
    TOutputMode expected;
  } cases[] = {{"Preview", TOutputMode::Preview}, {"Print", TOutputMode::Print}, {"EMail", TOutputMode::EMail},
               {"PDF", TOutputMode::PDF},         {"QRP", TOutputMode::QRP},     {"pdf", TOutputMode::None},
               {"Email", TOutputMode::None},      {"preview", TOutputMode::None}, {"Print ", TOutputMode::None},
               {"", TOutputMode::None}};
  for (const Case& c : cases)
    EXPECT_EQ(OutputModeOf(c.mode), c.expected) << c.mode;
}

TEST_F(OutputModesTest, PreviewAndPrintGoToTheReportAndUnknownModesDoNothing) {
  RunOutputMode("Preview", report, rapor);
  RunOutputMode("Print", report, rapor);
  RunOutputMode("Print", report, rapor);
  for (const char* nothing : {"pdf", "qrp", "email", "Yazdır"})
    RunOutputMode(nothing, report, rapor);
  EXPECT_EQ(report.Previews, 1);
  EXPECT_EQ(report.Prints, 2);
  EXPECT_EQ(report.Prepares, 0);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_TRUE(mail.Messages.empty());
}

TEST_F(OutputModesTest, QrpModeSavesAPageStoreThatLoadsBackWithItsPages) {
  const AnsiString file = folder.File("etiketler.qrp");
  dialogs.AnswerFile(file);
  RunOutputMode("QRP", report, rapor);
  EXPECT_EQ(report.Prepares, 1);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  const TDialogRecord& asked = dialogs.Records()[0];
  EXPECT_EQ(asked.Kind, TDialogKind::SaveFile);
  EXPECT_EQ(asked.Filter, "QRP Dosyalari (*.qrp)|*.qrp");
  EXPECT_EQ(asked.DefaultExt, "qrp");
  EXPECT_TRUE(asked.Options.Contains(ofOverwritePrompt));

  TQRPrinter loaded(nullptr);
  loaded.Load(file);
  EXPECT_EQ(loaded.PageCount(), 3);
  std::unique_ptr<TMetafile> last = loaded.GetPage(3);
  ASSERT_NE(last, nullptr);
  EXPECT_NEAR(last->MMWidth(), PageWidth * 10, 30);
  EXPECT_NEAR(last->MMHeight(), PageLength * 10, 30);
}

TEST_F(OutputModesTest, AGivenOutputFileIsWrittenWithoutAskingAndACancelledDialogWritesNothing) {
  rapor.OutputFileName = folder.File("verilen.qrp");
  RunOutputMode("QRP", report, rapor);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_FALSE(ReadFileBytes(rapor.OutputFileName).empty());
  // Prepared pages are used as they are.
  RunOutputMode("QRP", report, rapor);
  EXPECT_EQ(report.Prepares, 1);

  rapor.OutputFileName = "  ";
  dialogs.AnswerCancel().AnswerCancel();
  RunOutputMode("QRP", report, rapor);
  RunOutputMode("PDF", report, rapor);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].Filter, "PDF Dosyalari (*.pdf)|*.pdf");
  EXPECT_EQ(dialogs.Records()[1].DefaultExt, "pdf");
  EXPECT_TRUE(dialogs.Records()[1].Options.Contains(ofOverwritePrompt));
  EXPECT_EQ(RunFoldersLeft(), 0);
}

TEST_F(OutputModesTest, EMailHandsOverOneRecipientAndAGifPerPageThenDeletesThem) {
  rapor.OnGetMailAdress = [](TObject*, AnsiString& address) { address = "depo@ornek.com.tr"; };
  rapor.OnTranslate = [](AnsiString text, AnsiString& result) { result = text == "Email Adresi" ? "E-posta" : text; };
  dialogs.AnswerText(" alici@ornek.com ");
  RunOutputMode("EMail", report, rapor);

  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::InputQuery);
  EXPECT_EQ(dialogs.Records()[0].Caption, MainFormCaption());
  EXPECT_EQ(dialogs.Records()[0].Text, "E-posta");
  EXPECT_EQ(dialogs.Records()[0].Value, "depo@ornek.com.tr");
  ASSERT_EQ(mail.Messages.size(), 1u);
  const TMailMessage& sent = mail.Messages[0];
  EXPECT_EQ(sent.Recipient, "alici@ornek.com");
  EXPECT_EQ(sent.Subject, "");
  EXPECT_EQ(sent.Body, "");
  ASSERT_EQ(sent.Attachments.size(), 3u);
  const AnsiString runFolder = ExtractFilePath(sent.Attachments[0]);
  EXPECT_EQ(runFolder.rfind(GetTempDir(), 0), 0u) << runFolder;
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(sent.Attachments[n - 1], runFolder + "Temp" + IntToStr(n) + ".Gif");
    EXPECT_EQ(mail.Heads[n - 1], "GIF89a");
    EXPECT_FALSE(FileExists(sent.Attachments[n - 1]));
  }
  EXPECT_FALSE(DirectoryExists(runFolder));
}

TEST_F(OutputModesTest, EMailStopsQuietlyOnACancelledOrEmptyAddress) {
  dialogs.AnswerCancel().AnswerText("   ");
  RunOutputMode("EMail", report, rapor);
  RunOutputMode("EMail", report, rapor);
  EXPECT_EQ(dialogs.Records().size(), 2u);
  EXPECT_TRUE(mail.Messages.empty());
  EXPECT_EQ(RunFoldersLeft(), 0);
}

TEST_F(OutputModesTest, AFailingMailClientEndsTheRunWithItsErrorAndLeavesNoPictures) {
  class RefusingSender : public TMailSender {
  public:
    void Send(const TMailMessage&) override { throw Exception("e-posta programı yok"); }
  } refusing;
  TMailSenderScope scope(refusing);
  dialogs.AnswerText("alici@ornek.com");
  EXPECT_THROW(RunOutputMode("EMail", report, rapor), Exception);
  EXPECT_EQ(RunFoldersLeft(), 0);
}

// The GIF carries a frame around the page and the JPEG does not; both show
// the page's block.
TEST(PagePicturesTest, GifIsFramedJpegIsNotAndBothShowThePage) {
  TQRPrinter printer(nullptr);
  RunBlockPages(printer, 1);
  TOutputRunFolder folder;
  const AnsiString metafile = folder.File(PagePictureName(1, ".wmf"));
  const AnsiString gif = folder.File(PagePictureName(1, ".Gif"));
  const AnsiString jpeg = folder.File(PagePictureName(1, ".jpg"));
  EXPECT_EQ(ExtractFileName(gif), "Temp1.Gif");
  SavePageMetafile(printer, 1, metafile);
  EXPECT_EQ(printer.PageNumber(), 1);
  MetafileFileToGif(metafile, gif);
  MetafileFileToJpeg(metafile, jpeg);

  TGIFImage gifPicture;
  gifPicture.LoadFromFile(gif);
  TJPEGImage jpegPicture;
  jpegPicture.LoadFromFile(jpeg);
  ASSERT_GT(gifPicture.Width(), 300);
  EXPECT_EQ(jpegPicture.Width(), gifPicture.Width());
  EXPECT_EQ(jpegPicture.Height(), gifPicture.Height());
  const int w = gifPicture.Width(), h = gifPicture.Height();
  // Inside the block (25 mm, 35 mm) and on white paper (80 mm, 120 mm).
  const int bx = MulDiv(w, 250, PageWidth), by = MulDiv(h, 350, PageLength);
  const int px = MulDiv(w, 800, PageWidth), py = MulDiv(h, 1200, PageLength);
  TCanvas& g = gifPicture.Bitmap().Canvas();
  TCanvas& j = jpegPicture.Bitmap().Canvas();
  EXPECT_EQ(ColorToRGB(g.GetPixel(bx, by)), clBlack);
  EXPECT_EQ(ColorToRGB(g.GetPixel(px, py)), clWhite);
  for (POINT edge : {POINT{0, 0}, POINT{w - 1, h / 2}, POINT{w / 2, h - 1}, POINT{0, h - 1}})
    EXPECT_EQ(ColorToRGB(g.GetPixel(edge.x, edge.y)), clBlack) << edge.x << "," << edge.y;
  auto grey = [&](int x, int y) { return GetGValue(ColorToRGB(j.GetPixel(x, y))); };
  EXPECT_LT(grey(bx, by), 40);
  EXPECT_GT(grey(px, py), 215);
  EXPECT_GT(grey(0, 0), 215);
  EXPECT_GT(grey(w - 1, h / 2), 215);
}

TEST(PagePicturesTest, EachRunHasItsOwnFolderThatGoesWithItsFiles) {
  AnsiString first, kept;
  {
    TOutputRunFolder one, two;
    first = one.Path();
    EXPECT_NE(one.Path(), two.Path());
    kept = one.File("Temp1.Gif");
    WriteFileBytes(kept, FileBytes{1, 2, 3});
    EXPECT_TRUE(FileExists(kept));
  }
  EXPECT_FALSE(FileExists(kept));
  EXPECT_FALSE(DirectoryExists(first));
  TQRPrinter empty(nullptr);
  TOutputRunFolder folder;
  EXPECT_THROW(SavePageMetafile(empty, 1, folder.File("Temp1.wmf")), Exception);
}

}  // namespace

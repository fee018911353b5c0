// The print helper path with a stand-in library of the tests' own in a
// folder beside the test: it receives the printer, the copies, the mode, the
// page's width and length and every prepared page as a base64 metafile,
// joined by "|||"; the printer form is made first, and a refused form does
// not stop the hand-over.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/system/fileutils.h"
#include "layouts/custompaper.h"
#include "layouts/output/printhelperrun.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

namespace {

std::string Base64Decode(const std::string& text) {
  static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  int bits = 0, value = 0;
  for (char c : text) {
    if (c == '=')
      break;
    const std::size_t at = alphabet.find(c);
    if (at == std::string::npos)
      return "<not base64>";
    value = (value << 6) | static_cast<int>(at);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((value >> bits) & 0xFF);
    }
  }
  return bytes;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

class PrintHelperRunTest : public testing::Test {
protected:
  PrintHelperRunTest() : helper(GetCurrentDir() + "\\helper\\"), spoolerScope(spooler), dialogScope(dialogs) {
    TFakePrinter matrix;
    matrix.Name = "Nokta";
    matrix.NumColors = 2;
    matrix.TrueType = DCTT_BITMAP;
    spooler.AddPrinter(matrix);
    report = std::make_unique<TQuickRep>(nullptr);
    report->SetUnits(MM);
    report->Page()->SetPaperSize(TQRPaperSize::Custom);
    report->Page()->SetWidth(100);
    report->Page()->SetLength(40.4L);
    report->Page()->SetTopMargin(0);
    report->Page()->SetBottomMargin(0);
    report->PrinterSettings()->SetCopies(2);
    // A page per record, whatever paper the printer takes for "Custom".
    TQRCustomBand* detail = report->CreateBand(rbDetail);
    detail->Size()->SetHeight(30);
    detail->SetForceNewPage(true);
    auto left = std::make_shared<int>(3);
    report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  }

  std::string LastCall() {
    using TLastCall = const char* (*)();
    auto lastCall = reinterpret_cast<TLastCall>(reinterpret_cast<void*>(GetProcAddress(helper.Handle(), "LastCall")));
    return lastCall ? lastCall() : "<no LastCall>";
  }

  TPrintHelperLibrary helper;
  TFakeSpooler spooler;
  SpoolerScope spoolerScope;
  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope;
  std::unique_ptr<TQuickRep> report;
};

TEST_F(PrintHelperRunTest, TheHelperGetsItsSixArgumentsAndEveryPage) {
  ASSERT_TRUE(helper.Available()) << "the stand-in helper is built beside the test";
  report->Prepare();
  ASSERT_NE(report->QRPrinter(), nullptr);
  ASSERT_EQ(report->QRPrinter()->PageCount(), 3);
  RunPrintHelper(helper.Execute(), *report, "Nokta", PrintHelperPrint);

  const std::string call = LastCall();
  const std::vector<std::string> fields = Split(call, ";");
  ASSERT_EQ(fields.size(), 6u) << call.substr(0, 200);
  EXPECT_EQ(fields[0], "Nokta");
  EXPECT_EQ(fields[1], "2");
  EXPECT_EQ(fields[2], "2");
  EXPECT_EQ(fields[3], "100.000");
  EXPECT_EQ(fields[4], "40.400");
  const std::vector<std::string> pages = Split(fields[5], "|||");
  ASSERT_EQ(pages.size(), 3u);
  for (const std::string& page : pages) {
    const std::string emf = Base64Decode(page);
    ASSERT_GT(emf.size(), 88u);
    EXPECT_EQ(emf[0], '\x01');            // EMR_HEADER
    EXPECT_EQ(emf.substr(40, 4), " EMF");  // the header's signature
  }
  // The form was made first, of the page's whole millimetres.
  ASSERT_EQ(spooler.Find("Nokta")->Forms.size(), 1u);
  EXPECT_EQ(spooler.Find("Nokta")->Forms[0], PrinterFormRecord(40, 100));
}

TEST_F(PrintHelperRunTest, ARefusedFormStillHandsThePagesOver) {
  ASSERT_TRUE(helper.Available());
  report->Prepare();
  dialogs.AnswerButton(IDOK);
  RunPrintHelper(helper.Execute(), *report, "Yok", PrintHelperPreview);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Yazdirma esnasında problem oluştu");
  const std::vector<std::string> fields = Split(LastCall(), ";");
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[0], "Yok");
  EXPECT_EQ(fields[2], "1");
  EXPECT_EQ(Split(fields[5], "|||").size(), 3u);
}

}  // namespace

// The text document printed raw: the test desktop's raw queue receives
// exactly the bytes a file of the same document holds; a printer that cannot
// be opened or written raises an error naming it, and the document stays
// ready for another try.
#include <gtest/gtest.h>

#include "classlib/printers/fakespooler.h"
#include "classlib/printers/printers.h"
#include "textreport/core/zrconst.h"
#include "textreport/output/zrprinterstream.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/testqueues.h"
#include "zrtestreport.h"

namespace {

using namespace test_queues;
using namespace zr_test;

std::string SavedBytes(TZRPrinter& document, const ScratchFolder& folder) {
  document.SaveToFile(folder.File("out.txt"));
  TFileStream file(folder.File("out.txt"), fmOpenRead);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

int IndexOf(TPrinter& printer, const std::string& name) {
  for (int i = 0; i < printer.Printers().Count(); ++i)
    if (printer.Printers()[i] == name)
      return i;
  return -1;
}

TEST(ZRPrinterStream, TheRawQueueReceivesTheSavedBytes) {
  const std::string rawPrinter = Env("DOZURI_RAW_PRINTER"), rawOut = Env("DOZURI_RAW_OUT");
  if (rawPrinter.empty())
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  ScratchFolder folder;
  TestReport report(20, 4);
  report.options.SetPaperType(zptSheet);
  report.options.SetOEMConvert(true);
  report.options.SetCopies(2);
  TZRPrinter document(&report);
  Build(document, {{"BARKOD", "", "\xDE\xDD\xDE\x4C\xDD"}, {"SON"}});
  TPrinter printer;
  int index = IndexOf(printer, rawPrinter);
  ASSERT_GE(index, 0);
  printer.SetPrinterIndex(index);
  std::set<std::string> before = FilesIn(rawOut, L"job-*.bin");
  document.PrintToPrinter(printer);
  EXPECT_EQ(report.printStarts, 1);
  EXPECT_EQ(report.printFinishes, 1);
  std::string job = WaitForNewFile(rawOut, L"job-*.bin", before);
  ASSERT_FALSE(job.empty()) << "no raw job arrived in " << rawOut;
  EXPECT_EQ(ReadWholeFile(job), SavedBytes(document, folder));
}

// The real spooler, asked for a printer that is not installed: the error
// names the printer and gives the system's reason; nothing is reported as
// printed, and the document can still go to a printer that exists.
TEST(ZRPrinterStream, AMissingPrinterRaisesAClearError) {
  const AnsiString missing = "Olmayan Yazıcı";
  TPrinter printer;
  printer.SetPrinter(missing, "", "", nullptr);
  TestReport report(20, 2);
  TZRPrinter document(&report);
  Build(document, {{"A"}});
  std::string message = "(no error)";
  try {
    document.PrintToPrinter(printer);
  } catch (const EZRError& e) {
    message = e.Message;
  }
  EXPECT_NE(message.find("\"" + missing + "\""), std::string::npos) << message;
  EXPECT_NE(message.find(" ("), std::string::npos) << "no system reason in: " << message;
  EXPECT_EQ(report.printStarts, 0);
  EXPECT_EQ(report.printFinishes, 0);
  EXPECT_EQ(document.State(), TZRDocumentState::Done);
}

// A spooler whose printer can refuse to open or take only part of a write.
class FailingSpooler : public TFakeSpooler {
public:
  TSpoolerHandle OpenPrinter(const AnsiString& name) override {
    return refuseOpen ? 0 : TFakeSpooler::OpenPrinter(name);
  }
  DWORD StartDocPrinter(TSpoolerHandle printer, const AnsiString& docName, const AnsiString& dataType) override {
    return refuseDoc ? 0 : TFakeSpooler::StartDocPrinter(printer, docName, dataType);
  }
  bool StartPagePrinter(TSpoolerHandle printer) override {
    return !refusePage && TFakeSpooler::StartPagePrinter(printer);
  }
  bool WritePrinter(TSpoolerHandle printer, const void* data, DWORD size, DWORD& written) override {
    bool ok = TFakeSpooler::WritePrinter(printer, data, size, written);
    if (shortWrite && written > 0)
      --written;
    return ok;
  }
  bool refuseOpen = false;
  bool refuseDoc = false;
  bool refusePage = false;
  bool shortWrite = false;
};

TEST(ZRPrinterStream, APrinterThatFailsRaisesAndTheDocumentStaysReady) {
  FailingSpooler spooler;
  TFakePrinter fake;
  fake.Name = "Nokta Vuruşlu";
  spooler.AddPrinter(fake);
  spooler.Default = "Nokta Vuruşlu";
  SpoolerScope scope(spooler);
  TPrinter printer;
  TestReport report(20, 2);
  TZRPrinter document(&report);
  Build(document, {{"A"}});
  struct Failure {
    const char* name;
    bool FailingSpooler::*flag;
  } failures[] = {
      {"printer not opened", &FailingSpooler::refuseOpen},
      {"job not started", &FailingSpooler::refuseDoc},
      {"page not started", &FailingSpooler::refusePage},
      {"write cut short", &FailingSpooler::shortWrite},
  };
  for (const Failure& f : failures) {
    spooler.*f.flag = true;
    try {
      document.PrintToPrinter(printer);
      ADD_FAILURE() << f.name << ": a failed print reported no error";
    } catch (const EZRError& e) {
      EXPECT_NE(e.Message.find("Nokta Vuruşlu"), std::string::npos) << f.name << ": " << e.Message;
    }
    spooler.*f.flag = false;
    EXPECT_EQ(document.State(), TZRDocumentState::Done) << f.name;
  }
  // Every printer opened was closed again; the job whose page was refused
  // was ended, the one cut short deleted.
  int opened = 0, closed = 0;
  for (const AnsiString& call : spooler.Calls) {
    opened += call.rfind("OpenPrinter", 0) == 0;
    closed += call == "ClosePrinter";
  }
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(closed, 3);
  ASSERT_EQ(spooler.Jobs.size(), 2u);
  EXPECT_TRUE(spooler.Jobs[0].Ended);
  EXPECT_FALSE(spooler.Jobs[0].Aborted);
  EXPECT_TRUE(spooler.Jobs[1].Aborted);
  EXPECT_FALSE(spooler.Jobs[1].Ended);
  document.PrintToPrinter(printer);
  ASSERT_EQ(spooler.Jobs.size(), 3u);
  const TFakeJob& job = spooler.Jobs[2];
  EXPECT_EQ(std::string(job.Bytes.begin(), job.Bytes.end()), "\x1b@\x1bP\x12" "A\r\n");
  EXPECT_TRUE(job.Ended);
  EXPECT_FALSE(job.Aborted);
  EXPECT_EQ(job.DataType, "RAW");
  EXPECT_EQ(job.DocName, "Rapor");  // the report's title names the job
  // Print start for the jobs that were opened, print finish only for the whole one.
  EXPECT_EQ(report.printStarts, 2);
  EXPECT_EQ(report.printFinishes, 1);
}

// Output sends the document where the options say: to the options' file,
// or raw to the program's printer.
TEST(ZRPrinterStream, OutputFollowsTheDestination) {
  ScratchFolder folder;
  TFakeSpooler spooler;
  TFakePrinter fake;
  fake.Name = "Nokta";
  spooler.AddPrinter(fake);
  spooler.Default = "Nokta";
  SpoolerScope scope(spooler);
  Printer().Refresh();
  Printer().SetPrinterIndex(-1);
  TestReport report(20, 2);
  report.options.SetDestination(zrdFile);
  report.options.SetFileName(folder.File("cikti.txt"));
  TZRPrinter document(&report);
  Build(document, {{"A"}});
  document.Output();
  EXPECT_TRUE(spooler.Jobs.empty());
  const std::string bytes = "\x1b@\x1bP\x12" "A\r\n";
  {
    TFileStream file(folder.File("cikti.txt"), fmOpenRead);
    std::string saved(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(saved.data(), static_cast<std::int32_t>(saved.size()));
    EXPECT_EQ(saved, bytes);
  }
  report.options.SetDestination(zrdPrinter);
  document.Output();
  ASSERT_EQ(spooler.Jobs.size(), 1u);
  EXPECT_EQ(spooler.Jobs[0].Printer, "Nokta");
  EXPECT_EQ(std::string(spooler.Jobs[0].Bytes.begin(), spooler.Jobs[0].Bytes.end()), bytes);
  spooler.Printers.clear();  // the program's printer lets the fake one go
  Printer().Refresh();
}

}  // namespace

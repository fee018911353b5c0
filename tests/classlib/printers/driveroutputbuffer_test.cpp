// The driver output buffer: bytes written in many small pieces reach the
// spooler whole and in order, in blocks, and a printer driver's job
// printed through it arrives complete.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "classlib/printers/driveroutputbuffer.h"
#include "classlib/printers/printers.h"
#include "tests/support/testqueues.h"

namespace {

using namespace test_queues;
using namespace driveroutput;

class DriverOutputBufferTest : public testing::Test {
protected:
  void SetUp() override {
    rawPrinter = Env("DOZURI_RAW_PRINTER");
    rawOut = Env("DOZURI_RAW_OUT");
    if (rawPrinter.empty())
      GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  }
  std::string rawPrinter, rawOut;
};

TEST(DriverOutputBuffer, AModuleNotLoadedIsLeftAlone) {
  EXPECT_FALSE(InstallDriverOutputBuffer(L"nosuchdriver.drv"));
}

TEST_F(DriverOutputBufferTest, SmallWritesArriveWholeAndInOrder) {
  // Pieces of 1 to 3 bytes as a driver writes its fonts, one piece larger
  // than a block, and a tail that only the end of the job hands over.
  std::mt19937 random(7);
  std::string payload;
  std::vector<std::pair<std::size_t, std::size_t>> pieces;
  auto add = [&](std::size_t size) {
    std::size_t start = payload.size();
    for (std::size_t i = 0; i < size; ++i)
      payload += static_cast<char>(random() & 0xFF);
    pieces.emplace_back(start, size);
  };
  for (int i = 0; i < 60000; ++i)
    add(1 + random() % 3);
  add(BlockSize + 5);
  for (int i = 0; i < 5000; ++i)
    add(1 + random() % 3);

  std::set<std::string> before = FilesIn(rawOut, L"job-*.bin");
  std::wstring name(rawPrinter.begin(), rawPrinter.end());
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(name.data(), &printer, nullptr));
  DOC_INFO_1W doc{const_cast<wchar_t*>(L"Dozuri blocks"), nullptr, const_cast<wchar_t*>(L"RAW")};
  ASSERT_NE(StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc)), 0u);
  for (auto [start, size] : pieces) {
    DWORD written = 0;
    ASSERT_TRUE(BufferedWritePrinter(printer, payload.data() + start, static_cast<DWORD>(size), &written));
    ASSERT_EQ(written, size);
  }
  EXPECT_TRUE(FlushingEndDocPrinter(printer));
  EXPECT_TRUE(FlushingClosePrinter(printer));

  std::string job = WaitForNewFile(rawOut, L"job-*.bin", before);
  ASSERT_FALSE(job.empty()) << "no raw job arrived in " << rawOut;
  std::string arrived = ReadWholeFile(job);
  ASSERT_EQ(arrived.size(), payload.size());
  EXPECT_TRUE(arrived == payload) << "the bytes arrived changed or out of order";
}

TEST_F(DriverOutputBufferTest, ADriversJobArrivesComplete) {
  TPrinter printer;
  int index = printer.Printers().IndexOf(rawPrinter);
  ASSERT_GE(index, 0);
  printer.SetPrinterIndex(index);
  printer.Title = "Dozuri surucu";
  std::set<std::string> before = FilesIn(rawOut, L"job-*.bin");
  printer.BeginDoc();
  // The printer's DC loaded the driver; its spooler calls now go through
  // the buffer (a second install finds them redirected already).
  EXPECT_TRUE(InstallDriverOutputBuffer(L"wineps.drv"));
  for (int page = 0; page < 3; ++page) {
    if (page > 0)
      printer.NewPage();
    printer.Canvas().Font().SetName("Arial");
    printer.Canvas().TextOut(100, 100, "Sayfa " + AnsiString(std::to_string(page + 1).c_str()) + " şğüİ");
    printer.Canvas().Font().SetName("Courier New");
    printer.Canvas().TextOut(100, 300, "Çift yazı tipi");
  }
  printer.EndDoc();

  std::string job = WaitForNewFile(rawOut, L"job-*.bin", before);
  ASSERT_FALSE(job.empty()) << "no job arrived in " << rawOut;
  std::string bytes = ReadWholeFile(job);
  EXPECT_EQ(bytes.rfind("%!PS", 0), 0u);
  EXPECT_NE(bytes.find("%%Pages: 3"), std::string::npos);
  EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
  EXPECT_EQ(bytes.find("%%EOF"), bytes.rfind("%%EOF")) << "the job's end arrived more than once";
}

}  // namespace

// A print run sent to the test desktop's raw queue: the queue made the
// current printer for the run, and the bytes its listener received. Header-only.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "classlib/printers/printers.h"
#include "tests/support/testqueues.h"

namespace text_pages {

// Runs Print with the queue named RawPrinter as the current printer and
// returns the job that arrives in DOZURI_RAW_OUT; nothing, with a failure
// recorded, when the queue is unknown, and nothing when no job arrived. The
// printer of before is put back, also when Print throws.
inline std::optional<std::string> RawQueueJob(const std::string& RawPrinter, const std::function<void()>& Print) {
  const std::string rawOut = test_queues::Env("DOZURI_RAW_OUT");
  const int index = Printer().Printers().IndexOf(RawPrinter);
  if (index < 0) {
    ADD_FAILURE() << "no printer named " << RawPrinter;
    return std::nullopt;
  }
  struct Restore {
    int previous = Printer().PrinterIndex();
    ~Restore() { Printer().SetPrinterIndex(previous); }
  } restore;
  Printer().SetPrinterIndex(index);
  const auto before = test_queues::FilesIn(rawOut, L"job-*.bin");
  Print();
  const std::string job = test_queues::WaitForNewFile(rawOut, L"job-*.bin", before);
  if (job.empty())
    return std::nullopt;
  return test_queues::ReadWholeFile(job);
}

}  // namespace text_pages

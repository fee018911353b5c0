// A text report with a document of its own page size, so bands and labels
// print in tests without a run.
#pragma once
#include <memory>

#include "tests/textreport/output/zrtestreport.h"
#include "textreport/engine/zreport.h"

namespace zr_test {

class PrintingReport : public TZReport {
public:
  explicit PrintingReport(TComponent* owner) : TZReport(owner), page(40, 10) {
    document = std::make_unique<TZRPrinter>(&page);
  }
  TZRPrinter* Document() const override { return document.get(); }

  TestReport page;
  std::unique_ptr<TZRPrinter> document;
};

}  // namespace zr_test
